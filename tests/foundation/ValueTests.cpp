#include "platform/foundation/Value.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using foundation::Value;

namespace {

struct ConversionCase {
    const char* label;
    Value value;
    bool boolValue;
    std::int64_t integerValue;
    double doubleValue;
};

void PrintTo(const ConversionCase& c, std::ostream* out) { *out << c.label; }

class FoundationValueConversion : public testing::TestWithParam<ConversionCase> { };

TEST_P(FoundationValueConversion, AnswersLikeThePlatform)
{
    const auto& c = GetParam();
    EXPECT_EQ(c.value.boolValue(), c.boolValue);
    EXPECT_EQ(c.value.integerValue(), c.integerValue);
    if (std::isnan(c.doubleValue))
        EXPECT_TRUE(std::isnan(c.value.doubleValue()));
    else
        EXPECT_DOUBLE_EQ(c.value.doubleValue(), c.doubleValue);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
const std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

INSTANTIATE_TEST_SUITE_P(Table, FoundationValueConversion, testing::Values(
    ConversionCase { "null", Value(), false, 0, 0 },
    ConversionCase { "true", Value::boolean(true), true, 1, 1 },
    ConversionCase { "false", Value::boolean(false), false, 0, 0 },
    ConversionCase { "integer", Value::integer(-42), true, -42, -42 },
    ConversionCase { "zero", Value::integer(0), false, 0, 0 },
    ConversionCase { "real truncates", Value::real(-2.9), true, -2, -2.9 },
    ConversionCase { "small real", Value::real(0.25), true, 0, 0.25 },
    ConversionCase { "nan", Value::real(kNaN), false, 0, kNaN },
    ConversionCase { "huge real", Value::real(1e300), true, kMax, 1e300 },
    ConversionCase { "huge negative real", Value::real(-1e300), true, kMin, -1e300 },
    ConversionCase { "YES", Value::string("YES"), true, 0, 0 },
    ConversionCase { "true text", Value::string("true"), true, 0, 0 },
    ConversionCase { "no", Value::string("no"), false, 0, 0 },
    ConversionCase { "signed zeros", Value::string("  +007"), true, 7, 7 },
    ConversionCase { "zero text", Value::string("0"), false, 0, 0 },
    ConversionCase { "negative fraction", Value::string("-0.5"), false, 0, -0.5 },
    ConversionCase { "leading number", Value::string(" 12abc"), true, 12, 12 },
    ConversionCase { "exponent", Value::string("1.5e3x"), true, 1, 1500 },
    ConversionCase { "no number", Value::string("abc"), false, 0, 0 },
    ConversionCase { "no hex or inf", Value::string("inf"), false, 0, 0 },
    ConversionCase { "empty", Value::string(""), false, 0, 0 },
    ConversionCase { "integer overflow saturates", Value::string("99999999999999999999"), true, kMax, 1e20 },
    ConversionCase { "data", Value::data({ 1 }), false, 0, 0 },
    ConversionCase { "date", Value::date(5), false, 0, 0 },
    ConversionCase { "array", Value::array({ Value::integer(1) }), false, 0, 0 }),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.label))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(FoundationValue, KindsStayApart)
{
    EXPECT_NE(Value::boolean(true), Value::integer(1));
    EXPECT_NE(Value::integer(1), Value::real(1.0));
    EXPECT_NE(Value::string("1"), Value::integer(1));
    EXPECT_NE(Value::date(0), Value::real(0));
    EXPECT_EQ(Value::boolean(true).kind(), Value::Kind::Boolean);
    EXPECT_EQ(Value::real(1).kind(), Value::Kind::Real);
    EXPECT_TRUE(Value::boolean(false).isNumber());
    EXPECT_FALSE(Value::string("1").isNumber());
    EXPECT_EQ(Value::integer(3).asString(), nullptr);
    EXPECT_FALSE(Value::real(3).asDate());
    EXPECT_STREQ(Value::kindName(Value::Kind::Dictionary), "dictionary");
    EXPECT_STREQ(Value::kindName(Value().kind()), "null");
}

TEST(FoundationValue, EqualityIsDeep)
{
    auto make = [] {
        return Value::dictionary({ { "a", Value::array({ Value::integer(1), Value::data({ 9, 8 }) }) },
            { "b", Value::dictionary({ { "c", Value::string("x") } }) } });
    };
    EXPECT_EQ(make(), make());
    Value changed = make();
    changed.mutableDictionary()->at("b").set("c", Value::string("y"));
    EXPECT_NE(make(), changed);
}

TEST(FoundationValue, CopiesShareUntilOneIsChanged)
{
    Value original = Value::dictionary({ { "k", Value::integer(1) } });
    Value copy = original;
    EXPECT_EQ(original.asDictionary(), copy.asDictionary()); // shared storage

    copy.set("k", Value::integer(2));
    copy.set("new", Value::boolean(true));
    EXPECT_EQ(original.find("k")->integerValue(), 1);
    EXPECT_EQ(original.count(), 1u);
    EXPECT_EQ(copy.find("k")->integerValue(), 2);

    Value list = Value::array({ Value::integer(1) });
    Value listCopy = list;
    listCopy.mutableArray()->push_back(Value::integer(2));
    EXPECT_EQ(list.count(), 1u);
    EXPECT_EQ(listCopy.count(), 2u);

    // An unshared value is changed in place.
    const Value::Array* before = listCopy.asArray();
    listCopy.mutableArray()->push_back(Value::integer(3));
    EXPECT_EQ(listCopy.asArray(), before);
}

TEST(FoundationValue, DictionaryHelpersOnlyActOnDictionaries)
{
    Value dictionary = Value::dictionary();
    dictionary.set("b", Value::integer(2));
    dictionary.set("a", Value::integer(1));
    std::vector<std::string> keys;
    for (const auto& [key, value] : *dictionary.asDictionary())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string> { "a", "b" }));
    EXPECT_TRUE(dictionary.erase("a"));
    EXPECT_FALSE(dictionary.erase("a"));
    EXPECT_EQ(dictionary.find("a"), nullptr);

    for (Value other : { Value(), Value::array(), Value::string("s") }) {
        other.set("k", Value::integer(1));
        EXPECT_EQ(other.find("k"), nullptr);
        EXPECT_FALSE(other.erase("k"));
        EXPECT_EQ(other.mutableDictionary(), nullptr);
    }
    EXPECT_EQ(Value::string("abc").count(), 0u);
}

} // namespace

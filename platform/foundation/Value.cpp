#include "platform/foundation/Value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace foundation {

namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<std::int64_t>::min();

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Skips leading white space and one sign; answers whether the sign was a minus.
bool skipSpaceAndSign(const std::string& s, std::size_t& i)
{
    while (i < s.size() && isSpace(s[i]))
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        return s[i++] == '-';
    return false;
}

// Real to integer as the platform does it (truncation), but defined for every input: NaN answers
// 0 and values outside the integer range stick to its ends instead of being undefined behaviour.
std::int64_t clampToInteger(double d)
{
    if (std::isnan(d))
        return 0;
    if (d >= 9223372036854775808.0) // 2^63, the first double above the range
        return kIntMax;
    if (d < -9223372036854775808.0)
        return kIntMin;
    return static_cast<std::int64_t>(d);
}

// A string answers boolValue like the phone's strings: after white space, one sign and any
// zeros, a Y, y, T, t or a digit 1-9 makes it true ("YES", "true", "  +007" are true; "0", "no",
// "-0.5" are false).
bool stringBool(const std::string& s)
{
    std::size_t i = 0;
    skipSpaceAndSign(s, i);
    while (i < s.size() && s[i] == '0')
        ++i;
    if (i == s.size())
        return false;
    char c = s[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

// Leading decimal integer text; saturates at the ends of the range; 0 when there is none.
std::int64_t stringInteger(const std::string& s)
{
    std::size_t i = 0;
    bool negative = skipSpaceAndSign(s, i);
    std::int64_t result = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        int digit = s[i] - '0';
        if (!negative) {
            if (result > (kIntMax - digit) / 10)
                return kIntMax;
            result = result * 10 + digit;
        } else {
            if (result < (kIntMin + digit) / 10)
                return kIntMin;
            result = result * 10 - digit;
        }
    }
    return result;
}

// Leading decimal real text ("  -1.5e3xyz" is -1500); no hexadecimal, "inf" or "nan" forms, and
// independent of the C locale; 0 when there is none.
double stringDouble(const std::string& s)
{
    std::size_t i = 0;
    bool negative = skipSpaceAndSign(s, i);
    std::size_t start = i, digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                ++j;
            i = j;
        }
    }
    double value = 0;
    auto [end, error] = std::from_chars(s.data() + start, s.data() + i, value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: decide by the exponent's sign.
        auto e = s.find_first_of("eE", start);
        bool tiny = e != std::string::npos && e < i && e + 1 < i && s[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

template<typename T>
T* unshared(std::shared_ptr<T>& box)
{
    if (box.use_count() > 1)
        box = std::make_shared<T>(*box);
    return box.get();
}

} // namespace

Value Value::boolean(bool b) { Value v; v.m_storage = b; return v; }
Value Value::integer(std::int64_t i) { Value v; v.m_storage = i; return v; }
Value Value::real(double d) { Value v; v.m_storage = d; return v; }
Value Value::string(std::string s) { Value v; v.m_storage = std::move(s); return v; }
Value Value::data(Bytes b) { Value v; v.m_storage = std::make_shared<Bytes>(std::move(b)); return v; }
Value Value::date(double seconds) { Value v; v.m_storage = DateBox { seconds }; return v; }
Value Value::array(Array a) { Value v; v.m_storage = std::make_shared<Array>(std::move(a)); return v; }
Value Value::dictionary(Dictionary d)
{
    Value v;
    v.m_storage = std::make_shared<Dictionary>(std::move(d));
    return v;
}

Value::Kind Value::kind() const
{
    // The variant's alternatives are declared in the order of Kind.
    return static_cast<Kind>(m_storage.index());
}

bool Value::isNumber() const
{
    Kind k = kind();
    return k == Kind::Boolean || k == Kind::Integer || k == Kind::Real;
}

bool Value::boolValue() const
{
    switch (kind()) {
    case Kind::Boolean: return std::get<bool>(m_storage);
    case Kind::Integer: return std::get<std::int64_t>(m_storage) != 0;
    case Kind::Real: {
        double d = std::get<double>(m_storage);
        return d != 0 && !std::isnan(d);
    }
    case Kind::String: return stringBool(std::get<std::string>(m_storage));
    default: return false;
    }
}

std::int64_t Value::integerValue() const
{
    switch (kind()) {
    case Kind::Boolean: return std::get<bool>(m_storage) ? 1 : 0;
    case Kind::Integer: return std::get<std::int64_t>(m_storage);
    case Kind::Real: return clampToInteger(std::get<double>(m_storage));
    case Kind::String: return stringInteger(std::get<std::string>(m_storage));
    default: return 0;
    }
}

double Value::doubleValue() const
{
    switch (kind()) {
    case Kind::Boolean: return std::get<bool>(m_storage) ? 1.0 : 0.0;
    case Kind::Integer: return static_cast<double>(std::get<std::int64_t>(m_storage));
    case Kind::Real: return std::get<double>(m_storage);
    case Kind::String: return stringDouble(std::get<std::string>(m_storage));
    default: return 0;
    }
}

const std::string* Value::asString() const { return std::get_if<std::string>(&m_storage); }

const Value::Bytes* Value::asData() const
{
    auto box = std::get_if<std::shared_ptr<Bytes>>(&m_storage);
    return box ? box->get() : nullptr;
}

const Value::Array* Value::asArray() const
{
    auto box = std::get_if<std::shared_ptr<Array>>(&m_storage);
    return box ? box->get() : nullptr;
}

const Value::Dictionary* Value::asDictionary() const
{
    auto box = std::get_if<std::shared_ptr<Dictionary>>(&m_storage);
    return box ? box->get() : nullptr;
}

std::optional<double> Value::asDate() const
{
    if (auto box = std::get_if<DateBox>(&m_storage))
        return box->seconds;
    return std::nullopt;
}

Value::Array* Value::mutableArray()
{
    auto box = std::get_if<std::shared_ptr<Array>>(&m_storage);
    return box ? unshared(*box) : nullptr;
}

Value::Dictionary* Value::mutableDictionary()
{
    auto box = std::get_if<std::shared_ptr<Dictionary>>(&m_storage);
    return box ? unshared(*box) : nullptr;
}

const Value* Value::find(std::string_view key) const
{
    auto dictionary = asDictionary();
    if (!dictionary)
        return nullptr;
    auto it = dictionary->find(key);
    return it == dictionary->end() ? nullptr : &it->second;
}

void Value::set(std::string key, Value value)
{
    if (auto dictionary = mutableDictionary())
        (*dictionary)[std::move(key)] = std::move(value);
}

bool Value::erase(std::string_view key)
{
    // Look first, so that a miss does not unshare the storage.
    auto shared = asDictionary();
    if (!shared || shared->find(key) == shared->end())
        return false;
    auto dictionary = mutableDictionary();
    dictionary->erase(dictionary->find(key));
    return true;
}

std::size_t Value::count() const
{
    if (auto a = asArray())
        return a->size();
    if (auto d = asDictionary())
        return d->size();
    return 0;
}

bool Value::operator==(const Value& other) const
{
    if (kind() != other.kind())
        return false;
    switch (kind()) {
    case Kind::Data: return *asData() == *other.asData();
    case Kind::Array: return asArray() == other.asArray() || *asArray() == *other.asArray();
    case Kind::Dictionary:
        return asDictionary() == other.asDictionary() || *asDictionary() == *other.asDictionary();
    default: return m_storage == other.m_storage;
    }
}

const char* Value::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Null: return "null";
    case Kind::Boolean: return "boolean";
    case Kind::Integer: return "integer";
    case Kind::Real: return "real";
    case Kind::String: return "string";
    case Kind::Data: return "data";
    case Kind::Date: return "date";
    case Kind::Array: return "array";
    case Kind::Dictionary: return "dictionary";
    }
    return "unknown";
}

} // namespace foundation

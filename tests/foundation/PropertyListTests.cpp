#include "platform/foundation/FileManager.h"
#include "platform/foundation/PropertyList.h"
#include "tests/foundation/TestFolder.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace foundation;

namespace {

Value everyKind()
{
    return Value::dictionary({
        { "kBool", Value::boolean(true) },
        { "kFalse", Value::boolean(false) },
        { "kInteger", Value::integer(-1234567890123) },
        { "kReal", Value::real(0.1) },
        { "kWholeReal", Value::real(2.0) },
        { "kString", Value::string("a <b> & \"c\" é") },
        { "kData", Value::data({ 0, 1, 2, 255 }) },
        { "kDate", Value::date(400000000) },
        { "kArray", Value::array({ Value::integer(1), Value::string("two"), Value::array() }) },
        { "kEmpty", Value::dictionary() },
        { "nested", Value::dictionary({ { "z", Value::real(-1.5e-7) }, { "a", Value::integer(0) } }) },
    });
}

struct Form {
    const char* name;
    std::string (*write)(const Value&);
};
void PrintTo(const Form& form, std::ostream* out) { *out << form.name; }

class FoundationPropertyListRoundTrip : public testing::TestWithParam<Form> { };

TEST_P(FoundationPropertyListRoundTrip, EveryKindComesBackUnchanged)
{
    Value original = everyKind();
    std::string bytes = GetParam().write(original);
    ASSERT_FALSE(bytes.empty());
    auto back = parsePropertyList(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, original);
    EXPECT_EQ(back->find("kBool")->kind(), Value::Kind::Boolean);
    EXPECT_EQ(back->find("kWholeReal")->kind(), Value::Kind::Real);
}

TEST_P(FoundationPropertyListRoundTrip, RootNeedNotBeADictionary)
{
    for (const Value& root : { Value::array({ Value::integer(7) }), Value::string("hi"), Value::integer(5) }) {
        auto back = parsePropertyList(GetParam().write(root));
        ASSERT_TRUE(back) << Value::kindName(root.kind());
        EXPECT_EQ(*back, root);
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, FoundationPropertyListRoundTrip,
    testing::Values(Form { "Xml", &xmlPropertyList }, Form { "Binary", &binaryPropertyList }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FoundationPropertyListXml, KindsAndKeyOrderAreWrittenAsTheyStand)
{
    Value settings = Value::dictionary();
    settings.set("zeta", Value::boolean(false));
    settings.set("alpha", Value::real(1));
    settings.set("mid", Value::integer(3));
    std::string xml = xmlPropertyList(settings);

    auto at = [&](const char* text) { return xml.find(text); };
    EXPECT_NE(at("<key>alpha</key>\n\t<real>1</real>"), std::string::npos) << xml;
    EXPECT_NE(at("<key>mid</key>\n\t<integer>3</integer>"), std::string::npos) << xml;
    EXPECT_NE(at("<key>zeta</key>\n\t<false/>"), std::string::npos) << xml;
    EXPECT_LT(at("alpha"), at("mid"));
    EXPECT_LT(at("mid"), at("zeta"));
    EXPECT_EQ(xml.rfind("<?xml", 0), 0u);
}

TEST(FoundationPropertyListXml, SameValueGivesSameBytes)
{
    // Built in a different insertion order and through a copy: the bytes must not differ.
    Value a = everyKind();
    Value b = Value::dictionary();
    const auto& entries = *a.asDictionary();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        b.set(it->first, it->second);
    EXPECT_EQ(xmlPropertyList(a), xmlPropertyList(b));
    EXPECT_EQ(binaryPropertyList(a), binaryPropertyList(b));
}

TEST(FoundationPropertyListXml, NullElementsAreLeftOutAndANullRootWritesNothing)
{
    Value v = Value::dictionary({ { "gone", Value() }, { "kept", Value::integer(1) } });
    auto back = parsePropertyList(xmlPropertyList(v));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, Value::dictionary({ { "kept", Value::integer(1) } }));
    EXPECT_EQ(xmlPropertyList(Value()), "");
}

TEST(FoundationPropertyListFile, WriteThenReadGivesTheSameValue)
{
    TestFolder folder;
    std::string path = folder / "com.example.plist";
    ASSERT_TRUE(writePropertyList(path, everyKind()));
    auto back = readPropertyList(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, everyKind());
    EXPECT_FALSE(readPropertyList(folder / "missing.plist"));
}

// The settings file is also read by tools outside this code base; a small check that a standard
// reader accepts what is written here.
TEST(FoundationPropertyListFile, PythonPlistlibReadsWhatIsWritten)
{
    if (std::system("python3 -c 'import plistlib' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 with plistlib is not available";
    TestFolder folder;
    std::string path = folder / "peer.plist";
    ASSERT_TRUE(writePropertyList(path, everyKind()));
    std::string script = "import plistlib,datetime,sys\n"
                         "d=plistlib.load(open(sys.argv[1],'rb'))\n"
                         "assert d['kBool'] is True and d['kFalse'] is False\n"
                         "assert d['kInteger']==-1234567890123 and isinstance(d['kInteger'],int)\n"
                         "assert d['kReal']==0.1 and isinstance(d['kWholeReal'],float)\n"
                         "assert d['kData']==bytes([0,1,2,255])\n"
                         "assert d['kArray'][1]=='two' and d['nested']['z']==-1.5e-7\n"
                         "assert d['kDate']==datetime.datetime(2013,9,4,15,6,40)\n";
    std::string scriptPath = folder / "check.py";
    ASSERT_TRUE(writeFileAtomically(scriptPath, script));
    EXPECT_EQ(std::system(("python3 " + scriptPath + " " + path).c_str()), 0);
}

} // namespace

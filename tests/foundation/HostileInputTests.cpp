#include "platform/foundation/FileManager.h"
#include "platform/foundation/PropertyList.h"
#include "tests/foundation/TestFolder.h"

#include <functional>
#include <sys/stat.h>
#include <gtest/gtest.h>

using namespace foundation;

namespace {

// A hand-made binary property list: objects in order, 4-byte offsets, `refSize`-byte references.
std::string bigEndian(std::uint64_t value, unsigned width)
{
    std::string out;
    for (unsigned k = width; k-- > 0;)
        out += static_cast<char>((value >> (8 * k)) & 0xFF);
    return out;
}

std::string container(unsigned char kind, std::uint64_t count, const std::vector<std::uint64_t>& refs,
    unsigned refSize)
{
    std::string out;
    if (count < 15) {
        out += static_cast<char>(kind | count);
    } else {
        out += static_cast<char>(kind | 0xF);
        out += static_cast<char>(0x13);
        out += bigEndian(count, 8);
    }
    for (auto ref : refs)
        out += bigEndian(ref, refSize);
    return out;
}

std::string binary(const std::vector<std::string>& objects, unsigned refSize, std::uint64_t top = 0)
{
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(out.size());
        out += object;
    }
    std::uint64_t tableAt = out.size();
    for (auto offset : offsets)
        out += bigEndian(offset, 4);
    out += std::string(6, '\0');
    out += static_cast<char>(4);
    out += static_cast<char>(refSize);
    out += bigEndian(objects.size(), 8) + bigEndian(top, 8) + bigEndian(tableAt, 8);
    return out;
}

// Object i is an array holding object i+1; the last is empty.
std::string nestedBinary(std::size_t depth)
{
    std::vector<std::string> objects;
    objects.reserve(depth);
    for (std::size_t i = 0; i + 1 < depth; ++i)
        objects.push_back(container(0xA0, 1, { i + 1 }, 3));
    objects.push_back(container(0xA0, 0, {}, 3));
    return binary(objects, 3);
}

std::string repeated(const std::string& text, std::size_t times)
{
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += text;
    return out;
}

std::string nestedXml(std::size_t depth, const std::string& open = "<array>",
    const std::string& close = "</array>")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">"
        + repeated(open, depth) + repeated(close, depth) + "</plist>\n";
}

std::string sampleXml()
{
    return xmlPropertyList(Value::dictionary({ { "kA", Value::integer(1) }, { "kB", Value::string("text") } }));
}

std::string sampleBinary()
{
    return binaryPropertyList(Value::dictionary({ { "kA", Value::integer(1) }, { "kB", Value::string("text") } }));
}

struct HostileCase {
    const char* label;
    std::function<std::string()> bytes;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.label; }

class FoundationHostileInput : public testing::TestWithParam<HostileCase> { };

TEST_P(FoundationHostileInput, GivesNothing)
{
    std::string bytes = GetParam().bytes();
    EXPECT_FALSE(parsePropertyList(bytes));
}

INSTANTIATE_TEST_SUITE_P(Table, FoundationHostileInput, testing::Values(
    HostileCase { "Empty", [] { return std::string(); } },
    HostileCase { "Garbage", [] { return std::string("this is not a property list"); } },
    HostileCase { "BinaryGarbage", [] { return std::string("bplist00\xff\x00\x13garbage", 18); } },
    HostileCase { "TruncatedXml", [] { auto x = sampleXml(); return x.substr(0, x.size() / 2); } },
    HostileCase { "TruncatedBinary", [] { auto b = sampleBinary(); return b.substr(0, b.size() - 9); } },
    HostileCase { "BinarySelfReference", [] { return binary({ container(0xA0, 1, { 0 }, 1) }, 1); } },
    HostileCase { "BinaryCycleOfTwo",
        [] { return binary({ container(0xA0, 1, { 1 }, 1), container(0xA0, 1, { 0 }, 1) }, 1); } },
    HostileCase { "BinaryReferenceOutOfRange", [] { return binary({ container(0xA0, 1, { 9 }, 1) }, 1); } },
    HostileCase { "BinaryAbsurdCount",
        [] { return binary({ container(0xA0, 1ull << 40, { 1 }, 1), "\x09" }, 1); } },
    HostileCase { "BinaryTopOutOfRange", [] { return binary({ "\x09" }, 1, 5); } },
    HostileCase { "BinaryOffsetOutOfRange",
        [] {
            auto b = binary({ "\x09" }, 1);
            b.replace(b.size() - 32 - 4, 4, bigEndian(0x7fffffff, 4));
            return b;
        } },
    HostileCase { "BinaryUid", [] { return binary({ std::string("\x80\x01", 2) }, 1); } },
    // libplist asserts on a UTF-16 key holding a NUL character, which would abort the reader; an
    // ASCII key with one would be cut short.
    HostileCase { "BinaryKeyWithNul",
        [] { return binary({ container(0xD0, 1, { 1, 2 }, 1), std::string("\x53" "a\0b", 4), "\x09" }, 1); } },
    HostileCase { "BinaryUtf16KeyWithNul",
        [] { return binary({ container(0xD0, 1, { 1, 2 }, 1), std::string("\x62\0a\0\0", 5), "\x09" }, 1); } },
    HostileCase { "BinaryNonStringKey",
        [] { return binary({ container(0xD0, 1, { 1, 1 }, 1), std::string("\x10\x05", 2) }, 1); } },
    // Each level shares the next twice: 60 levels would expand to 2^60 nodes.
    HostileCase { "BinaryExponentialSharing",
        [] {
            std::vector<std::string> objects;
            for (std::uint64_t i = 0; i < 60; ++i)
                objects.push_back(container(0xA0, 2, { i + 1, i + 1 }, 1));
            objects.push_back("\x09");
            return binary(objects, 1);
        } },
    HostileCase { "XmlMillionNestedArrays", [] { return nestedXml(1000000); } },
    HostileCase { "XmlMillionNestedDictionaries", [] { return nestedXml(1000000, "<dict><key>k</key>", "</dict>"); } },
    HostileCase { "XmlMillionNestedUnknownElements", [] { return nestedXml(1000000, "<x>", "</x>"); } },
    HostileCase { "BinaryMillionNestedArrays", [] { return nestedBinary(1000000); } }),
    [](const auto& info) { return std::string(info.param.label); });

// Only keys are refused for a NUL: a string value with one reads (libplist ends it there), and a key
// with a NUL-free UTF-16 text reads.
TEST(FoundationPropertyListNul, StringValueWithNulAndUtf16KeysRead)
{
    auto withNulValue = parsePropertyList(
        binary({ container(0xD0, 1, { 1, 2 }, 1), "\x51k", std::string("\x53" "a\0b", 4) }, 1));
    ASSERT_TRUE(withNulValue);
    EXPECT_EQ(*withNulValue, Value::dictionary({ { "k", Value::string("a") } }));
    auto utf16Key = parsePropertyList(
        binary({ container(0xD0, 1, { 1, 2 }, 1), std::string("\x61\0k", 3), "\x09" }, 1));
    ASSERT_TRUE(utf16Key);
    EXPECT_EQ(*utf16Key, Value::dictionary({ { "k", Value::boolean(true) } }));
}

TEST(FoundationPropertyListDepth, LimitIsExactForBothForms)
{
    PropertyListLimits limits;
    limits.maxDepth = 256;
    EXPECT_TRUE(parsePropertyList(nestedXml(256), limits));
    EXPECT_FALSE(parsePropertyList(nestedXml(257), limits));
    EXPECT_TRUE(parsePropertyList(nestedBinary(256), limits));
    EXPECT_FALSE(parsePropertyList(nestedBinary(257), limits));
}

TEST(FoundationPropertyListDepth, TagsInCommentsAndSelfClosingTagsDoNotCount)
{
    PropertyListLimits limits;
    limits.maxDepth = 4;
    std::string xml = "<?xml version=\"1.0\"?>\n<!-- " + repeated("<array>", 10) + " -->\n<plist version=\"1.0\">"
        + "<array>" + repeated("<array/>", 10) + "<string><![CDATA[" + repeated("<dict>", 10)
        + "]]></string></array></plist>";
    auto value = parsePropertyList(xml, limits);
    ASSERT_TRUE(value);
    ASSERT_EQ(value->count(), 11u);
    EXPECT_EQ(*value->asArray()->back().asString(), repeated("<dict>", 10));
}

TEST(FoundationPropertyListSize, ValueAndKeyCountsAreBounded)
{
    Value::Dictionary entries;
    for (int i = 0; i < 10; ++i)
        entries["k" + std::to_string(i)] = Value::boolean(true);
    Value tenKeys = Value::dictionary(entries);
    Value elevenValues = Value::array({ Value::array(Value::Array(9, Value::integer(1))) });
    for (auto write : { &xmlPropertyList, &binaryPropertyList }) {
        PropertyListLimits keys;
        keys.maxDictionaryKeys = 10;
        EXPECT_TRUE(parsePropertyList(write(tenKeys), keys));
        keys.maxDictionaryKeys = 9;
        EXPECT_FALSE(parsePropertyList(write(tenKeys), keys));

        PropertyListLimits values; // the outer array, the inner one and its nine integers
        values.maxValues = 11;
        EXPECT_TRUE(parsePropertyList(write(elevenValues), values));
        values.maxValues = 10;
        EXPECT_FALSE(parsePropertyList(write(elevenValues), values));
    }
}

TEST(FoundationPropertyListSize, LargerInputIsRefused)
{
    PropertyListLimits limits;
    limits.maxBytes = 64;
    std::string xml = sampleXml();
    ASSERT_GT(xml.size(), 64u);
    EXPECT_FALSE(parsePropertyList(xml, limits));
    limits.maxBytes = xml.size();
    EXPECT_TRUE(parsePropertyList(xml, limits));
}

TEST(FoundationPropertyListSize, FileOverTheLimitIsRefusedUnread)
{
    TestFolder folder;
    std::string path = folder / "huge.plist";
    // 20 MB of a file that would otherwise parse: a valid head, then padding inside a string.
    std::string big = "<?xml version=\"1.0\"?><plist version=\"1.0\"><string>" + std::string(20 << 20, 'a')
        + "</string></plist>";
    ASSERT_TRUE(writeFileAtomically(path, big));
    EXPECT_FALSE(readPropertyList(path));
    PropertyListLimits roomy;
    roomy.maxBytes = 32 << 20;
    EXPECT_TRUE(readPropertyList(path, roomy));
}

TEST(FoundationPropertyListFile, FolderOrFifoIsNotReadAsAPropertyList)
{
    TestFolder folder;
    EXPECT_FALSE(readPropertyList(folder.path()));
    std::string fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(readPropertyList(fifo)); // must not wait for a writer
}

} // namespace

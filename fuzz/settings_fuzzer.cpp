// One libFuzzer target over the property-list reader and the settings loader. The input is parsed
// as a property list (XML or binary, chosen by its content), then written as the settings file of a
// device root made once per process, and the loader runs over it. What must hold is checked after
// every input; a broken rule aborts with a message, so the fuzzer keeps the input.

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

using foundation::Value;

[[noreturn]] void fail(const char* rule)
{
    std::fprintf(stderr, "settings_fuzzer: broken rule: %s\n", rule);
    std::abort();
}

#define CHECK(condition) \
    do { \
        if (!(condition)) \
            fail(#condition); \
    } while (0)

struct DeviceRoot {
    std::string folder, settings, kept;
    DeviceRoot()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ombrel-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            fail("a temporary device root can be made");
        folder = pattern;
        std::filesystem::create_directories(folder + "/var/mobile/Library/Preferences");
        foundation::setDeviceRoot(folder);
        settings = *foundation::hostPath(ombrel::kSettingsFilePath);
        kept = settings + ombrel::kUnreadableSettingsFileSuffix;
        // Each input is a new file; the cache would only make runs depend on the clock.
        ombrel::setSettingsCacheEnabled(false);
    }
    ~DeviceRoot()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

DeviceRoot& root()
{
    static DeviceRoot instance;
    return instance;
}

std::optional<std::string> fileBytes(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, std::size_t(n));
    ::close(fd);
    return bytes;
}

void replaceFile(const std::string& path, std::string_view bytes)
{
    ::unlink(path.c_str());
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
        fail("the settings file can be written");
    ::close(fd);
}

// A value as compared by the checks: NaN equals NaN. With `afterXml`, also as the XML form keeps it
// (documented limits of the writer): dates in whole seconds, strings and keys up to an embedded NUL.
Value comparable(const Value& value, bool afterXml)
{
    switch (value.kind()) {
    case Value::Kind::Real:
        return std::isnan(value.doubleValue()) ? Value::string("\x01NaN") : value;
    case Value::Kind::Date:
        return afterXml ? Value::date(std::floor(*value.asDate())) : value;
    case Value::Kind::String:
        return afterXml ? Value::string(value.asString()->c_str()) : value;
    case Value::Kind::Array: {
        Value::Array items;
        for (const Value& item : *value.asArray())
            items.push_back(comparable(item, afterXml));
        return Value::array(std::move(items));
    }
    case Value::Kind::Dictionary: {
        Value::Dictionary entries;
        for (const auto& [key, item] : *value.asDictionary())
            entries.insert_or_assign(afterXml ? std::string(key.c_str()) : key, comparable(item, afterXml));
        return Value::dictionary(std::move(entries));
    }
    default:
        return value;
    }
}

bool same(const Value& a, const Value& b, bool afterXml = false)
{
    return comparable(a, afterXml) == comparable(b, afterXml);
}

// The file's dictionary with the defaults it lacks, app slots apart; the defaults when the file
// holds no dictionary or an empty one.
Value expectedAnswer(const std::optional<Value>& parsed)
{
    Value defaults = ombrel::defaultSettings();
    if (!parsed || !parsed->asDictionary() || parsed->count() == 0)
        return defaults;
    Value expected = *parsed;
    for (const auto& [key, value] : *defaults.asDictionary()) {
        if (!ombrel::isAppSlotKey(key) && !expected.find(key))
            expected.set(key, value);
    }
    return expected;
}

void checkLoader(std::string_view bytes, const std::optional<Value>& parsed)
{
    DeviceRoot& r = root();
    ::unlink(r.kept.c_str());
    replaceFile(r.settings, bytes);

    Value answer = ombrel::loadSettings();
    const Value::Dictionary* entries = answer.asDictionary();
    CHECK(entries != nullptr);
    // Every default key but the app slots is there, with the file's own value or the default.
    Value defaults = ombrel::defaultSettings();
    const Value* fileEntries = parsed && parsed->asDictionary() && parsed->count() > 0 ? &*parsed : nullptr;
    for (const auto& [key, value] : *defaults.asDictionary()) {
        const Value* answered = answer.find(key);
        const Value* own = fileEntries ? fileEntries->find(key) : nullptr;
        if (own) {
            CHECK(answered && same(*answered, *own));
        } else if (!fileEntries || !ombrel::isAppSlotKey(key)) {
            CHECK(answered && answered->kind() == value.kind() && *answered == value);
        } else {
            CHECK(!answered);
        }
    }
    CHECK(same(answer, expectedAnswer(parsed)));

    auto onDisk = fileBytes(r.settings);
    CHECK(onDisk.has_value()); // the settings file is never lost
    bool unreadable = !parsed || !parsed->asDictionary();
    if (unreadable) {
        // Kept byte for byte beside the defaults that replaced it.
        auto kept = fileBytes(r.kept);
        CHECK(kept.has_value());
        CHECK(*kept == bytes);
        CHECK(*onDisk == foundation::xmlPropertyList(defaults));
    } else {
        CHECK(!fileBytes(r.kept).has_value());
        if (same(answer, *parsed))
            CHECK(*onDisk == bytes); // nothing to fill in: the file is left alone
    }
    // What the loader answered is what the file now holds: the next load agrees and writes nothing.
    auto reread = foundation::parsePropertyList(*onDisk);
    if (!reread || !same(*reread, answer, true)) {
        std::fprintf(stderr, "the file now holds:\n%s\n", onDisk->c_str());
        for (const auto& [key, value] : *answer.asDictionary()) {
            const Value* other = reread ? reread->find(key) : nullptr;
            if (!other || !same(*other, value, true))
                std::fprintf(stderr, "differs at \"%s\": answered %s\n", key.c_str(),
                    foundation::xmlPropertyList(Value::array({value})).c_str());
        }
        fail("what the loader answered is what the file holds");
    }
    CHECK(same(ombrel::loadSettings(), *reread));
    CHECK(fileBytes(r.settings) == onDisk);
    CHECK(unreadable || !fileBytes(r.kept).has_value());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<Value> parsed = foundation::parsePropertyList(bytes);
    // Whatever the reader gives, both writers can write.
    if (parsed)
        CHECK(!foundation::xmlPropertyList(*parsed).empty() && !foundation::binaryPropertyList(*parsed).empty());
    checkLoader(bytes, parsed);
    return 0;
}

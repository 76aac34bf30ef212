// Inputs the settings fuzzer found (kept in fuzz/corpus), replayed through the loader: each is read
// without a crash, and an unreadable one is kept as ".bad" byte for byte while the defaults replace it.

#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "tests/settings/TempDeviceRoot.h"

#include <cctype>
#include <gtest/gtest.h>

namespace ombrel {
namespace {

using foundation::Value;

std::string corpusFile(const char* name)
{
    return std::string(OMBREL_FUZZ_CORPUS) + "/" + name;
}

struct Finding {
    const char* file;
    bool unreadable; // the loader must keep it as ".bad" and answer the defaults
};

void PrintTo(const Finding& finding, std::ostream* out) { *out << finding.file; }

class SettingsFuzzFinding : public ::testing::TestWithParam<Finding> { };

TEST_P(SettingsFuzzFinding, LoaderReadsItWithoutLosingIt)
{
    auto bytes = testing::fileBytes(corpusFile(GetParam().file));
    ASSERT_TRUE(bytes) << corpusFile(GetParam().file);
    testing::TempDeviceRoot root;
    std::string settings = root.path(kSettingsFilePath);
    testing::writeBytes(settings, *bytes);

    Value answer = loadSettings();
    ASSERT_TRUE(answer.asDictionary());
    for (const auto& [key, value] : *defaultSettings().asDictionary()) {
        if (!isAppSlotKey(key)) {
            EXPECT_TRUE(answer.find(key)) << key;
        }
    }
    if (GetParam().unreadable) {
        EXPECT_EQ(answer, defaultSettings());
        EXPECT_EQ(testing::fileBytes(settings + kUnreadableSettingsFileSuffix), bytes);
    }
    auto onDisk = foundation::readPropertyList(settings);
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(loadSettings(), *onDisk);
}

INSTANTIATE_TEST_SUITE_P(Corpus, SettingsFuzzFinding,
    ::testing::Values(
        // The defaults in binary form with a UTF-16 key holding a NUL: libplist aborted the process.
        Finding{"finding-binary-key-with-nul.bplist", true}),
    [](const auto& info) {
        std::string name;
        for (const char* c = info.param.file; *c && *c != '.'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

} // namespace
} // namespace ombrel

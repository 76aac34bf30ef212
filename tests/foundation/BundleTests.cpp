// Bundles: Info.plist, loading the executable, the principal class, unloading.
#include "platform/foundation/Bundle.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <filesystem>
#include <gtest/gtest.h>

using namespace foundation;
namespace fs = std::filesystem;

namespace {

struct Bundles : ::testing::Test {
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("ombrel-bundle-" + std::to_string(getpid()));
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }
    // Makes NAME.bundle holding the fixture executable under `exe` and the given Info.plist keys.
    std::string make(const std::string& name, std::initializer_list<std::pair<const char*, const char*>> keys)
    {
        fs::path dir = root / (name + ".bundle");
        fs::create_directories(dir);
        fs::copy_file(FIXTURE_BUNDLE_PATH, dir / "exe");
        Value info = Value::dictionary();
        for (auto [k, v] : keys)
            info.set(k, Value::string(v));
        EXPECT_TRUE(writePropertyList((dir / "Info.plist").string(), info));
        return dir.string();
    }
    fs::path root;
};

TEST_F(Bundles, LoadsThePrincipalClassAndUnloadsIt)
{
    auto b = Bundle::atHostPath(make("contacts", { { "CFBundleExecutable", "exe" }, { "NSPrincipalClass", "FixturePrincipal" }, { "CFBundleIdentifier", "com.qx.contacts" } }));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->identifier(), "com.qx.contacts");
    EXPECT_EQ(runtime::lookUpClass("FixturePrincipal"), nullptr);
    runtime::Class* cls = b->principalClass();
    ASSERT_NE(cls, nullptr);
    {
        auto obj = runtime::alloc(cls);
        EXPECT_EQ(runtime::send<int>(obj, runtime::Sel("greeting")), 2012);
    }
    b->unload();
    EXPECT_FALSE(b->isLoaded());
    EXPECT_EQ(runtime::lookUpClass("FixturePrincipal"), nullptr);
}

TEST_F(Bundles, BadBundlesGiveNothing)
{
    std::string error;
    auto noExe = Bundle::atHostPath(make("a", { { "NSPrincipalClass", "FixturePrincipal" } }));
    ASSERT_TRUE(noExe);
    EXPECT_FALSE(noExe->load(&error));
    EXPECT_NE(error.find("CFBundleExecutable"), std::string::npos);
    EXPECT_EQ(noExe->principalClass(), nullptr);

    auto climbing = Bundle::atHostPath(make("b", { { "CFBundleExecutable", "../b.bundle/exe" } }));
    ASSERT_TRUE(climbing);
    EXPECT_FALSE(climbing->load());

    auto missing = Bundle::atHostPath(make("c", { { "CFBundleExecutable", "nothing-here" } }));
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->load(&error));
    EXPECT_FALSE(error.empty());

    auto noClass = Bundle::atHostPath(make("d", { { "CFBundleExecutable", "exe" }, { "NSPrincipalClass", "NoSuchClass" } }));
    ASSERT_TRUE(noClass);
    EXPECT_EQ(noClass->principalClass(), nullptr);
    noClass->unload();

    fs::create_directories(root / "e.bundle");
    EXPECT_FALSE(Bundle::atHostPath((root / "e.bundle").string()));
}

TEST_F(Bundles, ClassesStayWhileAnotherLoaderHoldsTheExecutable)
{
    std::string path = make("shared", { { "CFBundleExecutable", "exe" }, { "NSPrincipalClass", "FixturePrincipal" } });
    auto first = Bundle::atHostPath(path);
    auto second = Bundle::atHostPath(path);
    ASSERT_TRUE(first && second);
    ASSERT_NE(first->principalClass(), nullptr);
    ASSERT_NE(second->principalClass(), nullptr);
    first->unload();
    EXPECT_NE(runtime::lookUpClass("FixturePrincipal"), nullptr);
    second->unload();
    EXPECT_EQ(runtime::lookUpClass("FixturePrincipal"), nullptr);
}

} // namespace

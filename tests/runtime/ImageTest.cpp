// Images: a library loaded with dlopen brings its classes and methods; removing its image takes
// exactly those away again, including answers that were already cached.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

using namespace runtime;

namespace {

int hostAnswer(Object*, Sel) { return 1; }

const Image* imageOf(void* handle)
{
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map)
        return nullptr;
    return imageContaining(map->l_ld);
}

TEST(Images, ClassesAndMethodsComeAndGoWithTheirLibrary)
{
    Class* host = ClassBuilder("HostClass", "NSObject").instancesOf<Object>().method("hostAnswer", &hostAnswer).registerClass();
    ASSERT_TRUE(host);
    EXPECT_EQ(host->image(), thisImage());
    Ref<Object> obj = alloc(host);
    EXPECT_EQ(send<int>(obj, Sel("fixtureAdded")), 0); // cached miss before the load

    void* handle = dlopen(FIXTURE_IMAGE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    Class* fixture = lookUpClass("FixtureClass");
    ASSERT_NE(fixture, nullptr);
    const Image* image = imageOf(handle);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(fixture->image(), image);
    EXPECT_NE(image->path.find("runtime_fixture_image"), std::string::npos);
    EXPECT_EQ(send<int>(obj, Sel("fixtureAdded")), 7);
    {
        Ref<Object> f = alloc(fixture);
        EXPECT_EQ(send<int>(f, Sel("answer")), 42);
    }

    removeImage(image);
    dlclose(handle);
    EXPECT_EQ(lookUpClass("FixtureClass"), nullptr);
    EXPECT_EQ(send<int>(obj, Sel("fixtureAdded")), 0);
    EXPECT_FALSE(respondsToSelector(obj, Sel("fixtureAdded")));
    EXPECT_EQ(send<int>(obj, Sel("hostAnswer")), 1);
}

} // namespace

// Typed sends: the right type calls through, a wrong type is refused, and nothing answers zero.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <gtest/gtest.h>

using namespace runtime;

namespace {

struct Rect {
    double x, y, w, h;
};

class Box : public Object {
public:
    int value = 0;
};

int add(Object* self, Sel, int a, Object* other)
{
    return static_cast<Box*>(self)->value + a + (other ? static_cast<Box*>(other)->value : 0);
}
Rect frame(Object*, Sel) { return { 1, 2, 3, 4 }; }
double scale(Object*, Sel, double f) { return f * 2; }
bool isBox(Object*, Sel) { return true; }
int boxValue(Object* self, Sel) { return static_cast<Box*>(self)->value; }
int subValue(Object* self, Sel cmd) { return 100 + sendSuper<int>(lookUpClass("SubBox"), self, cmd); }

struct Sends : ::testing::Test {
    void SetUp() override
    {
        boxClass = ClassBuilder("Box", "NSObject")
                       .instancesOf<Box>()
                       .method("add:to:", &add)
                       .method("frame", &frame)
                       .method("scale:", &scale)
                       .method("isBox", &isBox)
                       .method("value", &boxValue)
                       .registerClass();
        ClassBuilder("SubBox", "Box").method("value", &subValue).registerClass();
    }
    Ref<Box> make(int v)
    {
        auto obj = alloc(boxClass);
        auto* box = static_cast<Box*>(obj.get());
        box->value = v;
        return Ref<Box>(box);
    }
    Class* boxClass;
};

TEST_F(Sends, CallsWithNormalisedArguments)
{
    Ref<Box> a = make(1), b = make(10);
    Box* raw = b.get();
    EXPECT_EQ(send<int>(a, Sel("add:to:"), 5, b), 16);    // Ref<Box> travels as Object*
    EXPECT_EQ(send<int>(a, Sel("add:to:"), 5, raw), 16);  // Box* travels as Object*
    EXPECT_EQ(send<int>(a, Sel("add:to:"), 5, nullptr), 6);
    EXPECT_DOUBLE_EQ(send<double>(a, Sel("scale:"), 1.25), 2.5);
    Rect r = send<Rect>(a, Sel("frame"));
    EXPECT_EQ(r.w, 3);
}

TEST_F(Sends, ToNothingAnswersZero)
{
    Object* nothing = nullptr;
    EXPECT_EQ(send<int>(nothing, Sel("add:to:"), 5, nullptr), 0);
    EXPECT_FALSE(send<bool>(nothing, Sel("isBox")));
    Rect r = send<Rect>(nothing, Sel("frame"));
    EXPECT_EQ(r.x + r.y + r.w + r.h, 0);
    EXPECT_EQ(send<Object*>(nothing, Sel("anything")), nullptr);
    send(nothing, Sel("anything")); // void: nothing happens
}

TEST_F(Sends, UnansweredSelectorAnswersZero)
{
    Ref<Box> a = make(3);
    EXPECT_EQ(send<int>(a, Sel("noSuchMethod")), 0);
}

TEST_F(Sends, WrongTypeIsRefusedNeverCalled)
{
    Ref<Box> a = make(1);
#ifdef NDEBUG
    struct Case {
        const char* what;
        std::function<bool()> call;
    } cases[] = {
        { "int for double", [&] { return send<double>(a, Sel("scale:"), 2) == 0; } },
        { "wrong result", [&] { return send<float>(a, Sel("scale:"), 2.0) == 0; } },
        { "missing argument", [&] { return send<int>(a, Sel("add:to:"), 5) == 0; } },
    };
    for (auto& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_TRUE(c.call()) << c.what;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("refused to call -[Box"), std::string::npos) << c.what;
    }
#else
    EXPECT_DEATH(send<double>(a, Sel("scale:"), 2), "refused to call -\\[Box scale:\\]");
#endif
}

TEST_F(Sends, SuperReachesTheSuperclassImplementation)
{
    Ref<Object> sub = alloc(lookUpClass("SubBox"));
    static_cast<Box*>(sub.get())->value = 5;
    EXPECT_EQ(send<int>(sub, Sel("value")), 105);
}

} // namespace

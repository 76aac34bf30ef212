// Method tables: lookups through the hierarchy, each checked before and after it is cached, and the
// answers after methods are added or exchanged later.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <gtest/gtest.h>

using namespace runtime;

namespace {

int baseName(Object*, Sel) { return 1; }
int middleName(Object*, Sel) { return 2; }
int leafName(Object*, Sel) { return 3; }
int replacement(Object*, Sel) { return 9; }
double realAnswer(Object*, Sel) { return 1.5; }
int classAnswer(Object*, Sel) { return 77; }

// Base <- Middle <- Leaf, and Base <- Sibling.
struct Hierarchy : ::testing::Test {
    void SetUp() override
    {
        base = ClassBuilder("Base", "NSObject").instancesOf<Object>().method("name", &baseName).registerClass();
        middle = ClassBuilder("Middle", "Base").registerClass();
        leaf = ClassBuilder("Leaf", "Middle").registerClass();
        sibling = ClassBuilder("Sibling", "Base").registerClass();
        ASSERT_TRUE(base && middle && leaf && sibling);
    }
    int answer(Class* cls, const char* selector)
    {
        Ref<Object> obj = alloc(cls);
        return send<int>(obj, Sel(selector));
    }
    // Asks twice: the first answer fills the cache, the second comes from it.
    void expectAnswers(std::initializer_list<std::pair<Class*, int>> cases, const char* selector = "name")
    {
        for (int round = 0; round < 2; ++round)
            for (auto [cls, expected] : cases)
                EXPECT_EQ(answer(cls, selector), expected) << cls->name() << " round " << round;
    }
    Class *base, *middle, *leaf, *sibling;
};

TEST_F(Hierarchy, InheritedLookupBeforeAndAfterCaching)
{
    expectAnswers({ { base, 1 }, { middle, 1 }, { leaf, 1 }, { sibling, 1 } });
    EXPECT_EQ(answer(leaf, "missing"), 0);
    EXPECT_EQ(answer(leaf, "missing"), 0); // a cached miss still answers zero
}

TEST_F(Hierarchy, AddingOverridesForTheClassAndItsSubclassesOnly)
{
    expectAnswers({ { base, 1 }, { middle, 1 }, { leaf, 1 }, { sibling, 1 } });
    ASSERT_TRUE(addMethod(middle, Sel("name"), &middleName));
    expectAnswers({ { base, 1 }, { middle, 2 }, { leaf, 2 }, { sibling, 1 } });
    ASSERT_TRUE(addMethod(leaf, Sel("name"), &leafName));
    expectAnswers({ { base, 1 }, { middle, 2 }, { leaf, 3 }, { sibling, 1 } });
}

TEST_F(Hierarchy, AddingIsRefusedWhereTheClassHasItsOwn)
{
    ASSERT_TRUE(addMethod(middle, Sel("name"), &middleName));
    EXPECT_FALSE(addMethod(middle, Sel("name"), &leafName));
    EXPECT_FALSE(addMethod(base, Sel("name"), &leafName));
    expectAnswers({ { base, 1 }, { middle, 2 }, { leaf, 2 } });
}

TEST_F(Hierarchy, ANewMethodOnAnAncestorReachesCachedMisses)
{
    EXPECT_EQ(answer(leaf, "late"), 0); // caches the miss in Leaf
    ASSERT_TRUE(addMethod(base, Sel("late"), &classAnswer));
    expectAnswers({ { leaf, 77 }, { sibling, 77 } }, "late");
}

TEST_F(Hierarchy, SetImplementationAnswersTheReplacedOneAndTakesEffect)
{
    expectAnswers({ { leaf, 1 } });
    Method* m = getInstanceMethod(leaf, Sel("name"));
    ASSERT_EQ(m, base->ownMethod(Sel("name")));
    Imp old = setImplementation(m, &replacement);
    EXPECT_EQ(old, reinterpret_cast<Imp>(&baseName));
    expectAnswers({ { base, 9 }, { leaf, 9 }, { sibling, 9 } });
}

TEST_F(Hierarchy, SetImplementationRefusesAnotherSignature)
{
    Method* m = getInstanceMethod(base, Sel("name"));
    EXPECT_EQ(setImplementation(m, &realAnswer), nullptr);
    expectAnswers({ { base, 1 } });
    EXPECT_EQ(setImplementation(nullptr, &replacement), nullptr);
}

TEST_F(Hierarchy, ClassMethodsLiveInTheMetaclass)
{
    ASSERT_TRUE(addMethod(base->metaclass(), Sel("shared"), &classAnswer));
    EXPECT_EQ(send<int>(leaf, Sel("shared")), 77);
    EXPECT_NE(getClassMethod(leaf, Sel("shared")), nullptr);
    EXPECT_EQ(getInstanceMethod(leaf, Sel("shared")), nullptr);
    Ref<Object> obj = alloc(leaf);
    EXPECT_EQ(send<int>(obj, Sel("shared")), 0);
    // Classes answer the root class's instance methods, as on the phone.
    EXPECT_TRUE(respondsToSelector(leaf, Sel("respondsToSelector:")));
}

TEST_F(Hierarchy, RegistrationRefusals)
{
    EXPECT_EQ(ClassBuilder("Base", "NSObject").registerClass(), nullptr);   // name taken
    EXPECT_EQ(ClassBuilder("Orphan", "NoSuchClass").registerClass(), nullptr); // superclass missing
    EXPECT_EQ(lookUpClass("Orphan"), nullptr);
    EXPECT_EQ(lookUpClass("Leaf"), leaf);
    EXPECT_EQ(leaf->superclass(), middle);
}

TEST_F(Hierarchy, KindAndResponds)
{
    Ref<Object> obj = alloc(leaf);
    struct Case {
        Class* cls;
        bool kind;
    } cases[] = { { leaf, true }, { middle, true }, { base, true }, { lookUpClass("NSObject"), true }, { sibling, false }, { nullptr, false } };
    for (auto c : cases)
        EXPECT_EQ(isKindOfClass(obj, c.cls), c.kind) << (c.cls ? c.cls->name() : "null");
    EXPECT_TRUE(respondsToSelector(obj, Sel("name")));
    EXPECT_FALSE(respondsToSelector(obj, Sel("nope")));
    EXPECT_FALSE(respondsToSelector(nullptr, Sel("name")));
    EXPECT_FALSE(isKindOfClass(nullptr, base));
}

TEST(Selectors, InternedOnce)
{
    Sel a("touchesBegan:withEvent:");
    Sel b(std::string("touches") + "Began:withEvent:");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.argumentCount(), 2);
    EXPECT_NE(a, Sel("touchesMoved:withEvent:"));
    EXPECT_EQ(a.name(), "touchesBegan:withEvent:");
}

} // namespace

// Ownership: counts, dealloc through the runtime, weak references, fields by name, pools.
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <gtest/gtest.h>
#include <vector>

using namespace runtime;

namespace {

std::vector<std::string> g_deallocs;

class Node : public Object {
public:
    std::string label;
    Ref<Object> child;        // owned
    WeakRef<Object> parent;   // not owned
    Object* delegate = nullptr;
    int count = 0;
};

void nodeDealloc(Object* self, Sel cmd)
{
    g_deallocs.push_back(static_cast<Node*>(self)->label);
    {
        // Teardown code that retains and releases itself must not start a second teardown.
        Ref<Object> protector(self);
    }
    sendSuper(lookUpClass("Node"), self, cmd);
}

struct Objects : ::testing::Test {
    void SetUp() override
    {
        g_deallocs.clear();
        ClassBuilder("Node", "NSObject")
            .instancesOf<Node>()
            .method("dealloc", &nodeDealloc)
            .ivar<&Node::child>("_child")
            .ivar<&Node::parent>("_parent")
            .ivar<&Node::delegate>("_delegate")
            .ivar<&Node::count>("_count")
            .registerClass();
        ClassBuilder("LeafNode", "Node").registerClass();
    }
    Ref<Node> make(const char* label, const char* cls = "Node")
    {
        Ref<Object> o = alloc(lookUpClass(cls));
        auto* n = static_cast<Node*>(o.get());
        n->label = label;
        return Ref<Node>(n);
    }
};

TEST_F(Objects, LiveCountFollowsMakingAndTeardown)
{
    const std::int64_t before = liveObjectCount();
    {
        Ref<Node> a = make("a");
        a->child = make("b", "LeafNode");
        EXPECT_EQ(liveObjectCount(), before + 2);
        WeakRef<Object> weak(a->child.get());
    }
    EXPECT_EQ(liveObjectCount(), before) << "the child goes with its parent";
}

TEST_F(Objects, LastReleaseSendsDeallocOnce)
{
    {
        Ref<Node> a = make("a");
        Ref<Node> b = a;
        EXPECT_EQ(a->retainCount(), 2);
    }
    EXPECT_EQ(g_deallocs, std::vector<std::string> { "a" });
}

TEST_F(Objects, ParentsOwnChildren)
{
    {
        Ref<Node> parent = make("parent");
        Ref<Node> child = make("child");
        parent->child = child;
        child->parent = parent.get();
        child = nullptr;
        EXPECT_TRUE(g_deallocs.empty());
    }
    EXPECT_EQ(g_deallocs, (std::vector<std::string> { "parent", "child" }));
}

TEST_F(Objects, WeakReferencesReadAsNothingOnceTheObjectIsGone)
{
    WeakRef<Node> weak;
    {
        Ref<Node> a = make("a");
        weak = a.get();
        WeakRef<Node> copy = weak;
        EXPECT_EQ(copy.get(), a.get());
        EXPECT_EQ(weak.strong().get(), a.get());
    }
    EXPECT_EQ(weak.get(), nullptr);
    EXPECT_FALSE(weak);
}

TEST_F(Objects, FieldsByName)
{
    Ref<Node> a = make("a", "LeafNode"); // fields are found through the hierarchy
    Ref<Node> b = make("b");
    a->child = b;
    a->parent = b.get();
    a->delegate = b.get();
    a->count = 4;
    EXPECT_EQ(ivarObject(a, "_child"), b.get());
    EXPECT_EQ(ivarObject(a, "_parent"), b.get());
    EXPECT_EQ(ivarObject(a, "_delegate"), b.get());
    EXPECT_EQ(ivarObject(a, "_count"), nullptr); // not an object field
    EXPECT_EQ(ivarObject(a, "_absent"), nullptr);
    EXPECT_EQ(ivarObject(nullptr, "_child"), nullptr);
    ASSERT_NE(ivarAddress<int>(a, "_count"), nullptr);
    EXPECT_EQ(*ivarAddress<int>(a, "_count"), 4);
    EXPECT_EQ(ivarAddress<double>(a, "_count"), nullptr); // another type reads as nothing
}

TEST_F(Objects, PoolReleasesWhatWasAutoreleased)
{
    {
        AutoreleasePool pool;
        Ref<Node> a = make("a");
        a->retain();
        autorelease(a.get());
        a = nullptr;
        EXPECT_TRUE(g_deallocs.empty());
    }
    EXPECT_EQ(g_deallocs, std::vector<std::string> { "a" });
}

} // namespace

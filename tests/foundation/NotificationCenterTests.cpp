// The default notification centre: delivery by name and sender, weak observers, changes made by
// observers while a post runs.
#include "platform/foundation/NotificationCenter.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <gtest/gtest.h>

using namespace foundation;
using runtime::Object;
using runtime::Sel;

namespace {

std::vector<std::string> g_seen;

void observe(Object* self, Sel, Object* note)
{
    g_seen.push_back(static_cast<Object*>(self)->isa()->name() + ":" + static_cast<Notification*>(note)->name);
}

struct Centre : ::testing::Test {
    void SetUp() override
    {
        g_seen.clear();
        runtime::ClassBuilder("Watcher", "NSObject").instancesOf<Object>().method("observe:", &observe).registerClass();
    }
    runtime::Ref<Object> watcher() { return runtime::alloc(runtime::lookUpClass("Watcher")); }
    NotificationCenter centre; // a fresh one per test; the default centre is the same class
};

TEST_F(Centre, DeliversByNameAndSender)
{
    auto all = watcher(), named = watcher(), fromSender = watcher(), sender = watcher(), other = watcher();
    centre.addObserver(all, Sel("observe:"), std::nullopt);
    centre.addObserver(named, Sel("observe:"), "sideViewDidOpen");
    centre.addObserver(fromSender, Sel("observe:"), std::nullopt, sender);
    struct Case {
        const char* name;
        Object* object;
        std::size_t deliveries;
    } cases[] = { { "sideViewDidOpen", nullptr, 2 }, { "sideViewDidOpen", sender, 3 }, { "ombrelTouchesBegan", other, 1 } };
    for (auto& c : cases) {
        g_seen.clear();
        centre.post(c.name, c.object);
        EXPECT_EQ(g_seen.size(), c.deliveries) << c.name;
    }
}

TEST_F(Centre, ObserversAreHeldWeakly)
{
    {
        auto w = watcher();
        centre.addObserver(w, Sel("observe:"), "x");
    }
    centre.post("x"); // the observer is gone: nothing is sent to freed memory
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(Centre, RemovalAndAdditionDuringAPost)
{
    std::vector<std::string> order;
    int second = 0;
    centre.addObserver("n", nullptr, [&](const Notification&) {
        order.push_back("first");
        centre.removeObserver(second);
        centre.addObserver("n", nullptr, [&](const Notification&) { order.push_back("late"); });
    });
    second = centre.addObserver("n", nullptr, [&](const Notification&) { order.push_back("second"); });
    centre.post("n");
    EXPECT_EQ(order, std::vector<std::string> { "first" });
    order.clear();
    centre.post("n");
    EXPECT_EQ(order, (std::vector<std::string> { "first", "late" }));
}

TEST_F(Centre, CarriesUserInfoAndTellsTheListener)
{
    std::vector<std::string> posted;
    centre.setPostListener([&](const std::string& n) { posted.push_back(n); });
    Value info = Value::dictionary();
    info.set("side", Value::string("left"));
    Value got;
    centre.addObserver("sideViewWillOpen", nullptr, [&](const Notification& n) { got = n.userInfo; });
    centre.post("sideViewWillOpen", nullptr, info);
    EXPECT_EQ(got, info);
    EXPECT_EQ(posted, std::vector<std::string> { "sideViewWillOpen" });
}

} // namespace

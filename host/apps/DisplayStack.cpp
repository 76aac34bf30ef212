#include "host/apps/DisplayStack.h"
#include "host/SpringBoard.h"
#include "host/apps/Applications.h"
#include "host/lockscreen/AwayController.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <algorithm>

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

runtime::Class* stackClass() { static runtime::Class* cls = runtime::lookUpClass("SBDisplayStack"); return cls; }
DisplayStack* me(Object* self) { return static_cast<DisplayStack*>(self); }

Object* init(Object* self, Sel cmd) { return runtime::sendSuper<Object*>(stackClass(), self, cmd); }
void dealloc(Object* self, Sel cmd)
{
    me(self)->displays.clear();
    runtime::sendSuper(stackClass(), self, cmd);
}

void pushDisplay(Object* self, Sel, Object* display)
{
    if (!display)
        return;
    AwayController* away = AwayController::shared();
    if (away && away->active) {
        me(self)->displays.emplace_back(display);
        return;
    }
    // Unlocked: the display comes up now.
    static const Sel bundleIdentifier("bundleIdentifier");
    if (runtime::respondsToSelector(display, bundleIdentifier))
        launchApplication(runtime::send<std::string>(display, bundleIdentifier));
}

void popDisplay(Object* self, Sel, Object* display)
{
    auto& d = me(self)->displays;
    auto it = std::find_if(d.rbegin(), d.rend(), [&](const auto& r) { return r.get() == display; });
    if (it != d.rend())
        d.erase(std::next(it).base());
}

Object* topDisplay(Object* self, Sel)
{
    auto& d = me(self)->displays;
    return d.empty() ? nullptr : d.back().get();
}

} // namespace

void registerDisplayStackClass()
{
    if (wanted("SBDisplayStack"))
        runtime::ClassBuilder("SBDisplayStack", "NSObject")
            .instancesOf<DisplayStack>()
            .method("init", &init)
            .method("dealloc", &dealloc)
            .method("pushDisplay:", &pushDisplay)
            .method("popDisplay:", &popDisplay)
            .method("topDisplay", &topDisplay)
            .registerClass();
}

runtime::Ref<Object> makeDisplayStack()
{
    static const Sel init("init");
    runtime::Ref<Object> made = runtime::alloc(stackClass());
    return runtime::Ref<Object>(runtime::send<Object*>(made, init));
}

runtime::Ref<Object> takePushedDisplay()
{
    auto& stacks = springBoard().displayStacks;
    for (auto it = stacks.rbegin(); it != stacks.rend(); ++it) {
        auto* stack = static_cast<DisplayStack*>(it->get());
        if (stack && !stack->displays.empty()) {
            runtime::Ref<Object> top = stack->displays.back();
            stack->displays.pop_back();
            return top;
        }
    }
    return nullptr;
}

} // namespace host

#include "host/apps/Workspace.h"
#include "host/SpringBoard.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

class Workspace : public Object {
public:
    int activations = 0;
};

std::string topApplication(Object*, Sel) { return springBoard().frontApplication.value_or(""); }
void receiveApplicationDidActivate(Object* self, Sel, Object*) { ++static_cast<Workspace*>(self)->activations; }

} // namespace

void registerWorkspaceClass()
{
    if (wanted("BKSWorkspace"))
        runtime::ClassBuilder("BKSWorkspace", "NSObject")
            .instancesOf<Workspace>()
            .method("topApplication", &topApplication)
            .method("_receiveApplicationDidActivate:", &receiveApplicationDidActivate)
            .registerClass();
}

runtime::Ref<Object> makeWorkspace()
{
    static const Sel init("init");
    runtime::Ref<Object> made = runtime::alloc(runtime::lookUpClass("BKSWorkspace"));
    return runtime::Ref<Object>(runtime::send<Object*>(made, init));
}

} // namespace host

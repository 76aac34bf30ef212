#include "lockview/IconViews.h"
#include "lockview/ProcessState.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "springboard/Services.h"

namespace ombrel {

using runtime::Object;
using runtime::Sel;

runtime::Ref<uikit::View> makeDefaultSizeView(const char* className, runtime::Class*& cache)
{
    runtime::Class* cls = services::hostClass(className, cache);
    static runtime::Class* viewClass = nullptr;
    if (!cls || !runtime::isSubclassOf(cls, services::hostClass("UIView", viewClass)))
        return nullptr;
    static const Sel init("initWithDefaultSize");
    runtime::Ref<Object> fresh = runtime::alloc(cls);
    Object* made = runtime::send<Object*>(fresh.get(), init);
    if (!made || !runtime::isKindOfClass(made, viewClass))
        return nullptr;
    return runtime::Ref<uikit::View>(static_cast<uikit::View*>(made));
}

runtime::Ref<uikit::View> makeApplicationIconView(Object* iconModel, const std::string& bundleID)
{
    static runtime::Class* iconViewClass = nullptr;
    runtime::Ref<uikit::View> view = makeDefaultSizeView("SBIconView", iconViewClass);
    static const Sel setIcon("setIcon:");
    runtime::send(view.get(), setIcon, services::applicationIcon(iconModel, bundleID));
    return view;
}

void hideBadge(uikit::View* iconView)
{
    const char* field = processState().systemVersion < 6.0 ? "_badgeView" : "_accessoryView";
    Object* badge = runtime::ivarObject(iconView, field);
    static const Sel setHidden("setHidden:");
    runtime::send(badge, setHidden, true);
}

quartz::Transform3D iconScale(quartz::Float visibleHeight, quartz::Float h)
{
    quartz::Float s = visibleHeight / h;
    return quartz::Transform3DScale(quartz::Transform3DIdentity, s, s, 1);
}

} // namespace ombrel

// The folder row: the folder's applications rise out of the folder icon into a column above it
// while the thumb is on the folder, and sink back when the thumb leaves the column or is let go.
#include "lockview/IconViews.h"
#include "lockview/OmbrelView.h"
#include "platform/runtime/Send.h"
#include "settings/SettingsValues.h"
#include "springboard/Services.h"
#include <algorithm>
#include <cmath>

namespace ombrel {

using runtime::Object;
using runtime::Sel;

namespace {

constexpr double kFolderAnimationDuration = 0.3;

OmbrelView* self_(Object* o) { return static_cast<OmbrelView*>(o); }
void showFolderAppsAtPointImp(Object* self, Sel, Point p) { self_(self)->showFolderAppsAtPoint(p); }
void popupAtPointImp(Object* self, Sel, Point q) { self_(self)->popupAtPoint(q); }
void closePopupWithIconsImp(Object* self, Sel, std::vector<runtime::Ref<uikit::View>> icons, Point p)
{
    self_(self)->closePopupWithIcons(std::move(icons), p);
}

} // namespace

void OmbrelView::showFolderAppsAtPoint(Point p)
{
    popupPoint = p;
    isFolderOpen = true;
    popupIcons.clear();

    Float w = frame().size.width;
    Float k = Float(settingReal(ombrelSettings, "kIconSize"));
    Float s = std::trunc(iconSize);
    Float py = std::trunc(p.y);
    Float dir = p.x < w / 2 ? -1 : 1; // toward the middle of the screen
    Float a = std::trunc(py - k / 2 - 20);
    Rect column = quartz::makeRect(std::trunc(p.x - 50 - 10 * dir), std::trunc(py + s / 2 - (a + s)), 100, a + s);
    popupView = uikit::View::make(column);
    addSubview(popupView.get());

    std::size_t count = setPopupApps.count();
    Float n = Float(count);
    Float gap = (a - n * s) / (n + 1);
    Float step = s + std::min(Float(10), gap);
    bool curve = settingBool(ombrelSettings, "folderAppsCurve");
    bool badges = settingBool(ombrelSettings, "kIconBadgesEnabled");
    Float opacity = Float(settingReal(ombrelSettings, "kIconOpacity"));
    Object* model = services::iconModel();
    static const Sel setLabelHidden("setLabelHidden:"), setShadowsHidden("setShadowsHidden:");
    for (std::size_t j = 0; j < count; ++j) {
        const foundation::Value* slot = setPopupApps.find("kPopupApp" + std::to_string(j));
        const std::string* bundleID = slot ? slot->asString() : nullptr;
        runtime::Ref<uikit::View> icon = makeApplicationIconView(model, bundleID ? *bundleID : std::string());
        if (!icon)
            continue;
        runtime::send(icon.get(), setLabelHidden, true);
        runtime::send(icon.get(), setShadowsHidden, true);
        if (!badges)
            hideBadge(icon.get());
        Rect f = icon->frame();
        icon->setFrame(quartz::makeRect(p.x - s / 2, p.y - s / 2, f.size.width, f.size.height));
        icon->setTransform(iconScale(s + 11, f.size.height));
        icon->setTag(kFolderApp);
        icon->setAlpha(opacity);
        insertSubviewBelow(icon.get(), currentlySelectedIcon.get());

        Float kk = Float(j + 1);
        Point target { curve ? std::trunc(p.x - dir * kk * (10 - 1.5f * kk)) : std::trunc(icon->center().x), std::trunc(p.y - kk * step) };
        popupIcons.push_back(icon);
        uikit::View::animate(kFolderAnimationDuration, [icon, target] { icon->setCenter(target); });
    }
}

void OmbrelView::popupAtPoint(Point q)
{
    Rect f = popupView ? popupView->frame() : Rect {};
    Float left = std::trunc(f.origin.x), top = std::trunc(f.origin.y);
    Float right = std::trunc(left + f.size.width), bottom = std::trunc(top + f.size.height);
    // The border belongs to the column.
    if (left <= q.x && q.x <= right && top <= q.y && q.y <= bottom)
        return;
    if (popupView) {
        popupView->removeFromSuperview();
        popupView = nullptr;
    }
    static const Sel close("closePopupWithIcons:atPoint:");
    runtime::send(this, close, popupIcons, popupPoint);
}

void OmbrelView::closePopupWithIcons(std::vector<runtime::Ref<uikit::View>> icons, Point p)
{
    for (const auto& icon : icons) {
        uikit::View::animate(
            kFolderAnimationDuration, [icon, p] { icon->setCenter(p); }, [icon](bool) { icon->removeFromSuperview(); });
    }
    popupPoint = {};
    isFolderOpen = false;
    if (!isIconSelected)
        runtime::send(this, Sel("showTrack"));
}

void OmbrelView::addFolderMethods(runtime::ClassBuilder& builder)
{
    builder.method("showFolderAppsAtPoint:", &showFolderAppsAtPointImp)
        .method("popupAtPoint:", &popupAtPointImp)
        .method("closePopupWithIcons:atPoint:", &closePopupWithIconsImp);
}

} // namespace ombrel

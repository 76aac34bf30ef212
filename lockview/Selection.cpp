// Which icon lies under the thumb: the strict hit test over the icon views, the selection it
// drives, and the zooms that show it.
#include "lockview/IconAnimations.h"
#include "lockview/OmbrelView.h"
#include "platform/runtime/Send.h"
#include "settings/SettingsValues.h"
#include <cmath>

namespace ombrel {

using runtime::Object;
using runtime::Sel;

namespace {

// Edges miss: left < x < right and top < y < bottom, on the truncated frame and the truncated y.
bool strictlyInside(const Rect& f, Point p)
{
    Float left = std::trunc(f.origin.x), top = std::trunc(f.origin.y);
    Float right = std::trunc(left + f.size.width), bottom = std::trunc(top + f.size.height);
    Float y = std::trunc(p.y);
    return left < p.x && p.x < right && top < y && y < bottom;
}

OmbrelView* self_(Object* o) { return static_cast<OmbrelView*>(o); }
uikit::View* view_(Object* o) { return static_cast<uikit::View*>(o); }

void iconAtPointImp(Object* self, Sel, Point p) { self_(self)->iconAtPoint(p); }
void selectIconAtPointImp(Object* self, Sel, Object* v) { self_(self)->selectIconAtPoint(view_(v)); }
void deselectIconImp(Object* self, Sel) { self_(self)->deselectIcon(); }
void focusIconImp(Object* self, Sel, Object* v) { self_(self)->focusIcon(view_(v)); }
void unfocusIconImp(Object* self, Sel, Object* v) { self_(self)->unfocusIcon(view_(v)); }

} // namespace

bool OmbrelView::isIconTag(std::int32_t tag) const
{
    return tag == kLockApp || tag == kFolderApp || tag == kFolder || tag == kUnlock || tag == kCam;
}

void OmbrelView::iconAtPoint(Point p)
{
    // A copy: the selection's effects (the folder opening) change the subview list.
    std::vector<runtime::Ref<uikit::View>> views = subviews();
    uikit::View* hit = nullptr;
    for (const auto& v : views) {
        if (isIconTag(v->tag()) && strictlyInside(v->frame(), p)) {
            hit = v.get();
            break;
        }
    }
    static const Sel deselect("deselectIcon");
    if (!hit) {
        if (isIconSelected)
            runtime::send(this, deselect);
        return;
    }
    if (isIconSelected) {
        // Onto another icon: one update with nothing selected, the next selects it.
        if (hit != currentlySelectedIcon.get())
            runtime::send(this, deselect);
        return;
    }
    selectedTag = hit->tag();
    currentlySelectedIcon = hit;
    static const Sel select("selectIconAtPoint:");
    runtime::send(this, select, hit);
}

void OmbrelView::selectIconAtPoint(uikit::View* v)
{
    if (isIconSelected)
        return;
    isIconSelected = true;
    runtime::send(this, Sel("hideTrack"));
    if (selectedTag == kFolder && !isFolderOpen && v) {
        static const Sel show("showFolderAppsAtPoint:");
        runtime::send(this, show, v->center());
    }
    static const Sel focus("focusIcon:");
    runtime::send(this, focus, v);
}

void OmbrelView::deselectIcon()
{
    if (uikit::View* selected = currentlySelectedIcon.get()) {
        static const Sel unfocus("unfocusIcon:");
        runtime::send(this, unfocus, selected);
    }
    currentlySelectedIcon = nullptr;
    isIconSelected = false;
    selectedTag = 0;
    if (!isFolderOpen && !brightnessView)
        runtime::send(this, Sel("showTrack"));
}

namespace {

// The walk shared by focus and unfocus: `chosen` gets the selected icon's zoom, the other icons
// the pulse when it is on; folder applications stay as they are while the folder is open.
using Builder = runtime::Ref<quartz::KeyframeAnimation> (*)(quartz::Layer*);

void zoomIcons(OmbrelView& view, uikit::View* chosen, Builder chosenBuilder, const char* chosenKey, Builder otherBuilder,
    const char* otherKey)
{
    std::vector<runtime::Ref<uikit::View>> views = view.subviews();
    for (const auto& v : views) {
        std::int32_t tag = v->tag();
        if (!view.isIconTag(tag))
            continue;
        Builder builder = nullptr;
        const char* key = nullptr;
        if (v.get() == chosen) {
            builder = chosenBuilder;
            key = chosenKey;
        } else if (view.isFolderOpen && tag == view.kFolderApp) {
            continue;
        } else if (settingBool(view.ombrelSettings, "kPulseIcons")) {
            builder = otherBuilder;
            key = otherKey;
        }
        if (!builder)
            continue;
        v->layer()->addAnimation(builder(v->layer()).get(), key);
    }
}

} // namespace

void OmbrelView::focusIcon(uikit::View* f)
{
    zoomIcons(*this, f, &zoomInIconLayer, "iconZoomIn", &zoomOutIconLayer, "iconZoomOut");
}

void OmbrelView::unfocusIcon(uikit::View* f)
{
    zoomIcons(*this, f, &normalizeZoomedIconLayer, "iconNormalizeZoomed", &normalizeIconLayer, "normalizeIcon");
}

void OmbrelView::addSelectionMethods(runtime::ClassBuilder& builder)
{
    builder.method("iconAtPoint:", &iconAtPointImp)
        .method("selectIconAtPoint:", &selectIconAtPointImp)
        .method("deselectIcon", &deselectIconImp)
        .method("focusIcon:", &focusIconImp)
        .method("unfocusIcon:", &unfocusIconImp);
}

} // namespace ombrel

// The lock buttons and the icon row: laid out once, all hidden until the thumb is touched.
#include "lockview/IconViews.h"
#include "lockview/OmbrelView.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Image.h"
#include "settings/SettingsValues.h"
#include "springboard/Services.h"
#include <cmath>

namespace ombrel {

using foundation::Value;
using runtime::Object;
using runtime::Sel;

namespace {

std::string slotValue(const Value& table, const char* prefix, std::size_t slot)
{
    const Value* v = table.find(prefix + std::to_string(slot));
    const std::string* s = v ? v->asString() : nullptr;
    return s ? *s : std::string();
}

// The folder of the folder slots, shown with the custom square artwork unless the stock look is
// wanted; its badge never shows.
runtime::Ref<uikit::View> makeFolderIconView(OmbrelView& view, Object* model)
{
    static runtime::Class* folderClass = nullptr;
    static runtime::Class* folderIconClass = nullptr;
    runtime::Ref<Object> folder;
    if (runtime::Class* cls = services::hostClass("SBFolder", folderClass)) {
        runtime::Ref<Object> fresh = runtime::alloc(cls);
        folder = runtime::send<Object*>(fresh.get(), Sel("init"));
    }
    static const Sel addIcon("addIcon:");
    for (std::size_t j = 0; j < view.setPopupApps.count(); ++j)
        runtime::send(folder.get(), addIcon, services::applicationIcon(model, slotValue(view.setPopupApps, "kPopupApp", j)));
    if (settingBool(view.ombrelSettings, "kIconTitlesEnabled")) {
        Value names = Value::dictionary({ { "defaultDisplayName", Value::string("Folder") }, { "displayName", Value::string("Folder") } });
        runtime::send(folder.get(), Sel("_setDisplayNameFromRepresentation:"), names);
    }
    runtime::Ref<Object> folderIcon;
    if (runtime::Class* cls = services::hostClass("SBFolderIcon", folderIconClass)) {
        runtime::Ref<Object> fresh = runtime::alloc(cls);
        folderIcon = runtime::send<Object*>(fresh.get(), Sel("initWithFolder:"), folder.get());
    }
    static runtime::Class* folderIconViewClass = nullptr;
    runtime::Ref<uikit::View> iconView = makeDefaultSizeView("SBFolderIconView", folderIconViewClass);
    runtime::send(iconView.get(), Sel("setFolderIcon:"), folderIcon.get());
    if (iconView && !settingBool(view.ombrelSettings, "kFolderStock")) {
        static const Sel setImage("setImage:");
        runtime::send(runtime::ivarObject(iconView.get(), "_iconBackgroundView"), setImage, uikit::Image::named("folder_sq").get());
        runtime::send(runtime::ivarObject(iconView.get(), "_iconForegroundView"), setImage, nullptr);
    }
    if (iconView)
        hideBadge(iconView.get());
    return iconView;
}

runtime::Ref<uikit::View> makeRowApplicationIconView(OmbrelView& view, Object* model, const std::string& bundleID)
{
    runtime::Ref<uikit::View> iconView = makeApplicationIconView(model, bundleID);
    if (!iconView)
        return nullptr;
    if (!settingBool(view.ombrelSettings, "kIconTitlesEnabled"))
        runtime::send(iconView.get(), Sel("setLabelHidden:"), true);
    if (!settingBool(view.ombrelSettings, "kIconBadgesEnabled"))
        hideBadge(iconView.get());
    return iconView;
}

void createIconsImp(Object* self, Sel) { static_cast<OmbrelView*>(self)->createIcons(); }

} // namespace

void OmbrelView::createIcons()
{
    using quartz::Float;
    const Value& s = ombrelSettings;
    Float w = frame().size.width;
    Float k = Float(settingReal(s, "kIconSize"));
    Float sideMargin = Float(settingReal(s, "kTrackSideMargin"));
    Float buttonsAlpha = Float(settingReal(s, "kLockButtonsAlpha"));
    Float opacity = Float(settingReal(s, "kIconOpacity"));
    bool curve = settingBool(s, "kIconsShouldCurve");
    std::string theme = settingString(s, "kTrackTheme");
    Rect track = trackSlider ? trackSlider->frame() : Rect {};
    Float trackCentreY = trackSlider ? trackSlider->center().y : 0;

    // Truncation stays in floats: a zero, negative or absurd size gives odd geometry, never an
    // out-of-range integer conversion.
    Float n = Float(setApps.count());
    Float spacing = (w - n * iconSize) / (n + 1);
    Float middle = track.origin.y + track.size.height / 2;
    Float rowY = std::trunc(middle - k / 2 - iconSize - std::trunc(Float(settingReal(s, "kIconMargin"))));

    struct Button { const char* image; std::int32_t tag; Float x; };
    for (const Button& b : { Button { "icon_cam", kCam, sideMargin }, Button { "icon_unlock", kUnlock, w - k - sideMargin } }) {
        runtime::Ref<uikit::ImageView> button = uikit::ImageView::make(quartz::makeRect(b.x, trackCentreY - k / 2, k, k));
        button->setImage(uikit::Image::named(b.image + theme).get());
        button->setHidden(true);
        button->setTag(b.tag);
        button->setAlpha(buttonsAlpha);
        addSubview(button.get());
    }

    Object* model = services::iconModel();
    std::size_t count = setApps.count();
    for (std::size_t i = 0; i < count; ++i) {
        std::string slot = slotValue(setApps, "kApp", i);
        bool isFolder = slot == "folder";
        runtime::Ref<uikit::View> icon = isFolder ? makeFolderIconView(*this, model) : makeRowApplicationIconView(*this, model, slot);
        if (!icon)
            continue; // SpringBoard without icon views: nothing to show
        Float fi = Float(i);
        Float x = std::trunc(spacing + (spacing * fi + fi * iconSize));
        Float centre = iconSize / 2 + x;
        Float offset = 0;
        if (curve) {
            if (i == 0)
                offset = 10;
            else if (centre == w / 2)
                offset = -5;
            else if (i == count - 1)
                offset = 10;
        }
        Rect f = icon->frame();
        icon->setFrame(quartz::makeRect(x, rowY + offset, f.size.width, f.size.height));
        icon->setTransform(iconScale(iconSize + 11, f.size.height));
        icon->setTag(isFolder ? kFolder : kLockApp);
        icon->setHidden(true);
        icon->setAlpha(opacity);
        insertSubviewBelow(icon.get(), trackSlider.get());
    }
}

void OmbrelView::addIconMethods(runtime::ClassBuilder& builder)
{
    builder.method("createIcons", &createIconsImp);
}

} // namespace ombrel

// SpringBoard's icon views and folders as the lock screen builds them: found by name, driven
// through the runtime, read back through their fields. The badge sits in "_badgeView" below 6.0
// and in "_accessoryView" from 6.0, so everything runs on a phone of each version.
#include "platform/foundation/Value.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Image.h"
#include "platform/uikit/View.h"
#include "tests/host/TestDevice.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace hosttest;
using foundation::Value;
using quartz::Rect;
using runtime::Object;
using runtime::Ref;
using runtime::Sel;

namespace {

Object* iconFor(const std::string& id)
{
    Object* controller = runtime::send<Object*>(runtime::lookUpClass("SBIconController"), Sel("sharedInstance"));
    return runtime::send<Object*>(runtime::ivarObject(controller, "_iconModel"), Sel("applicationIconForDisplayIdentifier:"), id);
}

// alloc + init of a class by name, owned by the caller.
Ref<Object> make(const char* className, const char* init, Object* argument = nullptr)
{
    Ref<Object> fresh = runtime::alloc(runtime::lookUpClass(className));
    if (!argument)
        return Ref<Object>(runtime::send<Object*>(fresh.get(), Sel(init)));
    return Ref<Object>(runtime::send<Object*>(fresh.get(), Sel(init), argument));
}

Rect frame(Object* view) { return runtime::send<Rect>(view, Sel("frame")); }
Rect rect(float x, float y, float w, float h) { return quartz::makeRect(x, y, w, h); }
std::string text(Object* label) { return runtime::send<std::string>(label, Sel("text")); }
const uikit::Image* image(Object* imageView) { return static_cast<uikit::Image*>(runtime::send<Object*>(imageView, Sel("image"))); }
std::string imageName(Object* imageView) { return image(imageView) ? image(imageView)->name() : "(none)"; }
bool hidden(Object* view) { return runtime::send<bool>(view, Sel("isHidden")); }
const std::vector<Ref<uikit::View>>& subviews(Object* view) { return static_cast<uikit::View*>(view)->subviews(); }

// The first direct subview of a class, nothing when none.
Object* subviewOfClass(Object* view, const char* className)
{
    for (const auto& sub : subviews(view))
        if (runtime::classOf(sub.get())->name() == className)
            return sub.get();
    return nullptr;
}

std::size_t indexOf(Object* view, Object* sub)
{
    const auto& all = subviews(view);
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == sub)
            return i;
    return all.size();
}

struct Version {
    const char* label;
    Phone phone;
    const char* badgeField; // where the badge lives on this version
    const char* emptyField; // the other one, always empty
};

const Version kVersions[] = {
    { "iPhone4S_5_1_1", Phone("5.1.1", 320, 480), "_badgeView", "_accessoryView" },
    { "iPhone5_6_1", Phone("6.1", 320, 568), "_accessoryView", "_badgeView" },
};

// The badge (number as text, nothing for none) is in the version's field, the other field is
// empty, and no stale badge view is left among the subviews.
void expectBadge(Object* view, const Version& version, const char* number)
{
    Object* badge = runtime::ivarObject(view, version.badgeField);
    EXPECT_EQ(runtime::ivarObject(view, version.emptyField), nullptr);
    EXPECT_EQ(subviewOfClass(view, "SBIconBadgeView"), badge);
    if (!number) {
        EXPECT_EQ(badge, nullptr);
        return;
    }
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(runtime::classOf(badge)->name(), "SBIconBadgeView");
    EXPECT_EQ(frame(badge), rect(37, -8, 29, 29));
    EXPECT_EQ(text(subviewOfClass(badge, "UILabel")), number);
    EXPECT_EQ(imageName(subviewOfClass(badge, "UIImageView")), "SBBadgeBG");
    EXPECT_EQ(indexOf(view, badge), subviews(view).size() - 1); // in front of the icon
}

void PrintTo(const Version& v, std::ostream* os) { *os << v.label; }

class IconsOnBothVersions : public testing::TestWithParam<Version> {
protected:
    TestDevice d { GetParam().phone };
};

struct AppCase {
    const char* id;
    const char* image; // nothing: the model has no icon for the identifier
    const char* label;
    const char* badge;
};

void expectShows(Object* view, const AppCase& c, const Version& version)
{
    EXPECT_EQ(frame(view), rect(0, 0, 59, 62));
    Object* imageView = runtime::ivarObject(view, "_iconImageView");
    EXPECT_EQ(frame(imageView), rect(1, 1, 57, 57));
    EXPECT_EQ(imageName(imageView), c.image ? c.image : "(none)");
    Object* label = runtime::ivarObject(view, "_labelView");
    EXPECT_EQ(frame(label), rect(-10, 62, 79, 14));
    EXPECT_EQ(runtime::send<std::int32_t>(label, Sel("textAlignment")), 1);
    EXPECT_EQ(text(label), c.label);
    expectBadge(view, version, c.badge);
}

// Each icon on a fresh view, and all of them in turn on one view: setting another icon must take
// the previous one's badge away.
TEST_P(IconsOnBothVersions, IconViewShowsArtworkNameAndBadge)
{
    ASSERT_TRUE(d.booted);
    const AppCase cases[] = {
        { "com.apple.mobilemail", "AppIcon-com.apple.mobilemail", "Mail", "3" },
        { "com.apple.MobileSMS", "AppIcon-com.apple.MobileSMS", "MobileSMS", nullptr },
        { "com.apple.mobilephone", "AppIcon-com.apple.mobilephone", "MobilePhone", "1" },
        { "com.example.unknown", nullptr, "", nullptr },
        { "com.apple.mobilemail", "AppIcon-com.apple.mobilemail", "Mail", "3" },
    };
    Ref<Object> reused = make("SBIconView", "initWithDefaultSize");
    ASSERT_NE(reused, nullptr);
    for (const AppCase& c : cases) {
        SCOPED_TRACE(c.id);
        Object* icon = iconFor(c.id);
        EXPECT_EQ(icon == nullptr, c.image == nullptr);
        Ref<Object> fresh = make("SBIconView", "initWithDefaultSize");
        for (Object* view : { fresh.get(), reused.get() }) {
            runtime::send(view, Sel("setIcon:"), icon);
            EXPECT_EQ(runtime::send<Object*>(view, Sel("icon")), icon);
            expectShows(view, c, GetParam());
        }
    }
}

// Three applications and a nil in a named folder: the folder view's label, background, the
// miniatures in slot order and the folder's badge (the sum of its applications').
TEST_P(IconsOnBothVersions, FolderIconViewShowsTheFolder)
{
    ASSERT_TRUE(d.booted);
    Ref<Object> folder = make("SBFolder", "init");
    ASSERT_NE(folder, nullptr);
    for (const char* id : { "com.apple.MobileSMS", "com.apple.mobilemail", "com.example.unknown", "com.apple.mobilephone" })
        runtime::send(folder.get(), Sel("addIcon:"), iconFor(id));
    auto icons = runtime::send<std::vector<Ref<Object>>>(folder.get(), Sel("icons"));
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[1].get(), iconFor("com.apple.mobilemail"));
    Value names = Value::dictionary();
    names.set("defaultDisplayName", Value::string("Folder"));
    names.set("displayName", Value::string("Folder"));
    runtime::send(folder.get(), Sel("_setDisplayNameFromRepresentation:"), names);

    Ref<Object> icon = make("SBFolderIcon", "initWithFolder:", folder.get());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(runtime::send<Object*>(icon.get(), Sel("folder")), folder.get());
    EXPECT_EQ(runtime::send<std::string>(icon.get(), Sel("displayName")), "Folder");
    Ref<Object> view = make("SBFolderIconView", "initWithDefaultSize");
    ASSERT_NE(view, nullptr);
    runtime::send(view.get(), Sel("setFolderIcon:"), icon.get());
    EXPECT_EQ(runtime::send<Object*>(view.get(), Sel("folderIcon")), icon.get());

    EXPECT_EQ(frame(view.get()), rect(0, 0, 59, 62));
    EXPECT_EQ(text(runtime::ivarObject(view.get(), "_labelView")), "Folder");
    Object* background = runtime::ivarObject(view.get(), "_iconBackgroundView");
    Object* foreground = runtime::ivarObject(view.get(), "_iconForegroundView");
    ASSERT_NE(background, nullptr);
    ASSERT_NE(foreground, nullptr);
    EXPECT_EQ(imageName(background), "FolderIconBackground");
    EXPECT_EQ(frame(foreground), rect(1, 1, 57, 57));
    ASSERT_NE(image(foreground), nullptr);
    EXPECT_EQ(image(foreground)->name(), "FolderMiniatures");
    EXPECT_EQ(image(foreground)->parts(),
        (std::vector<std::string> { "AppIcon-com.apple.MobileSMS", "AppIcon-com.apple.mobilemail", "AppIcon-com.apple.mobilephone" }));
    // Back to front: icon image, background, miniatures, label.
    EXPECT_LT(indexOf(view.get(), runtime::ivarObject(view.get(), "_iconImageView")), indexOf(view.get(), background));
    EXPECT_LT(indexOf(view.get(), background), indexOf(view.get(), foreground));
    EXPECT_LT(indexOf(view.get(), foreground), indexOf(view.get(), runtime::ivarObject(view.get(), "_labelView")));
    expectBadge(view.get(), GetParam(), "4");

    // An empty, unnamed folder: no miniatures, no name, no badge.
    Ref<Object> empty = make("SBFolderIcon", "initWithFolder:", make("SBFolder", "init").get());
    runtime::send(view.get(), Sel("setFolderIcon:"), empty.get());
    EXPECT_EQ(image(foreground), nullptr);
    EXPECT_EQ(text(runtime::ivarObject(view.get(), "_labelView")), "");
    expectBadge(view.get(), GetParam(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Phones, IconsOnBothVersions, testing::ValuesIn(kVersions),
    [](const auto& info) { return std::string(info.param.label); });

Value dictionaryOf(std::vector<std::pair<const char*, Value>> entries)
{
    Value d = Value::dictionary();
    for (auto& [key, value] : entries)
        d.set(key, value);
    return d;
}

TEST(HostFolders, NameFromRepresentation)
{
    TestDevice d;
    struct Case {
        const char* label;
        Value representation;
        const char* name;
    } cases[] = {
        { "both", dictionaryOf({ { "defaultDisplayName", Value::string("Default") }, { "displayName", Value::string("Mine") } }), "Mine" },
        { "default only", dictionaryOf({ { "defaultDisplayName", Value::string("Default") } }), "Default" },
        { "display name not a string", dictionaryOf({ { "defaultDisplayName", Value::string("Default") }, { "displayName", Value::integer(4) } }), "Default" },
        { "no keys", Value::dictionary(), "" },
        { "a string", Value::string("Folder"), "" },
        { "an array", Value::array({ Value::string("Folder") }), "" },
        { "nothing", Value(), "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Ref<Object> folder = make("SBFolder", "init");
        runtime::send(folder.get(), Sel("_setDisplayNameFromRepresentation:"), c.representation);
        EXPECT_EQ(runtime::send<std::string>(folder.get(), Sel("displayName")), c.name);
        EXPECT_EQ(runtime::send<std::string>(make("SBFolderIcon", "initWithFolder:", folder.get()).get(), Sel("displayName")), c.name);
    }
}

TEST(HostIcons, LabelAndShadowHide)
{
    TestDevice d;
    Ref<Object> view = make("SBIconView", "initWithDefaultSize");
    runtime::send(view.get(), Sel("setIcon:"), iconFor("com.apple.mobilemail"));
    Object* label = runtime::ivarObject(view.get(), "_labelView");
    Object* shadow = runtime::ivarObject(view.get(), "_shadow");
    EXPECT_EQ(imageName(shadow), "IconShadow");
    EXPECT_LT(indexOf(view.get(), shadow), indexOf(view.get(), runtime::ivarObject(view.get(), "_iconImageView")));
    bool shadowHidden = false;
    for (bool hide : { true, false, true }) {
        runtime::send(view.get(), Sel("setLabelHidden:"), hide);
        EXPECT_EQ(runtime::send<bool>(view.get(), Sel("isLabelHidden")), hide);
        EXPECT_EQ(hidden(label), hide);
        EXPECT_EQ(hidden(shadow), shadowHidden); // each flag hides its own view only
        shadowHidden = hide;
        runtime::send(view.get(), Sel("setShadowsHidden:"), hide);
        EXPECT_EQ(runtime::send<bool>(view.get(), Sel("shadowsHidden")), hide);
        EXPECT_EQ(hidden(shadow), hide);
    }
    EXPECT_EQ(text(label), "Mail"); // hiding keeps the text
}

TEST(HostIcons, AProfileWithoutBadgeViewsShowsIconsWithoutBadges)
{
    TestDevice d({}, options([](auto& o) { o.omitClasses = { "SBIconBadgeView" }; }));
    ASSERT_TRUE(d.booted);
    Ref<Object> view = make("SBIconView", "initWithDefaultSize");
    runtime::send(view.get(), Sel("setIcon:"), iconFor("com.apple.mobilemail"));
    EXPECT_EQ(imageName(runtime::ivarObject(view.get(), "_iconImageView")), "AppIcon-com.apple.mobilemail");
    EXPECT_EQ(runtime::ivarObject(view.get(), "_accessoryView"), nullptr);
    EXPECT_EQ(runtime::ivarObject(view.get(), "_badgeView"), nullptr);
}

} // namespace

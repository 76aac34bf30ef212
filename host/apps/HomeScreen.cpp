#include "host/apps/HomeScreen.h"
#include "host/SpringBoard.h"
#include "host/statusbar/StatusBar.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Color.h"
#include "platform/uikit/Font.h"
#include "platform/uikit/Image.h"
#include "platform/uikit/ImageView.h"
#include "platform/uikit/Label.h"
#include "platform/uikit/Screen.h"
#include "platform/uikit/Window.h"

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

// The home screen's grid: four columns of 76 points from x = 16, rows of 88 points below the
// status bar, as the phone lays out its icons.
constexpr float kGridLeft = 16, kGridTop = kStatusBarHeight + 9, kColumnWidth = 76, kRowHeight = 88;
constexpr int kColumns = 4;

struct Screens {
    runtime::Ref<uikit::Window> home, application;
};

Screens& screens()
{
    static Screens* made = new Screens; // lives as long as the process, like SpringBoard's
    return *made;
}

runtime::Ref<uikit::Window> makeWindow(float level)
{
    runtime::Ref<uikit::Window> window = uikit::Window::make(uikit::Screen::main()->bounds());
    window->setWindowLevel(level);
    return window;
}

runtime::Ref<uikit::View> makeIconView(const std::string& bundleIdentifier)
{
    static const Sel shared("sharedInstance"), forIdentifier("applicationIconForDisplayIdentifier:"),
        initWithDefaultSize("initWithDefaultSize"), setIcon("setIcon:");
    runtime::Class* iconViewClass = runtime::lookUpClass("SBIconView");
    if (!iconViewClass)
        return nullptr;
    Object* controller = runtime::send<Object*>(runtime::lookUpClass("SBIconController"), shared);
    Object* icon = runtime::send<Object*>(runtime::ivarObject(controller, "_iconModel"), forIdentifier, bundleIdentifier);
    runtime::Ref<Object> fresh = runtime::alloc(iconViewClass);
    Object* made = runtime::send<Object*>(fresh.get(), initWithDefaultSize);
    runtime::send(made, setIcon, icon);
    return runtime::Ref<uikit::View>(static_cast<uikit::View*>(made));
}

runtime::Ref<uikit::Label> makeLabel(quartz::Rect frame, runtime::Ref<uikit::Font> font, uikit::Color* colour, std::string text)
{
    runtime::Ref<uikit::Label> label = uikit::Label::make(frame);
    label->setFont(font.get());
    label->setTextColor(colour);
    label->setTextAlignment(1);
    label->setText(std::move(text));
    return label;
}

} // namespace

std::string wallpaperImageName()
{
    return uikit::Screen::main()->bounds().size.height >= 568 ? "Wallpaper-568h" : "Wallpaper";
}

void makeHomeScreen()
{
    Screens& s = screens();
    s.home = makeWindow(uikit::UIWindowLevelNormal);
    quartz::Rect bounds = s.home->bounds();
    auto wallpaper = uikit::ImageView::make(bounds);
    wallpaper->setImage(uikit::Image::named(wallpaperImageName()).get());
    s.home->addSubview(wallpaper.get());
    int index = 0;
    for (const InstalledApplication& app : springBoard().profile.applications) {
        runtime::Ref<uikit::View> icon = makeIconView(app.bundleIdentifier);
        if (!icon)
            break;
        quartz::Rect f = icon->frame();
        icon->setFrame(quartz::makeRect(kGridLeft + float(index % kColumns) * kColumnWidth,
            kGridTop + float(index / kColumns) * kRowHeight, f.size.width, f.size.height));
        s.home->addSubview(icon.get());
        ++index;
    }
    s.home->setHidden(false);
}

void showApplicationWindow(const std::string& bundleIdentifier)
{
    const InstalledApplication* app = springBoard().profile.application(bundleIdentifier);
    if (!app)
        return;
    Screens& s = screens();
    if (s.application)
        s.application->setHidden(true);
    s.application = makeWindow(uikit::UIWindowLevelNormal + 1);
    quartz::Rect bounds = s.application->bounds();
    float w = bounds.size.width, h = bounds.size.height;
    s.application->setBackgroundColor(uikit::Color::make(0.94f, 0.94f, 0.96f, 1).get());
    auto titleBar = uikit::View::make(quartz::makeRect(0, kStatusBarHeight, w, 44));
    titleBar->setBackgroundColor(uikit::Color::make(0.42f, 0.5f, 0.6f, 1).get());
    titleBar->addSubview(makeLabel(quartz::makeRect(0, 0, w, 44), uikit::Font::boldSystemFont(20), uikit::Color::whiteColor(), app->displayName).get());
    s.application->addSubview(titleBar.get());
    auto icon = uikit::ImageView::make(quartz::makeRect(w / 2 - 57, h / 2 - 90, 114, 114));
    icon->setImage(uikit::Image::named("AppIcon-" + bundleIdentifier).get());
    s.application->addSubview(icon.get());
    s.application->addSubview(makeLabel(quartz::makeRect(0, h / 2 + 36, w, 30), uikit::Font::boldSystemFont(22),
        uikit::Color::make(0.2f, 0.2f, 0.25f, 1).get(), app->displayName).get());
    s.application->setHidden(false);
}

} // namespace host

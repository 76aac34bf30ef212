// The device-control interface over a SpringBoard living in this process.
#include "host/Device.h"
#include "host/SpringBoard.h"
#include "host/Trace.h"
#include "host/apps/DisplayStack.h"
#include "host/apps/HomeScreen.h"
#include "host/apps/Workspace.h"
#include "host/lockscreen/AwayController.h"
#include "host/statusbar/StatusBar.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/Random.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Application.h"
#include "platform/uikit/Screen.h"
#include <dlfcn.h>
#include <filesystem>

namespace host {

using runtime::Object;
using runtime::Sel;
using uikit::TouchPhase;

namespace {

bool g_booted = false; // the runtime's classes are process-wide: one boot per process

class InProcessDevice final : public Device {
public:
    ~InProcessDevice() override
    {
        if (!m_owner)
            return;
        SpringBoard& sb = springBoard();
        sb.displayStacks.clear(); // "dealloc" through the runtime
        sb.workspace = nullptr;
        Trace::shared().stopListening();
        foundation::setClockSource({});
        foundation::setDeviceRoot("");
    }

    Status boot(const BootOptions& options) override
    {
        if (g_booted)
            return Status::failure("a device has already booted in this process");
        std::error_code error;
        if (options.root.empty() || !std::filesystem::is_directory(options.root, error))
            return Status::failure("no device root folder at '" + options.root + "'");
        foundation::setDeviceRoot(std::filesystem::absolute(options.root, error).lexically_normal().string());
        std::string why;
        std::optional<Profile> profile = readProfile(&why);
        if (!profile) {
            foundation::setDeviceRoot("");
            return Status::failure(why);
        }
        g_booted = m_owner = true;
        SpringBoard& sb = springBoard();
        sb.options = options;
        sb.profile = *profile;
        sb.options.mediaControls |= profile->mediaControls;
        sb.options.charging |= profile->charging;
        sb.options.androidLock |= profile->androidLock;
        sb.options.omitClasses.insert(sb.options.omitClasses.end(), profile->omitClasses.begin(), profile->omitClasses.end());
        float w = float(profile->screenWidth), h = float(profile->screenHeight);
        uikit::Screen::main()->setBounds(quartz::makeRect(0, 0, w, h));
        double bootDate = options.bootDate;
        foundation::setClockSource([bootDate] { return bootDate + uikit::RunLoop::main().now(); });
        Trace::shared().listen();
        if (options.seed)
            foundation::seedRandom(*options.seed);

        registerHostClasses();
        // The library's initialiser changes the classes registered above, as on the phone.
        if (options.libraryPath) {
            m_library = ::dlopen(options.libraryPath->c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!m_library) {
                const char* message = ::dlerror();
                return Status::failure(message ? message : "the library did not load");
            }
        }
        sb.booted = true;
        runtime::AutoreleasePool pool;
        sb.statusBarWindow = uikit::Window::make(quartz::makeRect(0, 0, w, kStatusBarHeight));
        sb.statusBarWindow->setWindowLevel(kStatusBarWindowLevel);
        sb.statusBarWindow->setUserInteractionEnabled(false);
        sb.statusBar = uikit::View::make("UIStatusBar", quartz::makeRect(0, 0, w, kStatusBarHeight));
        if (sb.statusBar)
            sb.statusBarWindow->addSubview(sb.statusBar);
        sb.statusBarWindow->setHidden(false);
        makeHomeScreen();
        if (sb.usesWorkspace()) {
            sb.workspace = makeWorkspace();
        } else {
            // SpringBoard's four stacks: about to activate, active, suspending, suspended.
            for (int i = 0; i < 4; ++i)
                if (auto stack = makeDisplayStack())
                    sb.displayStacks.push_back(stack);
        }
        lockDevice();
        observe();
        return {};
    }

    void lock() override
    {
        runtime::AutoreleasePool pool;
        lockDevice();
        observe();
    }

    bool touchDown(double x, double y) override { return touch(TouchPhase::Began, x, y); }
    bool touchMove(double x, double y) override { return touch(TouchPhase::Moved, x, y); }
    bool touchUp(double x, double y) override { return touch(TouchPhase::Ended, x, y); }
    bool touchCancel(double x, double y) override { return touch(TouchPhase::Cancelled, x, y); }

    void wait(double seconds) override
    {
        runtime::AutoreleasePool pool;
        if (seconds > 0)
            uikit::RunLoop::main().advanceBy(seconds);
        if (AwayController* c = AwayController::shared(); c && c->awayView)
            c->awayView->updateClock();
        observe();
    }

    bool enterPasscode(const std::string& code) override
    {
        runtime::AutoreleasePool pool;
        AwayController* c = AwayController::shared();
        if (!c || !c->keypadShown())
            return false;
        const auto& passcode = springBoard().profile.passcode;
        static const Sel finished("_finishedUnlockAttemptWithStatus:");
        runtime::send(c, finished, passcode && *passcode == code);
        observe();
        return true;
    }

    bool dismissKeypad() override
    {
        runtime::AutoreleasePool pool;
        AwayController* c = AwayController::shared();
        if (!c || !c->keypadShown())
            return false;
        static const Sel showLock("setShowingDeviceLock:animated:");
        runtime::send(c->awayView, showLock, false, true);
        observe();
        return true;
    }

    bool closeCamera() override
    {
        runtime::AutoreleasePool pool;
        AwayController* c = AwayController::shared();
        if (!c || !c->cameraShowing)
            return false;
        static const Sel remove("_removeCameraPreviewViews"), tearDown("_tearDownCameraPreview");
        runtime::send(c, remove);
        runtime::send(c, tearDown);
        observe();
        return true;
    }

    void setAssistantShowing(bool showing) override
    {
        runtime::AutoreleasePool pool;
        AwayController* c = AwayController::shared();
        AwayView* view = c ? c->awayView.get() : nullptr;
        if (!view || showing == bool(view->assistantView))
            return;
        static const Sel willAppear("noteAssistantWillAppear"), didHide("noteAssistantDidHide");
        if (showing) {
            quartz::Rect b = view->bounds();
            view->assistantView = uikit::View::make("SBAssistantAwayBottomView",
                quartz::makeRect(0, b.size.height - kLockBarHeight, b.size.width, kLockBarHeight));
            if (view->assistantView)
                view->addSubview(view->assistantView);
            runtime::send(view, willAppear);
        } else {
            view->assistantView->removeFromSuperview();
            view->assistantView = nullptr;
            runtime::send(view, didHide);
        }
    }

    DeviceState state() const override
    {
        const SpringBoard& sb = springBoard();
        DeviceState s;
        s.booted = sb.booted;
        s.time = uikit::RunLoop::main().now();
        s.date = foundation::now();
        AwayController* c = sb.booted ? AwayController::shared() : nullptr;
        s.locked = c && c->active;
        s.passcodeKeypadShown = c && c->keypadShown();
        s.cameraShowing = c && c->cameraShowing;
        s.screenDimmed = sb.screenDimmed;
        s.asleep = sb.asleep;
        s.frontApplication = sb.frontApplication;
        s.systemVersion = sb.profile.systemVersion;
        s.screenWidth = sb.profile.screenWidth;
        s.screenHeight = sb.profile.screenHeight;
        return s;
    }

    std::vector<TraceEvent> trace() const override { return Trace::shared().events(); }

    std::vector<uikit::Window*> windows() const override
    {
        std::vector<uikit::Window*> out;
        for (const auto& w : uikit::Application::shared().windows())
            out.push_back(w.get());
        return out;
    }

    void* librarySymbol(const char* name) const override { return m_library ? ::dlsym(m_library, name) : nullptr; }

private:
    // Touches go to the front-most visible window that takes touches and holds the point; the
    // window that got "began" keeps the touch until it ends.
    bool touch(TouchPhase phase, double x, double y)
    {
        runtime::AutoreleasePool pool;
        SpringBoard& sb = springBoard();
        if (!sb.booted)
            return false;
        if (sb.asleep) {
            // The simulated phone has no buttons: a touch on the dark screen stands for the press
            // that wakes it, and is not delivered.
            if (phase == TouchPhase::Began)
                wake();
            return false;
        }
        quartz::Point p { float(x), float(y) };
        if (phase == TouchPhase::Began) {
            // One finger: a touch still in progress is cancelled first, where it last was, so the
            // view that took it is not left waiting for an end that never comes.
            if (runtime::Ref<uikit::Window> previous = m_touchWindow.strong()) {
                quartz::Point origin = previous->frame().origin;
                previous->sendTouch(TouchPhase::Cancelled, { m_touchPoint.x - origin.x, m_touchPoint.y - origin.y });
            }
            if (AwayController* c = AwayController::shared(); c && c->active)
                c->noteUserActivity();
            m_touchWindow = windowAt(p);
        }
        m_touchPoint = p;
        runtime::Ref<uikit::Window> window = m_touchWindow.strong();
        if (phase == TouchPhase::Ended || phase == TouchPhase::Cancelled)
            m_touchWindow = nullptr;
        if (!window)
            return false;
        quartz::Point origin = window->frame().origin;
        bool delivered = window->sendTouch(phase, { p.x - origin.x, p.y - origin.y });
        observe();
        return delivered;
    }

    static void wake()
    {
        springBoard().asleep = false;
        if (AwayController* c = AwayController::shared(); c && c->active)
            c->noteUserActivity();
    }

    static uikit::Window* windowAt(quartz::Point p)
    {
        const auto& windows = uikit::Application::shared().windows();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            uikit::Window* w = it->get();
            if (!w->isHidden() && w->isUserInteractionEnabled() && quartz::rectContainsPoint(w->frame(), p))
                return w;
        }
        return nullptr;
    }

    void observe()
    {
        AwayController* c = AwayController::shared();
        Trace::shared().observeLockViews(c ? c->window.get() : nullptr);
    }

    bool m_owner = false;
    void* m_library = nullptr;
    runtime::WeakRef<uikit::Window> m_touchWindow;
    quartz::Point m_touchPoint; // where the touch in progress last was
};

} // namespace

std::unique_ptr<Device> makeInProcessDevice() { return std::make_unique<InProcessDevice>(); }

} // namespace host

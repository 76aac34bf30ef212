#pragma once
// "UIWindow": the root of a view tree on screen. A window is shown by "makeKeyAndVisible" (or
// "setHidden:" NO) and then listed by the application among the visible windows, ordered by
// window level, then by the order they were shown; hiding it takes it off that list.
// Registered: "makeKeyAndVisible" void(), "windowLevel"/"setWindowLevel:" (Float),
// "isKeyWindow" bool; "setHidden:" is overridden to keep the application's list.
//
// A window's coordinates are the screen's: its frame normally equals the screen's bounds.

#include "platform/uikit/View.h"

namespace uikit {

enum class TouchPhase : std::int32_t;

inline constexpr Float UIWindowLevelNormal = 0;
inline constexpr Float UIWindowLevelAlert = 2000;
inline constexpr Float UIWindowLevelStatusBar = 1000;

class Window : public View {
public:
    static runtime::Ref<Window> make(Rect frame); // "UIWindow" + "initWithFrame:"

    void makeKeyAndVisible();
    bool isKeyWindow() const;
    Float windowLevel() const;
    void setWindowLevel(Float);

    // Delivers one finger's touch in this window's coordinates, as Application::sendTouch does
    // for the window it picked. Answers whether a view received it.
    bool sendTouch(TouchPhase, Point);

    Float m_windowLevel = UIWindowLevelNormal; // behind the registered implementations

protected:
    ~Window() override;
};

} // namespace uikit

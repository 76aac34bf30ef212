#pragma once
// The application's side of the screen: the visible windows, back to front, and the delivery of
// one finger's touches.
//
// Delivery, as on the phone: "began" picks the front-most visible window whose frame holds the
// point and hit-tests it ("hitTest:withEvent:", front to back, skipping hidden, nearly transparent
// and non-interactive views with their subviews). The view found keeps the touch: moved, ended and
// cancelled go to it whatever lies under the finger then. The gesture recognisers of that view and
// of its ancestors see each phase first; once one of them recognises (and cancels touches in the
// view) the view is sent "touchesCancelled:withEvent:" and nothing more of that touch. Touch
// methods are sent through the runtime, so replacements see them.
//
// One Touch object lives from began to ended; the event and its touch set are reused, so a moved
// event allocates nothing.

#include "platform/uikit/Touch.h"
#include "platform/uikit/Window.h"
#include <vector>

namespace uikit {

class GestureRecognizer;

class Application {
public:
    static Application& shared(); // lives as long as the process

    // Visible windows in screen order, back to front. The application owns visible windows.
    const std::vector<runtime::Ref<Window>>& windows() const { return m_windows; }
    Window* keyWindow() const { return m_keyWindow.get(); }
    // The front-most visible window containing the point (screen coordinates); nothing if none.
    Window* windowAt(Point) const;

    // One finger at a screen point. Began starts a touch (a touch still down is cancelled first);
    // the other phases continue it and are ignored without one. Answers whether a view got it.
    bool sendTouch(TouchPhase, Point screenPoint);
    // The view holding the current touch; nothing between touches.
    View* touchedView() const;

    // Sends "layoutSubviews" where needed in every visible window (the loop's layout pass).
    void layoutIfNeeded();

    // Used by Window.
    void windowDidShow(Window*, bool makeKey);
    void windowDidHide(Window*);
    bool deliver(Window*, TouchPhase, Point windowPoint);
    // Used by GestureRecognizer: a recogniser of the current touch began or recognised.
    void recognizerDidRecognize(GestureRecognizer*);

private:
    Application();
    void finishTouch();

    std::vector<runtime::Ref<Window>> m_windows;
    runtime::WeakRef<Window> m_keyWindow;

    struct Tracking;
    Tracking* m_tracking; // the touch in progress and the reusable event objects
};

} // namespace uikit

#include "platform/uikit/Application.h"
#include "platform/uikit/GestureRecognizer.h"
#include "platform/uikit/RunLoop.h"
#include "platform/uikit/ViewSelectors.h"
#include "platform/runtime/AutoreleasePool.h"
#include "platform/runtime/Send.h"
#include <algorithm>

namespace uikit {

using runtime::Ref;

struct Application::Tracking {
    Ref<Touch> touch;
    Ref<Event> event = Event::make();
    Ref<View> view;
    Ref<Window> window;
    std::vector<Ref<GestureRecognizer>> recognizers; // of the view and its ancestors, nearest first
    bool viewBegan = false;
    bool viewCancelled = false;
};

namespace {

// Layout runs after every turn of the run loop, as on the phone.
[[maybe_unused]] const bool g_layoutPass = [] {
    RunLoop::main().setTurnObserver([] { Application::shared().layoutIfNeeded(); });
    return true;
}();

bool isTerminal(GestureState s) { return s == GestureState::Ended || s == GestureState::Cancelled || s == GestureState::Failed; }
bool takesOver(const GestureRecognizer& g)
{
    GestureState s = g.state();
    return g.cancelsTouchesInView && (s == GestureState::Began || s == GestureState::Changed || s == GestureState::Ended);
}

} // namespace

Application& Application::shared()
{
    static Application* app = new Application; // lives as long as the process
    return *app;
}

Application::Application()
    : m_tracking(new Tracking)
{
}

Window* Application::windowAt(Point p) const
{
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (quartz::rectContainsPoint((*it)->frame(), p))
            return it->get();
    return nullptr;
}

void Application::windowDidShow(Window* window, bool makeKey)
{
    Ref<Window> keep(window);
    std::erase(m_windows, keep);
    Float level = window->m_windowLevel;
    auto at = std::find_if(m_windows.begin(), m_windows.end(), [&](const Ref<Window>& w) { return w->m_windowLevel > level; });
    m_windows.insert(at, keep);
    if (makeKey || !m_keyWindow)
        m_keyWindow = window;
}

void Application::windowDidHide(Window* window)
{
    Ref<Window> keep(window);
    if (m_tracking->window == keep)
        sendTouch(TouchPhase::Cancelled, {});
    std::erase(m_windows, keep);
    if (m_keyWindow.get() == window)
        m_keyWindow = m_windows.empty() ? nullptr : m_windows.back().get();
}

View* Application::touchedView() const { return m_tracking->view.get(); }

bool Application::sendTouch(TouchPhase phase, Point p)
{
    Window* window = phase == TouchPhase::Began ? windowAt(p) : m_tracking->window.get();
    if (!window)
        return false;
    Point origin = window->frame().origin;
    return deliver(window, phase, { p.x - origin.x, p.y - origin.y });
}

void Application::recognizerDidRecognize(GestureRecognizer* recognizer)
{
    Tracking& t = *m_tracking;
    if (!t.touch || t.viewCancelled || !recognizer->cancelsTouchesInView)
        return;
    if (std::find(t.recognizers.begin(), t.recognizers.end(), Ref<GestureRecognizer>(recognizer)) == t.recognizers.end())
        return;
    t.viewCancelled = true;
    if (t.viewBegan) {
        Ref<View> view = t.view;
        view->touchesCancelled(t.event->allTouches(), t.event.get());
    }
}

bool Application::deliver(Window* window, TouchPhase phase, Point p)
{
    Tracking& t = *m_tracking;
    runtime::AutoreleasePool pool;
    double now = RunLoop::main().now();
    if (phase == TouchPhase::Began) {
        if (t.touch)
            deliver(t.window.get(), TouchPhase::Cancelled, t.touch->location);
        View* hit = window->hitTest(p, t.event.get());
        if (!hit)
            return false;
        t.touch = Touch::make();
        t.touch->previousLocation = p;
        t.touch->view = hit;
        t.touch->window = window;
        t.view = hit;
        t.window = window;
        t.recognizers.clear();
        for (View* v = hit; v; v = v->superview())
            for (const Ref<GestureRecognizer>& g : v->gestureRecognizers())
                if (g->isEnabled())
                    t.recognizers.push_back(g);
        t.viewBegan = t.viewCancelled = false;
        t.event->allTouches()->clear();
        t.event->allTouches()->add(t.touch.get());
    } else if (!t.touch || t.window.get() != window) {
        return false;
    } else {
        t.touch->previousLocation = t.touch->location;
    }
    Ref<Touch> touch = t.touch;
    Ref<View> view = t.view;
    touch->location = p;
    touch->phase = phase;
    touch->timestamp = now;
    t.event->timestamp = now;

    for (std::size_t i = 0; i < t.recognizers.size(); ++i) {
        GestureRecognizer* g = t.recognizers[i].get();
        if (isTerminal(g->state()))
            continue;
        switch (phase) {
        case TouchPhase::Began:
            g->touchBegan(touch.get());
            break;
        case TouchPhase::Moved:
        case TouchPhase::Stationary:
            g->touchMoved(touch.get());
            break;
        case TouchPhase::Ended:
            g->touchEnded(touch.get());
            break;
        case TouchPhase::Cancelled:
            g->touchCancelled(touch.get());
            break;
        }
    }
    if (!t.viewCancelled && std::any_of(t.recognizers.begin(), t.recognizers.end(), [](const auto& g) { return takesOver(*g); })) {
        t.viewCancelled = true;
        if (t.viewBegan)
            view->touchesCancelled(t.event->allTouches(), t.event.get());
    }
    if (!t.viewCancelled) {
        TouchSet* touches = t.event->allTouches();
        switch (phase) {
        case TouchPhase::Began:
            t.viewBegan = true;
            view->touchesBegan(touches, t.event.get());
            break;
        case TouchPhase::Moved:
        case TouchPhase::Stationary:
            view->touchesMoved(touches, t.event.get());
            break;
        case TouchPhase::Ended:
            view->touchesEnded(touches, t.event.get());
            break;
        case TouchPhase::Cancelled:
            view->touchesCancelled(touches, t.event.get());
            break;
        }
    }
    if (phase == TouchPhase::Ended || phase == TouchPhase::Cancelled)
        finishTouch();
    layoutIfNeeded();
    return true;
}

void Application::finishTouch()
{
    Tracking& t = *m_tracking;
    std::vector<Ref<GestureRecognizer>> recognizers;
    recognizers.swap(t.recognizers);
    for (const Ref<GestureRecognizer>& g : recognizers)
        g->sequenceEnded();
    t.touch = nullptr;
    t.view = nullptr;
    t.window = nullptr;
    t.event->allTouches()->clear();
    recognizers.clear();
    t.recognizers.swap(recognizers); // keep the capacity for the next touch
}

void Application::layoutIfNeeded()
{
    // By index: layout may show or hide windows.
    for (std::size_t i = 0; i < m_windows.size(); ++i) {
        Ref<Window> w = m_windows[i];
        w->layoutIfNeeded();
    }
}

} // namespace uikit

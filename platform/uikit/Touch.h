#pragma once
// Touches and events. "UITouch": one finger, with its location in window coordinates, its phase,
// the view it began in and the window. "NSSet" (TouchSet): the touches of one event ("anyObject",
// "count"; C++ iteration). "UIEvent": the event ("allTouches", "timestamp").
// Registered: "locationInView:" Point(Object*), "previousLocationInView:" Point(Object*),
// "phase" std::int32_t, "view" Object*, "window" Object*, "tapCount" std::int32_t,
// "timestamp" double; "anyObject" Object*, "count" std::uint32_t; "allTouches" Object*.

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include <cstdint>
#include <vector>

namespace uikit {

class View;
class Window;

enum class TouchPhase : std::int32_t { Began = 0, Moved = 1, Stationary = 2, Ended = 3, Cancelled = 4 };

class Touch : public runtime::Object {
public:
    static runtime::Ref<Touch> make(); // a new "UITouch"

    quartz::Point locationInView(View*) const;         // nothing: window coordinates
    quartz::Point previousLocationInView(View*) const; // nothing: window coordinates

    quartz::Point location;         // in the window
    quartz::Point previousLocation; // in the window
    TouchPhase phase = TouchPhase::Began;
    double timestamp = 0;
    std::int32_t tapCount = 1;
    runtime::WeakRef<View> view;
    runtime::WeakRef<Window> window;
};

class TouchSet : public runtime::Object {
public:
    static runtime::Ref<TouchSet> make(); // a new "NSSet"

    Touch* anyObject() const { return m_touches.empty() ? nullptr : m_touches.front().get(); }
    std::uint32_t count() const { return static_cast<std::uint32_t>(m_touches.size()); }
    auto begin() const { return m_touches.begin(); }
    auto end() const { return m_touches.end(); }
    void clear() { m_touches.clear(); }
    void add(Touch* touch) { m_touches.emplace_back(touch); }

private:
    std::vector<runtime::Ref<Touch>> m_touches;
};

class Event : public runtime::Object {
public:
    static runtime::Ref<Event> make(); // a new "UIEvent" with an empty touch set

    TouchSet* allTouches() const { return m_touches.get(); }
    double timestamp = 0;

private:
    friend class TouchDispatcher;
    runtime::Ref<TouchSet> m_touches;
};

} // namespace uikit

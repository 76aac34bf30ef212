// The concrete recognisers: taps, long presses and swipes.
#include "platform/uikit/GestureRecognizer.h"
#include "platform/uikit/RunLoop.h"
#include "platform/uikit/Touch.h"
#include <cmath>

namespace uikit {

using quartz::Float;
using quartz::Point;

namespace {

constexpr Float kTapSlop = 10;          // a tap that moves further is not a tap
constexpr Float kMultiTapSlop = 40;     // later taps land this near the first
constexpr double kMultiTapWindow = 0.35; // seconds from a lift to the next tap
constexpr Float kSwipeDistance = 50;

Float distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

} // namespace

// Taps

TapGestureRecognizer::~TapGestureRecognizer() { cancelTimer(); }

void TapGestureRecognizer::cancelTimer()
{
    if (m_timer)
        m_timer->invalidate();
    m_timer = nullptr;
}

void TapGestureRecognizer::reset()
{
    cancelTimer();
    m_taps = 0;
    GestureRecognizer::reset();
}

void TapGestureRecognizer::touchBegan(Touch* touch)
{
    m_touch = touch;
    cancelTimer();
    if (m_taps > 0 && distance(m_start, touch->location) > kMultiTapSlop) {
        setState(GestureState::Failed);
        return;
    }
    if (m_taps == 0)
        m_start = touch->location;
}

void TapGestureRecognizer::touchMoved(Touch* touch)
{
    if (distance(m_start, touch->location) > kTapSlop)
        setState(GestureState::Failed);
}

void TapGestureRecognizer::touchEnded(Touch* touch)
{
    if (distance(m_start, touch->location) > kTapSlop) {
        setState(GestureState::Failed);
        return;
    }
    if (++m_taps >= numberOfTapsRequired) {
        setState(GestureState::Ended);
        return;
    }
    // Wait for the next tap; none in time means this was not the gesture.
    m_timer = RunLoop::main().scheduleTimer(kMultiTapWindow, false, [this](Timer*) {
        m_timer = nullptr;
        if (state() == GestureState::Possible)
            reset();
    });
}

// Long presses

LongPressGestureRecognizer::~LongPressGestureRecognizer() { cancelTimer(); }

void LongPressGestureRecognizer::cancelTimer()
{
    if (m_timer)
        m_timer->invalidate();
    m_timer = nullptr;
}

void LongPressGestureRecognizer::reset()
{
    cancelTimer();
    GestureRecognizer::reset();
}

void LongPressGestureRecognizer::touchBegan(Touch* touch)
{
    m_touch = touch;
    m_start = touch->location;
    cancelTimer();
    m_timer = RunLoop::main().scheduleTimer(minimumPressDuration, false, [this](Timer*) {
        m_timer = nullptr;
        if (state() == GestureState::Possible)
            setState(GestureState::Began);
    });
}

void LongPressGestureRecognizer::touchMoved(Touch* touch)
{
    if (state() == GestureState::Possible) {
        if (distance(m_start, touch->location) > allowableMovement) {
            cancelTimer();
            setState(GestureState::Failed);
        }
    } else if (state() == GestureState::Began || state() == GestureState::Changed) {
        setState(GestureState::Changed);
    }
}

void LongPressGestureRecognizer::touchEnded(Touch*)
{
    cancelTimer();
    if (state() == GestureState::Began || state() == GestureState::Changed)
        setState(GestureState::Ended);
    else if (state() == GestureState::Possible)
        setState(GestureState::Failed);
}

void LongPressGestureRecognizer::touchCancelled(Touch* touch)
{
    cancelTimer();
    GestureRecognizer::touchCancelled(touch);
}

// Swipes

void SwipeGestureRecognizer::touchBegan(Touch* touch)
{
    m_touch = touch;
    m_start = touch->location;
}

void SwipeGestureRecognizer::touchMoved(Touch* touch) { check(touch, false); }
void SwipeGestureRecognizer::touchEnded(Touch* touch) { check(touch, true); }

void SwipeGestureRecognizer::check(Touch* touch, bool final)
{
    if (state() != GestureState::Possible)
        return;
    Float dx = touch->location.x - m_start.x, dy = touch->location.y - m_start.y;
    struct Way {
        std::uint32_t bit;
        Float along, across;
    };
    const Way ways[] = {
        { UISwipeGestureRecognizerDirectionRight, dx, dy },
        { UISwipeGestureRecognizerDirectionLeft, -dx, dy },
        { UISwipeGestureRecognizerDirectionDown, dy, dx },
        { UISwipeGestureRecognizerDirectionUp, -dy, dx },
    };
    for (const Way& w : ways)
        if ((direction & w.bit) && w.along >= kSwipeDistance && std::fabs(w.across) <= w.along * 0.5f) {
            setState(GestureState::Ended);
            return;
        }
    if (final)
        setState(GestureState::Failed);
}

} // namespace uikit

#pragma once
// Gesture recognisers. "UIGestureRecognizer" watches the touches delivered to the view it is
// attached to (and to that view's subviews) before the view does, and sends its action
// (void(Object* recognizer)) to each target through the runtime when its state says so.
//
// States:  Possible --recognised--> Ended (= Recognized)            discrete: tap, swipe
//          Possible --> Began --> Changed* --> Ended | Cancelled     continuous: long press
//          Possible --> Failed
// Actions are sent on Began, Changed, Ended and Cancelled. After a touch sequence ends, a
// recogniser in Ended, Cancelled or Failed returns to Possible.
//
// Registered: "initWithTarget:action:" Object*(Object*, Sel), "addTarget:action:" void(Object*, Sel),
// "state" std::int32_t, "view" Object*, "isEnabled"/"setEnabled:" bool,
// "locationInView:" Point(Object*); taps: "numberOfTapsRequired"/"setNumberOfTapsRequired:"
// (std::uint32_t); long press: "minimumPressDuration"/"setMinimumPressDuration:" (double),
// "allowableMovement"/"setAllowableMovement:" (Float); swipe: "direction"/"setDirection:"
// (std::uint32_t, a mask of the directions below).
//
// Targets are not owned, as on the phone; the view owns its recognisers.

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Object.h"
#include "platform/runtime/Ref.h"
#include "platform/runtime/Selector.h"
#include <cstdint>
#include <string_view>
#include <vector>

namespace uikit {

class Timer;
class Touch;
class View;

enum class GestureState : std::int32_t { Possible = 0, Began = 1, Changed = 2, Ended = 3, Cancelled = 4, Failed = 5, Recognized = Ended };

inline constexpr std::uint32_t UISwipeGestureRecognizerDirectionRight = 1;
inline constexpr std::uint32_t UISwipeGestureRecognizerDirectionLeft = 2;
inline constexpr std::uint32_t UISwipeGestureRecognizerDirectionUp = 4;
inline constexpr std::uint32_t UISwipeGestureRecognizerDirectionDown = 8;

class GestureRecognizer : public runtime::Object {
public:
    // alloc of the class by name, then "initWithTarget:action:".
    static runtime::Ref<GestureRecognizer> make(std::string_view className, runtime::Object* target, runtime::Sel action);

    GestureState state() const { return m_state; }
    View* view() const { return m_view; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool cancelsTouchesInView = true;
    void addTarget(runtime::Object* target, runtime::Sel action);
    quartz::Point locationInView(View*) const; // where the touch is now

    // Touch phases, called by the application before the view sees them.
    virtual void touchBegan(Touch*) { }
    virtual void touchMoved(Touch*) { }
    virtual void touchEnded(Touch*) { }
    virtual void touchCancelled(Touch*);
    // The touch sequence is over: terminal states return to Possible.
    void sequenceEnded();

    // Used by View.
    void setView(View* view) { m_view = view; }

protected:
    ~GestureRecognizer() override;
    // Moves to a state and sends the actions that state calls for.
    void setState(GestureState);
    // Back to Possible; subclasses forget their progress.
    virtual void reset();

    runtime::WeakRef<Touch> m_touch; // the touch being watched

private:
    struct Target {
        runtime::WeakRef<runtime::Object> target;
        runtime::Sel action;
    };
    std::vector<Target> m_targets;
    View* m_view = nullptr; // raw; the view clears it
    GestureState m_state = GestureState::Possible;
    bool m_enabled = true;
};

// Recognises after numberOfTapsRequired taps in place (each finger lift within 10 points of where
// it went down, each tap starting within 0.35 s of the previous lift).
class TapGestureRecognizer : public GestureRecognizer {
public:
    std::uint32_t numberOfTapsRequired = 1;

    void touchBegan(Touch*) override;
    void touchMoved(Touch*) override;
    void touchEnded(Touch*) override;

protected:
    ~TapGestureRecognizer() override;
    void reset() override;

private:
    void cancelTimer();
    std::uint32_t m_taps = 0;
    quartz::Point m_start;
    runtime::Ref<Timer> m_timer;
};

// Begins once a finger has stayed down minimumPressDuration seconds (default 0.5) without moving
// more than allowableMovement points (default 10); then reports moves and the lift.
class LongPressGestureRecognizer : public GestureRecognizer {
public:
    double minimumPressDuration = 0.5;
    quartz::Float allowableMovement = 10;

    void touchBegan(Touch*) override;
    void touchMoved(Touch*) override;
    void touchEnded(Touch*) override;
    void touchCancelled(Touch*) override;

protected:
    ~LongPressGestureRecognizer() override;
    void reset() override;

private:
    void cancelTimer();
    quartz::Point m_start;
    runtime::Ref<Timer> m_timer;
};

// Recognises a finger that travels at least 50 points in one of its directions while straying at
// most half that distance sideways.
class SwipeGestureRecognizer : public GestureRecognizer {
public:
    std::uint32_t direction = UISwipeGestureRecognizerDirectionRight;

    void touchBegan(Touch*) override;
    void touchMoved(Touch*) override;
    void touchEnded(Touch*) override;

private:
    void check(Touch*, bool final);
    quartz::Point m_start;
};

} // namespace uikit

#pragma once
// "SBAwayLockBar": the stock slider bar at the bottom of the lock screen, a track with a knob that
// the finger drags from the left end to the right end. It takes no touches itself: the stock lock
// view's touch methods move its knob.

#include "platform/uikit/View.h"

namespace host {

class LockBar : public uikit::View {
public:
    static void registerClass();

    float knobMinX() const;
    float knobMaxX() const;
    float knobX() const;
    void setKnobX(float x); // confined to the travel
    void returnKnob();      // animates back to the left end
    bool knobAtEnd() const { return knobX() >= knobMaxX() - 0.5f; }

    runtime::Ref<uikit::View> knob;
};

} // namespace host

#pragma once
// The fuzzer's alphabet: random scenario lines made one at a time from what the device shows (the
// lock view's icons, the keypad, the camera), so a sequence is a scenario `ombrel run` replays.
//
//   lock | down/move/up X Y | cancel | wait S | passcode RIGHT/WRONG (keypad up) | dismiss (keypad
//   up) | closecamera (camera up) | set KEY VALUE | setraw KEY KIND VALUE | garbage-settings ...
//
// Points come from the track zone, the thumb, every icon and lock button, the folder column and its
// exact borders, the edge strips, outside the screen and its exact edges. Gestures as a finger
// makes them (down on the thumb, moves toward icons, up) come often, so unlock, camera and launch
// paths are reached.

#include "host/Device.h"
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>

namespace ombrel::sim {

class EventGenerator {
public:
    EventGenerator(std::uint64_t seed, std::optional<std::string> passcode);

    // The next line for the device as it is now.
    std::string next(const host::Device&);

    struct Point {
        double x = 0, y = 0;
    };

private:
    std::string touch(const char* verb, Point);
    std::string gestureLine(const host::Device&);
    void planGesture();
    Point randomPoint(const host::Device&);
    Point targetPoint(const host::Device&, std::int32_t tag);
    std::string setLine();
    std::string setRawLine();
    std::string garbageLine();
    std::string waitLine();
    double uniform(double from, double to);
    bool chance(double p);
    std::size_t pick(std::size_t n);

    std::mt19937_64 m_random;
    std::optional<std::string> m_passcode;
    bool m_down = false;
    Point m_finger;
    // A gesture in progress: tags to move toward, one move at a time.
    struct Leg {
        std::int32_t tag;
        int moves;
    };
    std::deque<Leg> m_legs;
    int m_movesDone = 0;
    Point m_legFrom;
    bool m_gestureActive = false;
    bool m_pauseNext = false;
};

// The end of every sequence, one line at a time: the finger lifted, a second's rest, the settled
// check, then lock, unlock (the thumb onto the unlock button, the passcode when the keypad comes),
// lock, and the relocked check. Nothing once done.
class SequenceEnding {
public:
    explicit SequenceEnding(std::optional<std::string> passcode);
    // `finger`: where the finger is down after the lines so far; nothing when it is up.
    std::optional<std::string> next(const host::Device&, std::optional<EventGenerator::Point> finger);

private:
    std::optional<std::string> m_passcode;
    int m_phase = 0;
    std::deque<std::string> m_queue;
};

// The text of a number in a scenario line, short (lines are played as read back from their text).
std::string numberText(double);

} // namespace ombrel::sim

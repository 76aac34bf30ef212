#pragma once
// A scenario: what a person does to the phone, one step a line, and what they expect to see. The
// whole file is read and checked before the device boots, so a bad line runs nothing.
//
//   lock | down X Y | move X Y | up X Y | cancel | tap X Y | drag X1 Y1 X2 Y2 [STEPS]
//   wait SECONDS | passcode CODE | dismiss | closecamera | set KEY VALUE | dump [FILE] | snapshot FILE
//   setraw KEY KIND VALUE | garbage-settings empty|truncated|HEX   (settings the pane never writes)
//   invariants | check settled|relocked                              (the lock screen's invariants)
//   expect ...   (see Expectation.h)
//
// A coordinate is a number of points, or one relative to the screen: W or H (its width or
// height), W/2 or H/2, each optionally followed by +N or -N ("H-77.5", "W/2"), so one file serves
// the 320x480 and the 320x568 phones. `#` starts a comment; blank lines are ignored.

#include "platform/foundation/Value.h"
#include "sim/Expectation.h"
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace ombrel::sim {

struct Coordinate {
    enum class Base { Zero, Width, Height };
    Base base = Base::Zero;
    double factor = 1; // of the base: 1 or 0.5
    double offset = 0;
    double resolve(double width, double height) const;
};

enum class Verb { Lock, Down, Move, Up, Cancel, Tap, Drag, Wait, Passcode, Dismiss, CloseCamera, Set, Dump, Snapshot, Expect,
    SetRaw, GarbageSettings, Invariants, Check };

struct Step {
    int line = 0;
    std::string text;               // the line as written, without comment and outer blanks
    Verb verb = Verb::Lock;
    std::vector<Coordinate> points; // x, y pairs: one for down/move/up/tap, two for drag
    int moves = 10;                 // drag
    double seconds = 0;             // wait
    std::string word;               // passcode code, set/setraw key, dump file (empty: stdout), snapshot file,
                                    // garbage-settings what (empty, truncated or the bytes), check name
    foundation::Value value;        // set, setraw
    Expectation expectation;        // expect
};

struct Scenario {
    std::vector<Step> steps;
};

struct ScenarioError {
    int line = 0;
    std::string message;
};

struct ParsedScenario {
    Scenario scenario;
    std::optional<ScenarioError> error; // the first bad line; the scenario is then not to be run
};

ParsedScenario parseScenario(std::istream&);

// A coordinate as written in a scenario; nothing for anything else.
std::optional<Coordinate> parseCoordinate(const std::string&);

// A number read whole and finite ("12", "-0.5", "1e2"); nothing for anything else.
std::optional<double> parseNumber(const std::string&);

} // namespace ombrel::sim

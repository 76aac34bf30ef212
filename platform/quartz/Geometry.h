#pragma once
// Points, sizes and rectangles in points. The phone of this era is a 32-bit device: its geometry
// is 32-bit floating point, and layout arithmetic that must match it to the last bit uses `Float`.

namespace quartz {

using Float = float;

struct Point {
    Float x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    Float width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    Point origin;
    Size size;
    bool operator==(const Rect&) const = default;
};

inline Rect makeRect(Float x, Float y, Float w, Float h) { return { { x, y }, { w, h } }; }

} // namespace quartz

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

// Edges of a rectangle with a non-negative size (the only kind views use).
inline Float minX(const Rect& r) { return r.origin.x; }
inline Float minY(const Rect& r) { return r.origin.y; }
inline Float maxX(const Rect& r) { return r.origin.x + r.size.width; }
inline Float maxY(const Rect& r) { return r.origin.y + r.size.height; }
inline Float midX(const Rect& r) { return r.origin.x + r.size.width * 0.5f; }
inline Float midY(const Rect& r) { return r.origin.y + r.size.height * 0.5f; }

// Half-open, as the phone's: the right and bottom edges are outside.
inline bool rectContainsPoint(const Rect& r, Point p)
{
    return p.x >= minX(r) && p.x < maxX(r) && p.y >= minY(r) && p.y < maxY(r);
}

} // namespace quartz

#pragma once
// "UIScreen": the main screen ("mainScreen", class method Object*()). Its bounds are set once by
// whoever boots the device (320 x 480 or 320 x 568 points); "bounds" Rect, "scale" Float (2).

#include "platform/quartz/Geometry.h"
#include "platform/runtime/Object.h"

namespace uikit {

class Screen : public runtime::Object {
public:
    static Screen* main(); // lives as long as the process

    quartz::Rect bounds() const { return m_bounds; }
    void setBounds(quartz::Rect bounds) { m_bounds = bounds; }
    quartz::Float scale() const { return m_scale; }

private:
    quartz::Rect m_bounds { { 0, 0 }, { 320, 480 } };
    quartz::Float m_scale = 2;
};

} // namespace uikit

#pragma once
// Films a simulated device: advances its virtual clock in steps of 1/30 s, renders what the screen
// shows after each step and queues the picture as a numbered PNG; keeps chosen moments, with a
// caption, for the contact sheet.

#include "host/Device.h"
#include "sim/render/Picture.h"
#include "sim/render/Renderer.h"
#include <functional>
#include <string>
#include <vector>

namespace ombrel::sim {

class DemoRecorder {
public:
    static constexpr int kFramesPerSecond = 30;

    DemoRecorder(host::Device&, Renderer&, PngQueue&, std::string frameFolder, quartz::Size screen);

    // The screen as it is now, as the next frame.
    void frame();
    // `seconds` of screen time, a frame every 1/30 s; `step` runs before each step of the clock
    // with the fraction of the span done after it (0 < f <= 1), for a finger that moves.
    void film(double seconds, const std::function<void(double f)>& step = {});
    // Keeps the last frame for the contact sheet.
    void moment(std::string caption);

    int frameCount() const { return m_frames; }
    const std::vector<std::pair<Picture, std::string>>& moments() const { return m_moments; }
    std::string framePath(int number) const; // 1-based

private:
    host::Device& m_device;
    Renderer& m_renderer;
    PngQueue& m_queue;
    std::string m_folder;
    quartz::Size m_screen;
    int m_frames = 0;
    Picture m_last;
    std::vector<std::pair<Picture, std::string>> m_moments;
};

} // namespace ombrel::sim

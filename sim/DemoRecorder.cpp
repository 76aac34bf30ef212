#include "sim/DemoRecorder.h"

#include <cmath>
#include <cstdio>

namespace ombrel::sim {

DemoRecorder::DemoRecorder(host::Device& device, Renderer& renderer, PngQueue& queue, std::string frameFolder, quartz::Size screen)
    : m_device(device)
    , m_renderer(renderer)
    , m_queue(queue)
    , m_folder(std::move(frameFolder))
    , m_screen(screen)
{
}

std::string DemoRecorder::framePath(int number) const
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", number);
    return m_folder + "/" + name;
}

void DemoRecorder::frame()
{
    m_last = m_renderer.render(m_device.windows(), m_screen);
    m_queue.write(m_last, framePath(++m_frames));
}

void DemoRecorder::film(double seconds, const std::function<void(double f)>& step)
{
    int steps = std::max(1, int(std::lround(seconds * kFramesPerSecond)));
    for (int i = 1; i <= steps; ++i) {
        if (step)
            step(double(i) / steps);
        m_device.wait(1.0 / kFramesPerSecond);
        frame();
    }
}

void DemoRecorder::moment(std::string caption) { m_moments.emplace_back(m_last, std::move(caption)); }

} // namespace ombrel::sim

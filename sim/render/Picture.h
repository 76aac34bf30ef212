#pragma once
// One rendered frame, and writing frames as PNG files (one at a time, or on worker threads).

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace ombrel::sim {

// Pixels of one rendered frame: cairo's ARGB32 (premultiplied, native-endian 32-bit words),
// row-major, stride = width (no padding).
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const; // 0 outside
};

// PNG through libpng at a compression level 0..9 (1 is fast and small enough); false when the
// file could not be written. The folder must exist.
bool writePng(const Picture&, const std::string& path, int level = 1);

// Writes PNGs on worker threads (one per core, at least one), in any order; wait() blocks until
// everything queued is written and answers how many writes failed.
class PngQueue {
public:
    explicit PngQueue(int level = 1, unsigned threads = 0);
    ~PngQueue(); // waits
    PngQueue(const PngQueue&) = delete;
    PngQueue& operator=(const PngQueue&) = delete;

    // Blocks while a few pictures per worker are already waiting, so a fast producer holds a
    // bounded number of frames in memory.
    void write(Picture, std::string path);
    // The failures since the previous wait().
    std::size_t wait();

private:
    void work();

    int m_level;
    std::size_t m_limit;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<Picture, std::string>> m_jobs;
    std::size_t m_busy = 0;
    std::size_t m_failures = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

} // namespace ombrel::sim

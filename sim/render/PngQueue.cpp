#include "sim/render/Picture.h"

#include <algorithm>

namespace ombrel::sim {

PngQueue::PngQueue(int level, unsigned threads)
    : m_level(level)
{
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    m_limit = std::size_t(threads) * 2;
    for (unsigned i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { work(); });
}

PngQueue::~PngQueue()
{
    wait();
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void PngQueue::write(Picture picture, std::string path)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.size() < m_limit; });
    m_jobs.emplace_back(std::move(picture), std::move(path));
    lock.unlock();
    m_changed.notify_all();
}

std::size_t PngQueue::wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && m_busy == 0; });
    return std::exchange(m_failures, 0);
}

void PngQueue::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return; // stopping, and nothing left
        auto job = std::move(m_jobs.front());
        m_jobs.pop_front();
        ++m_busy;
        lock.unlock();
        m_changed.notify_all(); // room for a waiting producer
        bool written = writePng(job.first, job.second, m_level);
        lock.lock();
        --m_busy;
        m_failures += written ? 0 : 1;
        m_changed.notify_all();
    }
}

} // namespace ombrel::sim

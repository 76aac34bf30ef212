#include "platform/runtime/Object.h"
#include "platform/runtime/Send.h"
#include <atomic>

namespace runtime {

namespace {
// While an object is being deallocated its count is parked here, so that retains and releases made
// by its teardown code cannot start a second teardown.
constexpr std::int32_t kDeallocating = 1 << 30;

// Atomic only so that counting stays exact should an object ever be made off the main thread.
std::atomic<std::int64_t> g_liveObjects { 0 };
}

Object::Object() { g_liveObjects.fetch_add(1, std::memory_order_relaxed); }
Object::~Object() { g_liveObjects.fetch_sub(1, std::memory_order_relaxed); }
std::int64_t liveObjectCount() { return g_liveObjects.load(std::memory_order_relaxed); }

void Object::release()
{
    if (m_immortal)
        return;
    if (--m_refCount != 0)
        return;
    m_refCount = kDeallocating;
    static const Sel dealloc("dealloc");
    if (m_isa && m_isa->lookUp(dealloc))
        send(this, dealloc);
    else
        destroy();
}

WeakControl* Object::weakControl()
{
    if (!m_weak)
        m_weak = new WeakControl { this, 1 }; // the object's own share
    return m_weak;
}

void Object::destroy()
{
    if (m_weak) {
        m_weak->object = nullptr;
        std::exchange(m_weak, nullptr)->release();
    }
    delete this;
}

} // namespace runtime

#include "platform/runtime/AutoreleasePool.h"

namespace runtime {

namespace {
AutoreleasePool* g_innermost = nullptr;
}

AutoreleasePool::AutoreleasePool() : m_outer(g_innermost) { g_innermost = this; }

AutoreleasePool::~AutoreleasePool()
{
    // Releasing may autorelease more into this pool; drain until it stays empty.
    while (!m_objects.empty()) {
        std::vector<Object*> batch;
        batch.swap(m_objects);
        for (Object* o : batch)
            o->release();
    }
    g_innermost = m_outer;
}

Object* autorelease(Object* obj)
{
    if (obj && g_innermost)
        g_innermost->m_objects.push_back(obj);
    return obj;
}

} // namespace runtime

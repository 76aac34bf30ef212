#include "platform/runtime/MethodCache.h"

namespace runtime {

void MethodCache::grow()
{
    std::size_t oldCapacity = m_slots ? m_mask + 1 : 0;
    std::unique_ptr<Entry[]> old = std::move(m_slots);
    std::size_t capacity = oldCapacity ? oldCapacity * 2 : 16;
    m_slots = std::make_unique<Entry[]>(capacity);
    m_mask = capacity - 1;
    m_count = 0;
    for (std::size_t i = 0; i < oldCapacity; ++i)
        if (old[i].key)
            insert(Sel::fromInfo(old[i].key), old[i].method);
}

const MethodCache::Entry* MethodCache::insert(Sel sel, const Method* method)
{
    // Keep the load at most one half, so probes stay short.
    if (!m_slots || (m_count + 1) * 2 > m_mask + 1)
        grow();
    Entry fresh { sel.info(), method ? method->imp : nullptr, method ? method->signature.type : nullptr, method };
    for (std::size_t i = hash(sel) & m_mask;; i = (i + 1) & m_mask) {
        Entry& e = m_slots[i];
        if (e.key == sel.info() || !e.key) {
            if (!e.key)
                ++m_count;
            e = fresh;
            return &e;
        }
    }
}

void MethodCache::erase(Sel sel)
{
    if (!m_slots)
        return;
    std::size_t i = hash(sel) & m_mask;
    while (m_slots[i].key != sel.info()) {
        if (!m_slots[i].key)
            return;
        i = (i + 1) & m_mask;
    }
    // Backward-shift deletion: pull later members of the probe run into the hole, so lookups
    // never need tombstones.
    std::size_t hole = i;
    for (std::size_t j = (i + 1) & m_mask; m_slots[j].key; j = (j + 1) & m_mask) {
        std::size_t home = hash(Sel::fromInfo(m_slots[j].key)) & m_mask;
        bool movable = hole <= j ? (home <= hole || home > j) : (home <= hole && home > j);
        if (movable) {
            m_slots[hole] = m_slots[j];
            hole = j;
        }
    }
    m_slots[hole] = Entry {};
    --m_count;
}

void MethodCache::clear()
{
    m_slots.reset();
    m_mask = m_count = 0;
}

} // namespace runtime

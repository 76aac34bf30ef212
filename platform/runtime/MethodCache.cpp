#include "platform/runtime/MethodCache.h"

namespace runtime {

void MethodCache::insert(Sel sel, const Method* method)
{
    // Keep the load at most one half, so probes stay short.
    if ((m_count + 1) * 2 > m_slots.size()) {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 16 : old.size() * 2, Slot {});
        m_count = 0;
        for (const Slot& s : old)
            if (s.key)
                insert(Sel::fromInfo(s.key), s.method);
    }
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash(sel) & mask;; i = (i + 1) & mask) {
        Slot& s = m_slots[i];
        if (s.key == sel.info()) {
            s.method = method;
            return;
        }
        if (!s.key) {
            s = { sel.info(), method };
            ++m_count;
            return;
        }
    }
}

void MethodCache::erase(Sel sel)
{
    if (m_slots.empty())
        return;
    std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash(sel) & mask;
    while (m_slots[i].key != sel.info()) {
        if (!m_slots[i].key)
            return;
        i = (i + 1) & mask;
    }
    // Backward-shift deletion: pull later members of the probe run into the hole, so lookups
    // never need tombstones.
    std::size_t hole = i;
    for (std::size_t j = (i + 1) & mask; m_slots[j].key; j = (j + 1) & mask) {
        std::size_t home = hash(Sel::fromInfo(m_slots[j].key)) & mask;
        bool movable = hole <= j ? (home <= hole || home > j) : (home <= hole && home > j);
        if (movable) {
            m_slots[hole] = m_slots[j];
            hole = j;
        }
    }
    m_slots[hole] = Slot {};
    --m_count;
}

} // namespace runtime

#pragma once
// A class's method cache: selector to method, open addressing with linear probing. Negative answers
// are cached too (method null), so a miss that repeats is as cheap as a hit. Entries are removed one
// selector at a time when that selector's answer may have changed.

#include "platform/runtime/Method.h"
#include <cstdint>
#include <vector>

namespace runtime {

class MethodCache {
public:
    // Found: `*out` is the cached answer (possibly null for "no such method").
    bool find(Sel sel, const Method** out) const
    {
        if (m_slots.empty())
            return false;
        std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash(sel) & mask;; i = (i + 1) & mask) {
            const Slot& s = m_slots[i];
            if (s.key == sel.info()) {
                *out = s.method;
                return true;
            }
            if (!s.key)
                return false;
        }
    }
    void insert(Sel sel, const Method*);
    void erase(Sel sel);
    void clear() { m_slots.clear(); m_count = 0; }

private:
    struct Slot {
        const SelectorInfo* key = nullptr;
        const Method* method = nullptr;
    };
    static std::size_t hash(Sel s)
    {
        auto p = reinterpret_cast<std::uintptr_t>(s.info());
        return (p >> 4) ^ (p >> 12);
    }
    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

} // namespace runtime

#pragma once
// A class's method cache: selector to the answer of a lookup, with the implementation and its type
// copied in so that a send touches one slot. Open addressing with linear probing; negative answers
// are cached too (method null), so a miss that repeats is as cheap as a hit. Entries are removed
// one selector at a time when that selector's answer, or its implementation, changes.

#include "platform/runtime/Method.h"
#include <cstdint>
#include <memory>

namespace runtime {

class MethodCache {
public:
    struct Entry {
        const SelectorInfo* key = nullptr;
        Imp imp = nullptr;
        const std::type_info* type = nullptr;
        const Method* method = nullptr;
    };

    // The cached answer, or null when the selector is not cached.
    const Entry* find(Sel sel) const
    {
        if (!m_slots)
            return nullptr;
        for (std::size_t i = hash(sel) & m_mask;; i = (i + 1) & m_mask) {
            const Entry& e = m_slots[i];
            if (e.key == sel.info())
                return &e;
            if (!e.key)
                return nullptr;
        }
    }
    const Entry* insert(Sel sel, const Method*);
    void erase(Sel sel);
    void clear();

private:
    static std::size_t hash(Sel s)
    {
        auto p = reinterpret_cast<std::uintptr_t>(s.info());
        return (p >> 4) ^ (p >> 12);
    }
    void grow();
    std::unique_ptr<Entry[]> m_slots;
    std::size_t m_mask = 0; // capacity - 1
    std::size_t m_count = 0;
};

} // namespace runtime

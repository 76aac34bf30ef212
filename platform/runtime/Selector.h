#pragma once
// Selectors: method names interned once, so that "touchesBegan:withEvent:" is one pointer wherever it
// is spelt, and a method lookup compares pointers, never strings.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace runtime {

struct SelectorInfo {
    std::string name;
    int argumentCount; // one per colon
};

class Sel {
public:
    constexpr Sel() = default;
    explicit Sel(std::string_view name); // interns
    static Sel fromInfo(const SelectorInfo* info) { Sel s; s.m_info = info; return s; }
    const std::string& name() const;
    int argumentCount() const { return m_info ? m_info->argumentCount : 0; }
    const SelectorInfo* info() const { return m_info; }
    explicit operator bool() const { return m_info != nullptr; }
    bool operator==(const Sel&) const = default;

private:
    const SelectorInfo* m_info = nullptr;
};

inline Sel sel(std::string_view name) { return Sel(name); }

} // namespace runtime

template<>
struct std::hash<runtime::Sel> {
    std::size_t operator()(runtime::Sel s) const noexcept { return std::hash<const void*>()(s.info()); }
};

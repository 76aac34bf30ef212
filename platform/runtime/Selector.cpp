#include "platform/runtime/Selector.h"
#include <algorithm>
#include <memory>
#include <unordered_map>

namespace runtime {

namespace {
struct Table {
    std::unordered_map<std::string_view, std::unique_ptr<SelectorInfo>> byName;
};
Table& table()
{
    static Table* t = new Table; // never destroyed: selectors outlive every static destructor
    return *t;
}
const std::string& emptyName()
{
    static const std::string* s = new std::string;
    return *s;
}
} // namespace

Sel::Sel(std::string_view name)
{
    auto& t = table();
    if (auto it = t.byName.find(name); it != t.byName.end()) {
        m_info = it->second.get();
        return;
    }
    auto info = std::make_unique<SelectorInfo>();
    info->name = std::string(name);
    info->argumentCount = int(std::count(name.begin(), name.end(), ':'));
    m_info = info.get();
    t.byName.emplace(std::string_view(info->name), std::move(info));
}

const std::string& Sel::name() const { return m_info ? m_info->name : emptyName(); }

} // namespace runtime

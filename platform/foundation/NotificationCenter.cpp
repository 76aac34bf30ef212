#include "platform/foundation/NotificationCenter.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <algorithm>

namespace foundation {

namespace {
[[maybe_unused]] const bool g_registered = [] {
    runtime::ClassBuilder("NSNotification", "NSObject").instancesOf<Notification>().registerClass();
    return true;
}();
} // namespace

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter* center = new NotificationCenter; // lives as long as the process
    return *center;
}

void NotificationCenter::addObserver(runtime::Object* observer, runtime::Sel selector, std::optional<std::string> name, runtime::Object* object)
{
    if (!observer || !selector)
        return;
    m_entries.push_back({ m_nextToken++, observer, true, selector, {}, std::move(name), object, object != nullptr });
}

int NotificationCenter::addObserver(std::optional<std::string> name, runtime::Object* object, Callback callback)
{
    int token = m_nextToken++;
    m_entries.push_back({ token, nullptr, false, {}, std::move(callback), std::move(name), object, object != nullptr });
    return token;
}

void NotificationCenter::removeObserver(runtime::Object* observer)
{
    for (Entry& e : m_entries)
        if (e.hasObserver && (e.observer.get() == observer || !e.observer))
            e.removed = true;
}

void NotificationCenter::removeObserver(int token)
{
    for (Entry& e : m_entries)
        if (e.token == token)
            e.removed = true;
}

void NotificationCenter::post(const std::string& name, runtime::Object* object, Value userInfo)
{
    if (m_listener)
        m_listener(name);
    auto note = runtime::alloc(runtime::lookUpClass("NSNotification"));
    auto* n = static_cast<Notification*>(note.get());
    n->name = name;
    n->object = object;
    n->userInfo = std::move(userInfo);

    // Observers may add or remove observers while they are called: walk by index over the
    // entries that existed when the post began, and compact only when no post is running.
    ++m_posting;
    std::size_t count = m_entries.size();
    for (std::size_t i = 0; i < count; ++i) {
        Entry& e = m_entries[i];
        if (e.removed || (e.name && *e.name != name))
            continue;
        if (e.hasObject && e.object.get() != object)
            continue;
        if (e.hasObserver) {
            runtime::Ref<runtime::Object> observer = e.observer.strong(); // alive while it runs
            if (!observer) {
                e.removed = true;
                continue;
            }
            runtime::Sel sel = e.selector;
            runtime::send(observer, sel, note);
        } else {
            Callback cb = e.callback; // the entry may move while the callback runs
            cb(*n);
        }
    }
    if (--m_posting == 0)
        std::erase_if(m_entries, [](const Entry& e) { return e.removed; });
}

} // namespace foundation

#pragma once
// The default notification centre: named notifications delivered synchronously, on the posting
// thread, to the observers registered for that name (or for every name) and that object (or for
// every object), in the order they registered. Observers are held weakly: one that goes away is
// simply no longer called.

#include "platform/foundation/Value.h"
#include "platform/runtime/Ref.h"
#include "platform/runtime/Selector.h"
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace foundation {

class Notification final : public runtime::Object {
public:
    std::string name;
    runtime::WeakRef<runtime::Object> object;
    Value userInfo;
};

class NotificationCenter {
public:
    static NotificationCenter& defaultCenter();

    // The observer is sent `selector` (taking the notification as `Object*`). An empty name
    // observes every name; a null object every sender.
    void addObserver(runtime::Object* observer, runtime::Sel selector, std::optional<std::string> name, runtime::Object* object = nullptr);
    // A callback observer; answers a token for removal.
    using Callback = std::function<void(const Notification&)>;
    int addObserver(std::optional<std::string> name, runtime::Object* object, Callback);

    void removeObserver(runtime::Object* observer);
    void removeObserver(int token);

    void post(const std::string& name, runtime::Object* object = nullptr, Value userInfo = {});

    // Lets the host record every post in its trace; one listener at most.
    using PostListener = std::function<void(const std::string& name)>;
    void setPostListener(PostListener l) { m_listener = std::move(l); }

private:
    struct Entry {
        int token;
        runtime::WeakRef<runtime::Object> observer;
        bool hasObserver;
        runtime::Sel selector;
        Callback callback;
        std::optional<std::string> name;
        runtime::WeakRef<runtime::Object> object;
        bool hasObject;
        bool removed = false;
    };
    std::vector<Entry> m_entries;
    int m_nextToken = 1;
    int m_posting = 0;
    PostListener m_listener;
};

} // namespace foundation

#pragma once
// Ownership in types: `Ref<T>` owns (retains) an object, `WeakRef<T>` refers to one without owning
// it and reads as nothing once the object is gone.

#include "platform/runtime/Object.h"
#include <cstddef>
#include <utility>

namespace runtime {

template<class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) { }
    // Takes a new reference (retains).
    Ref(T* p) : m_ptr(p) { if (m_ptr) m_ptr->retain(); }
    Ref(const Ref& o) : Ref(o.m_ptr) { }
    Ref(Ref&& o) noexcept : m_ptr(std::exchange(o.m_ptr, nullptr)) { }
    template<class U>
    Ref(const Ref<U>& o) : Ref(static_cast<T*>(o.get())) { }
    template<class U>
    Ref(Ref<U>&& o) noexcept : m_ptr(static_cast<T*>(o.leak())) { }
    ~Ref() { if (m_ptr) m_ptr->release(); }

    Ref& operator=(Ref o) noexcept { std::swap(m_ptr, o.m_ptr); return *this; }

    // Wraps an object whose +1 reference the caller hands over (a fresh alloc).
    static Ref adopt(T* p) { Ref r; r.m_ptr = p; return r; }
    T* leak() { return std::exchange(m_ptr, nullptr); }

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    operator T*() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

private:
    T* m_ptr = nullptr;
};

template<class T>
Ref<T> adoptRef(T* p) { return Ref<T>::adopt(p); }

template<class T>
class WeakRef {
public:
    WeakRef() = default;
    WeakRef(std::nullptr_t) { }
    WeakRef(T* p) { reset(p); }
    WeakRef(const WeakRef& o) : m_control(o.m_control) { if (m_control) m_control->retain(); }
    WeakRef& operator=(const WeakRef& o)
    {
        WeakRef copy(o);
        std::swap(m_control, copy.m_control);
        return *this;
    }
    WeakRef& operator=(T* p) { reset(p); return *this; }
    ~WeakRef() { if (m_control) m_control->release(); }

    T* get() const { return m_control ? static_cast<T*>(m_control->object) : nullptr; }
    T* operator->() const { return get(); }
    operator T*() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }
    Ref<T> strong() const { return Ref<T>(get()); }

    void reset(T* p = nullptr)
    {
        WeakControl* next = p ? static_cast<Object*>(p)->weakControl() : nullptr;
        if (next)
            next->retain();
        if (m_control)
            m_control->release();
        m_control = next;
    }

private:
    WeakControl* m_control = nullptr;
};

} // namespace runtime

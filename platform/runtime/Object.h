#pragma once
// The root of every runtime object. An object knows its class (`isa`), counts its owners and can be
// referred to weakly. When the last owner lets go, the object is sent "dealloc" through the runtime,
// so a class (or a hook) can take part in its teardown; the root class's "dealloc" destroys it.
//
// Everything runs on the main thread, so the counts are plain integers.

#include <cstdint>

namespace runtime {

class Class;
struct WeakControl;

class Object {
public:
    Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    Class* isa() const { return m_isa; }

    void retain() { ++m_refCount; }
    void release(); // may delete `this`
    int retainCount() const { return m_refCount; }

    // Used by the runtime only.
    void setIsa(Class* cls) { m_isa = cls; }
    WeakControl* weakControl(); // made on first use
    void destroy();             // the root "dealloc": zeroes weak references, then deletes

protected:
    virtual ~Object();

private:
    friend class Class;
    friend class Runtime;
    Class* m_isa = nullptr;
    std::int32_t m_refCount = 1;
    bool m_immortal = false; // classes and metaclasses
    WeakControl* m_weak = nullptr;
};

// Objects made and not yet destroyed, classes included: a steady number across repeated work shows
// that the work leaks no objects.
std::int64_t liveObjectCount();

// Shared between an object and its weak references; outlives the object while weak references
// remain, and then tells them the object is gone.
struct WeakControl {
    Object* object;
    std::int32_t weakCount;
    void retain() { ++weakCount; }
    void release()
    {
        if (--weakCount == 0)
            delete this;
    }
};

} // namespace runtime

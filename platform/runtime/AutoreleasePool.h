#pragma once
// A pool for temporary objects: what is autoreleased while a pool is open is released when the
// innermost pool closes. Pools nest; with no pool open, autorelease keeps the object alive
// until the process ends (the phone would leak it too).

#include "platform/runtime/Object.h"
#include <vector>

namespace runtime {

class AutoreleasePool {
public:
    AutoreleasePool();
    ~AutoreleasePool();
    AutoreleasePool(const AutoreleasePool&) = delete;
    AutoreleasePool& operator=(const AutoreleasePool&) = delete;

private:
    std::vector<Object*> m_objects;
    AutoreleasePool* m_outer;
    friend Object* autorelease(Object*);
};

// Hands the caller's reference to the innermost pool; answers the object.
Object* autorelease(Object*);

} // namespace runtime

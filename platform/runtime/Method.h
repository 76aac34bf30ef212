#pragma once
// A method: a selector, an implementation and the implementation's exact C++ type. Implementations
// are plain functions `R (*)(Object* self, Sel cmd, Args...)`; the type is kept so that a typed
// send can refuse to call through the wrong one.

#include "platform/runtime/Selector.h"
#include <typeinfo>

namespace runtime {

class Object;
using Imp = void (*)();

template<class R, class... Args>
using ImpOf = R (*)(Object*, Sel, Args...);

struct Signature {
    const std::type_info* type = nullptr;
    bool operator==(const Signature& o) const
    {
        // Pointer equality is the common case; names compare equal across shared objects.
        return type == o.type || (type && o.type && *type == *o.type);
    }
    template<class R, class... Args>
    static Signature of(ImpOf<R, Args...>) { return { &typeid(ImpOf<R, Args...>) }; }
};

struct Image; // a loaded program or library, see Image.h
class Class;

struct Method {
    Sel selector;
    Imp imp;
    Signature signature;
    const Image* image; // where `imp` lives
    Class* owner;       // the class whose table holds it
};

// Pairs a typed function with its signature for registration.
struct TypedImp {
    Imp imp;
    Signature signature;
    template<class R, class... Args>
    TypedImp(ImpOf<R, Args...> f) : imp(reinterpret_cast<Imp>(f)), signature(Signature::of(f)) { }
    TypedImp(Imp i, Signature s) : imp(i), signature(s) { }
};

} // namespace runtime

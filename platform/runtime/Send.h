#pragma once
// Typed message sends. `send<R>(obj, sel, args...)` finds the method through the object's class
// (cached) and calls it as `R (*)(Object*, Sel, Args...)`, after checking that this is exactly the
// implementation's type: calling through a wrong type is a programming error, reported loudly,
// never performed. A send to nothing, or of a selector the object does not answer, does nothing and
// answers zero, false, nothing or a zero rectangle (R{}).
//
// Argument types are normalised before the check: any pointer to an Object subclass, and any
// Ref/WeakRef, travels as `Object*`; everything else as its decayed type, so pass the exact
// arithmetic type the method takes (a double as 1.0, not 1).

#include "platform/runtime/Class.h"
#include "platform/runtime/Ref.h"
#include <type_traits>

namespace runtime {

namespace detail {
template<class T>
struct Arg {
    using D = std::decay_t<T>;
    static constexpr bool isObjectPointer = std::is_pointer_v<D> && std::is_base_of_v<Object, std::remove_cv_t<std::remove_pointer_t<D>>>;
    using Type = std::conditional_t<isObjectPointer, Object*, D>;
};
template<class U>
struct Arg<Ref<U>> { using Type = Object*; };
template<class U>
struct Arg<Ref<U>&> { using Type = Object*; };
template<class U>
struct Arg<const Ref<U>&> { using Type = Object*; };
template<class U>
struct Arg<WeakRef<U>> { using Type = Object*; };
template<class U>
struct Arg<WeakRef<U>&> { using Type = Object*; };
template<class U>
struct Arg<const WeakRef<U>&> { using Type = Object*; };
template<>
struct Arg<std::nullptr_t> { using Type = Object*; };
template<class T>
using ArgT = typename Arg<T>::Type;

template<class T>
ArgT<T> pass(T&& v)
{
    if constexpr (std::is_same_v<std::decay_t<T>, std::nullptr_t>)
        return nullptr;
    else if constexpr (std::is_same_v<ArgT<T>, Object*> && !std::is_pointer_v<std::decay_t<T>>)
        return static_cast<Object*>(v.get());
    else
        return static_cast<ArgT<T>>(v);
}

[[gnu::cold]] void signatureMismatch(const Object*, Sel, const Method*, const std::type_info& wanted);

template<class R>
R zero()
{
    if constexpr (!std::is_void_v<R>)
        return R {};
}
} // namespace detail

// Calls one method's implementation with checked types (used for kept previous implementations).
template<class R, class... Args>
R callMethod(const Method* m, Object* obj, Sel sel, Args... args)
{
    using Fn = ImpOf<R, Args...>;
    if (!m || !m->imp)
        return detail::zero<R>();
    if (m->signature.type != &typeid(Fn) && !(m->signature == Signature { &typeid(Fn) })) [[unlikely]] {
        detail::signatureMismatch(obj, sel, m, typeid(Fn));
        return detail::zero<R>();
    }
    return reinterpret_cast<Fn>(m->imp)(obj, sel, args...);
}

template<class R, class... Args>
R callImp(Imp imp, Signature signature, Object* obj, Sel sel, Args... args)
{
    Method m { sel, imp, signature, nullptr, nullptr };
    return callMethod<R, Args...>(&m, obj, sel, args...);
}

namespace detail {
template<class R, class... Args>
[[gnu::always_inline]] inline R callEntry(const MethodCache::Entry& e, Object* obj, Sel sel, Args... args)
{
    using Fn = ImpOf<R, Args...>;
    if (!e.imp)
        return zero<R>();
    if (e.type != &typeid(Fn)) [[unlikely]] {
        if (!(Signature { e.type } == Signature { &typeid(Fn) })) {
            signatureMismatch(obj, sel, e.method, typeid(Fn));
            return zero<R>();
        }
    }
    return reinterpret_cast<Fn>(e.imp)(obj, sel, args...);
}
} // namespace detail

// Inlined at the call site: a cache hit costs a few loads, one compare of the type and one
// indirect call; the miss path stays out of line.
template<class R = void, class... Args>
[[gnu::always_inline]] inline R send(const Object* target, Sel sel, Args&&... args)
{
    Object* obj = const_cast<Object*>(target);
    if (!obj)
        return detail::zero<R>();
    const MethodCache::Entry* e = obj->isa()->cacheFind(sel);
    if (!e) [[unlikely]]
        e = &obj->isa()->cachedLookUp(sel);
    return detail::callEntry<R, detail::ArgT<Args>...>(*e, obj, sel, detail::pass(std::forward<Args>(args))...);
}

// Sends to the implementation above `cls` (the class whose method is calling), as `super` does.
template<class R = void, class... Args>
R sendSuper(Class* cls, const Object* target, Sel sel, Args&&... args)
{
    Object* obj = const_cast<Object*>(target);
    if (!obj || !cls || !cls->superclass())
        return detail::zero<R>();
    return detail::callEntry<R, detail::ArgT<Args>...>(cls->superclass()->cachedLookUp(sel), obj, sel, detail::pass(std::forward<Args>(args))...);
}

} // namespace runtime

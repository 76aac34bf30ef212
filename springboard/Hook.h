#pragma once
// The interception layer: how the library puts its replacements into the host's classes while
// keeping each host method reachable underneath.
//
// A `HookPoint` names one host method and its exact type, and holds the slot with the previous
// implementation. Installing a replacement R for method M of class C:
//
//   M not found on C or its ancestors  ->  nothing installed, slot stays empty
//   C only inherits M                  ->  R is added to C itself; the slot holds the super
//                                          fallback, which finds M on C's superclass at each
//                                          call, so it reaches the implementation current then
//   C has its own M                    ->  M's implementation is exchanged for R; the slot
//                                          holds the one it replaced
//
// A replacement calls `point.callPrevious(self, cmd, args...)` to run the host's behaviour.

#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace ombrel {

using runtime::Object;
using runtime::Sel;

struct HookSlot {
    runtime::Imp previous = nullptr;
    runtime::Class* superclass = nullptr; // captured at installation, for the super fallback
};

template<class Signature>
class HookPoint;

template<class R, class... Args>
class HookPoint<R(Args...)> {
public:
    using Fn = runtime::ImpOf<R, Args...>;

    constexpr HookPoint(const char* className, const char* selector, bool classMethod = false)
        : className(className), selector(selector), classMethod(classMethod) { }

    // The host's behaviour: the previous implementation or the super fallback. Answers zero when
    // the hook was never installed.
    R callPrevious(Object* self, Sel cmd, Args... args) const
    {
        if (!slot.previous)
            return runtime::detail::zero<R>();
        return reinterpret_cast<Fn>(slot.previous)(self, cmd, args...);
    }
    bool installed() const { return slot.previous != nullptr; }

    // Finds the method on the superclass captured at installation, at call time.
    template<const HookPoint* Point>
    static R superFallback(Object* self, Sel cmd, Args... args)
    {
        runtime::Method* m = runtime::getInstanceMethod(Point->slot.superclass, cmd);
        return runtime::callMethod<R, Args...>(m, self, cmd, args...);
    }

    // Until a replacement has behaviour of its own, it is the host's method.
    template<const HookPoint* Point>
    static R passThrough(Object* self, Sel cmd, Args... args)
    {
        return Point->callPrevious(self, cmd, args...);
    }

    const char* className;
    const char* selector;
    bool classMethod;
    mutable HookSlot slot;
};

// An added method that has no behaviour yet answers nothing.
template<class R, class... Args>
R answerNothing(Object*, Sel, Args...)
{
    return runtime::detail::zero<R>();
}

// One line of the hook table.
struct HookEntry {
    enum class Kind { Replace, Add };
    Kind kind;
    const char* className;
    const char* selector;
    bool classMethod;
    runtime::TypedImp imp;
    runtime::TypedImp fallback; // Replace only
    HookSlot* slot;             // Replace only
};

template<const auto* Point>
HookEntry replace(typename std::remove_cvref_t<decltype(*Point)>::Fn replacement = nullptr)
{
    using P = std::remove_cvref_t<decltype(*Point)>;
    typename P::Fn r = replacement ? replacement : &P::template passThrough<Point>;
    typename P::Fn s = &P::template superFallback<Point>;
    return { HookEntry::Kind::Replace, Point->className, Point->selector, Point->classMethod, r, s, &Point->slot };
}

inline HookEntry add(const char* className, const char* selector, runtime::TypedImp imp)
{
    return { HookEntry::Kind::Add, className, selector, false, imp, imp, nullptr };
}

// What installing one entry did, for the installation report.
enum class HookOutcome {
    Exchanged,     // replaced the class's own method
    AddedOverride, // the class only inherited it: replacement added, super fallback in the slot
    Added,         // added method
    KeptHost,      // added method refused: the class has its own
    MissingClass,
    MissingMethod,
    WrongSignature, // the host's method has another type: a programming error, reported
};

struct HookRecord {
    const char* className;
    const char* selector;
    HookEntry::Kind kind;
    HookOutcome outcome;
};

HookRecord install(const HookEntry&);

inline const char* outcomeName(HookOutcome o)
{
    switch (o) {
    case HookOutcome::Exchanged: return "exchanged";
    case HookOutcome::AddedOverride: return "added-override";
    case HookOutcome::Added: return "added";
    case HookOutcome::KeptHost: return "kept-host";
    case HookOutcome::MissingClass: return "missing-class";
    case HookOutcome::MissingMethod: return "missing-method";
    case HookOutcome::WrongSignature: return "wrong-signature";
    }
    return "?";
}

} // namespace ombrel

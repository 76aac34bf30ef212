#include "springboard/Hook.h"
#include <cstdio>

namespace ombrel {

namespace {

HookOutcome installReplacement(runtime::Class* cls, const HookEntry& e)
{
    Sel sel(e.selector);
    runtime::Method* found = runtime::getInstanceMethod(cls, sel);
    if (!found)
        return HookOutcome::MissingMethod;
    if (!(found->signature == e.imp.signature)) {
        std::fprintf(stderr, "Ombrel: %s %s has another type than its replacement; left alone\n", e.className, e.selector);
        return HookOutcome::WrongSignature;
    }
    e.slot->superclass = cls->superclass();
    e.slot->previous = e.fallback.imp;
    if (runtime::addMethod(cls, sel, e.imp))
        return HookOutcome::AddedOverride;
    runtime::Method* own = cls->ownMethod(sel);
    e.slot->previous = own->imp;
    e.slot->previous = runtime::setImplementation(own, e.imp);
    return HookOutcome::Exchanged;
}

} // namespace

HookRecord install(const HookEntry& e)
{
    HookRecord record { e.className, e.selector, e.kind, HookOutcome::MissingClass };
    runtime::Class* cls = runtime::lookUpClass(e.className);
    if (cls && e.classMethod)
        cls = cls->metaclass();
    if (!cls)
        return record;
    if (e.kind == HookEntry::Kind::Replace)
        record.outcome = installReplacement(cls, e);
    else
        record.outcome = runtime::addMethod(cls, Sel(e.selector), e.imp) ? HookOutcome::Added : HookOutcome::KeptHost;
    return record;
}

} // namespace ombrel

#include "platform/runtime/Class.h"

namespace runtime {

Method* Class::ownMethod(Sel sel) const
{
    auto it = m_methods.find(sel);
    return it == m_methods.end() ? nullptr : it->second.get();
}

const MethodCache::Entry& Class::lookUpSlow(Sel sel)
{
    const Method* found = nullptr;
    for (const Class* c = this; c && !found; c = c->m_superclass)
        found = c->ownMethod(sel);
    return *m_cache.insert(sel, found);
}

void Class::flushCache(Sel sel)
{
    m_cache.erase(sel);
    for (Class* sub : m_subclasses)
        sub->flushCache(sel);
}

const Ivar* Class::ivar(const std::string& name) const
{
    for (const Class* c = this; c; c = c->m_superclass)
        for (const Ivar& iv : c->m_ivars)
            if (iv.name == name)
                return &iv;
    return nullptr;
}

Object* Class::allocRaw()
{
    for (const Class* c = this; c; c = c->m_superclass) {
        if (c->m_factory) {
            Object* obj = c->m_factory();
            obj->setIsa(this);
            return obj;
        }
    }
    return nullptr;
}

} // namespace runtime

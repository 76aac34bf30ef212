#pragma once
// A class: a name, a superclass, a method table, a cache, named instance fields and the image that
// registered it. A class is itself an object whose class is its metaclass; class methods live in
// the metaclass's table.

#include "platform/runtime/Method.h"
#include "platform/runtime/MethodCache.h"
#include "platform/runtime/Object.h"
#include <memory>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace runtime {

struct Image;

// A named field of instances ("_iconModel"), read by name from outside the class.
struct Ivar {
    std::string name;
    const std::type_info* type;   // the C++ type of the field
    void* (*address)(Object*);    // where the field lives in an instance
    Object* (*object)(Object*);   // the field read as an object, for object fields; else null
};

class Class final : public Object {
public:
    using Factory = Object* (*)();

    const std::string& name() const { return m_name; }
    Class* superclass() const { return m_superclass; }
    Class* metaclass() const { return isa(); }
    bool isMetaclass() const { return m_isMeta; }
    const Image* image() const { return m_image; }
    const std::vector<Class*>& subclasses() const { return m_subclasses; }

    // Lookup through the hierarchy, answered from the cache once asked.
    const MethodCache::Entry& cachedLookUp(Sel sel)
    {
        if (const MethodCache::Entry* e = m_cache.find(sel))
            return *e;
        return lookUpSlow(sel);
    }
    const Method* lookUp(Sel sel) { return cachedLookUp(sel).method; }
    const MethodCache::Entry* cacheFind(Sel sel) const { return m_cache.find(sel); }
    // This class's own method, not inherited ones.
    Method* ownMethod(Sel sel) const;
    const std::unordered_map<Sel, std::unique_ptr<Method>>& ownMethods() const { return m_methods; }

    const Ivar* ivar(const std::string& name) const; // through the hierarchy
    const std::vector<Ivar>& ownIvars() const { return m_ivars; } // in declaration order

    // A new instance (+1, the caller owns it); nothing for a class without a factory.
    Object* allocRaw();

private:
    friend class Runtime;
    friend struct ClassAccess;
    Class() = default;
    ~Class() override = default;
    [[gnu::noinline]] const MethodCache::Entry& lookUpSlow(Sel sel);
    void flushCache(Sel sel); // this class and every subclass

    std::string m_name;
    Class* m_superclass = nullptr;
    bool m_isMeta = false;
    bool m_removed = false;
    const Image* m_image = nullptr;
    Factory m_factory = nullptr;
    std::unordered_map<Sel, std::unique_ptr<Method>> m_methods;
    std::vector<Ivar> m_ivars;
    std::vector<Class*> m_subclasses;
    MethodCache m_cache;
};

} // namespace runtime

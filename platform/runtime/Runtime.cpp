#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <unordered_map>

namespace runtime {

// The process-wide class table. Everything runs on the main thread, so it takes no lock.
class Runtime {
public:
    static Runtime& shared()
    {
        static Runtime* r = new Runtime; // never destroyed: objects may be released during exit
        return *r;
    }

    Class* lookUp(std::string_view name)
    {
        auto it = m_classes.find(name);
        return it == m_classes.end() ? nullptr : it->second;
    }

    Class* makeClass(std::string name, Class* superclass, const Image* image)
    {
        if (lookUp(name))
            return nullptr;
        Class* meta = new Class;
        Class* cls = new Class;
        meta->m_immortal = cls->m_immortal = true;
        meta->m_name = cls->m_name = std::move(name);
        meta->m_isMeta = true;
        meta->m_image = cls->m_image = image;
        cls->m_superclass = superclass;
        // A root class's metaclass inherits from the root class itself, so classes answer the
        // root's instance methods too.
        meta->m_superclass = superclass ? superclass->metaclass() : cls;
        Class* rootMeta = meta;
        for (Class* c = superclass; c; c = c->m_superclass)
            rootMeta = c->metaclass();
        meta->setIsa(rootMeta);
        cls->setIsa(meta);
        if (superclass) {
            superclass->m_subclasses.push_back(cls);
            superclass->metaclass()->m_subclasses.push_back(meta);
        } else {
            cls->m_subclasses.push_back(meta);
        }
        m_classes.emplace(std::string_view(cls->m_name), cls);
        m_all.push_back(cls);
        return cls;
    }

    bool add(Class* cls, Sel sel, const TypedImp& imp, const Image* image)
    {
        if (!cls || !sel || cls->ownMethod(sel))
            return false;
        cls->m_methods.emplace(sel, std::make_unique<Method>(Method { sel, imp.imp, imp.signature, image, cls }));
        cls->flushCache(sel);
        return true;
    }

    void removeImage(const Image* image)
    {
        if (!image)
            return;
        // Its classes first: out of the name table and the hierarchy. The class objects stay
        // allocated (retired) so that a stale pointer to one is not a pointer to freed memory.
        for (Class* cls : m_all) {
            if (cls->m_image != image || cls->m_removed)
                continue;
            cls->m_removed = true;
            m_classes.erase(cls->m_name);
            if (Class* super = cls->m_superclass) {
                std::erase(super->m_subclasses, cls);
                std::erase(super->metaclass()->m_subclasses, cls->metaclass());
            }
        }
        // Then what it added to other classes, and implementations it put into their methods:
        // none of them may be called once its code is unmapped.
        for (Class* cls : m_all) {
            if (cls->m_removed)
                continue;
            for (Class* c : { cls, cls->metaclass() }) {
                std::vector<Sel> gone;
                for (auto& [sel, m] : c->m_methods)
                    if (m->image == image)
                        gone.push_back(sel);
                for (Sel s : gone) {
                    c->flushCache(s);
                    c->m_methods.erase(s);
                }
            }
        }
        for (Class* c : m_all)
            if (c->m_removed)
                m_retired.push_back(c);
        std::erase_if(m_all, [](Class* c) { return c->m_removed; });
    }

private:
    friend struct ClassAccess;
    std::unordered_map<std::string_view, Class*> m_classes;
    std::vector<Class*> m_all;
    std::vector<Class*> m_retired;
};

namespace {

void rootDealloc(Object* self, Sel) { self->destroy(); }
Object* rootInit(Object* self, Sel) { return self; }
bool rootRespondsToSelector(Object* self, Sel, Sel query) { return respondsToSelector(self, query); }

// The root class every registered hierarchy starts from.
[[maybe_unused]] const bool g_rootRegistered = [] {
    ClassBuilder("NSObject", "")
        .method("dealloc", &rootDealloc)
        .method("init", &rootInit)
        .method("respondsToSelector:", &rootRespondsToSelector)
        .registerClass();
    return true;
}();

} // namespace

struct ClassAccess {
    static void setFactory(Class* c, Class::Factory f) { c->m_factory = f; }
    static void addIvar(Class* c, Ivar iv) { c->m_ivars.push_back(std::move(iv)); }
    static void flush(Class* c, Sel s) { if (c) c->flushCache(s); }
};

Class* lookUpClass(std::string_view name) { return Runtime::shared().lookUp(name); }
Class* classOf(const Object* obj) { return obj ? obj->isa() : nullptr; }

Method* getInstanceMethod(Class* cls, Sel sel)
{
    for (Class* c = cls; c; c = c->superclass())
        if (Method* m = c->ownMethod(sel))
            return m;
    return nullptr;
}

Method* getClassMethod(Class* cls, Sel sel) { return cls ? getInstanceMethod(cls->metaclass(), sel) : nullptr; }

bool addMethod(Class* cls, Sel sel, TypedImp imp, const Image* image)
{
    return Runtime::shared().add(cls, sel, imp, image);
}

Imp setImplementation(Method* m, TypedImp imp, const Image* image)
{
    if (!m || !(m->signature == imp.signature))
        return nullptr;
    m->image = image;
    Imp old = std::exchange(m->imp, imp.imp);
    // Caches carry a copy of the implementation: flush this selector where it may be cached.
    ClassAccess::flush(m->owner, m->selector);
    return old;
}

bool respondsToSelector(const Object* obj, Sel sel) { return obj && sel && obj->isa()->lookUp(sel); }

bool isSubclassOf(const Class* cls, const Class* ancestor)
{
    for (const Class* c = cls; c && ancestor; c = c->superclass())
        if (c == ancestor)
            return true;
    return false;
}

bool isKindOfClass(const Object* obj, const Class* cls) { return obj && isSubclassOf(obj->isa(), cls); }

Ref<Object> alloc(Class* cls) { return adoptRef(cls ? cls->allocRaw() : nullptr); }

Object* ivarObject(const Object* obj, const std::string& name)
{
    const Ivar* iv = obj ? obj->isa()->ivar(name) : nullptr;
    return iv && iv->object ? iv->object(const_cast<Object*>(obj)) : nullptr;
}

void removeImage(const Image* image) { Runtime::shared().removeImage(image); }

// ClassBuilder

struct ClassBuilder::Pending {
    std::string name;
    Class* superclass = nullptr;
    bool valid = true;
    const Image* image = nullptr;
    Class::Factory factory = nullptr;
    std::vector<std::pair<Sel, TypedImp>> methods, classMethods;
    std::vector<Ivar> ivars;
};



ClassBuilder::ClassBuilder(std::string name, std::string_view superclassName, const Image* image)
    : m_pending(new Pending)
{
    m_pending->name = std::move(name);
    m_pending->image = image;
    if (!superclassName.empty()) {
        m_pending->superclass = lookUpClass(superclassName);
        m_pending->valid = m_pending->superclass != nullptr;
    }
}

ClassBuilder::~ClassBuilder() { delete m_pending; }

ClassBuilder& ClassBuilder::factory(Class::Factory f)
{
    m_pending->factory = f;
    return *this;
}

ClassBuilder& ClassBuilder::method(std::string_view selector, TypedImp imp)
{
    m_pending->methods.emplace_back(Sel(selector), imp);
    return *this;
}

ClassBuilder& ClassBuilder::classMethod(std::string_view selector, TypedImp imp)
{
    m_pending->classMethods.emplace_back(Sel(selector), imp);
    return *this;
}

ClassBuilder& ClassBuilder::addIvar(Ivar iv)
{
    m_pending->ivars.push_back(std::move(iv));
    return *this;
}

Class* ClassBuilder::registerClass()
{
    Pending& p = *m_pending;
    if (!p.valid)
        return nullptr;
    auto& rt = Runtime::shared();
    Class* cls = rt.makeClass(p.name, p.superclass, p.image);
    if (!cls)
        return nullptr;
    ClassAccess::setFactory(cls, p.factory);
    for (auto& iv : p.ivars)
        ClassAccess::addIvar(cls, std::move(iv));
    for (auto& [sel, imp] : p.methods)
        rt.add(cls, sel, imp, p.image);
    for (auto& [sel, imp] : p.classMethods)
        rt.add(cls->metaclass(), sel, imp, p.image);
    p.valid = false; // a builder registers once
    return cls;
}

namespace detail {

std::string demangle(const char* name)
{
    int status = 0;
    char* s = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    std::string out = status == 0 && s ? s : name;
    std::free(s);
    return out;
}

void signatureMismatch(const Object* obj, Sel sel, const Method* m, const std::type_info& wanted)
{
    std::fprintf(stderr, "runtime: refused to call %c[%s %s] as %s: its implementation is %s\n",
        obj && obj->isa()->isMetaclass() ? '+' : '-', obj ? obj->isa()->name().c_str() : "nil",
        sel.name().c_str(), demangle(wanted.name()).c_str(),
        m->signature.type ? demangle(m->signature.type->name()).c_str() : "untyped");
#ifndef NDEBUG
    std::abort();
#endif
}

} // namespace detail

} // namespace runtime

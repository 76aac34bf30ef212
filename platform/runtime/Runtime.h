#pragma once
// The runtime's operations: classes by name, registering classes, adding and exchanging methods,
// asking objects what they are and what they answer, and unloading an image's classes.
//
// Every operation accepts nothing (a null class or object) and then does nothing and answers
// nothing, false or zero, as the phone's runtime does.

#include "platform/runtime/Class.h"
#include "platform/runtime/Image.h"
#include "platform/runtime/Ref.h"
#include <string>
#include <string_view>
#include <type_traits>

namespace runtime {

Class* lookUpClass(std::string_view name); // nothing when absent
Class* classOf(const Object*);

// Through the class hierarchy; nothing when neither the class nor an ancestor has it.
Method* getInstanceMethod(Class*, Sel);
Method* getClassMethod(Class*, Sel);
// Adds to the class itself. Refused (false) when the class itself already has a method of that
// name; an inherited one is overridden.
bool addMethod(Class*, Sel, TypedImp, const Image* image = thisImage());
// Exchanges the implementation, keeping the method's signature; answers the implementation it
// replaced. Refused (nothing) when the new implementation's signature differs.
Imp setImplementation(Method*, TypedImp, const Image* image = thisImage());

bool respondsToSelector(const Object*, Sel);
bool isKindOfClass(const Object*, const Class*);
bool isSubclassOf(const Class*, const Class*);

// A new instance (+1) of the class, made by the nearest factory up the hierarchy.
Ref<Object> alloc(Class*);

// Reads a named instance field ("_iconModel") through the hierarchy. An absent field, or one of
// another type, reads as nothing.
Object* ivarObject(const Object*, const std::string& name);
template<class T>
T* ivarAddress(Object* obj, const std::string& name)
{
    const Ivar* iv = obj ? obj->isa()->ivar(name) : nullptr;
    if (!iv || *iv->type != typeid(T))
        return nullptr;
    return static_cast<T*>(iv->address(obj));
}

// Takes away the classes that the image registered and the methods whose implementations live in
// it; called before a bundle's code is unmapped. Instances of those classes must be gone by then.
void removeImage(const Image*);

// Builds and registers one class (and its metaclass).
class ClassBuilder {
public:
    // A root class when superclassName is empty; nothing is registered when the superclass is
    // missing or the name is taken.
    ClassBuilder(std::string name, std::string_view superclassName, const Image* image = thisImage());
    ~ClassBuilder();
    ClassBuilder(const ClassBuilder&) = delete;
    ClassBuilder& operator=(const ClassBuilder&) = delete;

    // Instances of this class are the C++ type T (default constructible, derived from Object).
    template<class T>
    ClassBuilder& instancesOf()
    {
        static_assert(std::is_base_of_v<Object, T>);
        return factory([]() -> Object* { return new T; });
    }
    ClassBuilder& factory(Class::Factory);
    ClassBuilder& method(std::string_view selector, TypedImp);
    ClassBuilder& classMethod(std::string_view selector, TypedImp);
    // A named field: `.ivar<&SBIconController::m_iconModel>("_iconModel")`.
    template<auto Member>
    ClassBuilder& ivar(std::string name);

    // Registers the class; nothing when it could not be.
    Class* registerClass();

private:
    ClassBuilder& addIvar(Ivar);
    struct Pending;
    Pending* m_pending;
};

namespace detail {
template<class>
struct MemberTraits;
template<class C, class F>
struct MemberTraits<F C::*> {
    using Owner = C;
    using Field = F;
};
template<class F>
Object* asObject(F& f)
{
    if constexpr (std::is_pointer_v<F> && std::is_base_of_v<Object, std::remove_pointer_t<F>>)
        return f;
    else if constexpr (requires { f.get(); } && std::is_pointer_v<decltype(f.get())>)
        return static_cast<Object*>(f.get());
    else
        return nullptr;
}
template<class F>
constexpr bool isObjectField = (std::is_pointer_v<F> && std::is_base_of_v<Object, std::remove_pointer_t<F>>)
    || requires(F f) { static_cast<Object*>(f.get()); };
} // namespace detail

template<auto Member>
ClassBuilder& ClassBuilder::ivar(std::string name)
{
    using Traits = detail::MemberTraits<decltype(Member)>;
    using Owner = typename Traits::Owner;
    using Field = typename Traits::Field;
    Ivar iv;
    iv.name = std::move(name);
    iv.type = &typeid(Field);
    iv.address = [](Object* o) -> void* { return &(static_cast<Owner*>(o)->*Member); };
    iv.object = nullptr;
    if constexpr (detail::isObjectField<Field>)
        iv.object = [](Object* o) -> Object* { return detail::asObject(static_cast<Owner*>(o)->*Member); };
    return addIvar(std::move(iv));
}

} // namespace runtime

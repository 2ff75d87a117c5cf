#pragma once
// Run-time class records and the root of all persistent objects.
//
// Every class derived from CObject that declares itself dynamic, creatable or serializable
// carries a CRuntimeClass record: its name, schema, factory and base class. Serializable
// classes are also registered by name, so an archive can create them from a stored name.
//
//   // Shape.h                          // Shape.cpp
//   class CShape : public CObject {     IMPLEMENT_SERIAL(CShape, CObject, VERSIONABLE_SCHEMA | 1)
//       DECLARE_SERIAL(CShape)
//   public:
//       void Serialize(CArchive& ar) override;
//   };
//
// The records are constant-initialized, and the name registry is created on first use, so
// both are valid during static initialization in any order.

#include <string_view>
#include <type_traits>

#include "platform/Types.h"

class CArchive;
class CObject;

// Schema flag: the reader accepts any stored schema and passes it on through
// CArchive::GetObjectSchema.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;
// Schema of classes that are not serializable.
constexpr UINT kNoSchema = 0xFFFF;

struct CRuntimeClass {
    const char* m_lpszClassName;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();  // null when the class cannot be created by name
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class, or null when the class has no factory.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const {
        for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
            if (c == base)
                return true;
        }
        return false;
    }

    // The serializable class registered under this name, or null.
    static const CRuntimeClass* FromName(std::string_view className);
};

// Registers a serializable class by name (done by IMPLEMENT_SERIAL at static
// initialization). Registering a class without a factory, or a second class under a name
// already taken, throws.
struct CRuntimeClassRegistration {
    explicit CRuntimeClassRegistration(const CRuntimeClass* runtimeClass);
};

class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    // Stores or loads the object's record; CObject has none.
    virtual void Serialize(CArchive& ar);
    bool IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// The object as a class_name, or null when it is none or null: what dynamic_cast answers, read
// from the run-time class records, which is much cheaper than the compiler's comparison of type
// names in walks over many objects. class_name must declare its own record.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (DowncastByRecord<class_name>(RUNTIME_CLASS(class_name), (object)))

template <class T, class From>
auto DowncastByRecord(const CRuntimeClass* target, From* object) {
    static_assert(std::is_base_of_v<From, T>, "a downcast goes from a base to a derived class");
    using Result = std::conditional_t<std::is_const_v<From>, const T*, T*>;
    return object && object->IsKindOf(target) ? static_cast<Result>(object) : nullptr;
}

#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name)  \
    friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, schema, factory) \
    static_assert(std::is_base_of_v<base_class_name, class_name>);            \
    constinit const CRuntimeClass class_name::class##class_name = {           \
        #class_name, schema, factory, RUNTIME_CLASS(base_class_name)};        \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                \
        return RUNTIME_CLASS(class_name);                                     \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, kNoSchema, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() {                \
        return new class_name;                           \
    }                                                    \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, kNoSchema, class_name::CreateObject)

// Needs platform/Archive.h where it is used.
#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                              \
    CObject* class_name::CreateObject() {                                                  \
        return new class_name;                                                             \
    }                                                                                      \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, schema, class_name::CreateObject) \
    namespace {                                                                            \
    const CRuntimeClassRegistration registration##class_name(RUNTIME_CLASS(class_name));   \
    }                                                                                      \
    CArchive& operator>>(CArchive& ar, class_name*& object) {                              \
        object = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));       \
        return ar;                                                                         \
    }

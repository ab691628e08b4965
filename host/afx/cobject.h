// CObject and CRuntimeClass: the class library's root class and its runtime
// class records, through which the host finds and creates classes by name.
#pragma once

#include "host/afx/cstring.h"

class CObject;

/// Runtime class record: name, schema, creation and base-class functions.
struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    unsigned int m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;  ///< link in the class list of its module

    /// A new object of this class, or null for a class that cannot be created.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;

    /// Looks a class up by its runtime class name among the host's own classes
    /// and the classes of every attached extension module; null when unknown.
    static CRuntimeClass* FromName(const char* class_name);
};

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    /// The archive serialization of the class library; the module does not use it.
    virtual void Serialize(void* archive);
    virtual void AssertValid() const;
    virtual void Dump(void* dump_context) const;

    bool IsKindOf(const CRuntimeClass* cls) const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass() { return &classCObject; }
    static CRuntimeClass* _GetBaseClass() { return nullptr; }

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(cls) (cls::GetThisClass())

/// Declares the runtime class members of a class created by name.
#define DECLARE_DYNCREATE(cls)                                   \
public:                                                          \
    static CRuntimeClass class##cls;                             \
    static CRuntimeClass* GetThisClass() { return &class##cls; } \
    static CRuntimeClass* _GetBaseClass();                       \
    static CObject* CreateObject();                              \
    CRuntimeClass* GetRuntimeClass() const override;

/// Declares the runtime class members of a class that is not created by name.
#define DECLARE_DYNAMIC(cls)                                     \
public:                                                          \
    static CRuntimeClass class##cls;                             \
    static CRuntimeClass* GetThisClass() { return &class##cls; } \
    static CRuntimeClass* _GetBaseClass();                       \
    CRuntimeClass* GetRuntimeClass() const override;

#define DS_IMPLEMENT_RUNTIMECLASS_(cls, base, schema, create)                                      \
    CRuntimeClass* cls::_GetBaseClass() { return RUNTIME_CLASS(base); }                           \
    CRuntimeClass cls::class##cls = {#cls, sizeof(cls), schema, create, &cls::_GetBaseClass, nullptr}; \
    CRuntimeClass* cls::GetRuntimeClass() const { return &class##cls; }

/// Registration object: adds a runtime class to the class list of the module
/// being loaded; the classes become visible to lookups only once the module's
/// dynamic-link-library record exists (see extension_module.h).
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* new_class);
};

/// Registration object for the host's own classes, visible at once.
struct AFX_HOST_CLASSINIT {
    explicit AFX_HOST_CLASSINIT(CRuntimeClass* new_class);
};

#define IMPLEMENT_DYNCREATE(cls, base)                                       \
    CObject* cls::CreateObject() { return new cls; }                         \
    DS_IMPLEMENT_RUNTIMECLASS_(cls, base, 1, &cls::CreateObject)             \
    static AFX_CLASSINIT _init_##cls(&cls::class##cls);

// The host's own classes use these; they are found by name without any module.
#define IMPLEMENT_HOST_DYNCREATE(cls, base)                                  \
    CObject* cls::CreateObject() { return new cls; }                         \
    DS_IMPLEMENT_RUNTIMECLASS_(cls, base, 1, &cls::CreateObject)             \
    static AFX_HOST_CLASSINIT _init_##cls(&cls::class##cls);
#define IMPLEMENT_HOST_DYNAMIC(cls, base)                                    \
    DS_IMPLEMENT_RUNTIMECLASS_(cls, base, 0xFFFF, nullptr)                   \
    static AFX_HOST_CLASSINIT _init_##cls(&cls::class##cls);

#pragma once

#include "platform/export.h"

// Run-time class records: what lets the host ask an object of a plug-in or a database entry
// "are you of this class (or derived from it)?" without relying on RTTI across libraries.
struct VELTRO_EXPORT CRuntimeClass {
    const char* className;
    const CRuntimeClass* baseClass;

    bool IsDerivedFrom(const CRuntimeClass* other) const {
        for (const CRuntimeClass* c = this; c; c = c->baseClass)
            if (c == other) return true;
        return false;
    }
};

class VELTRO_EXPORT CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    virtual ~CObject();
    virtual void Serialize() {}

    bool IsKindOf(const CRuntimeClass* runtimeClass) const { return GetRuntimeClass()->IsDerivedFrom(runtimeClass); }

    static const CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(name) (&name::class##name)

#define VELTRO_DECLARE_CLASS(name)                                                   \
public:                                                                              \
    static const CRuntimeClass class##name;                                          \
    static const CRuntimeClass* StaticClass() { return &class##name; }               \
    const CRuntimeClass* GetRuntimeClass() const override { return &class##name; }   \
                                                                                     \
private:

#define VELTRO_IMPLEMENT_CLASS(name, base) const CRuntimeClass name::class##name{#name, RUNTIME_CLASS(base)};

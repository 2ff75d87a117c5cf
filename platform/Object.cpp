#include "platform/Object.h"

#include <map>
#include <stdexcept>
#include <string>

namespace {

using ClassRegistry = std::map<std::string, const CRuntimeClass*, std::less<>>;

ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}

}  // namespace

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view className) {
    const auto it = Registry().find(className);
    return it == Registry().end() ? nullptr : it->second;
}

CRuntimeClassRegistration::CRuntimeClassRegistration(const CRuntimeClass* runtimeClass) {
    if (!runtimeClass->m_pfnCreateObject)
        throw std::logic_error(std::string("no factory for ") + runtimeClass->m_lpszClassName);
    const auto [it, added] = Registry().emplace(runtimeClass->m_lpszClassName, runtimeClass);
    if (!added && it->second != runtimeClass)
        throw std::logic_error(std::string("two classes named ") + runtimeClass->m_lpszClassName);
}

constinit const CRuntimeClass CObject::classCObject = {"CObject", kNoSchema, nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

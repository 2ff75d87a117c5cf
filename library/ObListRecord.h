#pragma once
// An object list as one archived object, of the class "CObList" (schema 0): its count, then
// each object class-tagged. Palette buttons keep their objects in this form. Loading owns the
// objects read until Take hands them on, so a failed load leaves nothing behind.

#include "platform/ObList.h"
#include "platform/Object.h"

class CObListRecord : public CObject {
public:
    static const CRuntimeClass classCObListRecord;
    static CObject* CreateObject();

    CObListRecord() = default;
    // Stores the objects of list, which stay the caller's.
    explicit CObListRecord(const CObList& list);
    ~CObListRecord() override;

    const CRuntimeClass* GetRuntimeClass() const override;
    // Loading accepts drawing objects only; any other ends the load with badClass.
    void Serialize(CArchive& ar) override;
    // Moves the objects read to the tail of out.
    void Take(CObList& out);

private:
    CObList m_objects;
    bool m_owns = false;
};

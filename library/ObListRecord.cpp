#include "library/ObListRecord.h"

#include "model/object/DrawObj.h"
#include "platform/Archive.h"
#include "platform/CollectionArchive.h"

namespace {
const CRuntimeClassRegistration registration(RUNTIME_CLASS(CObListRecord));
}  // namespace

constinit const CRuntimeClass CObListRecord::classCObListRecord = {
    "CObList", 0, CObListRecord::CreateObject, RUNTIME_CLASS(CObject)};

CObject* CObListRecord::CreateObject() {
    return new CObListRecord;
}

const CRuntimeClass* CObListRecord::GetRuntimeClass() const {
    return RUNTIME_CLASS(CObListRecord);
}

CObListRecord::CObListRecord(const CObList& list) {
    for (POSITION pos = list.GetHeadPosition(); pos;)
        m_objects.AddTail(list.GetNext(pos));
}

CObListRecord::~CObListRecord() {
    if (m_owns)
        DeleteListedObjects(m_objects);
}

void CObListRecord::Serialize(CArchive& ar) {
    if (!ar.IsStoring())
        m_owns = true;
    SerializeOwnedObjectList(ar, m_objects, RUNTIME_CLASS(CDrawObj));
}

void CObListRecord::Take(CObList& out) {
    out.AddTail(&m_objects);
    m_objects.RemoveAll();
}

#include "library/LibraryItemData.h"

#include "model/object/DrawObj.h"

CLibraryItemData::~CLibraryItemData() {
    while (!m_objects.IsEmpty()) {
        CObject* object = m_objects.RemoveHead();
        if (auto* drawObj = dynamic_cast<CDrawObj*>(object))
            drawObj->Remove();
        else
            delete object;
    }
}

void CLibraryItemData::Clear() {
    m_objects.RemoveAll();
}

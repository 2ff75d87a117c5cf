#include "library/LibraryItemData.h"

#include <vector>

#include "model/object/DrawObj.h"

CLibraryItemData::~CLibraryItemData() {
    std::vector<CObject*> objects;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        objects.push_back(m_objects.GetNext(pos));
    m_objects.RemoveAll();
    for (CObject* object : objects) {
        if (auto* drawObj = dynamic_cast<CDrawObj*>(object))
            drawObj->Remove();
        else
            delete object;
    }
}

void CLibraryItemData::Clear() {
    m_objects.RemoveAll();
}

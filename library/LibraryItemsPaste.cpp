#include "library/LibraryItemsPaste.h"

#include <vector>

#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "platform/ObList.h"

BOOL LoadLibraryImageObjects(CDrawDoc* document, std::vector<BYTE> image, CObList& out) {
    CLibraryFile library;
    if (!library.OpenImage(std::move(image)))
        return FALSE;
    CObList loaded;
    try {
        for (int index = 0; index < library.GetItemCount(); ++index) {
            CLibraryItemData item;
            if (!library.ReadItemOrReport(document, index, item))
                continue;
            loaded.AddTail(&item.m_objects);
            item.Clear();
        }
    } catch (...) {
        std::vector<CObject*> objects;
        for (POSITION pos = loaded.GetHeadPosition(); pos;)
            objects.push_back(loaded.GetNext(pos));
        loaded.RemoveAll();
        for (CObject* object : objects)
            delete object;
        throw;
    }
    out.AddTail(&loaded);
    return TRUE;
}

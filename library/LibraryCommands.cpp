#include "library/LibraryCommands.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/object/DrawObj.h"
#include "platform/UserPrompt.h"

namespace {

// The selected objects other than embedded ones, in the document's drawing order.
void CollectStorable(const CObList& selection, CDrawDoc& document, CObList& list) {
    std::vector<CObject*> chosen;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* object = dynamic_cast<CDrawObj*>(selection.GetNext(pos));
        if (object && object->GetObjType() != kObjOle)
            chosen.push_back(object);
    }
    std::unordered_map<const CObject*, int> order;
    int index = 0;
    for (POSITION pos = document.GetObjects().GetHeadPosition(); pos;)
        order.emplace(document.GetObjects().GetNext(pos), index++);
    auto rank = [&](const CObject* object) {
        auto it = order.find(object);
        return it == order.end() ? index : it->second;
    };
    std::stable_sort(chosen.begin(), chosen.end(),
                     [&](const CObject* a, const CObject* b) { return rank(a) < rank(b); });
    for (CObject* object : chosen)
        list.AddTail(object);
}

// The device of the first object that has one, alone; false when none has one.
bool KeepDeviceOnly(CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        if (CDevice* device = static_cast<CDrawObj*>(objects.GetNext(pos))->GetDevice()) {
            objects.RemoveAll();
            objects.AddTail(device);
            return true;
        }
    }
    return false;
}

}  // namespace

BOOL AddSelectionToLibrary(CLibraryFile& library, const CObList& selection, CDrawDoc& document,
                           const LibraryItemDialog& dialog) {
    CObList objects;
    CollectStorable(selection, document, objects);
    if (objects.IsEmpty()) {
        AfxMessageBox("There are no suitable items to add to the library.");
        return FALSE;
    }
    const std::optional<LibraryItemChoice> choice = dialog(library, objects);
    if (!choice)
        return FALSE;
    // A device record holds the device alone, whatever else was selected with it.
    if (choice->type == kItemDevice && !KeepDeviceOnly(objects))
        return FALSE;
    CLibraryItem item(choice->name, choice->description, choice->type);
    CLibraryItem sameName;
    const int replacing = library.FindItem(sameName, choice->name);
    if (library.AddObjectList(objects, item, choice->keepConnections != 0, replacing))
        return TRUE;
    CString text;
    text.Format("Error - Library operation failed :\n%s", library.GetFilePath().c_str());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return FALSE;
}

#include "library/LibraryCommands.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "library/LibraryFile.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/object/DrawObj.h"
#include "platform/UserPrompt.h"

namespace {

struct RailAttr {
    const char* net;
    const char* defaultNet;
    const char* symbol;
};
constexpr std::array<RailAttr, kRailCount> kRails = {{
    {"Ground1", "GND", "Ground1.Symbol"},
    {"Ground2", "AGND", "Ground2.Symbol"},
    {"Power1", "+5v", "Power1.Symbol"},
    {"Power2", "+12v", "Power2.Symbol"},
    {"Power3", "+15v", "Power3.Symbol"},
    {"Power4", "-15v", "Power4.Symbol"},
}};
constexpr const char* kDefaultRailSymbol = "Power Rail";

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

}  // namespace

BOOL AddSelectionToLibrary(CLibraryFile& library, const CObList& selection, CDrawDoc& document,
                           const LibraryItemDialog& dialog) {
    CObList objects;
    CollectStorable(selection, document, objects);
    if (objects.IsEmpty()) {
        AfxMessageBox("There are no suitable items to add to the library.");
        return FALSE;
    }
    const std::optional<LibraryItemChoice> choice = dialog(library);
    if (!choice)
        return FALSE;
    CLibraryItem item(choice->name, choice->description, choice->type);
    if (library.AddObjectList(objects, item, choice->keepConnections != 0))
        return TRUE;
    CString text;
    text.Format("Error - Library operation failed :\n%s", library.GetFilePath().c_str());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return FALSE;
}

RailNames RailNamesOf(CDrawDoc& document, int rail) {
    const RailAttr& attr = kRails.at(static_cast<size_t>(rail));
    RailNames names{attr.defaultNet, kDefaultRailSymbol};
    CString value;
    if (document.GetAttribute(attr.net, value) && !value.IsEmpty())
        names.net = value;
    if (document.GetAttribute(attr.symbol, value) && !value.IsEmpty())
        names.symbol = value;
    return names;
}

CWire* DanglingSelectedWire(const CObList& selection) {
    if (selection.IsEmpty())
        return nullptr;
    auto* wire = dynamic_cast<CWire*>(selection.GetTail());
    if (!wire || wire->GetObjType() != kObjWire)
        return nullptr;
    return wire->GetStartObject() && wire->GetEndObject() ? nullptr : wire;
}

BOOL ConnectWireToRail(CDrawDoc& document, const CObList& selection, int rail) {
    CWire* wire = DanglingSelectedWire(selection);
    if (!wire)
        return FALSE;
    const RailNames names = RailNamesOf(document, rail);
    return wire->ConnectToPowerSymbol(names.symbol, names.net);
}

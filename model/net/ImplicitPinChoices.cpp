#include "model/net/ImplicitPinChoices.h"

#include <algorithm>
#include <unordered_set>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"

std::vector<ImplicitPinChoice> ListImplicitPins(CDrawDoc& doc, const CNet* net) {
    const CHiddenPinTies ties(doc);
    std::unordered_set<std::string> parts;
    std::vector<ImplicitPinChoice> choices;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* symbol = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        const CDevice* device = symbol->GetObjType() == kObjSymbol ? symbol->GetDevice() : nullptr;
        // A part is offered once, by its first symbol; one without an identifier, which no item
        // can name, is not.
        const CString part = device ? PartIdOf(*symbol) : CString();
        if (!device || part.IsEmpty() || !parts.insert(part.str()).second)
            continue;
        const std::string id = symbol->GetStdAttr(kStdAttrId).str();
        for (const auto& [pin, number] : device->GetImplicitPins()) {
            const CString* tiedTo = ties.Tied(*symbol, pin);
            const bool here = tiedTo && net && *tiedTo == net->GetName();
            if (!tiedTo || here)
                choices.push_back({id + ":" + pin, here});
        }
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const auto& a, const auto& b) { return a.entry < b.entry; });
    return choices;
}

std::string JoinImplicitPins(const std::vector<std::string>& entries) {
    std::string joined;
    for (const std::string& entry : entries)
        joined += (joined.empty() ? "" : ",") + entry;
    return joined;
}

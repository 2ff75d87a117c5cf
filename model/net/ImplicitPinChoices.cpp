#include "model/net/ImplicitPinChoices.h"

#include <algorithm>
#include <sstream>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"

namespace {

std::vector<std::string> SplitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    return parts;
}

// The nets of the document's wires and buses, each once.
std::vector<CNet*> DocumentNets(CDrawDoc& doc) {
    std::vector<CNet*> nets;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        CNet* net = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos))->GetNet();
        if (net && std::find(nets.begin(), nets.end(), net) == nets.end())
            nets.push_back(net);
    }
    return nets;
}

const CNet* TiedNet(const std::vector<CNet*>& nets, const std::string& entry) {
    for (const CNet* net : nets) {
        const std::vector<std::string> tied =
            SplitAtCommas(net->GetAttr(GetStdAttrName(kStdAttrImplicit)).str());
        if (std::find(tied.begin(), tied.end(), entry) != tied.end())
            return net;
    }
    return nullptr;
}

}  // namespace

std::vector<ImplicitPinChoice> ListImplicitPins(CDrawDoc& doc, const CNet* net) {
    const std::vector<CNet*> nets = DocumentNets(doc);
    std::vector<ImplicitPinChoice> choices;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* symbol = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        const CDevice* device = symbol->GetObjType() == kObjSymbol ? symbol->GetDevice() : nullptr;
        if (!device)
            continue;
        const std::string id = symbol->GetStdAttr(kStdAttrId).str();
        for (const auto& [pin, number] : device->GetImplicitPins()) {
            const std::string entry = id + ":" + pin;
            const CNet* tiedTo = TiedNet(nets, entry);
            if (!tiedTo || tiedTo == net)
                choices.push_back({entry, tiedTo && tiedTo == net});
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

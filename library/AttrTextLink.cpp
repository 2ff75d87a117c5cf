#include "library/AttrTextLink.h"

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/undo/ConnectionList.h"

namespace {

using Node = IDesignTree::Node;

// The folder a symbol of this kind is listed under.
int FolderOfSymbol(const CSymbol& symbol) {
    switch (symbol.GetKind()) {
        case kSymbolDevice:
        case kSymbolSimulation:
            return kDesignDevicesFolder;
        case kSymbolSubCircuit:
            return kDesignSubcircuitsFolder;
        case kSymbolPort:
            return kDesignPortsFolder;
        default:
            return kDesignOthersFolder;
    }
}

// The first child of node (expanded first) for which match holds.
template <class Match>
Node FindChild(IDesignTree& tree, Node node, Match match) {
    tree.Expand(node);
    for (Node child = tree.GetFirstChild(node); child; child = tree.GetNextSibling(child)) {
        if (match(child))
            return child;
    }
    return nullptr;
}

Node FindSymbolNode(IDesignTree& tree, CSymbol* symbol) {
    const int folderKind = FolderOfSymbol(*symbol);
    Node folder = FindChild(tree, tree.GetRoot(),
                            [&](Node child) { return tree.GetKind(child) == folderKind; });
    if (!folder)
        return nullptr;
    return FindChild(tree, folder, [&](Node child) { return tree.GetObject(child) == symbol; });
}

Node FindPinNode(IDesignTree& tree, Node symbolNode, CPin* pin) {
    Node pins = FindChild(tree, symbolNode,
                          [&](Node child) { return tree.GetKind(child) == kDesignPinsFolder; });
    return pins ? FindChild(tree, pins, [&](Node child) { return tree.GetObject(child) == pin; })
                : nullptr;
}

void AddNames(std::vector<CString>& names, int count, auto getAt) {
    for (int i = 0; i < count; ++i) {
        CString name;
        CString value;
        getAt(i, name, value);
        names.push_back(name);
    }
}

}  // namespace

Node FindOwnerNode(IDesignTree& tree, const CAttrText& text, CString& nameField) {
    nameField = text.GetName();
    CObject* owner = text.GetOwner();
    if (!owner)
        return nullptr;
    if (owner == text.GetOwnerDocument() && !text.GetOwnerObject())
        return tree.GetRoot();
    auto* object = text.GetOwnerObject();
    if (!object)
        return nullptr;
    if (object->GetObjType() == kObjPin) {
        auto* pin = static_cast<CPin*>(object);
        Node symbolNode = pin->GetOwner() ? FindSymbolNode(tree, pin->GetOwner()) : nullptr;
        return symbolNode ? FindPinNode(tree, symbolNode, pin) : nullptr;
    }
    if (object->GetObjType() != kObjSymbol)
        return nullptr;
    auto* symbol = static_cast<CSymbol*>(object);
    Node symbolNode = FindSymbolNode(tree, symbol);
    if (!symbolNode || !nameField.str().starts_with(kDeviceAttrPrefix))
        return symbolNode;
    nameField = nameField.str().substr(std::string_view(kDeviceAttrPrefix).size());
    Node device = FindChild(tree, symbolNode, [&](Node child) {
        return tree.GetKind(child) == kDesignDevice && tree.GetObject(child) == symbol->GetDevice();
    });
    return device ? device : symbolNode;
}

Node FindParentNode(const IDesignTree& tree, Node node) {
    std::vector<Node> pending{tree.GetRoot()};
    while (!pending.empty()) {
        Node parent = pending.back();
        pending.pop_back();
        for (Node child = tree.GetFirstChild(parent); child; child = tree.GetNextSibling(child)) {
            if (child == node)
                return parent;
            pending.push_back(child);
        }
    }
    return nullptr;
}

AttrLinkOwner LinkOwnerOf(const IDesignTree& tree, Node node) {
    if (!node)
        return {};
    const int kind = tree.GetKind(node);
    switch (kind) {
        case kDesignDocument:
        case kDesignDeviceSymbol:
        case kDesignSubcircuitSymbol:
        case kDesignPortSymbol:
        case kDesignOtherSymbol:
        case kDesignPin:
            return {tree.GetObject(node), CString()};
        case kDesignDevice:
            return {tree.GetObject(FindParentNode(tree, node)), kDeviceAttrPrefix};
        default:
            return {};
    }
}

std::vector<CString> AttributeNamesOf(const IDesignTree& tree, Node node) {
    std::vector<CString> names;
    if (!node || IsDesignFolder(tree.GetKind(node)))
        return names;
    CObject* object = tree.GetObject(node);
    if (auto* doc = dynamic_cast<CDrawDoc*>(object))
        AddNames(names, doc->GetAttributeCount(),
                 [doc](int i, CString& n, CString& v) { doc->GetAttributeAt(i, n, v); });
    else if (auto* drawObj = dynamic_cast<CDrawObj*>(object))
        AddNames(names, drawObj->GetAttrCount(),
                 [drawObj](int i, CString& n, CString& v) { drawObj->GetAttrAt(i, n, v); });
    else if (auto* device = dynamic_cast<CDevice*>(object))
        AddNames(names, device->GetAttrCount(),
                 [device](int i, CString& n, CString& v) { device->GetAttrAt(i, n, v); });
    return names;
}

bool ApplyAttrLink(CAttrText& text, const AttrLinkOwner& chosen, const CString& name, int style) {
    CObject* owner = chosen.owner;
    auto* current = dynamic_cast<CDrawObj*>(text.GetOwner());
    auto* wanted = dynamic_cast<CDrawObj*>(owner);
    if (current && wanted && current->GetObjType() == kObjWire &&
        wanted->GetObjType() == kObjWire && current->GetNet() == wanted->GetNet())
        owner = current;
    bool modified = false;
    if (owner != text.GetOwner()) {
        CConnectionRecord record{&text, 0, wanted, nullptr};
        text.Disconnect(&record);
        if (owner == text.GetDocument()) {
            record.end = 1;
            record.partner = nullptr;
        }
        if (owner)
            text.Connect(&record);
        modified = true;
    }
    const CString fullName = owner ? chosen.prefix + name : name;
    if (fullName != text.GetName()) {
        text.Bind(text.GetOwner(), fullName);
        modified = true;
    }
    const WORD styleBits = static_cast<WORD>((style & 3) * 0x40);
    if ((text.GetTextFlags() & 0xC0) != styleBits) {
        text.SetTextFlags(styleBits, 0xC0);
        modified = true;
    }
    if (modified) {
        text.Invalidate(nullptr);
        text.UpdateText(TRUE);
        text.Invalidate(nullptr);
    }
    return modified;
}

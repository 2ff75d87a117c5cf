#pragma once
// What the "Attribute Link" page of attribute texts asks of the design tree, the library
// subsystem's tree of a document's contents: the kinds of its nodes and a tree to walk, expand
// and select in. The library subsystem implements it over its design-tree model; the page
// fills it with the text's document and selects the item of the text's owner.

#include "platform/CString.h"

class CDrawDoc;
class CObject;

// Kinds of the nodes the page relies on; 10 to 17 are folders.
enum DesignNodeKind : int {
    kDesignDocument = 0,          // the root; its object is the document
    kDesignDeviceSymbol = 1,      // a "Physical Device" or "Simulation" symbol
    kDesignDeviceAttributes = 2,  // under a symbol: the attributes of its device
    kDesignPin = 3,
    kDesignDevice = 5,  // under a symbol: its device
    kDesignSubcircuitSymbol = 6,
    kDesignPortSymbol = 7,
    kDesignOtherSymbol = 8,  // a "Net Connector" or "Graphical" symbol
    kDesignDevicesFolder = 11,
    kDesignPinsFolder = 13,
    kDesignSubcircuitsFolder = 15,
    kDesignPortsFolder = 16,
    kDesignOthersFolder = 17,
};

constexpr bool IsDesignFolder(int kind) {
    return kind >= 10 && kind <= 17;
}

class IDesignTree {
public:
    // A node of the tree; null stands for none.
    using Node = const void*;

    virtual ~IDesignTree() = default;
    // Shows document as the root, in the variant for linking attributes (no attribute nodes).
    virtual void ShowForLinking(CDrawDoc* document) = 0;
    virtual Node GetRoot() const = 0;
    // Children appear once their parent is expanded.
    virtual void Expand(Node node) = 0;
    virtual Node GetFirstChild(Node node) const = 0;
    virtual Node GetNextSibling(Node node) const = 0;
    virtual void Select(Node node) = 0;
    virtual Node GetSelected() const = 0;
    virtual int GetKind(Node node) const = 0;
    // The document, symbol, device or pin a node stands for; null for folders.
    virtual CObject* GetObject(Node node) const = 0;
    virtual CString GetLabel(Node node) const = 0;
};

#pragma once
// What the "Attribute Link" page of an attribute text decides over the design tree: the node
// of the text's current owner, the owner a chosen node stands for, the attribute names it
// offers, and the new link stored in the text.

#include <vector>

#include "library/DesignTree.h"
#include "platform/CString.h"

class CAttrText;
class CObject;

// The prefix of device attributes read through a symbol.
constexpr const char* kDeviceAttrPrefix = "_Device.";

// Expands the tree down to the node of the text's owner and returns it (null for none: no
// owner, or a wire or bus). nameField is the text's name, less "_Device." when the owner is
// a symbol's device.
IDesignTree::Node FindOwnerNode(IDesignTree& tree, const CAttrText& text, CString& nameField);

// The parent of node among the expanded nodes under the root; null for the root.
IDesignTree::Node FindParentNode(const IDesignTree& tree, IDesignTree::Node node);

// The owner a node links to: the document (root), a symbol, a pin, or for a device the symbol
// above it with the prefix "_Device."; none for folders.
struct AttrLinkOwner {
    CObject* owner = nullptr;
    CString prefix;
};
AttrLinkOwner LinkOwnerOf(const IDesignTree& tree, IDesignTree::Node node);

// The attribute names offered for a node: the document's, a symbol's or pin's, a device's.
std::vector<CString> AttributeNamesOf(const IDesignTree& tree, IDesignTree::Node node);

// Stores the link: owner (kept when both are wires of one net), name and style (0 to 3).
// True when something changed; the text is then refreshed.
bool ApplyAttrLink(CAttrText& text, const AttrLinkOwner& owner, const CString& name, int style);

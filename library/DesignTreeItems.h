#pragma once
// The items behind the design tree's nodes: the open documents, and under each document the
// categories of its symbols, nets, devices, sub-circuits, ports, other symbols and
// attributes, down to pins, the nets of pins and the pins of nets. An item reads the document
// and never changes it; its only effect is showing an object from its context menu. A node
// stands either for a category (no object) or for one object.

#include <memory>
#include <string>
#include <vector>

#include "library/DesignTreeNetNames.h"
#include "library/DesignTreeNode.h"
#include "platform/CString.h"
#include "platform/Types.h"

class CDesignTreeModel;
struct DesignTreeChanges;
class CDevice;
class CDrawDoc;
class CDrawObj;
class CNet;
class CObject;
class CPin;
class CSymbol;

// One node's place in the tree's incremental refresh: the phase (0 own children, 1 sort,
// 2 visit the children) and the index of the child to visit next.
struct RefreshEntry {
    CDesignTreeNode* node = nullptr;
    size_t nextChild = 0;
    unsigned short phase = 0;
};

// The context menu of a node: none, or the one whose command highlights a symbol, a net or a
// pin.
enum class DesignTreeMenu { kNone, kSymbol, kNet, kPin };

// Orders two siblings by kind and label: by kind, then by label (numbers by value, pins by
// owner then pin).
int CompareDesignItems(int kindA, const CString& labelA, int kindB, const CString& labelB);
// Labels "owner:pin" compared owner first, each part with the numeric-aware compare.
int ComparePinLabels(const CString& a, const CString& b);

class CDesignTreeItem {
public:
    // Bits of Flags().
    static constexpr DWORD kSeen = 1;
    static constexpr DWORD kNeedsRefresh = 2;

    explicit CDesignTreeItem(CDrawDoc* document) : m_document(document) {}
    virtual ~CDesignTreeItem() = default;
    CDesignTreeItem(const CDesignTreeItem&) = delete;
    CDesignTreeItem& operator=(const CDesignTreeItem&) = delete;

    CDrawDoc* GetDocument() const { return m_document; }
    DWORD& Flags() { return m_flags; }

    virtual bool HasChildren(const CDesignTreeModel& tree) const = 0;
    virtual CString GetLabel() const = 0;
    virtual int GetKind() const = 0;
    virtual int GetImage() const = 0;
    // The object the node stands for (the document for a document node), null for categories.
    virtual CObject* GetObject() const { return nullptr; }
    using Items = std::vector<std::unique_ptr<CDesignTreeItem>>;
    // The items of the node's children, in the order they are made.
    virtual void MakeChildren(const CDesignTreeModel& tree, Items& children) const = 0;
    // Creates the children under node.
    void FillChildren(CDesignTreeModel& tree, CDesignTreeNode& node) const;
    // One step of the refresh; false when the node is finished.
    virtual bool RefreshStep(CDesignTreeModel& tree, RefreshEntry& entry);
    // Whether the refresh may change anything under node (the refresh leaves it out if not).
    virtual bool NeedsRefresh(CDesignTreeModel& /*tree*/, const CDesignTreeNode& /*node*/) {
        return true;
    }
    virtual DesignTreeMenu GetMenu() const { return DesignTreeMenu::kNone; }
    // Carries out the menu's command; false when the object is no longer in the document.
    virtual bool RunMenuCommand() const { return false; }
    // Equal for items that stand for the same thing (a refresh keeps the existing node).
    virtual std::string MatchKey() const;

protected:
    // Phase 0: brings the node's children in line with the document; false ends the node.
    virtual bool UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node);
    // Phase 0 of nets and pins: the children made again and matched with the existing ones,
    // whose text is reset; unmatched children of the kinds swept are deleted.
    bool MatchChildren(CDesignTreeModel& tree, CDesignTreeNode& node, int firstSwept,
                       int lastSwept) const;

private:
    CDrawDoc* m_document;
    DWORD m_flags = 0;
};

// A document, or (no document) the category of all open documents.
class CSchematicsItem : public CDesignTreeItem {
public:
    using CDesignTreeItem::CDesignTreeItem;
    bool HasChildren(const CDesignTreeModel& tree) const override;
    CString GetLabel() const override;
    int GetKind() const override { return GetDocument() ? 0 : 10; }
    int GetImage() const override { return GetDocument() ? kImageDocument : kImageFolder; }
    CObject* GetObject() const override;
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;
    bool RefreshStep(CDesignTreeModel& tree, RefreshEntry& entry) override;

protected:
    bool UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) override;
};

// The categories of symbols ("Symbols", "Sub-circuits", "Ports", "Other") and their symbols.
class CSymbolCategoryItem : public CDesignTreeItem {
public:
    CSymbolCategoryItem(CDrawDoc* document, CSymbol* symbol)
        : CDesignTreeItem(document), m_symbol(symbol) {}
    CSymbol* GetSymbol() const { return m_symbol; }
    bool HasChildren(const CDesignTreeModel& tree) const override;
    CObject* GetObject() const override;
    std::string MatchKey() const override;
    // A symbol's node only when it is expanded and symbols, pins or nets changed.
    bool NeedsRefresh(CDesignTreeModel& tree, const CDesignTreeNode& node) override;

protected:
    // Whether a symbol kind (flags & 0x700) belongs to the category.
    virtual bool TakesKind(DWORD kind) const = 0;
    // A node for one symbol of the category.
    virtual std::unique_ptr<CDesignTreeItem> MakeSymbolItem(CSymbol* symbol) const = 0;
    bool UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) override;
    void MakeCategory(const CDesignTreeModel& tree, Items& children) const;
    // Pins and (unless linking attributes) attributes of the symbol.
    void MakeSymbolChildren(const CDesignTreeModel& tree, Items& children) const;

private:
    bool UpdateCategory(CDesignTreeModel& tree, CDesignTreeNode& node);
    // Brings the nodes in line with every symbol of the document.
    void FollowAllSymbols(CDesignTreeModel& tree, CDesignTreeNode& node) const;
    // Brings the node of one symbol that changed in line with it: now is the symbol, or null
    // when it has left the document.
    void FollowSymbol(CDesignTreeModel& tree, CDesignTreeNode& node, const CDrawObj* changed,
                      CSymbol* now) const;

    CSymbol* m_symbol;
};

class CSymbolsItem : public CSymbolCategoryItem {
public:
    // subcircuit: the node stands under "Sub-circuits".
    CSymbolsItem(CDrawDoc* document, CSymbol* symbol, bool subcircuit = false)
        : CSymbolCategoryItem(document, symbol), m_subcircuit(subcircuit) {}
    CString GetLabel() const override;
    int GetKind() const override;
    int GetImage() const override { return GetSymbol() ? kImageSymbol : kImageFolder; }
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;
    DesignTreeMenu GetMenu() const override;
    bool RunMenuCommand() const override;

protected:
    bool TakesKind(DWORD kind) const override;
    std::unique_ptr<CDesignTreeItem> MakeSymbolItem(CSymbol* symbol) const override;
    bool UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) override;

private:
    bool m_subcircuit;
};

class CSubcircuitsItem : public CSymbolCategoryItem {
public:
    explicit CSubcircuitsItem(CDrawDoc* document) : CSymbolCategoryItem(document, nullptr) {}
    CString GetLabel() const override { return "Sub-circuits"; }
    int GetKind() const override { return 15; }
    int GetImage() const override { return kImageFolder; }
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;

protected:
    bool TakesKind(DWORD kind) const override;
    std::unique_ptr<CDesignTreeItem> MakeSymbolItem(CSymbol* symbol) const override;
};

class CPortsItem : public CSymbolCategoryItem {
public:
    using CSymbolCategoryItem::CSymbolCategoryItem;
    CString GetLabel() const override;
    int GetKind() const override { return GetSymbol() ? 7 : 16; }
    int GetImage() const override;
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;
    DesignTreeMenu GetMenu() const override;
    bool RunMenuCommand() const override;

protected:
    bool TakesKind(DWORD kind) const override;
    std::unique_ptr<CDesignTreeItem> MakeSymbolItem(CSymbol* symbol) const override;
};

class COtherItem : public CSymbolCategoryItem {
public:
    using CSymbolCategoryItem::CSymbolCategoryItem;
    CString GetLabel() const override;
    int GetKind() const override { return GetSymbol() ? 8 : 17; }
    int GetImage() const override { return GetSymbol() ? kImageSymbol : kImageFolder; }
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;

protected:
    bool TakesKind(DWORD kind) const override;
    std::unique_ptr<CDesignTreeItem> MakeSymbolItem(CSymbol* symbol) const override;
};

// "Pins" of a symbol, or one pin (under a symbol's "Pins" or, without symbol, under a net);
// a gate index of 0 or more picks the entry of the pin's name and number lists.
class CPinsItem : public CDesignTreeItem {
public:
    CPinsItem(CDrawDoc* document, CSymbol* symbol, CPin* pin, int gate)
        : CDesignTreeItem(document), m_symbol(symbol), m_pin(pin), m_gate(gate) {}
    bool HasChildren(const CDesignTreeModel& tree) const override;
    CString GetLabel() const override;
    int GetKind() const override { return m_pin ? 3 : 13; }
    int GetImage() const override;
    CObject* GetObject() const override;
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;
    DesignTreeMenu GetMenu() const override;
    bool RunMenuCommand() const override;
    std::string MatchKey() const override;

protected:
    bool UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) override;

private:
    void MakePins(Items& children) const;
    void MakePinChildren(const CDesignTreeModel& tree, Items& children) const;

    CSymbol* m_symbol;
    CPin* m_pin;
    int m_gate;
};

// "Nets" or one net by name.
class CNetsItem : public CDesignTreeItem {
public:
    CNetsItem(CDrawDoc* document, const CString& name) : CDesignTreeItem(document), m_name(name) {}
    bool HasChildren(const CDesignTreeModel& tree) const override;
    CString GetLabel() const override { return m_name.IsEmpty() ? CString("Nets") : m_name; }
    int GetKind() const override { return m_name.IsEmpty() ? 12 : 2; }
    int GetImage() const override { return m_name.IsEmpty() ? kImageFolder : kImageNet; }
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;
    DesignTreeMenu GetMenu() const override;
    bool RunMenuCommand() const override;
    std::string MatchKey() const override;
    // A net's node only when it is expanded and symbols, pins or nets changed.
    bool NeedsRefresh(CDesignTreeModel& tree, const CDesignTreeNode& node) override;

protected:
    bool UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) override;

private:
    void MakeNetNames(Items& children) const;
    // Phase 0 of "Nets" from every object: the shown names kept, new ones added and the names
    // gone deleted.
    void UpdateNetNames(CDesignTreeModel& tree, CDesignTreeNode& node) const;
    // Phase 0 of "Nets" from the changed wires and buses alone: the names they carried and
    // carry now added or deleted; false when that cannot be known without a walk of every
    // object.
    bool FollowNetNames(CDesignTreeModel& tree, CDesignTreeNode& node,
                        const DesignTreeChanges& changes) const;
    void MakeNetPins(Items& children) const;
    void MakeHiddenPins(const CDesignTreeModel& tree, Items& children) const;

    CString m_name;
    // Of "Nets": the names its children were made from, kept in line with them while it is
    // expanded.
    mutable std::unique_ptr<CDesignTreeNetNames> m_names;
};

// "Devices" or one device.
class CDevicesItem : public CDesignTreeItem {
public:
    CDevicesItem(CDrawDoc* document, CDevice* device)
        : CDesignTreeItem(document), m_device(device) {}
    CDevice* GetDevice() const { return m_device; }
    void SetDevice(CDevice* device) { m_device = device; }
    bool HasChildren(const CDesignTreeModel& tree) const override;
    CString GetLabel() const override;
    int GetKind() const override { return m_device ? 5 : 14; }
    int GetImage() const override { return m_device ? kImageDevice : kImageFolder; }
    CObject* GetObject() const override;
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;

protected:
    bool UpdateChildren(CDesignTreeModel& tree, CDesignTreeNode& node) override;

private:
    CDevice* m_device;
};

// What has attributes: a document, a drawing object, a device or a net.
struct AttributeOwner {
    enum Kind { kDocument, kObject, kDevice, kNet } kind;
    void* owner;

    int Count() const;
    void GetAt(int index, CString& name, CString& value) const;
};

// "Attributes" of an owner, or one attribute by index.
class CAttributesItem : public CDesignTreeItem {
public:
    CAttributesItem(CDrawDoc* document, AttributeOwner owner, short index = -1)
        : CDesignTreeItem(document), m_owner(owner), m_index(index) {}
    bool HasChildren(const CDesignTreeModel& tree) const override;
    CString GetLabel() const override;
    int GetKind() const override;
    int GetImage() const override { return GetKind() == 9 ? kImageAttribute : kImageFolder; }
    void MakeChildren(const CDesignTreeModel& tree, Items& children) const override;
    bool RefreshStep(CDesignTreeModel& tree, RefreshEntry& entry) override;
    std::string MatchKey() const override;

private:
    AttributeOwner m_owner;
    short m_index;
};

// A hidden pin of a device that its symbol does not draw, listed under its net.
class CHiddenPinItem : public CDesignTreeItem {
public:
    CHiddenPinItem(CDrawDoc* document, const CString& label, const CString& pin)
        : CDesignTreeItem(document), m_label(label), m_pin(pin) {}
    bool HasChildren(const CDesignTreeModel&) const override { return false; }
    CString GetLabel() const override { return m_label; }
    int GetKind() const override { return 4; }
    int GetImage() const override { return kImagePin; }
    void MakeChildren(const CDesignTreeModel&, Items&) const override {}
    std::string MatchKey() const override;

private:
    CString m_label;
    CString m_pin;
};

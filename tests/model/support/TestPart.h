#pragma once
// The drawing object of the command, undo and object-operation tests: a tag, a type code,
// attributes, a counted device (reached through "_Device." names, with the computed "_DID" of
// a symbol) and two-way links to other test parts, which it records, breaks and remakes through
// connection lists. It archives all of these, its links as the partner objects in tag order, so
// copies through an archive link among themselves and document snapshots see every link.

#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/Maps.h"

class TestPart : public CDrawObj {
    DECLARE_SERIAL(TestPart)
public:
    TestPart() : TestPart(0) {}
    explicit TestPart(int tag, int type = kObjRect);
    TestPart(int type, const CRect& position);
    TestPart(const TestPart& source, CDrawDoc* doc);
    ~TestPart() override;

    void Serialize(CArchive& ar) override;
    int GetObjType() const override { return m_type; }
    CMapStringToString* GetAttrMap() override { return &m_attributes; }
    // Refuses the value "refused".
    int SetAttr(const char* name, const char* value, UINT flags) override;
    // "_ID": 1 when empty, 2 when another object of the document has it.
    int CheckAttrValue(const char* name, CString& value) override;
    // Symbols get an identifier from the document; failAssign (kept by copies) refuses.
    int AssignId(int number) override;
    BOOL LookupAttr(const char* name, CString& value) override;
    CDevice* GetDevice() const override { return m_device; }
    CDevice* SetDevice(CDevice* device) override;
    // Against the position alone.
    BOOL Intersects(const CRect& rect) override;
    void RefreshAttrTexts(const char* /*name*/) override { ++refreshes; }
    // Counts the redraws asked for.
    void Invalidate(IDocView* /*view*/) override { ++redraws; }
    CDrawObj* Clone(CDrawDoc* doc) override { return new TestPart(*this, doc); }

    // Links to marked objects belong to the same set and are left out.
    void CollectConnections(CConnectionList* list) override;
    void Disconnect(const CConnectionRecord* record) override;
    void Connect(const CConnectionRecord* record) override;
    static void Link(CDrawObj* a, CDrawObj* b);
    bool IsLinkedTo(const CDrawObj* other) const;
    // The partners' tags in link order, e.g. "2 5 ".
    std::string Partners() const;

    // A new device named name ("_Device._Name").
    void SetTestDevice(const char* name);
    // Takes a reference to the device and holds it, releasing the one held before.
    void UseDevice(CDevice* device);

    static inline int alive = 0;
    int tag;
    int refreshes = 0;
    int redraws = 0;
    bool failAssign = false;
    bool failStore = false;

private:
    int m_type;
    CDevice* m_device = nullptr;
    CMapStringToString m_attributes;
    std::vector<TestPart*> m_links;
};

// A list of objects written in place.
struct ObjectList : CObList {
    ObjectList(std::initializer_list<CObject*> objects) {
        for (CObject* object : objects)
            AddTail(object);
    }
};
std::vector<CObject*> Contents(const CObList& list);

// What the round trips compare: the document's archived bytes, and its objects in list order
// with their flags.
struct DocSnapshot {
    std::vector<BYTE> bytes;
    std::vector<std::pair<const CObject*, DWORD>> objects;
    bool operator==(const DocSnapshot&) const = default;
};
DocSnapshot Snapshot(CDrawDoc& doc);

// The tags of the document's objects in list order.
std::vector<int> TagsOf(const CDrawDoc& doc);

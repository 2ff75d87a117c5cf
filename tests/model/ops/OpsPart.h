#pragma once
// A drawing object for the tests of the document's object operations: a chosen type code, an
// attribute map, a device (only its address and name matter), one link to another object
// that survives copying, and an identifier assignment like a symbol's.

#include <gtest/gtest.h>

#include <memory>

#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "platform/Maps.h"

namespace opstest {

class OpsPart : public CDrawObj {
    DECLARE_SERIAL(OpsPart)
public:
    OpsPart() { ++alive; }
    explicit OpsPart(int type, const CRect& position = CRect(0, 0, 100, -100));
    OpsPart(const OpsPart& source, CDrawDoc* document);
    ~OpsPart() override { --alive; }

    void Serialize(CArchive& ar) override;
    int GetObjType() const override { return m_type; }
    CMapStringToString* GetAttrMap() override { return &m_attrs; }
    BOOL LookupAttr(const char* name, CString& value) override;
    int SetAttr(const char* name, const char* value, UINT flags) override;
    // "_ID": 1 when empty, 2 when another object of the document has it.
    int CheckAttrValue(const char* name, CString& value) override;
    // Symbols get an identifier from the document; failAssign (kept by copies) refuses.
    int AssignId(int number) override;
    CDevice* GetDevice() const override { return m_device; }
    BOOL Intersects(const CRect& rect) override;
    void Invalidate(IDocView*) override {}
    CDrawObj* Clone(CDrawDoc* document) override { return new OpsPart(*this, document); }

    // The link to `link`, recorded by this object.
    void CollectConnections(CConnectionList* list) override;
    void Disconnect(const CConnectionRecord* record) override;
    void Connect(const CConnectionRecord* record) override;

    // A device named name; the address stands for the device.
    void SetTestDevice(int tag, const char* name);

    CDrawObj* link = nullptr;
    bool failAssign = false;
    bool failStore = false;
    static int alive;

private:
    int m_type = kObjRect;
    CMapStringToString m_attrs;
    CDevice* m_device = nullptr;
    CString m_deviceName;
};

// A document whose objects must all be gone with it.
class OpsDocTest : public ::testing::Test {
protected:
    void TearDown() override;
    // A new symbol outside the document.
    static OpsPart* Symbol(const char* id = "", const char* prefix = "");
    // An object put straight into the document's list, outside any command.
    OpsPart* Place(int type, const char* id = "", const char* prefix = "");

    int aliveBefore = OpsPart::alive;
    std::unique_ptr<CDrawDoc> doc = std::make_unique<CDrawDoc>();
};

// Attribute shortcuts.
CString Id(CDrawObj* object);
void SetId(CDrawObj* object, const char* id);

}  // namespace opstest

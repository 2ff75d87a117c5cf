#include <gtest/gtest.h>

#include "NetTestSheet.h"
#include "model/object/AttrCheckCodes.h"
#include "model/shapes/ShapeTestSupport.h"
#include "platform/MemFile.h"
#include "support/DocumentBytes.h"

using namespace nettest;
using namespace shapetest;

namespace {

TEST(Net, RecordHoldsMapFlagsAndName) {
    CNet net("VCC");
    net.SetFlags(kNetNamed | kNetVisited, ~DWORD{0});
    EXPECT_EQ(StoreObject(&net), Concat({Le16(0xFFFF),
                                         Le16(0),
                                         Le16(4),
                                         {'C', 'N', 'e', 't'},
                                         Le16(0),
                                         Le32(8),
                                         {3, 'V', 'C', 'C'}}));
    net.SetAttr("Freq", "10M", 0);
    std::unique_ptr<CNet> loaded = RoundTrip(net);
    EXPECT_EQ(loaded->GetName(), "VCC");
    EXPECT_EQ(loaded->GetFlags(), kNetNamed);
    EXPECT_EQ(loaded->GetAttr("Freq"), "10M");
    EXPECT_EQ(loaded->GetRefCount(), 0);
}

struct SetCase {
    const char* name;
    const char* value;
    DWORD flags;  // of the net
    UINT setFlags;
    BOOL result;
    int check;
    const char* id;  // the name afterwards
};

TEST(Net, SetAttrChecksAndTrimsTheName) {
    const SetCase cases[] = {
        {"_ID", "  VCC  ", 0, 0, TRUE, kAttrOk, "VCC"},
        {"_ID", "   ", 0, 0, FALSE, kNameMissing, "old"},
        {"_ID", "GND", kNetReadOnly, 0, FALSE, -1, "old"},
        {"_ID", "GND", kNetReadOnly, kSetAttrForce, TRUE, -1, "GND"},
        {"Freq", "", kNetReadOnly, 0, FALSE, -1, "old"},
        {"Freq", "", 0, 0, TRUE, kAttrOk, "old"},
    };
    for (const SetCase& c : cases) {
        CNet net("old");
        net.SetFlags(c.flags, ~DWORD{0});
        CString value = c.value;
        EXPECT_EQ(net.CheckAttrValue(c.name, value), c.check) << c.name << c.value;
        EXPECT_EQ(net.SetAttr(c.name, c.value, c.setFlags), c.result) << c.name << c.value;
        EXPECT_EQ(net.GetName(), c.id);
    }
}

TEST(Net, UserNameMarksTheNetNamed) {
    CNet net;
    net.SetFlags(0x3, ~DWORD{0});
    EXPECT_TRUE(net.SetAttr("_ID", "CLK", kSetAttrUser));
    EXPECT_EQ(net.GetFlags(), kNetNamed);
}

TEST(Net, AttributesCountTheNameFirst) {
    CNet net("CLK");
    EXPECT_EQ(net.GetAttrCount(), 1);
    net.SetAttr("Freq", "10M", 0);
    CString key;
    CString value;
    net.GetAttrAt(0, key, value);
    EXPECT_EQ(key + "=" + value, "_ID=CLK");
    net.GetAttrAt(1, key, value);
    EXPECT_EQ(key + "=" + value, "Freq=10M");
    net.GetAttrAt(2, key, value);  // beyond the map
    EXPECT_EQ(key + value, "");
    EXPECT_EQ(net.GetAttrCount(), 2);
    EXPECT_FALSE(net.RemoveAttr("_ID"));
    EXPECT_TRUE(net.IsIdAttrAt(0));
    EXPECT_FALSE(net.IsIdAttrAt(1));
}

// A net without attributes of its own takes those of another and gives its empty set back.
TEST(Net, ExchangeWithANetWithoutAttributes) {
    CNet plain("A");
    CNet rich("B");
    rich.SetAttr("Freq", "10M", 0);
    rich.SetAttr("Class", "Power", 0);
    plain.ExchangeAttributes(rich);
    EXPECT_EQ(plain.GetName(), "B");
    EXPECT_EQ(plain.GetAttr("Freq") + "," + plain.GetAttr("Class"), "10M,Power");
    EXPECT_EQ(plain.GetAttrCount(), 3);
    EXPECT_EQ(rich.GetName(), "A");
    EXPECT_EQ(rich.GetAttrCount(), 1);
    CString value;
    EXPECT_FALSE(rich.LookupAttr("Freq", value));
    EXPECT_FALSE(rich.RemoveAttr("Freq"));
    const CNet copy(plain);
    EXPECT_EQ(copy.GetAttr("Class"), "Power");
}

// The sanitizers see a net left over or deleted twice.
TEST(Net, LastReleaseDeletes) {
    auto* net = new CNet;
    net->AddRef();
    net->AddRef();
    EXPECT_EQ(net->Release(), 1);
    EXPECT_EQ(net->Release(), 0);
    EXPECT_EQ((new CNet)->Release(), 0);  // never held: deleted, not driven below zero
}

TEST(Net, UniqueNameSkipsNamesInUse) {
    NetSheet sheet;
    sheet.Place({{0, 0}, {100, 0}}, "n0007");
    CWire* wire = sheet.Place({{0, 100}, {100, 100}}, "");
    sheet.doc.m_nextNetNumber = 7;
    wire->GetNet()->MakeUniqueName(&sheet.doc);
    EXPECT_EQ(wire->GetNet()->GetName(), "n0008");
    EXPECT_EQ(sheet.doc.m_nextNetNumber, 9);
    wire->GetNet()->MakeUniqueName(&sheet.doc);  // its own name is free
    EXPECT_EQ(wire->GetNet()->GetName(), "n0008");
}

// Within a scope the names are looked up in what the sheet holds when a name is first drawn:
// a wire added after the scope opened still keeps its name, and a name given in the scope
// is taken for the next net.
TEST(Net, UniqueNamesInAScopeSeeWiresAddedSinceItOpened) {
    NetSheet sheet;
    CWire* first = sheet.Place({{0, 0}, {100, 0}}, "");
    CWire* second = sheet.Place({{0, 100}, {100, 100}}, "");
    const CDrawDoc::NetNameScope scope(sheet.doc);
    sheet.Place({{0, 200}, {100, 200}}, "n0001");
    sheet.doc.m_nextNetNumber = 1;
    first->GetNet()->MakeUniqueName(&sheet.doc);
    sheet.doc.m_nextNetNumber = 1;
    second->GetNet()->MakeUniqueName(&sheet.doc);
    EXPECT_EQ(first->GetNet()->GetName(), "n0002");
    EXPECT_EQ(second->GetNet()->GetName(), "n0003");
}

TEST(Net, LoadedNetsAreSharedAndNamed) {
    NetSheet source;
    CWire* first = source.Place({{0, 0}, {100, 0}}, "");
    for (int y : {100, 200})
        NetSheet::Give(source.Place({{0, y}, {100, y}}), first->GetNet());
    source.Place({{0, 300}, {100, 300}}, "n0001");
    NetSheet loaded;
    CMemFile file(testsupport::DocumentBytes(source.doc));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &loaded.doc;
    loaded.doc.Serialize(ar);
    const CObList& objects = loaded.doc.GetObjects();
    CNet* shared = static_cast<CDrawObj*>(objects.GetHead())->GetNet();
    EXPECT_EQ(shared->GetRefCount(), 3);
    EXPECT_EQ(shared->GetName(), "n0002");
    EXPECT_EQ(loaded.doc.FindNet("n0001"), static_cast<CDrawObj*>(objects.GetTail())->GetNet());
    EXPECT_EQ(loaded.doc.FindNet("n0003"), nullptr);
}

}  // namespace

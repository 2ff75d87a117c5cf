#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OpsPart.h"
#include "model/DrawDoc.h"
#include "model/IdsInUse.h"

using opstest::Id;
using opstest::OpsPart;
using opstest::SetId;

namespace {

class IdentifiersTest : public opstest::OpsDocTest {
protected:
    OpsPart* PlaceDevice(int tag, const char* name) {
        OpsPart* part = Place(kObjSymbol);
        part->SetTestDevice(tag, name);
        return part;
    }
    std::string MakeId(OpsPart* part, const char* wanted = "") {
        CString id = wanted;
        doc->MakeObjectId(id, part);
        return id.str();
    }
    std::string UniqueDeviceName(const char* name) {
        CString result;
        doc->MakeUniqueDeviceName(result, name);
        return result.str();
    }
};

TEST_F(IdentifiersTest, ObjectIdsCountFromTheFirstPartNumber) {
    Place(kObjSymbol, "A1");
    EXPECT_EQ(MakeId(Place(kObjSymbol)), "A2");  // no prefix: "A"

    OpsPart* resistor = Place(kObjSymbol, "", "R");
    Place(kObjSymbol, "R1");
    Place(kObjText, "R2");
    EXPECT_EQ(MakeId(resistor), "R3");
    Place(kObjText)->SetAttr("_DID", "R3", 1);  // device identifiers are taken too
    EXPECT_EQ(MakeId(resistor), "R4");

    doc->m_firstPartNumber = 100;
    EXPECT_EQ(MakeId(resistor), "R100");
}

TEST_F(IdentifiersTest, WantedIdIsKeptOnlyWhenTheObjectAcceptsIt) {
    OpsPart* first = Place(kObjSymbol, "R1", "R");
    OpsPart* second = Place(kObjSymbol, "", "R");
    EXPECT_EQ(MakeId(second, "R9"), "R9");
    EXPECT_EQ(MakeId(second, "R1"), "R2");  // in use by another symbol
    EXPECT_EQ(MakeId(first, "R1"), "R1");   // its own

    EXPECT_TRUE(doc->IsIdInUse(second, "R1"));
    EXPECT_FALSE(doc->IsIdInUse(first, "R1"));
    Place(kObjWire, "N1");
    EXPECT_FALSE(doc->IsIdInUse(first, "N1"));  // other type codes do not count
}

TEST_F(IdentifiersTest, UniqueDeviceNamesCountOn) {
    EXPECT_EQ(UniqueDeviceName("R1"), "R1");
    PlaceDevice(0, "R1");
    EXPECT_EQ(UniqueDeviceName("R1"), "R1(2)");
    PlaceDevice(1, "R1(2)");
    EXPECT_EQ(UniqueDeviceName("R1"), "R1(3)");
    EXPECT_EQ(UniqueDeviceName("R1(4)"), "R1(4)");
    PlaceDevice(2, "R1(4)");
    EXPECT_EQ(UniqueDeviceName("R1(4)"), "R1(5)");
    // Text in the brackets that is no number starts from the bare name.
    EXPECT_EQ(UniqueDeviceName("Q(x)"), "Q");
    PlaceDevice(3, "Q");
    EXPECT_EQ(UniqueDeviceName("Q(x)"), "Q(2)");
    EXPECT_EQ(UniqueDeviceName("R1(-1)"), "R1(-1)");
    Place(kObjSymbol)->SetAttr("_Device._Name", "U1", 1);  // no device: no device name
    EXPECT_EQ(UniqueDeviceName("U1"), "U1");
}

// ---------------------------------------------------------------------------------------------
// Renumbering

TEST_F(IdentifiersTest, RenumberingIsOneStepInListOrder) {
    OpsPart* r5 = Place(kObjSymbol, "R5", "R");
    Place(kObjSymbol, "R2", "R");  // not renumbered: keeps its number
    OpsPart* r9 = Place(kObjSymbol, "R9", "R");
    OpsPart* c4 = Place(kObjSymbol, "C4", "C");
    OpsPart* text = Place(kObjText, "T1");
    CObList list;
    for (OpsPart* part : {r9, text, c4, r5, r9})
        list.AddTail(part);

    doc->RenumberObjects(&list);
    EXPECT_EQ(Id(r9), "R1");
    EXPECT_EQ(Id(c4), "C1");
    EXPECT_EQ(Id(r5), "R3");
    EXPECT_EQ(Id(text), "T1");
    ASSERT_EQ(doc->GetUndoList().GetCount(), 1);
    EXPECT_STREQ(doc->GetUndoList().GetUndoName(), "renumber");

    doc->GetUndoList().Undo();
    EXPECT_EQ(Id(r9), "R9");
    EXPECT_EQ(Id(c4), "C4");
    EXPECT_EQ(Id(r5), "R5");
    doc->GetUndoList().Redo();
    EXPECT_EQ(Id(r9), "R1");
    EXPECT_EQ(Id(r5), "R3");

    CObList noSymbols;
    noSymbols.AddTail(text);
    doc->RenumberObjects(&noSymbols);
    EXPECT_EQ(doc->GetUndoList().GetCount(), 1);
}

// The set of identifiers in use must answer as a fresh look at the document would.
TEST(IdsInUseTest, FirstFreeFollowsAddedAndFreedIds) {
    CObList none;
    IdsInUse ids(none);
    EXPECT_EQ(ids.FirstFree("R", 1), "R1");
    ids.Replace("", "R1");
    ids.Replace("", "R2");
    ids.Replace("", "R2");
    EXPECT_EQ(ids.FirstFree("R", 1), "R3");
    ids.Replace("R2", "R7");  // one of two holders leaves R2
    EXPECT_EQ(ids.FirstFree("R", 1), "R3");
    ids.Replace("R2", "");
    EXPECT_EQ(ids.FirstFree("R", 1), "R2");
    EXPECT_EQ(ids.FirstFree("R", 7), "R8");
    EXPECT_EQ(ids.FirstFree("R", -1), "R-1");
    EXPECT_TRUE(ids.Contains("R7"));
    EXPECT_FALSE(ids.Contains(""));
}

// ---------------------------------------------------------------------------------------------
// Order and placement

TEST_F(IdentifiersTest, DrawingOrderKeepsDocumentObjectsOnce) {
    OpsPart* a = Place(kObjRect);
    OpsPart* b = Place(kObjRect);
    OpsPart* c = Place(kObjRect);
    OpsPart outside(kObjRect);
    b->SetFlags(kFlagSnapExcluded, kFlagSnapExcluded);  // a drag in progress
    CObList list;
    for (CObject* object : std::initializer_list<CObject*>{c, &outside, a, c})
        list.AddTail(object);
    doc->SortInDrawingOrder(&list);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetHead(), a);
    EXPECT_EQ(list.GetTail(), c);
    EXPECT_EQ(b->GetFlags() & kFlagSnapExcluded, kFlagSnapExcluded);
}

// y grows upwards: moving down lowers both edges.
TEST_F(IdentifiersTest, NewTextsStackBelowObjectsAndEachOther) {
    auto* block = new OpsPart(kObjRect, CRect(0, 0, 1000, -300));
    block->SetDocument(doc.get());
    doc->GetObjects().AddTail(block);
    OpsPart first(kObjText, CRect(100, -100, 400, -250));
    OpsPart second(kObjText, CRect(100, -100, 400, -250));
    OpsPart clear(kObjText, CRect(2000, -100, 2300, -250));
    CObList texts;
    texts.AddTail(&first);
    texts.AddTail(&second);
    texts.AddTail(&clear);

    doc->StackNewTexts(&texts);
    CRect box;
    first.GetBoundingRect(box);
    EXPECT_EQ(box.top, -250 - 400 - 1);  // two steps: the box met the block after one
    EXPECT_FALSE(block->Intersects(box));
    CRect secondBox;
    second.GetBoundingRect(secondBox);
    EXPECT_LT(secondBox.bottom, box.top);
    EXPECT_FALSE(first.Intersects(secondBox));
    EXPECT_EQ(clear.GetPosition(), CRect(2000, -100, 2300, -250));
}

}  // namespace

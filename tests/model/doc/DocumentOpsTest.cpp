// The document's object operations: adding, copying in, identifiers, device names, renumbering,
// drawing order and the stacking of new texts.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/support/TestPart.h"
#include "support/ScriptedPrompt.h"

namespace {

using Objects = std::vector<CObject*>;

CString Id(CDrawObj* part) {
    return part->GetAttr("_ID");
}

TestPart* Make(int type, const char* id = "", const char* prefix = "") {
    auto* part = new TestPart(0, type);
    part->SetAttr("_ID", id, 1);
    if (*prefix)
        part->SetAttr("_Pref", prefix, 1);
    return part;
}

// A document whose parts must all be gone with it.
class DocumentOpsTest : public ::testing::Test {
protected:
    void TearDown() override {
        doc.reset();
        EXPECT_EQ(TestPart::alive, aliveBefore);
    }
    // A new part put straight into the document's list, outside any command.
    TestPart* Place(int type, const char* id = "", const char* prefix = "") {
        TestPart* part = Make(type, id, prefix);
        part->SetDocument(doc.get());
        doc->GetObjects().AddTail(part);
        return part;
    }
    std::string MakeId(TestPart* part, const char* wanted = "") {
        CString id = wanted;
        doc->MakeObjectId(id, part);
        return id.str();
    }
    std::string UniqueDeviceName(const char* name) {
        CString result;
        doc->MakeUniqueDeviceName(result, name);
        return result.str();
    }

    int aliveBefore = TestPart::alive;
    std::unique_ptr<CDrawDoc> doc = std::make_unique<CDrawDoc>();
    CUndoList& undo = doc->GetUndoList();
};

// A failed add leaves nothing behind: not in the list, no command, and the part is gone.
TEST_F(DocumentOpsTest, OneObjectIsOneUndoableStepOrNothing) {
    EXPECT_FALSE(doc->AddObject(std::make_unique<TestPart>(0, kObjPin)));  // no pins here
    auto refusing = std::make_unique<TestPart>(0, kObjSymbol);
    refusing->failAssign = true;
    EXPECT_FALSE(doc->AddObject(std::move(refusing)));
    EXPECT_FALSE(doc->AddObject(nullptr));
    EXPECT_TRUE(doc->GetObjects().IsEmpty());
    EXPECT_EQ(undo.GetCount(), 0);
    EXPECT_EQ(TestPart::alive, aliveBefore);

    auto part = std::make_unique<TestPart>(1);
    TestPart* raw = part.get();
    ASSERT_TRUE(doc->AddObject(std::move(part)));
    EXPECT_EQ(Contents(doc->GetObjects()), Objects{raw});
    EXPECT_EQ(raw->GetDocument(), doc.get());
    EXPECT_STREQ(undo.GetUndoName(), "add object");
}

TEST_F(DocumentOpsTest, ListKeepsRefusedObjectsAndAddsTheRestInOrder) {
    TestPart* kept = Place(kObjRect);
    TestPart* pin = Make(kObjPin);
    TestPart* wire = Make(kObjWire);
    TestPart* symbol = Make(kObjSymbol);
    ObjectList list{wire, pin, symbol};
    EXPECT_FALSE(doc->AddObjects(&list));  // refused the pin, added the others
    EXPECT_EQ(Contents(list), Objects{pin});
    EXPECT_EQ(Contents(doc->GetObjects()), (Objects{kept, wire, symbol}));
    EXPECT_EQ(undo.GetCount(), 1);
    EXPECT_STREQ(undo.GetUndoName(), "add objects");
    EXPECT_EQ(pin->GetDocument(), nullptr);
    delete pin;
}

TEST_F(DocumentOpsTest, PastedSymbolsGetFreeIdentifiersInListOrder) {
    Place(kObjSymbol, "R1", "R");
    Place(kObjWire, "R3");  // any object's identifier counts
    TestPart* clash = Make(kObjSymbol, "R1", "R");
    TestPart* fresh = Make(kObjSymbol, "", "R");
    TestPart* keeps = Make(kObjSymbol, "R7", "R");
    TestPart* plain = Make(kObjSymbol);
    ObjectList list{clash, fresh, keeps, plain};
    ASSERT_TRUE(doc->AddObjects(&list));
    EXPECT_EQ(Id(clash), "R2");
    EXPECT_EQ(Id(fresh), "R4");
    EXPECT_EQ(Id(keeps), "R7");
    EXPECT_EQ(Id(plain), "A1");
}

// Sources outside the document: a links to b, b links to c (which is in the document).
class AddObjectCopiesTest : public DocumentOpsTest {
protected:
    void SetUp() override {
        c = Place(kObjRect);
        b->SetAttr("_Pref", "U", 1);
        TestPart::Link(a.get(), b.get());
        TestPart::Link(b.get(), c);
    }
    void TearDown() override {
        a.reset();
        b.reset();
        DocumentOpsTest::TearDown();
    }

    TestPart* c = nullptr;
    std::unique_ptr<TestPart> a = std::make_unique<TestPart>(1, kObjWire);
    std::unique_ptr<TestPart> b = std::make_unique<TestPart>(2, kObjSymbol);
    ObjectList sources{a.get(), b.get()};
};

TEST_F(AddObjectCopiesTest, CopiesLinkToEachOtherAndNotToTheSources) {
    ASSERT_TRUE(doc->AddObjectCopies(&sources));
    ASSERT_EQ(sources.GetCount(), 2);
    auto* copyA = static_cast<TestPart*>(sources.GetHead());
    auto* copyB = static_cast<TestPart*>(sources.GetTail());
    EXPECT_EQ(copyA->Partners(), "2 ");
    EXPECT_TRUE(copyA->IsLinkedTo(copyB));
    EXPECT_FALSE(copyB->IsLinkedTo(c));  // the link to c stays with the source
    EXPECT_EQ(Id(copyB), "U1");
    EXPECT_EQ(Contents(doc->GetObjects()), (Objects{c, copyA, copyB}));
    EXPECT_TRUE(b->IsLinkedTo(a.get()) && b->IsLinkedTo(c));
    EXPECT_EQ(b->GetDocument(), nullptr);
}

TEST_F(AddObjectCopiesTest, OneObjectIsClonedAndRefusedOnesAreLeftOut) {
    TestPart pin(0, kObjPin);
    ObjectList list{&pin, b.get()};
    ASSERT_TRUE(doc->AddObjectCopies(&list));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_NE(list.GetHead(), b.get());
    EXPECT_EQ(doc->GetObjects().GetTail(), list.GetHead());
    EXPECT_EQ(undo.GetCount(), 1);
}

// The copies that a taken-back add deleted are not deleted a second time.
TEST_F(AddObjectCopiesTest, TakenBackAddDeletesEachCopyOnce) {
    b->failAssign = true;
    EXPECT_FALSE(doc->AddObjectCopies(&sources));
    EXPECT_TRUE(sources.IsEmpty());
    EXPECT_EQ(Contents(doc->GetObjects()), Objects{c});
    EXPECT_EQ(undo.GetCount(), 0);
    EXPECT_EQ(TestPart::alive, aliveBefore + 3);  // c, a and b
}

TEST_F(AddObjectCopiesTest, FailedCopyIsReportedAndTheSourcesKeepTheirLinks) {
    testsupport::ScriptedPrompt prompt({IDOK});
    b->failStore = true;
    EXPECT_FALSE(doc->AddObjectCopies(&sources));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_FALSE(prompt.shown()[0].text.IsEmpty());
    EXPECT_TRUE(sources.IsEmpty());
    EXPECT_EQ(b->Partners(), "1 0 ");
    EXPECT_EQ(doc->GetObjects().GetCount(), 1);
}

TEST_F(DocumentOpsTest, ObjectIdsCountFromTheFirstPartNumberAndKeepAnAcceptedWish) {
    Place(kObjSymbol, "A1");
    EXPECT_EQ(MakeId(Place(kObjSymbol)), "A2");  // no prefix: "A"

    TestPart* resistor = Place(kObjSymbol, "", "R");
    TestPart* first = Place(kObjSymbol, "R1");
    Place(kObjText, "R2");
    EXPECT_EQ(MakeId(resistor), "R3");
    Place(kObjText)->SetAttr("_DID", "R3", 1);  // device identifiers are taken too
    EXPECT_EQ(MakeId(resistor), "R4");
    EXPECT_EQ(MakeId(resistor, "R9"), "R9");
    EXPECT_EQ(MakeId(resistor, "R1"), "R4");  // in use by another symbol
    EXPECT_EQ(MakeId(first, "R1"), "R1");     // its own
    EXPECT_TRUE(doc->IsIdInUse(resistor, "R1"));
    EXPECT_FALSE(doc->IsIdInUse(first, "R1"));
    EXPECT_FALSE(doc->IsIdInUse(first, "R2"));  // other type codes do not count

    doc->m_firstPartNumber = 100;
    EXPECT_EQ(MakeId(resistor), "R100");
}

TEST_F(DocumentOpsTest, UniqueDeviceNamesCountOn) {
    EXPECT_EQ(UniqueDeviceName("R1"), "R1");
    Place(kObjSymbol)->SetTestDevice("R1");
    EXPECT_EQ(UniqueDeviceName("R1"), "R1(2)");
    Place(kObjSymbol)->SetTestDevice("R1(2)");
    EXPECT_EQ(UniqueDeviceName("R1"), "R1(3)");
    EXPECT_EQ(UniqueDeviceName("R1(4)"), "R1(4)");
    Place(kObjSymbol)->SetTestDevice("R1(4)");
    EXPECT_EQ(UniqueDeviceName("R1(4)"), "R1(5)");
    // Text in the brackets that is no number starts from the bare name.
    EXPECT_EQ(UniqueDeviceName("Q(x)"), "Q");
    Place(kObjSymbol)->SetTestDevice("Q");
    EXPECT_EQ(UniqueDeviceName("Q(x)"), "Q(2)");
    EXPECT_EQ(UniqueDeviceName("R1(-1)"), "R1(-1)");
    Place(kObjSymbol)->SetAttr("_Device._Name", "U1", 1);  // no device: no device name
    EXPECT_EQ(UniqueDeviceName("U1"), "U1");
}

TEST_F(DocumentOpsTest, RenumberingIsOneStepInListOrder) {
    TestPart* r5 = Place(kObjSymbol, "R5", "R");
    Place(kObjSymbol, "R2", "R");  // not renumbered: keeps its number
    TestPart* r9 = Place(kObjSymbol, "R9", "R");
    TestPart* c4 = Place(kObjSymbol, "C4", "C");
    TestPart* text = Place(kObjText, "T1");
    ObjectList list{r9, text, c4, r5, r9};
    doc->RenumberObjects(&list);
    EXPECT_EQ(Id(r9) + Id(c4) + Id(r5) + Id(text), "R1C1R3T1");
    ASSERT_EQ(undo.GetCount(), 1);
    EXPECT_STREQ(undo.GetUndoName(), "renumber");
    undo.Undo();
    EXPECT_EQ(Id(r9) + Id(c4) + Id(r5), "R9C4R5");

    ObjectList noSymbols{text};
    doc->RenumberObjects(&noSymbols);
    EXPECT_EQ(undo.GetCount(), 1);
}

TEST_F(DocumentOpsTest, DrawingOrderKeepsDocumentObjectsOnce) {
    TestPart* a = Place(kObjRect);
    Place(kObjRect);
    TestPart* c = Place(kObjRect);
    TestPart outside(0);
    ObjectList list{c, &outside, a, c};
    doc->SortInDrawingOrder(&list);
    EXPECT_EQ(Contents(list), (Objects{a, c}));
}

// y grows upwards: moving down lowers both edges.
TEST_F(DocumentOpsTest, NewTextsStackBelowObjectsAndEachOther) {
    auto* block = new TestPart(kObjRect, CRect(0, 0, 1000, -300));
    block->SetDocument(doc.get());
    doc->GetObjects().AddTail(block);
    TestPart first(kObjText, CRect(100, -100, 400, -250));
    TestPart second(kObjText, CRect(100, -100, 400, -250));
    TestPart clear(kObjText, CRect(2000, -100, 2300, -250));
    ObjectList texts{&first, &second, &clear};
    doc->StackNewTexts(&texts);
    CRect box;
    first.GetBoundingRect(box);
    EXPECT_EQ(box.top, -250 - 400 - 1);  // two steps: the box met the block after one
    CRect secondBox;
    second.GetBoundingRect(secondBox);
    EXPECT_LT(secondBox.bottom, box.top);
    EXPECT_EQ(clear.GetPosition(), CRect(2000, -100, 2300, -250));
}

}  // namespace

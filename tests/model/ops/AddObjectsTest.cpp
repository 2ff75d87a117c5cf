#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "OpsPart.h"
#include "model/DrawDoc.h"
#include "support/ScriptedPrompt.h"

using opstest::Id;
using opstest::OpsPart;
using opstest::SetId;

namespace {

std::vector<CObject*> Contents(const CObList& list) {
    std::vector<CObject*> result;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        result.push_back(list.GetNext(pos));
    return result;
}

using AddObjectsTest = opstest::OpsDocTest;

// A failed add leaves nothing behind: not in the list, no command, and the object is gone.
TEST_F(AddObjectsTest, OneObjectIsOneUndoableStepOrNothing) {
    EXPECT_FALSE(doc->AddObject(std::make_unique<OpsPart>(kObjPin)));  // a schematic has no pins
    auto refusing = std::make_unique<OpsPart>(kObjSymbol);
    refusing->failAssign = true;
    EXPECT_FALSE(doc->AddObject(std::move(refusing)));
    EXPECT_FALSE(doc->AddObject(nullptr));
    EXPECT_TRUE(doc->GetObjects().IsEmpty());
    EXPECT_EQ(doc->GetUndoList().GetCount(), 0);
    EXPECT_EQ(OpsPart::alive, aliveBefore);

    auto part = std::make_unique<OpsPart>(kObjRect);
    OpsPart* raw = part.get();
    ASSERT_TRUE(doc->AddObject(std::move(part)));
    EXPECT_EQ(Contents(doc->GetObjects()), std::vector<CObject*>{raw});
    EXPECT_EQ(raw->GetDocument(), doc.get());
    EXPECT_STREQ(doc->GetUndoList().GetUndoName(), "add object");
    ASSERT_TRUE(doc->GetUndoList().Undo());
    EXPECT_TRUE(doc->GetObjects().IsEmpty());
    ASSERT_TRUE(doc->GetUndoList().Redo());
    EXPECT_EQ(Contents(doc->GetObjects()), std::vector<CObject*>{raw});
}

TEST_F(AddObjectsTest, ListKeepsRefusedObjectsAndAddsTheRestInOrder) {
    Place(kObjRect);
    OpsPart* pin = new OpsPart(kObjPin);
    OpsPart* wire = new OpsPart(kObjWire);
    OpsPart* symbol = Symbol();
    CObList list;
    list.AddTail(wire);
    list.AddTail(pin);
    list.AddTail(symbol);

    EXPECT_FALSE(doc->AddObjects(&list));  // refused the pin, added the others
    EXPECT_EQ(Contents(list), std::vector<CObject*>{pin});
    std::vector<CObject*> objects = Contents(doc->GetObjects());
    EXPECT_EQ(std::vector<CObject*>(objects.begin() + 1, objects.end()),
              (std::vector<CObject*>{wire, symbol}));
    EXPECT_EQ(doc->GetUndoList().GetCount(), 1);
    EXPECT_STREQ(doc->GetUndoList().GetUndoName(), "add objects");
    EXPECT_EQ(pin->GetDocument(), nullptr);
    delete pin;

    doc->GetUndoList().Undo();
    EXPECT_EQ(doc->GetObjects().GetCount(), 1);
    doc->GetUndoList().Redo();
    EXPECT_EQ(Contents(doc->GetObjects()), objects);
}

TEST_F(AddObjectsTest, IdentifierFailureTakesTheWholeAddBack) {
    OpsPart* kept = Place(kObjRect);
    OpsPart* refusing = Symbol();
    refusing->failAssign = true;
    OpsPart* pin = new OpsPart(kObjPin);
    CObList list;
    list.AddTail(Symbol());
    list.AddTail(pin);
    list.AddTail(refusing);

    EXPECT_FALSE(doc->AddObjects(&list));
    EXPECT_EQ(Contents(doc->GetObjects()), std::vector<CObject*>{kept});
    EXPECT_EQ(doc->GetUndoList().GetCount(), 0);
    EXPECT_EQ(Contents(list), std::vector<CObject*>{pin});  // the only one still the caller's
    delete pin;
    EXPECT_EQ(OpsPart::alive, aliveBefore + 1);
}

TEST_F(AddObjectsTest, PastedSymbolsGetFreeIdentifiersInListOrder) {
    Place(kObjSymbol, "R1", "R");
    Place(kObjWire, "R3");  // any object's identifier counts
    OpsPart* clash = Symbol("R1", "R");
    OpsPart* fresh = Symbol("", "R");
    OpsPart* keeps = Symbol("R7", "R");
    OpsPart* plain = Symbol();
    CObList list;
    for (OpsPart* part : {clash, fresh, keeps, plain})
        list.AddTail(part);

    ASSERT_TRUE(doc->AddObjects(&list));
    EXPECT_EQ(Id(clash), "R2");
    EXPECT_EQ(Id(fresh), "R4");
    EXPECT_EQ(Id(keeps), "R7");
    EXPECT_EQ(Id(plain), "A1");
}

// ---------------------------------------------------------------------------------------------
// Copies

class AddObjectCopiesTest : public opstest::OpsDocTest {
protected:
    // Sources outside the document: a links to b, b links to c (which is in the document).
    void SetUp() override {
        c = Place(kObjRect);
        a = std::make_unique<OpsPart>(kObjWire);
        b = std::make_unique<OpsPart>(kObjSymbol);
        b->SetAttr("_Pref", "U", 1);
        a->link = b.get();
        b->link = c;
        sources.AddTail(a.get());
        sources.AddTail(b.get());
    }
    void TearDown() override {
        a.reset();
        b.reset();
        OpsDocTest::TearDown();
    }

    OpsPart* c = nullptr;
    std::unique_ptr<OpsPart> a;
    std::unique_ptr<OpsPart> b;
    CObList sources;
};

TEST_F(AddObjectCopiesTest, CopiesLinkToEachOtherAndNotToTheSources) {
    ASSERT_TRUE(doc->AddObjectCopies(&sources));
    ASSERT_EQ(sources.GetCount(), 2);
    auto* copyA = static_cast<OpsPart*>(sources.GetHead());
    auto* copyB = static_cast<OpsPart*>(sources.GetTail());
    EXPECT_NE(copyA, a.get());
    EXPECT_EQ(copyA->link, copyB);
    EXPECT_EQ(copyB->link, nullptr);  // the link to c stays with the source
    EXPECT_EQ(copyB->GetDocument(), doc.get());
    EXPECT_EQ(Id(copyB), "U1");
    EXPECT_EQ(Contents(doc->GetObjects()), (std::vector<CObject*>{c, copyA, copyB}));
    EXPECT_EQ(a->link, b.get());
    EXPECT_EQ(b->link, c);
    EXPECT_EQ(b->GetDocument(), nullptr);
}

TEST_F(AddObjectCopiesTest, OneObjectIsClonedAndRefusedOnesAreLeftOut) {
    OpsPart pin(kObjPin);
    CObList list;
    list.AddTail(&pin);
    EXPECT_FALSE(doc->AddObjectCopies(&list));
    EXPECT_TRUE(list.IsEmpty());

    list.AddTail(&pin);
    list.AddTail(b.get());
    ASSERT_TRUE(doc->AddObjectCopies(&list));
    ASSERT_EQ(list.GetCount(), 1);
    auto* copy = static_cast<OpsPart*>(list.GetHead());
    EXPECT_NE(copy, b.get());
    EXPECT_EQ(copy->GetDocument(), doc.get());
    EXPECT_EQ(doc->GetObjects().GetTail(), copy);
    EXPECT_EQ(doc->GetUndoList().GetCount(), 1);
}

// The copies that a taken-back add deleted are not deleted a second time.
TEST_F(AddObjectCopiesTest, TakenBackAddDeletesEachCopyOnce) {
    b->failAssign = true;
    EXPECT_FALSE(doc->AddObjectCopies(&sources));
    EXPECT_TRUE(sources.IsEmpty());
    EXPECT_EQ(Contents(doc->GetObjects()), std::vector<CObject*>{c});
    EXPECT_EQ(doc->GetUndoList().GetCount(), 0);
    EXPECT_EQ(OpsPart::alive, aliveBefore + 3);  // c, a and b
}

TEST_F(AddObjectCopiesTest, FailedCopyIsReportedAndTheSourcesKeepTheirLinks) {
    testsupport::ScriptedPrompt prompt({IDOK});
    b->failStore = true;
    EXPECT_FALSE(doc->AddObjectCopies(&sources));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_FALSE(prompt.shown()[0].text.IsEmpty());
    EXPECT_TRUE(sources.IsEmpty());
    EXPECT_EQ(b->link, c);
    EXPECT_EQ(a->link, b.get());
    EXPECT_EQ(doc->GetObjects().GetCount(), 1);
}

// ---------------------------------------------------------------------------------------------
// Removing

TEST_F(AddObjectsTest, RemovingIsOneStepThatUndoesIntoTheSamePlacesAndLinks) {
    std::vector<OpsPart*> parts;
    for (int i = 0; i < 5; ++i)
        parts.push_back(Place(kObjRect));
    parts[3]->link = parts[2];
    const std::vector<CObject*> before = Contents(doc->GetObjects());
    CObList list;
    list.AddTail(parts[3]);
    list.AddTail(parts[1]);
    doc->RemoveObjects(&list);
    EXPECT_EQ(Contents(doc->GetObjects()), (std::vector<CObject*>{parts[0], parts[2], parts[4]}));
    EXPECT_STREQ(doc->GetUndoList().GetUndoName(), "remove objects");
    EXPECT_EQ(parts[3]->link, nullptr);
    doc->GetUndoList().Undo();
    EXPECT_EQ(Contents(doc->GetObjects()), before);
    EXPECT_EQ(parts[3]->link, parts[2]);

    CObList empty;
    doc->RemoveObjects(&empty);
    EXPECT_EQ(doc->GetUndoList().GetCount(), 1);
}

}  // namespace

// The Design View page: its entries follow the design tree's nodes through expansion, sorting
// and the idle refresh, and it refuses expansion while a refresh is pending.

#include "gui/library/TreeBar.h"

#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <vector>

#include "gui/library/DesignTreeCtrl.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "netlist/support/NetlistSheet.h"
#include "platform/AppServices.h"
#include "support/ScriptedPrompt.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class TreeBar : public ::testing::Test, private WithApp {
protected:
    TreeBar() {
        bar.SetDocumentList([this] {
            std::vector<CDrawDoc*> open;
            for (const auto& doc : docs)
                open.push_back(doc.get());
            return open;
        });
    }
    CDrawDoc& NewDoc(const char* title) {
        docs.push_back(std::make_unique<CDrawDoc>());
        docs.back()->SetTitle(title);
        return *docs.back();
    }
    static CSymbol* AddSymbol(CDrawDoc& doc, const char* id) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->GetAttrMap()->SetAt("_ID", id);
        doc.GetObjects().AddTail(symbol);
        return symbol;
    }
    QTreeWidget& Tree() { return *bar.Tree(); }
    static QTreeWidgetItem* Child(QTreeWidgetItem* item, const char* text) {
        for (int i = 0; item && i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == text)
                return item->child(i);
        }
        return nullptr;
    }
    static QStringList Texts(const QTreeWidgetItem* item) {
        QStringList texts;
        for (int i = 0; i < item->childCount(); ++i)
            texts << item->child(i)->text(0);
        return texts;
    }
    void Settle() {
        for (int steps = 0; bar.OnIdle(steps); ++steps)
            ASSERT_LT(steps, 10000);
    }

    testsupport::RecordingAppServices services;
    std::vector<std::unique_ptr<CDrawDoc>> docs;
    CTreeBar bar;
};

TEST_F(TreeBar, WithoutDocumentsTheRootHasNoChildButton) {
    ASSERT_EQ(Tree().topLevelItemCount(), 1);
    QTreeWidgetItem* root = Tree().topLevelItem(0);
    EXPECT_EQ(root->text(0), "Schematics");
    EXPECT_EQ(root->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
    EXPECT_EQ(root->flags() & Qt::ItemIsEditable, Qt::ItemFlags());
}

TEST_F(TreeBar, EntriesFollowExpansionEditsAndTheSetOfDocuments) {
    CDrawDoc& doc = NewDoc("a.sch");
    AddSymbol(doc, "R10");
    AddSymbol(doc, "R2");
    bar.OnDocumentChanged(DocumentChange{kDocumentSetChanged, nullptr, nullptr});
    Settle();
    QTreeWidgetItem* root = Tree().topLevelItem(0);
    root->setExpanded(true);
    QTreeWidgetItem* document = Child(root, "a.sch");
    ASSERT_TRUE(document);
    document->setExpanded(true);
    QTreeWidgetItem* symbols = Child(document, "Symbols");
    ASSERT_TRUE(symbols);
    symbols->setExpanded(true);
    EXPECT_EQ(Texts(symbols), (QStringList{"R2", "R10"}));

    AddSymbol(doc, "C1");
    bar.OnDocumentChanged(DocumentChange{kDocumentContentChanged, nullptr, &doc});
    Settle();
    EXPECT_EQ(Texts(symbols), (QStringList{"C1", "R2", "R10"}));
    EXPECT_TRUE(symbols->isExpanded());

    NewDoc("b.sch");
    bar.OnDocumentChanged(DocumentChange{kDocumentSetChanged, nullptr, nullptr});
    Settle();
    EXPECT_EQ(Texts(root), (QStringList{"a.sch", "b.sch"}));
    EXPECT_EQ(Child(root, "a.sch"), document);
    docs.erase(docs.begin());
    bar.OnDocumentChanged(DocumentChange{kDocumentSetChanged, nullptr, nullptr});
    Settle();
    EXPECT_EQ(Texts(root), (QStringList{"b.sch"}));
}

TEST_F(TreeBar, ARenamedSymbolsEntryMovesToItsPlaceAndStaysExpanded) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    AddSymbol(doc, "R2");
    AddSymbol(doc, "R3");
    QTreeWidgetItem* root = Tree().topLevelItem(0);
    root->setExpanded(true);
    QTreeWidgetItem* document = Child(root, "a.sch");
    ASSERT_TRUE(document);
    document->setExpanded(true);
    QTreeWidgetItem* symbols = Child(document, "Symbols");
    ASSERT_TRUE(symbols);
    symbols->setExpanded(true);
    QTreeWidgetItem* shownR1 = Child(symbols, "R1");
    ASSERT_TRUE(shownR1);
    shownR1->setExpanded(true);
    Tree().setCurrentItem(Child(symbols, "R2"));

    r1->SetAttr("_ID", "R5", kSetAttrUndoable);
    ASSERT_FALSE(services.notices().empty());
    const auto& notice = services.notices().back();
    bar.OnDocumentChanged(DocumentChange{notice.code, nullptr, notice.document});
    Settle();
    EXPECT_EQ(Texts(symbols), (QStringList{"R2", "R3", "R5"}));
    EXPECT_EQ(Child(symbols, "R5"), shownR1);
    EXPECT_TRUE(shownR1->isExpanded());
    EXPECT_EQ(Texts(shownR1), (QStringList{"Pins", "Attributes"}));
    EXPECT_EQ(Tree().currentItem(), Child(symbols, "R2"));
}

TEST_F(TreeBar, ExpansionWaitsForAPendingRefresh) {
    CDrawDoc& doc = NewDoc("a.sch");
    AddSymbol(doc, "R1");
    QTreeWidgetItem* root = Tree().topLevelItem(0);
    root->setExpanded(true);
    QTreeWidgetItem* document = Child(root, "a.sch");
    ASSERT_TRUE(document);

    bar.OnDocumentChanged(DocumentChange{kDocumentContentChanged, nullptr, &doc});
    document->setExpanded(true);
    EXPECT_FALSE(document->isExpanded());
    EXPECT_EQ(document->childCount(), 0);
    Settle();
    document->setExpanded(true);
    EXPECT_TRUE(document->isExpanded());
    EXPECT_EQ(Texts(document).first(), "Symbols");
}

// The `*` key expands everything below the current entry, and the expansion ends: the tree goes
// round between nets and their pins, and the net under one of its own pins is shown as a leaf.
TEST_F(TreeBar, TheStarKeyExpandsARealTreeAndEnds) {
    nltest::Sheet sheet;
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, nltest::MakeResistor(), "RES");
    sheet.Wire(r1, "1", "VCC");
    sheet.Wire(r1, "2", "IN");
    CDevice* nand = nltest::MakeQuadNand();
    for (const char* gate : {"U1A", "U1B"}) {
        CSymbol* part = sheet.Part(gate, {"A", "B", "Y"}, nand, "NAND");
        const bool first = gate[2] == 'A';
        sheet.Wire(part, "A", first ? "IN" : "MID");
        sheet.Wire(part, "B", first ? "IN" : "MID");
        sheet.Wire(part, "Y", first ? "MID" : "OUT");
    }
    docs.push_back(sheet.Release());
    docs.back()->SetTitle("a.sch");
    bar.OnDocumentChanged(DocumentChange{kDocumentSetChanged, nullptr, nullptr});
    Settle();

    // Past this many expansions the tree is let go round no more, so that the test ends.
    constexpr int kMostExpansions = 5000;
    int expansions = 0;
    QObject::connect(&Tree(), &QTreeWidget::itemExpanded, [&] {
        if (++expansions > kMostExpansions)
            Tree().blockSignals(true);
    });
    QTreeWidgetItem* root = Tree().topLevelItem(0);
    Tree().setCurrentItem(root);
    Tree().setFocus();
    QTest::keyClick(&Tree(), Qt::Key_Asterisk);
    Tree().blockSignals(false);
    ASSERT_LE(expansions, kMostExpansions) << "expanding all goes on without end";

    QTreeWidgetItem* in = Child(Child(Child(root, "a.sch"), "Nets"), "IN");
    ASSERT_TRUE(in);
    EXPECT_TRUE(in->isExpanded());
    EXPECT_EQ(Texts(in), (QStringList{"R1:2 (2)", "U1A:A (1)", "U1A:B (2)"}));
    QTreeWidgetItem* pin = Child(in, "U1A:B (2)");
    ASSERT_TRUE(pin);
    EXPECT_TRUE(pin->isExpanded());
    QTreeWidgetItem* again = Child(pin, "IN");
    ASSERT_TRUE(again) << Texts(pin).join(", ").toStdString();
    EXPECT_EQ(again->childCount(), 0);
    EXPECT_FALSE(again->isExpanded());
    EXPECT_EQ(again->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

}  // namespace

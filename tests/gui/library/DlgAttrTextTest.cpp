// The Attribute Link page: it opens on the text's owner in the design tree, lists the chosen
// object's attributes, and links the text to the owner, name and style chosen.

#include "gui/library/DlgAttrText.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "gui/library/DesignTreeCtrl.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "support/ScriptedPrompt.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class DlgAttrText : public ::testing::Test, private WithApp {
protected:
    DlgAttrText() {
        symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->GetAttrMap()->SetAt("_ID", "R1");
        pin = new CPin(symbol);
        pin->SetEnds(CPoint(0, 0), CPoint(100, 0));
        pin->GetAttrMap()->SetAt("_ID", "A");
        symbol->GetPins().AddTail(pin);
        doc.GetObjects().AddTail(symbol);
        text = new CAttrText(CRect(0, 0, 500, -200));
        text->SetDocument(&doc);
        text->Bind(symbol, "_ID");
        symbol->GetAttrTextList()->AddTail(text);
        doc.GetObjects().AddTail(text);
        page = new CDlgAttrText(*text);
        sheet.AddPage(page);
        sheet.show();
    }
    IDesignTree::Node Find(const char* label) {
        std::vector<IDesignTree::Node> pending{tree().GetRoot()};
        while (!pending.empty()) {
            IDesignTree::Node node = pending.back();
            pending.pop_back();
            if (tree().GetLabel(node) == label)
                return node;
            for (auto child = tree().GetFirstChild(node); child;
                 child = tree().GetNextSibling(child))
                pending.push_back(child);
        }
        return nullptr;
    }
    CDesignTreeCtrl& tree() { return *page->Tree(); }
    QComboBox* name() { return page->findChild<QComboBox*>("attributeName"); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    CSymbol* symbol;
    CPin* pin;
    CAttrText* text;
    CPropertySheet sheet{"Properties"};
    CDlgAttrText* page;
};

TEST_F(DlgAttrText, OpensOnTheOwnerWithItsAttributes) {
    ASSERT_NE(tree().GetSelected(), nullptr);
    EXPECT_EQ(tree().GetObject(tree().GetSelected()), symbol);
    EXPECT_EQ(page->findChild<QLabel*>("objectLabel")->text(), "R1");
    EXPECT_EQ(name()->currentText(), "_ID");
    EXPECT_GE(name()->findText("_ID"), 0);
}

TEST_F(DlgAttrText, LinksTheTextToTheChosenPinNameAndStyle) {
    tree().Expand(Find("R1"));
    tree().Expand(Find("Pins"));
    IDesignTree::Node pinNode = Find("A");
    ASSERT_NE(pinNode, nullptr);
    tree().Select(pinNode);
    name()->setEditText("_Type");
    page->findChildren<QRadioButton*>()[1]->click();
    ASSERT_TRUE(page->OnOK());
    EXPECT_TRUE(page->IsModified());
    EXPECT_EQ(text->GetOwner(), pin);
    EXPECT_EQ(text->GetName(), "_Type");
    EXPECT_EQ(text->GetTextFlags() & 0xC0, kAttrStyleEquals);
    EXPECT_NE(pin->GetAttrTextList()->Find(text), nullptr);
    EXPECT_EQ(symbol->GetAttrTextList()->Find(text), nullptr);
}

TEST_F(DlgAttrText, AFolderAsksBeforeRemovingTheLinkAndANameIsRequired) {
    testsupport::ScriptedPrompt prompt({IDNO, IDOK});
    tree().Select(Find("Symbols"));
    EXPECT_FALSE(page->OnOK());
    EXPECT_EQ(prompt.shown().at(0).text, "No object is selected.\nRemove Property Link?");
    EXPECT_EQ(text->GetOwner(), symbol);

    tree().Select(tree().GetRoot());
    name()->setEditText("");
    EXPECT_FALSE(page->OnOK());
    EXPECT_EQ(prompt.shown().at(1).text, "Must enter a property name");
}

}  // namespace

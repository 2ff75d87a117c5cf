// The view's Find commands with the main frame's Find dialog.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "library/ui/DlgFind.h"
#include "model/doc/DrawDoc.h"
#include "model/text/TextBox.h"
#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"
#include "shell/DrawFrame.h"
#include "shell/DrawView.h"
#include "shell/MainFrame.h"
#include "shell/QtTestApp.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class ViewFind : public ::testing::Test, WithApp {
protected:
    ViewFind() {
        CDrawFrame::LoadSettings(m_settings);
        auto* child = new CDrawFrame(IDR_SCHEMATIC);
        m_view = new CDrawView(m_doc);
        child->setView(m_view);
        m_frame.AddChildFrame(child);
        child->ActivateFrame();
    }
    CTextBox* Text(const char* text) {
        auto box = std::make_unique<CTextBox>(CRect(0, -700, 600, -1000));
        box->SetText(text, FALSE);
        m_doc.AddObject(std::move(box));
        return static_cast<CTextBox*>(m_doc.GetObjects().GetTail());
    }
    bool Run(UINT id) { return m_frame.router().Execute(id); }

    testsupport::TempDir m_dir;
    SettingsStore m_settings{m_dir / "settings.reg"};
    CDrawDoc m_doc;
    CMainFrame m_frame{m_settings};
    CDrawView* m_view;
};

TEST_F(ViewFind, FindNextHighlightsOneMatchAtATime) {
    CTextBox* first = Text("abc");
    CTextBox* second = Text("xabc");
    Text("q");
    EXPECT_FALSE(m_frame.router().Update(ID_EDIT_FIND_NEXT).enabled);
    ASSERT_TRUE(Run(ID_EDIT_FIND));
    CDlgFind& dialog = m_frame.findDialog();
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClicks(dialog.textEdit(), "abc");
    EXPECT_TRUE(m_frame.router().Update(ID_EDIT_FIND_NEXT).enabled);
    testsupport::ScriptedPrompt prompt{IDOK};
    for (CTextBox* expected : {first, second}) {
        ASSERT_TRUE(Run(ID_EDIT_FIND_NEXT));
        EXPECT_TRUE(expected->GetFlags() & kFlagHighlight);
        EXPECT_EQ(first->GetFlags() & kFlagHighlight, expected == first ? kFlagHighlight : 0u);
    }
    Run(ID_EDIT_FIND_NEXT);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "The specified search text was not found");
    Run(ID_EDIT_FIND_NEXT);
    EXPECT_TRUE(first->GetFlags() & kFlagHighlight);
    // The dialog's own button; a text edited since starts from the first object again.
    Run(ID_EDIT_FIND_NEXT);
    QTest::keyClicks(dialog.textEdit(), "c");
    QTest::keyClick(dialog.textEdit(), Qt::Key_Backspace);
    QTest::keyClick(dialog.textEdit(), Qt::Key_Return);
    EXPECT_TRUE(first->GetFlags() & kFlagHighlight);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ViewFind, HighlightAndSelectAllTellWhenNothingMatches) {
    CTextBox* a = Text("R1");
    CTextBox* b = Text("R10");
    Text("C1");
    Run(ID_EDIT_FIND);
    QTest::keyClicks(m_frame.findDialog().textEdit(), "r1");
    ASSERT_TRUE(Run(ID_FIND_SELECT_ALL));
    EXPECT_EQ(m_view->GetSelection().GetCount(), 2);
    EXPECT_TRUE(m_view->IsSelected(a) && m_view->IsSelected(b));
    ASSERT_TRUE(Run(ID_FIND_HIGHLIGHT_ALL));
    EXPECT_TRUE((a->GetFlags() & b->GetFlags()) & kFlagHighlight);
    m_frame.findDialog().textEdit()->setText("zz");
    testsupport::ScriptedPrompt prompt{IDOK, IDOK};
    Run(ID_FIND_HIGHLIGHT_ALL);
    Run(ID_FIND_SELECT_ALL);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[1].text, "No matching objects found");
}

}  // namespace

#include "shell/view/InPlaceTextEdit.h"

#include <gtest/gtest.h>

#include <QTest>

#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "shell/view/DrawView.h"
#include "support/DocumentBytes.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class InPlaceTextEditTest : public ::testing::Test, WithApp {
protected:
    InPlaceTextEditTest() {
        EXPECT_TRUE(m_doc.OnNewDocument());
        auto box = std::make_unique<CTextBox>(CRect(1000, -1000, 3000, -1600));
        m_text = box.get();
        m_doc.AddObject(std::move(box));
        m_text->SetTextFlags(kTextMultiLine, kTextMultiLine | kTextAutoSize);
        m_text->SetContentText("hello \r\r\nworld");
        m_view.resize(800, 600);
        m_view.show();
        m_view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_view));
    }

    std::vector<BYTE> Bytes() { return testsupport::DocumentBytes(m_doc); }

    size_t Steps() { return m_doc.GetUndoList().FillUndoList().size(); }

    CDrawDoc m_doc;
    CDrawView m_view{m_doc};
    CTextBox* m_text = nullptr;
};

TEST_F(InPlaceTextEditTest, EscapeLeavesTheDocumentAsItWas) {
    const std::vector<BYTE> before = Bytes();
    const size_t steps = Steps();
    m_view.BeginTextEdit(m_text);
    CInPlaceTextEdit* edit = m_view.TextEditor();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->StoredText(), "hello world") << "the editor shows no soft breaks";
    QTest::keyClicks(edit, "changed");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(m_view.TextEditor(), nullptr);
    EXPECT_EQ(m_text->GetText(), "hello \r\r\nworld");
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(Steps(), steps);
}

TEST_F(InPlaceTextEditTest, FinishingRecordsOneStepThatUndoesToTheSameBytes) {
    const std::vector<BYTE> before = Bytes();
    const size_t steps = Steps();
    m_view.BeginTextEdit(m_text);
    CInPlaceTextEdit* edit = m_view.TextEditor();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "one");
    QTest::keyClick(edit, Qt::Key_Return);  // a multi-line text takes the line break
    QTest::keyClicks(edit, "two");
    ASSERT_EQ(m_view.TextEditor(), edit);
    m_view.setFocus();  // a click on the sheet takes the focus
    EXPECT_EQ(m_view.TextEditor(), nullptr);
    EXPECT_EQ(m_text->GetText().str().find("one\r\ntwo"), 0u) << m_text->GetText().str();
    ASSERT_EQ(Steps(), steps + 1);
    m_doc.GetUndoList().Undo(1);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(InPlaceTextEditTest, ReturnEndsASingleLineEditAndTheEditorStaysInTheWindow) {
    m_text->SetTextFlags(0, kTextMultiLine);
    m_view.SetZoomFactor(2.0f);
    m_view.CenterOnPoint(POINT{0, 0});
    m_view.BeginTextEdit(m_text);
    ASSERT_NE(m_view.TextEditor(), nullptr);
    EXPECT_TRUE(m_view.viewport()->rect().contains(m_view.TextEditor()->geometry()));
    QTest::keyClicks(m_view.TextEditor(), "R1");
    QTest::keyClick(m_view.TextEditor(), Qt::Key_Return);
    EXPECT_EQ(m_view.TextEditor(), nullptr);
    EXPECT_EQ(m_text->GetText(), "R1");
}

}  // namespace

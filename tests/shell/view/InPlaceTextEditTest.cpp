#include "shell/view/InPlaceTextEdit.h"

#include <gtest/gtest.h>

#include <QTest>

#include "gui/support/QtTestApp.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "shell/view/DrawView.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

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

// A part of a device with one pin, the attribute shown, in the document.
CAttrText* ShowPart(CDrawDoc& doc, const char* device, const char* map, const char* name,
                    const char* id, const char* pinId, const char* shown = "_ID") {
    auto* part = new CSymbol();
    part->SetDocument(&doc);
    part->SetFlags(kSymbolDefaultFlags, ~DWORD{0});
    part->SetAttr("_Name", name, kSetAttrForce);
    part->SetAttr("_ID", id, kSetAttrForce);
    auto* pin = new CPin(part);
    pin->SetEnds(CPoint(0, 0), CPoint(100, 0));
    pin->SetAttr("_ID", pinId, kSetAttrForce);
    part->GetPins().AddTail(pin);
    auto* own = new CDevice(device);
    own->SetMap(map, kMapApply);
    own->AddRef();
    part->SetDevice(own);
    doc.GetObjects().AddTail(part);
    CAttrText* text = part->ShowAttrText(shown, TRUE);
    doc.GetObjects().AddTail(text);
    return text;
}

// A reference that names a gate the part's device lacks is refused aloud, with the gates the
// device has, whether Enter or a click elsewhere (as on the toolbar) ends the edit: OK goes on
// editing what was typed, Cancel ends the edit with the document as it was. So is a name that
// would leave the part off its device's map, and with it its reference.
TEST_F(InPlaceTextEditTest, AReferenceOrNameOffThePartsDeviceIsRefusedAloud) {
    const char* const nand =
        "NAND\x01"
        "A\x01"
        "A\x01"
        "1\n"
        "NAND\x01"
        "B\x01"
        "A\x01"
        "4\n"
        "NAND\x01"
        "C\x01"
        "A\x01"
        "9\n"
        "NAND\x01"
        "D\x01"
        "A\x01"
        "12\n";
    const char* const res =
        "RES\x01\x01"
        "1\x01"
        "1";
    struct Case {
        CAttrText* text;
        const char* typed;
        const char* message;
        bool enter;
    } cases[] = {
        {ShowPart(m_doc, "7400", nand, "NAND", "U1A", "A"), "U1E",
         "Error: Property value invalid - U1E\ninvalid identifier.\nDevice 7400 has the gates "
         "A, B, C, D.",
         true},
        {ShowPart(m_doc, "RES", res, "RES", "R2", "1"), "R2Q",
         "Error: Property value invalid - R2Q\ninvalid identifier.\nDevice RES has no gates.",
         false},
        {ShowPart(m_doc, "RES", res, "RES", "R3", "1", "_Name"), "ab",
         "Error: Property value invalid - ab\nsymbol or pin not found.", true},
    };
    for (const Case& one : cases) {
        CAttrText* text = one.text;
        ASSERT_NE(text, nullptr);
        const CString id = text->GetText();
        const std::vector<BYTE> before = Bytes();
        const size_t steps = Steps();
        m_view.BeginTextEdit(text);
        CInPlaceTextEdit* edit = m_view.TextEditor();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, one.typed);
        const auto end = [&] {
            if (one.enter)
                QTest::keyClick(edit, Qt::Key_Return);
            else
                m_view.setFocus();
        };
        {
            testsupport::ScriptedPrompt prompt({IDOK});
            end();
            ASSERT_EQ(prompt.shown().size(), 1u) << one.typed;
            EXPECT_EQ(prompt.shown()[0].text, one.message);
        }
        ASSERT_EQ(m_view.TextEditor(), edit) << one.typed;
        EXPECT_EQ(edit->StoredText(), one.typed);
        testsupport::ScriptedPrompt prompt({IDCANCEL});
        end();
        EXPECT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(m_view.TextEditor(), nullptr);
        EXPECT_EQ(text->GetText(), id);
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(Steps(), steps);
    }
}

}  // namespace

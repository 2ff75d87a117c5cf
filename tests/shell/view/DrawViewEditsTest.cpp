// The view's clipboard, drop and edit commands on a shown view (offscreen).

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/ObjectListData.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "model/shapes/DrawRect.h"
#include "model/text/TextBox.h"
#include "resources/CommandIds.h"
#include "shell/view/ClipboardMime.h"
#include "shell/view/DrawView.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class ViewEdits : public ::testing::Test, WithApp {
protected:
    ViewEdits() {
        m_view.resize(600, 400);
        m_view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    CDrawObj* AddRect(int x) {
        m_doc.AddObject(std::make_unique<CDrawRect>(CRect(x, -700, x + 1000, -1500)));
        return static_cast<CDrawObj*>(m_doc.GetObjects().GetTail());
    }
    CTextBox* AddText(LONG weight) {
        auto text = std::make_unique<CTextBox>(CRect(0, -2000, 800, -2300));
        LOGFONT font = text->GetFont();
        font.lfWeight = weight;
        text->SetFont(&font);
        m_doc.AddObject(std::move(text));
        return static_cast<CTextBox*>(m_doc.GetObjects().GetTail());
    }
    void Run(UINT id) { m_view.Commands().Find(id)->handler(id); }
    CmdUI State(UINT id) {
        CmdUI ui;
        m_view.Commands().Find(id)->update(ui);
        return ui;
    }
    int Steps() { return m_doc.GetUndoList().GetCount(); }

    CDrawDoc m_doc;
    CDrawView m_view{m_doc};
};

// Copied in one window and pasted in another: the clipboard holds the objects and their
// pictures, and the other document gets the same objects, selected, in one step.
TEST_F(ViewEdits, CopyInOneViewPasteInAnother) {
    EXPECT_FALSE(State(ID_EDIT_COPY).enabled);
    m_view.Select(AddRect(0));
    m_view.Select(AddRect(2000), true);
    Run(ID_EDIT_COPY);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasFormat("application/x-qt-windows-mime;value=\"Vosk Schematic Format\""));
    EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml"));
    // The picture at 100 pixels an inch: the two frames' left edges drawn, the gap between
    // them empty.
    const QImage png = QImage::fromData(data->data("image/png"), "PNG");
    EXPECT_EQ(png.size(), QSize(301, 81));
    const auto dark = [&png](int x) { return qGray(png.pixel(x, 40)) < 128; };
    EXPECT_TRUE(dark(0) || dark(1));
    EXPECT_TRUE(dark(200) || dark(201));
    EXPECT_FALSE(dark(150));

    CDrawDoc other;
    CDrawView view(other);
    CmdUI paste;
    view.Commands().Find(ID_EDIT_PASTE)->update(paste);
    EXPECT_TRUE(paste.enabled);
    view.Commands().Find(ID_EDIT_PASTE)->handler(ID_EDIT_PASTE);
    EXPECT_EQ(other.GetObjects().GetCount(), 2);
    EXPECT_EQ(view.GetSelection().GetCount(), 2);
    EXPECT_EQ(other.GetUndoList().GetCount(), 1);
    EXPECT_EQ(static_cast<CDrawObj*>(other.GetObjects().GetHead())->GetPosition(),
              CRect(0, -700, 1000, -1500));
}

TEST_F(ViewEdits, CutAndUndoRestoreTheDocument) {
    AddRect(0);
    m_view.Select(AddRect(2000));
    const std::vector<BYTE> before = testsupport::DocumentBytes(m_doc);
    Run(ID_EDIT_CUT);
    EXPECT_EQ(m_doc.GetObjects().GetCount(), 1);
    EXPECT_TRUE(m_view.GetSelection().IsEmpty());
    ASSERT_TRUE(m_doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(m_doc), before);
}

// Data that do not load leave nothing behind and do not count as a change.
TEST_F(ViewEdits, AFailedPasteChangesNothing) {
    testsupport::ScriptedPrompt prompt{IDOK};
    m_view.Select(AddRect(0));
    const int steps = Steps();
    m_doc.SetModifiedFlag(FALSE);
    QMimeData data;
    data.setData(WindowsMimeType(kSchematicFormat), QByteArray("\x02\x00\xFF\xFF\x01\x00", 6));
    m_view.PasteFrom(data);
    EXPECT_EQ(prompt.shown().size(), 1u);
    EXPECT_TRUE(m_view.GetSelection().IsEmpty());
    EXPECT_EQ(Steps(), steps);
    EXPECT_FALSE(m_doc.IsModified());
}

// Paste with an empty clipboard, or one holding text only, takes nothing and says nothing, even
// when the command was enabled before the clipboard changed.
TEST_F(ViewEdits, APasteOfNothingTheSheetCanTakeDoesNothing) {
    testsupport::ScriptedPrompt prompt;
    const std::vector<BYTE> before = testsupport::DocumentBytes(m_doc);
    QApplication::clipboard()->clear();
    EXPECT_FALSE(State(ID_EDIT_PASTE).enabled);
    Run(ID_EDIT_PASTE);
    QApplication::clipboard()->setText("R1");
    EXPECT_FALSE(State(ID_EDIT_PASTE).enabled);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(testsupport::DocumentBytes(m_doc), before);
    EXPECT_EQ(Steps(), 0);
}

TEST_F(ViewEdits, ADroppedFileIsEmbedded) {
    testsupport::TempDir dir;
    testsupport::WriteFileText(dir / "notes.txt", "some notes");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir / "notes.txt").string()))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_view.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_view.viewport(), &drop);
    ASSERT_EQ(m_doc.GetObjects().GetCount(), 1);
    auto* object = dynamic_cast<CDrawOleObj*>(m_doc.GetObjects().GetHead());
    ASSERT_TRUE(object && object->GetItem());
    EXPECT_EQ(object->GetItem()->GetPresentation().userType, "Package");
    EXPECT_EQ(Steps(), 1);
}

// A pasted picture becomes an embedded picture; a very wide one is scaled to fit.
TEST_F(ViewEdits, APastedPictureIsEmbedded) {
    for (const auto& [size, stored] :
         {std::pair{QSize(10, 20), QSize(10, 20)}, std::pair{QSize(8192, 16), QSize(4096, 8)}}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QMimeData data;
        data.setImageData(picture);
        m_view.PasteFrom(data);
        auto* object = dynamic_cast<CDrawOleObj*>(m_doc.GetObjects().GetTail());
        ASSERT_TRUE(object && object->GetItem());
        const OlePresentation& shown = object->GetItem()->GetPresentation();
        EXPECT_EQ(shown.userType, "Picture");
        ASSERT_TRUE(shown.image);
        EXPECT_EQ(QSize(shown.image->width, shown.image->height), stored);
        EXPECT_EQ(shown.image->pixels.front(), 0x0000FFu);
    }
}

// The pickers show the selection's values and apply a choice in one step.
TEST_F(ViewEdits, PickersShowAndSetTheSelection) {
    CDrawObj* a = AddRect(0);
    CDrawObj* b = AddRect(2000);
    m_view.Select(a);
    m_view.Select(b, true);
    const int steps = Steps();
    EXPECT_TRUE(m_view.CurrentColour(ID_LINE_COLOUR).automatic);
    m_view.ApplyColour(ID_LINE_COLOUR, ColourCode::kColour, 0x0000FF);
    const ColourState red = m_view.CurrentColour(ID_LINE_COLOUR);
    EXPECT_TRUE(red.uniform);
    EXPECT_EQ(red.colour, 0x0000FFu);
    m_view.ApplyStyle(ID_LINE_WIDTH, PS_DOT);  // the dotted row
    EXPECT_EQ(a->GetPen().lopnStyle, UINT(PS_DOT));
    EXPECT_EQ(m_view.CurrentLineWidth().width, PS_DOT);
    m_view.ApplyStyle(ID_LINE_WIDTH, -150);
    EXPECT_EQ(m_view.CurrentLineWidth().width, -150);
    m_view.ApplyStyle(ID_FILL_STYLE, 4);
    EXPECT_EQ(m_view.CurrentFillStyle().state, FillStyleState::kHatched);
    EXPECT_EQ(m_view.CurrentFillStyle().hatch, 4);
    EXPECT_EQ(Steps(), steps + 4);
    EXPECT_STREQ(m_doc.GetUndoList().GetUndoName(), "fill hatch");
}

TEST_F(ViewEdits, TextButtonsFollowTheSelection) {
    CTextBox* bold = AddText(FW_BOLD);
    CTextBox* normal = AddText(FW_NORMAL);
    m_view.Select(nullptr);
    EXPECT_FALSE(State(ID_TEXT_BOLD).enabled);
    m_view.Select(bold);
    EXPECT_TRUE(*State(ID_TEXT_BOLD).checked);
    m_view.Select(normal, true);
    EXPECT_FALSE(*State(ID_TEXT_BOLD).checked);
    Run(ID_TEXT_BOLD);
    EXPECT_TRUE(*State(ID_TEXT_BOLD).checked);
    EXPECT_TRUE(State(ID_TEXT_ITALIC).enabled);
    Run(ID_TEXT_CENTRE);
    EXPECT_TRUE(*State(ID_TEXT_CENTRE).checked);
    EXPECT_FALSE(*State(ID_TEXT_LEFT).checked);
    EXPECT_EQ(Steps(), 4);  // two added, bold, centre
}

TEST_F(ViewEdits, OrderRotateAndMirror) {
    CDrawObj* first = AddRect(0);
    AddRect(2000);
    m_view.Select(first);
    Run(ID_OBJECT_MOVE_TO_FRONT);
    EXPECT_EQ(m_doc.GetObjects().GetTail(), first);
    EXPECT_STREQ(m_doc.GetUndoList().GetUndoName(), "order change");
    m_view.Select(first);
    Run(ID_EDIT_ROTATE_90);
    EXPECT_STREQ(m_doc.GetUndoList().GetUndoName(), "rotate");
    m_view.Select(static_cast<CDrawObj*>(m_doc.GetObjects().GetTail()));
    Run(ID_EDIT_MIRROR_HORZ);
    EXPECT_STREQ(m_doc.GetUndoList().GetUndoName(), "mirror horizontally");
}

// Back and Forward take exactly one object; To Front and To Back any selection.
TEST_F(ViewEdits, OneStepOrderMovesTakeExactlyOneObject) {
    CDrawObj* first = AddRect(0);
    CDrawObj* second = AddRect(2000);
    const UINT oneStep[] = {ID_OBJECT_MOVE_BACK, ID_OBJECT_MOVE_FORWARD};
    const UINT toEnd[] = {ID_OBJECT_MOVE_TO_FRONT, ID_OBJECT_MOVE_TO_BACK};
    for (UINT id : oneStep)
        EXPECT_FALSE(State(id).enabled) << id;
    m_view.Select(first);
    for (UINT id : oneStep)
        EXPECT_TRUE(State(id).enabled) << id;
    m_view.Select(second, true);
    for (UINT id : oneStep)
        EXPECT_FALSE(State(id).enabled) << id;
    for (UINT id : toEnd)
        EXPECT_TRUE(State(id).enabled) << id;
}

}  // namespace

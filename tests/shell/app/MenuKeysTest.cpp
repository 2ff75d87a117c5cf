// The accelerators the menus show, pressed in the schematic view; keys without Ctrl leave
// typing in edit fields alone.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <optional>

#include "drawtools/ToolManager.h"
#include "model/shapes/DrawRect.h"
#include "model/text/TextBox.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandActions.h"
#include "shell/frames/ChildFrame.h"
#include "shell/support/AppFixture.h"
#include "shell/view/DrawView.h"
#include "shell/view/InPlaceTextEdit.h"

namespace {

struct KeyPress {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// The key a menu names after the tab; nothing for a function key or an empty name. The
// Undo and Redo items spell Ctrl "Crtl".
std::optional<KeyPress> KeyNamed(const QString& shown) {
    const std::pair<const char*, Qt::Key> names[] = {
        {"Space", Qt::Key_Space},  {"Minus", Qt::Key_Minus},        {"Plus", Qt::Key_Plus},
        {"Home", Qt::Key_Home},    {"Page Up", Qt::Key_PageUp},     {"Del", Qt::Key_Delete},
        {"Enter", Qt::Key_Return}, {"Page Down", Qt::Key_PageDown}, {"Esc", Qt::Key_Escape}};
    QStringList parts = shown.trimmed().split('+');
    const QString name = parts.takeLast();
    if (name.isEmpty() || (name.size() > 1 && name[0] == 'F' && name[1].isDigit()))
        return std::nullopt;
    KeyPress press{Qt::Key_unknown, Qt::NoModifier};
    for (const QString& modifier : parts)
        press.modifiers |= modifier == "Alt" ? Qt::AltModifier : Qt::ControlModifier;
    for (const auto& [known, key] : names) {
        if (name == known)
            press.key = key;
    }
    if (name.size() == 1 && name[0].isLetter())
        press.key = Qt::Key(Qt::Key_A + (name[0].toUpper().unicode() - 'A'));
    EXPECT_NE(press.key, Qt::Key_unknown) << shown.toStdString();
    return press;
}

class MenuKeysTest : public AppFixture {
protected:
    void SetUp() override {
        m_app = StartActive();
        ASSERT_TRUE(m_started);
        m_frame = m_app->MainFrame();
        m_view = qobject_cast<CDrawView*>(m_frame->ActiveChildFrame()->view());
        ASSERT_NE(m_view, nullptr);
        m_view->setFocus();
    }

    CDrawDoc& Document() { return m_view->GetDocument(); }
    std::string LastStep() { return Document().GetUndoList().GetUndoName(); }
    int Shape() { return GetToolManager()->state.currentShape; }

    CDrawRect* AddBox(CRect rect) {
        auto box = std::make_unique<CDrawRect>(rect);
        CDrawRect* added = box.get();
        EXPECT_TRUE(Document().AddObject(std::move(box)));
        return added;
    }

    std::unique_ptr<CSchematicQtApp> m_app;
    CMainFrame* m_frame = nullptr;
    CDrawView* m_view = nullptr;
};

// Every command is caught before its own handler, so that each key only tells what it reached.
TEST_F(MenuKeysTest, EveryAcceleratorAMenuShowsReachesItsCommandFromTheView) {
    std::vector<UINT> reached;
    CommandMap catcher;
    catcher.OnRange(
        1, 0xFFFF, [&reached](UINT id) { reached.push_back(id); }, [](CmdUI& ui) { ui.Enable(); });
    m_frame->router().SetActiveTargets(
        [&catcher] { return std::vector<const CommandMap*>{&catcher}; });
    m_frame->UpdateCommandUI();

    int pressed = 0;
    std::function<void(QMenu*)> pressAll = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->menu()) {
                pressAll(action->menu());
                continue;
            }
            const QString text = action->text();
            const UINT id = CommandActions::IdOf(action);
            const std::optional<KeyPress> key =
                text.contains('\t') ? KeyNamed(text.section('\t', 1)) : std::nullopt;
            if (!id || !key)
                continue;
            reached.clear();
            m_view->setFocus();
            Press(key->key, key->modifiers);
            EXPECT_EQ(reached, std::vector<UINT>{id}) << text.toStdString();
            ++pressed;
        }
    };
    for (UINT menu : {IDR_SCHEMATIC, IDR_SYMBOL}) {
        for (QMenu* popup : m_frame->menuBarPopups(menu))
            pressAll(popup);
    }
    EXPECT_GE(pressed, 2 * 38);
    m_frame->router().SetActiveTargets({});
}

TEST_F(MenuKeysTest, KeysWithoutCtrlEditTheSheetAndChooseTools) {
    CDrawRect* first = AddBox(CRect(1000, -1000, 1400, -1200));
    CDrawRect* second = AddBox(CRect(2000, -1000, 2400, -1200));
    m_view->Select(first, false);
    m_view->Select(second, true);

    Press(Qt::Key_Space);
    EXPECT_EQ(LastStep(), "rotate");
    Press(Qt::Key_X);
    EXPECT_EQ(LastStep(), "mirror horizontally");
    // One place back is for one object.
    m_view->Select(static_cast<CDrawObj*>(Document().GetObjects().GetTail()), false);
    Press(Qt::Key_Minus);
    EXPECT_EQ(LastStep(), "order change");
    const size_t steps = Document().GetUndoList().FillUndoList().size();
    Press(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(LastStep(), "rotate");
    EXPECT_EQ(Document().GetUndoList().FillUndoList().size(), steps + 1);

    m_view->SetZoomPercent(1.25f);
    Press(Qt::Key_PageUp);
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.25f * 1.25f);
    Press(Qt::Key_PageDown);
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.25f);

    Press(Qt::Key_E);
    EXPECT_EQ(Shape(), kToolEllipse);
    Press(Qt::Key_W);
    EXPECT_EQ(Shape(), kToolWire);
    Press(Qt::Key_S);
    EXPECT_EQ(Shape(), kToolSelect);
}

TEST_F(MenuKeysTest, TypingInTheTextEditorOrAFieldStaysTyping) {
    auto box = std::make_unique<CTextBox>(CRect(1000, -1000, 3000, -1600));
    CTextBox* text = box.get();
    ASSERT_TRUE(Document().AddObject(std::move(box)));
    const size_t steps = Document().GetUndoList().FillUndoList().size();
    m_view->SetZoomPercent(1.0f);
    m_view->BeginTextEdit(text);
    ASSERT_NE(m_view->TextEditor(), nullptr);
    ASSERT_EQ(QApplication::focusWidget(), m_view->TextEditor());
    for (Qt::Key key : {Qt::Key_E, Qt::Key_Space, Qt::Key_Minus, Qt::Key_X, Qt::Key_PageUp})
        Press(key);
    EXPECT_EQ(m_view->TextEditor()->StoredText(), "e -x");
    EXPECT_EQ(Shape(), kToolSelect);
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.0f);
    EXPECT_EQ(Document().GetUndoList().FillUndoList().size(), steps);
    m_view->CancelTextEdit();

    // A field of the toolbar and a field of a dialog.
    QLineEdit* zoomField = m_frame->ZoomBox()->lineEdit();
    zoomField->setFocus();
    zoomField->clear();
    for (Qt::Key key : {Qt::Key_E, Qt::Key_Space, Qt::Key_Home, Qt::Key_PageUp})
        Press(key);
    EXPECT_EQ(zoomField->text(), "e ");
    zoomField->setModified(false);  // nothing to apply when the field loses the focus
    QDialog dialog(m_frame);
    auto* field = new QLineEdit(&dialog);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([field] { return field->hasFocus(); }));
    for (Qt::Key key : {Qt::Key_R, Qt::Key_Plus, Qt::Key_G, Qt::Key_PageDown})
        Press(key);
    EXPECT_EQ(field->text(), "r+g");
    EXPECT_EQ(Shape(), kToolSelect);
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.0f);
}

// T, a click on the sheet, then Ctrl+V with nothing on the clipboard (data of no format, as an
// X11 clipboard that no program owns gives them, or none at all) or a picture only: the text
// being typed stays as it is and nothing is pasted on the sheet.
TEST_F(MenuKeysTest, CtrlVInATextBeingTypedTakesNothingButText) {
    Press(Qt::Key_T);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    ASSERT_NE(m_view->TextEditor(), nullptr);
    ASSERT_EQ(QApplication::focusWidget(), m_view->TextEditor());
    const QByteArray placed = m_view->TextEditor()->StoredText();
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    Press(Qt::Key_V, Qt::ControlModifier);
    ASSERT_NE(m_view->TextEditor(), nullptr);
    EXPECT_EQ(m_view->TextEditor()->StoredText(), placed);
    Press(Qt::Key_R);  // in place of the text placed, which is selected
    QGuiApplication::clipboard()->clear();
    Press(Qt::Key_V, Qt::ControlModifier);
    ASSERT_NE(m_view->TextEditor(), nullptr);
    EXPECT_EQ(m_view->TextEditor()->StoredText(), "r");
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QGuiApplication::clipboard()->setMimeData(picture);
    Press(Qt::Key_V, Qt::ControlModifier);
    ASSERT_NE(m_view->TextEditor(), nullptr);
    EXPECT_EQ(m_view->TextEditor()->StoredText(), "r");
    Press(Qt::Key_Return);
    EXPECT_EQ(m_view->TextEditor(), nullptr);
    ASSERT_EQ(Document().GetObjects().GetCount(), 1);
    EXPECT_EQ(static_cast<CTextBox*>(Document().GetObjects().GetHead())->GetText(), "r");
}

// Placing started from a window beside the view (the library list, a palette) takes the keys
// to the view: Space turns the part, Esc then takes it away.
TEST_F(MenuKeysTest, SpaceTurnsAPartBeingPlacedAndEscapeThenCancels) {
    CDrawRect part(CRect(0, 0, 400, -200));
    CObList objects;
    objects.AddTail(&part);
    m_frame->ZoomBox()->lineEdit()->setFocus();
    const int count = Document().GetObjects().GetCount();
    ASSERT_TRUE(m_view->PlaceObjects(objects));
    ASSERT_EQ(Shape(), kToolPlace);
    auto* carried = static_cast<CDrawObj*>(m_view->GetSelection().GetHead());

    Press(Qt::Key_Space);
    CRect bounds;
    carried->GetBoundingRect(bounds);
    bounds.NormalizeRect();
    EXPECT_LT(bounds.Width(), bounds.Height());
    Press(Qt::Key_Escape);
    EXPECT_EQ(Shape(), kToolSelect);
    EXPECT_EQ(Document().GetObjects().GetCount(), count);
}

// The Draw menu's End items name what they end: a bus while the bus tool runs, and their own
// names again once another tool runs, so a wire being drawn is ended by "End Wire".
TEST_F(MenuKeysTest, TheDrawMenusEndItemsNameWhatTheyEnd) {
    QAction* endWire = m_frame->actions().Action(ID_END_WIRE);
    QAction* endPolygon = m_frame->actions().Action(ID_END_POLYGON);
    const QString wireText = endWire->text();
    const QString polygonText = endPolygon->text();
    Press(Qt::Key_B);
    m_frame->UpdateCommandUI();
    EXPECT_EQ(endWire->text().toStdString(), "End Bus");

    Press(Qt::Key_W);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(m_view->viewport(), QPoint(300, 220));
    m_frame->UpdateCommandUI();
    EXPECT_TRUE(endWire->isEnabled());
    EXPECT_EQ(endWire->text().toStdString(), wireText.toStdString());
    EXPECT_EQ(endPolygon->text().toStdString(), polygonText.toStdString());
    Press(Qt::Key_Escape);
}

// A zoom typed into the zoom box applies when Enter ends the typing, whether or not it is the
// factor last picked from the list; a pick from the list applies too.
TEST_F(MenuKeysTest, EveryZoomTypedIntoTheZoomBoxApplies) {
    QComboBox* box = m_frame->ZoomBox();
    const auto pick = [box](int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
        QApplication::processEvents();
    };
    const auto type = [box](const char* text) {
        box->lineEdit()->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QApplication::processEvents();
    };
    pick(1);
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 0.75f);
    type("150");
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.5f);
    type("75");
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 0.75f);
    type("150");
    type("75%");
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 0.75f);
    pick(3);
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 2.0f);
    type("200");
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 2.0f);
}

}  // namespace

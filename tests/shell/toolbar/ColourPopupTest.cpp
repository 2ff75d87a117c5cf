#include "shell/toolbar/ColourPopup.h"

#include <gtest/gtest.h>

#include <QTest>

#include "gui/kit/QtGdiStyles.h"
#include "gui/support/QtTestApp.h"
#include "resources/CommandIds.h"
#include "shell/support/PopupTestSupport.h"

namespace {

using Calls = std::vector<std::string>;

constexpr int kFillMode = kColourAskTarget | kColourNoFill;  // 36

CColourCell* Cell(CColourPickerDlg* dialog, UINT id) {
    return dialog->findChild<CColourCell*>(QString("cell%1").arg(id));
}

// The names of the checked cells and buttons.
QStringList Checked(CColourPickerDlg* dialog) {
    QStringList names;
    for (CHotTrackedButton* button : dialog->findChildren<CHotTrackedButton*>()) {
        if (button->isChecked())
            names << button->objectName();
    }
    return names;
}

class ColourPopupTest : public ::testing::Test, WithQtApp {
protected:
    CColourPickerDlg* Dialog() { return m_popup.dialog(); }

    FakePopupTarget m_target;
    CColourPopup m_popup{nullptr, ID_FILL_COLOUR};
};

TEST_F(ColourPopupTest, CellsAreFortyNamedColoursInFiveRowsOfEight) {
    const auto cells = ColourGridCells();
    ASSERT_EQ(cells.size(), 40u);
    EXPECT_EQ(cells[16].id, 143u);
    EXPECT_EQ(cells[16].colour, 0x0000FFu);
    EXPECT_STREQ(cells[16].name, "Red");
    EXPECT_STREQ(cells[35].name, "Pale green ");
    // Red is stored as 0x0000FF and shown as red.
    EXPECT_EQ(ToQColor(cells[16].colour), QColor(255, 0, 0));
    EXPECT_EQ(ToColorRef(QColor(0, 0, 255)), 0xFF0000u);
    const CColourPickerDlg& dialog = *Dialog();
    EXPECT_EQ(Cell(Dialog(), 143)->toolTip(), "Red");
    m_popup.show();
    EXPECT_EQ(Cell(Dialog(), 127)->y(), Cell(Dialog(), 134)->y());
    EXPECT_GT(Cell(Dialog(), 135)->y(), Cell(Dialog(), 134)->y());
    EXPECT_EQ(Cell(Dialog(), 135)->x(), Cell(Dialog(), 127)->x());
    EXPECT_EQ(dialog.cells().size(), 40u);
    m_popup.hide();
}

TEST_F(ColourPopupTest, EachButtonPassesItsChoiceToTheTarget) {
    const std::string fill = std::to_string(ID_FILL_COLOUR);
    struct Case {
        const char* name;
        std::function<void(CColourPickerDlg*)> act;
        std::string call;
    } cases[] = {
        {"Red", [](CColourPickerDlg* d) { Cell(d, 143)->click(); },
         "colour " + fill + " " + std::to_string(0x0000FF)},
        {"Automatic", [](CColourPickerDlg* d) { d->automaticButton()->click(); },
         "colour " + std::to_string(ID_FILL_COLOUR | 0x10000) + " 0"},
        {"No Fill", [](CColourPickerDlg* d) { d->noneButton()->click(); },
         "colour " + std::to_string(ID_FILL_COLOUR | 0x20000) + " 0"},
        {"key A", [](CColourPickerDlg* d) { QTest::keyClick(d, Qt::Key_A); },
         "colour " + std::to_string(ID_FILL_COLOUR | 0x10000) + " 0"},
    };
    for (const Case& c : cases) {
        m_target.calls.clear();
        m_popup.Init(&m_target, 0, kFillMode);
        EXPECT_EQ(TrackWith(m_popup, [&] { c.act(Dialog()); }), CPopupFrame::kEnded) << c.name;
        EXPECT_EQ(m_target.calls, Calls({c.call})) << c.name;
    }
}

TEST_F(ColourPopupTest, MoreColoursClosesThePopupAndPassesTheDialogsColour) {
    m_popup.Init(&m_target, 0, kFillMode);
    COLORREF offered = 1;
    Dialog()->SetColourDialog([&](COLORREF initial) {
        offered = initial;
        EXPECT_FALSE(m_popup.isVisible());
        return std::optional<COLORREF>(0x123456);
    });
    m_target.colour = {0x00FF00, true, false};
    m_popup.Init(&m_target, 0, kFillMode);
    EXPECT_EQ(TrackWith(m_popup, [&] { Dialog()->moreButton()->click(); }), CPopupFrame::kEnded);
    EXPECT_EQ(offered, 0x00FF00u);
    EXPECT_EQ(m_target.calls,
              Calls({"colour " + std::to_string(ID_FILL_COLOUR) + " " + std::to_string(0x123456)}));
}

TEST_F(ColourPopupTest, EscPassesNothing) {
    m_popup.Init(&m_target, 0, kFillMode);
    EXPECT_EQ(TrackWith(m_popup, [&] { QTest::keyClick(Dialog(), Qt::Key_Escape); }),
              CPopupFrame::kCancelled);
    EXPECT_TRUE(m_target.calls.empty());
}

TEST_F(ColourPopupTest, TheNoneButtonFollowsTheMode) {
    struct Case {
        int mode;
        QString text;
        bool enabled;
    } cases[] = {
        {kColourAskTarget, "N&one", false},
        {kColourAskTarget | kColourNoFill, "N&o Fill", true},
        {kColourAskTarget | kColourNoOutline, "N&o Outline", true},
    };
    for (const Case& c : cases) {
        m_popup.Init(&m_target, 0, c.mode);
        EXPECT_EQ(Dialog()->noneButton()->text(), c.text);
        EXPECT_EQ(Dialog()->noneButton()->isEnabled(), c.enabled) << c.mode;
    }
}

TEST_F(ColourPopupTest, TheTargetsColourIsShownSelected) {
    struct Case {
        DWORD answer;
        QStringList checked;
    } cases[] = {
        {0x01FF0000, {"cell140"}},      // one colour: Blue
        {0x00FF0000, {"moreColours"}},  // the objects differ
        {0x02000000, {"automatic"}},    // the automatic colour
        {0x01123456, {"moreColours"}},  // one colour not in the grid
    };
    for (const Case& c : cases) {
        m_target.colour = ColourState::FromWord(c.answer);
        m_popup.Init(&m_target, 0, kFillMode);
        EXPECT_EQ(Checked(Dialog()), c.checked) << std::hex << c.answer;
    }
}

TEST_F(ColourPopupTest, WithoutAskingTheGivenColourIsShown) {
    m_popup.Init(nullptr, 0x0000FF, 0);
    EXPECT_EQ(Checked(Dialog()), QStringList({"cell143"}));
    m_popup.Init(nullptr, 0x0000FF, kColourAutomaticChosen);
    EXPECT_EQ(Checked(Dialog()), QStringList({"automatic"}));
}

// A popup made for a window serves it, not the active view.
TEST_F(ColourPopupTest, AGivenTargetWinsOverTheActiveView) {
    FakePopupTarget page;
    CColourPopup popup(nullptr, ID_LINE_COLOUR, &page);
    popup.Init(&m_target, 0, kColourAskTarget);
    TrackWith(popup, [&] { Cell(popup.dialog(), 143)->click(); });
    EXPECT_TRUE(m_target.calls.empty());
    EXPECT_EQ(page.calls.size(), 1u);
}

TEST_F(ColourPopupTest, Screenshot) {
    m_target.colour = ColourState::FromWord(0x010000FF);
    m_popup.Init(&m_target, 0, kFillMode);
    TrackWith(m_popup, [&] {
        SaveArtefact(&m_popup, "fill-colour");
        QTest::keyClick(Dialog(), Qt::Key_Escape);
    });
}

}  // namespace

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "gui/dialogs/pickers/FillStyleDlg.h"
#include "gui/dialogs/pickers/LineWidthDlg.h"
#include "gui/support/QtTestApp.h"
#include "resources/CommandIds.h"
#include "shell/support/PopupTestSupport.h"
#include "shell/toolbar/StylePopups.h"

namespace {

using Calls = std::vector<std::string>;

int SelectedValue(const CStyleListDlg& dialog) {
    const auto selected = dialog.list()->selectedItems();
    return selected.isEmpty() ? 999 : CStyleListDlg::RowValue(selected.front());
}

class StylePickersTest : public ::testing::Test {
protected:
    StylePickersTest() { QtTestApp::ensure(); }
};

TEST_F(StylePickersTest, ListsHoldTheirValuesInOrder) {
    EXPECT_EQ(std::vector<int>(CFillStyleDlg::Styles().begin(), CFillStyleDlg::Styles().end()),
              std::vector<int>({-1, 3, 4, 5, 2, 0, 1}));
    EXPECT_EQ(std::vector<int>(CLineWidthDlg::Widths().begin(), CLineWidthDlg::Widths().end()),
              std::vector<int>({0, 1, 2, 3, 4, -20, -50, -100, -150, -200, -250, -300, -400}));
    EXPECT_EQ(CLineWidthDlg::PointsText(-150), "1.50 pts");
    EXPECT_EQ(CLineWidthDlg::PointsText(-20), "0.20 pts");
    EXPECT_EQ(CLineWidthDlg::PointsText(3), "");
    EXPECT_EQ(CLineWidthDlg::LinePixels(-150, 96), 2);
    EXPECT_EQ(CLineWidthDlg::LinePixels(-400, 96), 5);
    // Rows 1 to 4 are the pen styles that choosing them gives the objects, one pixel wide.
    EXPECT_EQ(CLineWidthDlg::LinePixels(3, 96), 1);
    EXPECT_EQ(CLineWidthDlg::LineStyle(1), Qt::DashLine);
    EXPECT_EQ(CLineWidthDlg::LineStyle(4), Qt::DashDotDotLine);
    EXPECT_EQ(CLineWidthDlg::LineStyle(0), Qt::SolidLine);
    EXPECT_EQ(CLineWidthDlg::LineStyle(-150), Qt::SolidLine);
}

TEST_F(StylePickersTest, FillStyleOpensOnTheCurrentStyle) {
    CFillStyleDlg dialog(nullptr);
    struct Case {
        int state, hatch, selected;
    } cases[] = {{0, 4, -1}, {2, 4, 4}, {2, 0, 0}, {1, 4, 999}};
    for (const Case& c : cases) {
        dialog.Init(ID_FILL_STYLE, c.state, c.hatch);
        EXPECT_EQ(SelectedValue(dialog), c.selected) << c.state << " " << c.hatch;
    }
}

TEST_F(StylePickersTest, LineWidthOpensOnTheCurrentWidth) {
    CLineWidthDlg dialog(nullptr);
    dialog.Init(ID_LINE_WIDTH, -150);
    ASSERT_EQ(SelectedValue(dialog), -150);
    EXPECT_EQ(CLineWidthDlg::PointsText(SelectedValue(dialog)), "1.50 pts");
    dialog.Init(ID_LINE_WIDTH, 50);
    EXPECT_EQ(SelectedValue(dialog), 999);
}

// A mixed fill opens with nothing selected; clicking "Solid" passes -1 and closes the popup.
TEST_F(StylePickersTest, ChoosingARowPassesItsValueAndEndsThePopup) {
    FakePopupTarget target;
    target.fill = {FillStyleState::kMixed, 0};
    CLineStylePopup popup(nullptr);
    ASSERT_TRUE(popup.Init(&target));
    QListWidget* list = popup.dialog()->list();
    EXPECT_TRUE(list->selectedItems().isEmpty());
    const int result = TrackWith(popup, [&] {
        SaveArtefact(&popup, "fill-style");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
    });
    EXPECT_EQ(result, CPopupFrame::kEnded);
    EXPECT_EQ(target.calls, Calls({"style " + std::to_string(ID_FILL_STYLE) + " -1"}));
}

TEST_F(StylePickersTest, WidthPopupReadsTheTargetAndPassesTheChoice) {
    FakePopupTarget target;
    target.width = LineWidthState::FromWord(0x00960000);
    CLineWidthPopup popup(nullptr);
    ASSERT_TRUE(popup.Init(&target));
    EXPECT_EQ(SelectedValue(*popup.dialog()), -150);
    QListWidget* list = popup.dialog()->list();
    const int result = TrackWith(popup, [&] {
        SaveArtefact(&popup, "line-width");
        QTest::keyClick(list, Qt::Key_Down);
    });
    EXPECT_EQ(result, CPopupFrame::kEnded);
    EXPECT_EQ(target.calls, Calls({"style " + std::to_string(ID_LINE_WIDTH) + " -200"}));
    EXPECT_FALSE(CLineWidthPopup(nullptr).Init(nullptr));
}

}  // namespace

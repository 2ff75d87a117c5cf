// The editable list's paste: the clipboard's rows go into the selected rows only.

#include "gui/kit/EditListCtrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTest>

#include "gui/support/QtTestApp.h"

namespace {

using Cells = std::vector<CString>;

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class EditListCtrlTest : public ::testing::Test, WithApp {
protected:
    EditListCtrlTest() {
        // Names and values, as the attribute pages list them: "File" is reserved, its name
        // locked; the last row is the empty one.
        for (const auto& [name, value, flags] :
             {std::tuple{"Title", "Amp", kRowKindLockable | kRowDeletable},
              std::tuple{"File", "amp.sch", kRowKindLockable | kRowFirstLocked},
              std::tuple{"Ground1", "GND", kRowKindLockable | kRowDeletable},
              std::tuple{"Rev", "A", kRowKindLockable | kRowDeletable},
              std::tuple{"", "", kRowKindLockable}}) {
            list.AppendRow(flags, 2);
            list.SetRowCells(list.rowCount() - 1, {name, value});
        }
        list.show();
    }

    std::vector<Cells> Rows() const {
        std::vector<Cells> rows;
        for (int row = 0; row < list.rowCount(); ++row)
            rows.push_back(list.RowCells(row));
        return rows;
    }

    void Select(std::initializer_list<int> rows) {
        list.SelectOnly(*rows.begin());
        for (int row : rows)
            list.selectionModel()->select(list.model()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void PressCtrlV() { QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier); }

    static void CopyTwoRows() {
        QApplication::clipboard()->setText(
            QString("_Footprint\x01"
                    "R0805\r\n_Pref\x01R"));
    }

    CEditListCtrl list{kListKeepEmptyRow, nullptr};
};

TEST_F(EditListCtrlTest, SeveralRowsPastedIntoOneFillItAndTheRestAreDropped) {
    CopyTwoRows();
    std::vector<Cells> expected = Rows();
    Select({2});
    PressCtrlV();
    expected[2] = {"_Footprint", "R0805"};
    EXPECT_EQ(Rows(), expected) << "Rev keeps its text";
}

TEST_F(EditListCtrlTest, SelectedRowsTakeTheClipboardsRowsInOrder) {
    QApplication::clipboard()->setText(
        QString("A\x01"
                "1\r\nB\x01"
                "2\nC\x01"
                "3\r\n"));
    std::vector<Cells> expected = Rows();
    Select({0, 3});
    PressCtrlV();
    expected[0] = {"A", "1"};
    expected[3] = {"B", "2"};
    EXPECT_EQ(Rows(), expected);
}

// "File" cannot be renamed: it takes no other attribute, and the row after it nothing either.
TEST_F(EditListCtrlTest, ARowWhoseLockedCellWouldChangeTakesNothing) {
    CopyTwoRows();
    const std::vector<Cells> before = Rows();
    Select({1});
    PressCtrlV();
    EXPECT_EQ(Rows(), before);

    QApplication::clipboard()->setText(QString("File\x01other.sch"));
    PressCtrlV();
    EXPECT_EQ(list.RowCells(1), (Cells{"File", "other.sch"}));
}

TEST_F(EditListCtrlTest, RowsPastedIntoTheEmptyRowAreAllAdded) {
    CopyTwoRows();
    Select({4});
    PressCtrlV();
    ASSERT_EQ(list.rowCount(), 7);
    EXPECT_EQ(list.RowCells(4), (Cells{"_Footprint", "R0805"}));
    EXPECT_EQ(list.RowCells(5), (Cells{"_Pref", "R"}));
    EXPECT_EQ(list.RowCells(6), (Cells{""}));
}

// An empty clipboard (no data, or data of no format as an X11 clipboard that no program owns
// gives them), or one holding a picture only, has nothing a row can take.
TEST_F(EditListCtrlTest, APasteOfNoTextChangesNothing) {
    const std::vector<Cells> before = Rows();
    for (int row : {2, 4}) {
        QApplication::clipboard()->clear();
        Select({row});
        PressCtrlV();
        EXPECT_EQ(Rows(), before) << row;
        QApplication::clipboard()->setMimeData(new QMimeData);
        PressCtrlV();
        EXPECT_EQ(Rows(), before) << row;
        auto* picture = new QMimeData;
        picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
        QApplication::clipboard()->setMimeData(picture);
        PressCtrlV();
        EXPECT_EQ(Rows(), before) << row;
    }
}

}  // namespace

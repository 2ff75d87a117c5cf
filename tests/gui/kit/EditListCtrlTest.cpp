// The editable list's paste: the clipboard's rows go into the selected rows only; its keys in
// a property sheet.

#include "gui/kit/EditListCtrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "gui/kit/PropertySheet.h"
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

// A list on the first of three pages, with a button after it.
class EditListCtrlKeysTest : public ::testing::Test, WithApp {
protected:
    EditListCtrlKeysTest() {
        auto* attributes = new CPropertyPage("Attributes");
        list = new CEditListCtrl(kListKeepEmptyRow, attributes);
        after = new QPushButton("&Add...", attributes);
        auto* layout = new QVBoxLayout(attributes);
        layout->addWidget(list);
        layout->addWidget(after);
        for (const char* name : {"Title", "Rev", ""}) {
            list->AppendRow(kRowKindLockable | kRowDeletable, 2);
            list->SetRowCells(list->rowCount() - 1, {name, "A"});
        }
        sheet.AddPage(attributes);
        sheet.AddPage(new CPropertyPage("General"));
        sheet.AddPage(new CPropertyPage("Frame"));
        sheet.show();
        sheet.activateWindow();
    }

    int ShownPage() const {
        for (int i = 0; i < sheet.PageCount(); ++i) {
            if (sheet.Page(i) == sheet.CurrentPage())
                return i;
        }
        return -1;
    }
    // Back to the list, focused on a cell, no cell edited.
    void FocusList() {
        sheet.SetCurrentPage(0);
        list->setFocus();
        list->setCurrentCell(0, 0);
    }

    CPropertySheet sheet{"Document Settings"};
    CEditListCtrl* list;
    QPushButton* after;
};

TEST_F(EditListCtrlKeysTest, TabLeavesTheListUnlessACellIsBeingEdited) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
    FocusList();
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    FocusList();
    QTest::keyClick(list, Qt::Key_Backtab);
    EXPECT_NE(QApplication::focusWidget(), list);

    ASSERT_TRUE(list->EditCell(0, 0));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->parentWidget(), list->viewport());
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_NE(list->indexWidget(list->model()->index(0, 1)), nullptr) << "the value edited";
    EXPECT_EQ(QApplication::focusWidget()->parentWidget(), list->viewport());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(list->currentColumn(), 1);
}

// The keys that turn pages pass through the list, whichever way and round the end.
TEST_F(EditListCtrlKeysTest, CtrlTabAndCtrlPageDownTurnTheSheetsPages) {
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> keys[] = {
        {Qt::Key_Tab, Qt::ControlModifier, 1},
        {Qt::Key_PageDown, Qt::ControlModifier, 1},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2},
        {Qt::Key_PageUp, Qt::ControlModifier, 2}};
    for (const auto& [key, modifiers, page] : keys) {
        FocusList();
        QTest::keyClick(list, key, modifiers);
        EXPECT_EQ(ShownPage(), page) << QKeySequence(key | modifiers).toString().toStdString();
    }
    FocusList();
    QTest::keyClick(list, Qt::Key_PageDown);
    EXPECT_EQ(ShownPage(), 0) << "PageDown alone stays in the list";
}

}  // namespace

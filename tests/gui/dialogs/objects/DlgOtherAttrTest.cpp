#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "gui/dialogs/objects/DlgOtherAttr.h"
#include "gui/kit/EditListCtrl.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

class DlgOtherAttrTest : public ::testing::Test {
protected:
    DlgOtherAttrTest() : app(dir / "settings.ini"), scoped(app) { QtTestApp::ensure(); }

    // Two symbols: "_Value" 1k (shown) and 2k (hidden); "Tol" on the first only.
    static CAttrMerge TwoSymbols() {
        CAttrMerge merge;
        merge.SetObjectCount(2);
        merge.AddAttribute(kAttrShown, "_Value", "1k");
        merge.AddAttribute(0, "Tol", "5%");
        merge.AddAttribute(0, "_Value", "2k");
        return merge;
    }
    // Answers the next modal dialog (Modify Attribute) with a name and value.
    static void AnswerModify(const char* name, const char* value) {
        QTimer::singleShot(0, [name, value] {
            auto* dialog = qobject_cast<CDlgModifyAttr*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->name()->setText(name);
            dialog->value()->setPlainText(value);
            dialog->accept();
        });
    }

    testsupport::TempDir dir;
    CSchematicApp app;
    ScopedApp scoped;
};

TEST_F(DlgOtherAttrTest, MixedRowsShowEmptyAndHiddenOnesComeWithShowAll) {
    auto* page = new CDlgOtherAttr("Other Attributes", TwoSymbols(), 0, nullptr);
    CPropertySheet sheet("Symbol Properties", nullptr);
    sheet.AddPage(page);
    sheet.show();
    QTableWidget* table = page->table();
    ASSERT_EQ(table->rowCount(), 2);  // "_Value" and the empty last row
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "    Attribute Name");
    EXPECT_EQ(table->item(0, 0)->text(), "_Value");
    EXPECT_EQ(table->item(0, 1)->text(), "");
    EXPECT_EQ(table->item(0, 0)->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(page->showAll()->isChecked());
    page->showAll()->click();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 0)->text(), "Tol");
    EXPECT_TRUE(sheet.grab().save(QString(VOSK_BINARY_DIR) + "/other-attributes.png"));

    // "Tol" deleted while shown goes; the mixed value, untouched, stays mixed.
    table->selectRow(0);
    page->DeleteRows();
    ASSERT_EQ(table->rowCount(), 2);
    sheet.accept();
    const CAttrMerge::Records& records = page->Merge().GetRecords();
    EXPECT_TRUE(records.at("Tol").flags & kAttrDeleted);
    EXPECT_TRUE(records.at("_Value").flags & kAttrValueMixed);
    EXPECT_EQ(app.GetProfileString("Settings", "LastPage"), "Attr");
}

TEST_F(DlgOtherAttrTest, AMixedVisibilityCheckTurnsUncheckedThenCheckedThenMixed) {
    auto* page = new CDlgOtherAttr("Other Attributes", TwoSymbols(), 0, nullptr);
    CPropertySheet sheet("Symbol Properties", nullptr);
    sheet.AddPage(page);
    sheet.show();
    QTableWidget* table = page->table();
    table->setCurrentCell(0, 0);
    ASSERT_EQ(table->item(0, 0)->checkState(), Qt::PartiallyChecked);
    for (Qt::CheckState expected : {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked}) {
        QTest::keyClick(table, Qt::Key_Space);
        EXPECT_EQ(table->item(0, 0)->checkState(), expected);
    }
}

// One symbol's reserved "_ID" and its "Tol", sorted: "Tol", "_ID", the empty row. Mode 1 is the
// Device Properties' Attributes sheet.
TEST_F(DlgOtherAttrTest, DeleteAndClearRemoveTheSelectedDeletableRowsInEitherMode) {
    for (int mode : {0, 1}) {
        for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Clear}) {
            CAttrMerge merge;
            merge.SetObjectCount(1);
            merge.AddAttribute(kAttrReserved | kAttrShown, "_ID", "R1");
            merge.AddAttribute(kAttrShown, "Tol", "5%");
            auto* page = new CDlgOtherAttr("Other Attributes", merge, mode, nullptr);
            CPropertySheet sheet("Symbol Properties", nullptr);
            sheet.AddPage(page);
            sheet.show();
            QTableWidget* table = page->table();
            table->setCurrentCell(1, 0);
            QTest::keyClick(table, key);
            ASSERT_EQ(table->rowCount(), 3) << "reserved, mode " << mode;
            table->setCurrentCell(0, 0);
            QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(table, key);
            ASSERT_EQ(table->rowCount(), 2) << "mode " << mode << ", key " << key;
            EXPECT_EQ(table->item(0, 0)->text(), "_ID");
            EXPECT_EQ(table->item(1, 0)->text(), "");
            sheet.accept();
            EXPECT_TRUE(page->Merge().GetRecords().at("Tol").flags & kAttrDeleted);
            EXPECT_FALSE(page->Merge().GetRecords().at("_ID").flags & kAttrDeleted);
        }
    }
}

TEST_F(DlgOtherAttrTest, CtrlCCopiesEachSelectedRowsCellsAsTheSymbolMapDoes) {
    CAttrMerge merge;
    merge.SetObjectCount(1);
    merge.AddAttribute(kAttrReserved | kAttrShown, "_ID", "R1");
    merge.AddAttribute(kAttrShown, "Tol", "5%");
    auto* page = new CDlgOtherAttr("Other Attributes", merge, 0, nullptr);
    CPropertySheet sheet("Symbol Properties", nullptr);
    sheet.AddPage(page);
    sheet.show();
    QTableWidget* table = page->table();
    table->setCurrentCell(0, 0);
    QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toUtf8(), QByteArray("Tol\x01"
                                                                     "5%\r\n_ID\x01"
                                                                     "R1"));
}

// A reserved attribute's name is locked: a row of another attribute pasted over it is refused
// whole, a row of its own name gives it the value.
TEST_F(DlgOtherAttrTest, CtrlVIntoAReservedRowTakesOnlyARowOfItsName) {
    CAttrMerge merge;
    merge.SetObjectCount(1);
    merge.AddAttribute(kAttrReserved | kAttrShown, "_ID", "R1");
    auto* page = new CDlgOtherAttr("Other Attributes", merge, 1, nullptr);
    CPropertySheet sheet("Symbol Properties", nullptr);
    sheet.AddPage(page);
    sheet.show();
    QApplication::clipboard()->setText(
        QString("Tol\x01"
                "5%"));
    page->table()->SelectOnly(0);
    QTest::keyClick(page->table(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page->table()->item(0, 0)->text(), "_ID");
    EXPECT_EQ(page->table()->item(0, 1)->text(), "R1");
    QApplication::clipboard()->setText(
        QString("_ID\x01"
                "R2"));
    QTest::keyClick(page->table(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page->table()->item(0, 1)->text(), "R2");
    sheet.accept();
    EXPECT_EQ(page->Merge().GetRecords().count("Tol"), 0u);
    EXPECT_FALSE(page->Merge().GetRecords().at("_ID").flags & kAttrDeleted);
    EXPECT_EQ(page->Merge().GetRecords().at("_ID").value, "R2");
}

TEST_F(DlgOtherAttrTest, TheSameNewNameTwiceKeepsThePage) {
    testsupport::ScriptedPrompt prompt({IDOK});
    auto* page = new CDlgOtherAttr("Other Attributes", TwoSymbols(), 1, nullptr);
    CPropertySheet sheet("Symbol Properties", nullptr);
    sheet.AddPage(page);
    sheet.show();
    AnswerModify("Note", "a");
    page->AddRow();
    AnswerModify("Note", "b");
    page->AddRow();
    ASSERT_EQ(page->table()->rowCount(), 4);
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Error: Property defined twice - Note");
    EXPECT_EQ(page->table()->currentRow(), 2);
}

// Edit... on a row leaves the selection on it; filling the empty last row selects the new
// empty row after it.
TEST_F(DlgOtherAttrTest, EditKeepsTheSelectionUnlessItFilledTheEmptyLastRow) {
    auto* page = new CDlgOtherAttr("Other Attributes", TwoSymbols(), 1, nullptr);
    CPropertySheet sheet("Symbol Properties", nullptr);
    sheet.AddPage(page);
    sheet.show();
    CEditListCtrl* table = page->table();
    ASSERT_EQ(table->rowCount(), 2);
    const auto selected = [table] {
        std::vector<int> rows;
        for (const QModelIndex& index : table->selectionModel()->selectedRows())
            rows.push_back(index.row());
        return rows;
    };
    table->SelectOnly(0);
    AnswerModify("_Value", "3k");
    page->EditRow();
    EXPECT_EQ(table->item(0, 1)->text(), "3k");
    EXPECT_EQ(table->currentRow(), 0);
    EXPECT_EQ(selected(), std::vector<int>{0});

    table->SelectOnly(1);
    AnswerModify("", "");
    page->EditRow();
    EXPECT_EQ(table->rowCount(), 2) << "an empty row left empty adds none";
    EXPECT_EQ(selected(), std::vector<int>{1});

    AnswerModify("Note", "a");
    page->EditRow();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(1, 0)->text(), "Note");
    EXPECT_EQ(table->currentRow(), 2);
    EXPECT_EQ(selected(), std::vector<int>{2});
}

// A row refused on leaving the page is put into editing on its name, not only selected.
TEST_F(DlgOtherAttrTest, TheRefusedRowIsPutIntoEditing) {
    testsupport::ScriptedPrompt prompt({IDOK, IDOK});
    for (const char* name : {"Note", ""}) {
        auto* page = new CDlgOtherAttr("Other Attributes", TwoSymbols(), 1, nullptr);
        CPropertySheet sheet("Symbol Properties", nullptr);
        sheet.AddPage(page);
        sheet.show();
        AnswerModify("Note", "a");
        page->AddRow();
        AnswerModify(name, "b");
        page->AddRow();
        sheet.accept();
        EXPECT_TRUE(sheet.isVisible());
        QTableWidget* table = page->table();
        EXPECT_NE(table->indexWidget(table->model()->index(2, 0)), nullptr) << name;
        EXPECT_EQ(table->currentRow(), 2) << name;
        EXPECT_EQ(table->currentColumn(), 0) << name;
    }
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text, "Error: Property defined twice - Note");
    EXPECT_EQ(prompt.shown()[1].text, "Error: Property undefined for value -b");
}

TEST_F(DlgOtherAttrTest, ModifyAttributeRemembersItsSizeAndLocksReservedNames) {
    CDlgModifyAttr dialog("_ID", "R1", true, {{"Value", "_Value"}, {"<sep>", ""}}, nullptr);
    EXPECT_FALSE(dialog.name()->isEnabled());
    dialog.show();
    dialog.resize(350, 200);
    QApplication::processEvents();
    EXPECT_EQ(app.GetProfileInt("Settings", "AttrDlg", -1), 0x00C8015Eu);
    CDlgModifyAttr again("Tol", "5%", false, {}, nullptr);
    EXPECT_EQ(again.size(), QSize(350, 200));
    EXPECT_EQ(again.Value(), "5%");
}

}  // namespace

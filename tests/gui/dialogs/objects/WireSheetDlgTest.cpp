#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Wire.h"
#include "support/ScriptedPrompt.h"

namespace {

class WireSheetDlgTest : public ::testing::Test {
protected:
    WireSheetDlgTest() { QtTestApp::ensure(); }
};

// Edited, deleted and added rows come back marked for the apply step.
TEST_F(WireSheetDlgTest, AttributeRowsReadBackWithTheirMarks) {
    CDlgWireAttr page({{"Freq", "", kAttrRowMixed, 2}, {"Tol", "1%", 0, 1}, {"Rev", "A", 0, 2}},
                      nullptr);
    ASSERT_EQ(page.table()->rowCount(), 3);
    EXPECT_EQ(page.table()->item(1, 1)->text(), "1%");
    page.table()->setCurrentCell(1, 0);
    page.DeleteRows();
    page.table()->item(1, 1)->setText("B");
    page.AddRow();
    page.table()->item(2, 0)->setText(" Note ");
    page.table()->item(2, 1)->setText("x");
    page.AddRow();  // left without a name: dropped
    const std::vector<AttrRow> rows = page.Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].value, "");
    EXPECT_EQ(rows[0].flags, kAttrRowMixed);
    EXPECT_EQ(rows[1].name, "Tol");
    EXPECT_EQ(rows[1].flags, kAttrRowRemove);
    EXPECT_EQ(rows[2].value, "B");
    EXPECT_EQ(rows[3].name, "Note");
    EXPECT_EQ(rows[3].value, "x");
    EXPECT_EQ(rows[3].flags, kAttrRowAdd);
}

// A value or bus name stored in code page 1252 and left as shown comes back as stored.
TEST_F(WireSheetDlgTest, AnUntouchedRowOrBusNameKeepsItsStoredBytes) {
    BusGeneral general;
    general.name = "D\xB5[0..7]";
    EXPECT_EQ(CDlgBus(general, false, nullptr).Values().name, general.name);

    CDlgWireAttr page({{"Cap",
                        "10\xB5"
                        "F",
                        0, 1}},
                      nullptr);
    EXPECT_EQ(page.table()->item(0, 1)->text(), QString::fromUtf8("10\u00B5F"));
    const std::vector<AttrRow> rows = page.Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value,
              "10\xB5"
              "F");
}

// The nets' attribute list takes the keys of every attribute list: Ctrl+C copies the selected
// rows, Delete and Clear remove them.
TEST_F(WireSheetDlgTest, AttributeRowsAreCopiedAndDeletedByTheKeys) {
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Clear}) {
        CDlgWireAttr page({{"Freq", "", kAttrRowMixed, 2}, {"Tol", "1%", 0, 1}, {"Rev", "A", 0, 2}},
                          nullptr);
        page.show();
        QTableWidget* table = page.table();
        table->setCurrentCell(1, 0);
        QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text().toUtf8(), QByteArray("Tol\x01"
                                                                         "1%\r\nRev\x01"
                                                                         "A"));
        QTest::keyClick(table, key);
        const std::vector<AttrRow> rows = page.Rows();
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].flags, kAttrRowMixed);
        EXPECT_EQ(rows[1].flags, kAttrRowRemove) << key;
        EXPECT_EQ(rows[2].flags, kAttrRowRemove) << key;
    }
}

TEST_F(WireSheetDlgTest, BusPageShowsTheWidthInItsUnitAndKeepsMixedStates) {
    BusGeneral general;
    general.name = "D[0..7]";
    general.width = 30;
    general.reverse = 2;
    general.startArrow = 0;
    general.endArrow = 1;
    CDlgBus page(general, false, nullptr);
    EXPECT_EQ(page.width()->text(), "0.03");
    EXPECT_EQ(page.reverse()->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(page.endArrow()->checkState(), Qt::Checked);
    page.unit()->setCurrentIndex(0);
    EXPECT_EQ(page.width()->text(), "0.0762");
    page.width()->setText("0.127");
    page.startArrow()->setCheckState(Qt::Checked);
    const BusGeneral values = page.Values();
    EXPECT_EQ(values.name, "D[0..7]");
    EXPECT_EQ(values.width, 50);
    EXPECT_EQ(values.reverse, 2);
    EXPECT_EQ(values.startArrow, 1);
    EXPECT_EQ(values.endArrow, 1);

    general.width = -1;
    CDlgBus mixed(general, true, nullptr);
    EXPECT_EQ(mixed.unit()->currentText(), "cm");
    EXPECT_TRUE(mixed.width()->text().isEmpty());
    EXPECT_EQ(mixed.Values().width, -1);
}

// Every label of the page with a mnemonic hides its ampersand: it names the box it leads to.
TEST_F(WireSheetDlgTest, BusPageLabelsLeadToTheirBoxes) {
    CDlgBus page(BusGeneral{}, false, nullptr);
    bool width = false;
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        if (!label->text().contains('&'))
            continue;
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        if (label->text() == "&Width") {
            width = true;
            EXPECT_EQ(label->buddy(), page.width());
        }
    }
    EXPECT_TRUE(width);
}

// An unreadable width keeps the sheet open; the Line Style page follows the General page.
TEST_F(WireSheetDlgTest, BusSheetRefusesAnUnreadableWidth) {
    testsupport::ScriptedPrompt prompt({IDOK});
    BusGeneral general;
    general.width = 30;
    auto* page = new CDlgBus(general, false, nullptr);
    CPropertySheet sheet("Bus Properties", nullptr);
    sheet.AddPage(page);
    sheet.show();
    page->width()->setText("wide");
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(prompt.shown().size(), 1u);
    page->width()->setText("");
    sheet.accept();
    EXPECT_FALSE(sheet.isVisible());
}

// The Bus Properties sheet shows the General and Line Style pages; OK hands back what the
// Line Style page writes into each bus.
TEST_F(WireSheetDlgTest, BusSheetAppliesItsLineStylePage) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    auto* bus = new CBus;
    bus->AddPoint(CPoint(0, 0));
    bus->AddPoint(CPoint(1000, 0));
    bus->SetDocument(&doc);
    doc.GetObjects().AddTail(bus);
    BusSheet sheet = MakeBusSheet({bus});
    StyleApplier style;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->PageCount(), 2);
        ASSERT_TRUE(dialog->SetCurrentPage(1));
        auto* page = qobject_cast<CDlgOutlineFill*>(dialog->CurrentPage());
        ASSERT_NE(page, nullptr);
        EXPECT_FALSE(page->arrowGroup()->isVisible());  // buses: fill kinds, no arrows
        page->outlineDefault()->click();
        page->style()->setCurrentIndex(1);
        emit page->style()->activated(1);
        EXPECT_TRUE(dialog->grab().save(QString(VOSK_BINARY_DIR) + "/bus-properties.png"));
        dialog->accept();
    });
    CWireSheetRunner runner;
    ASSERT_TRUE(runner.RunBusSheet(sheet, {bus}, style));
    ASSERT_TRUE(style);
    style(bus);
    ASSERT_NE(bus->GetOwnPen(), nullptr);
    EXPECT_EQ(bus->GetOwnPen()->lopnStyle & 0xF, UINT(PS_DASH));
}

// The net's name is not given on the attributes page, where a join would drop it: OK with an
// "_ID" row added says where a net is named and keeps the sheet open on that row; without the
// row the sheet closes and no row names the net.
TEST_F(WireSheetDlgTest, TheAttributesPageRefusesTheNetName) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    auto* wire = new CWire;
    wire->AddPoint(CPoint(0, 0));
    wire->AddPoint(CPoint(1000, 0));
    wire->SetDocument(&doc);
    doc.GetObjects().AddTail(wire);
    WireSheet sheet = MakeWireSheet({wire});
    StyleApplier style;
    std::vector<testsupport::ScriptedPrompt::Shown> shown;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->SetCurrentPage(1));
        auto* page = qobject_cast<CDlgWireAttr*>(dialog->CurrentPage());
        ASSERT_NE(page, nullptr);
        page->AddRow();  // edits the new row's name
        for (const char* typed : {"_ID", "VIN"}) {
            if (typed[0] != '_') {
                ASSERT_TRUE(page->table()->EditCell(0, 1));
            }
            QLineEdit* editor = nullptr;
            for (QLineEdit* open : page->table()->viewport()->findChildren<QLineEdit*>()) {
                if (open->isVisible())
                    editor = open;
            }
            ASSERT_NE(editor, nullptr);
            QTest::keyClicks(editor, typed);
            QTest::keyClick(editor, Qt::Key_Return);
            QApplication::processEvents();  // the edit ends queued
        }
        ASSERT_EQ(page->table()->item(0, 0)->text(), "_ID");
        ASSERT_EQ(page->table()->item(0, 1)->text(), "VIN");
        {
            testsupport::ScriptedPrompt prompt({IDOK});
            dialog->accept();
            shown = prompt.shown();
        }
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(page->table()->currentRow(), 0);
        page->DeleteRows();
        dialog->accept();
        if (dialog->isVisible())
            dialog->reject();
    });
    CWireSheetRunner runner;
    ASSERT_TRUE(runner.RunWireSheet(sheet, {wire}, style));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Use Object > Show Net Name and edit the name shown on the sheet to set the net "
              "name (_ID) attribute.");
    EXPECT_TRUE(std::none_of(sheet.rows.begin(), sheet.rows.end(),
                             [](const AttrRow& row) { return row.name == "_ID"; }));
}

}  // namespace

// The "Pin Properties" window opened from the view over one or several pins: its caption, its
// three pages, and what OK over several pins writes into every one of them.

#include "gui/dialogs/objects/PinSheetDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui/dialogs/objects/DlgOtherAttr.h"
#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "gui/dialogs/objects/DlgPinProp.h"
#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/kit/PropertySheet.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/support/RecordingDocView.h"
#include "model/symbol/Pin.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

class PinSheetDlgTest : public ::testing::Test {
protected:
    PinSheetDlgTest() : m_installed(m_runner) {
        QtTestApp::ensure();
        m_doc.AddView(&m_view);
        for (const char* id : {"A", "B", "C"}) {
            auto* pin = new CPin();
            const LONG y = -300 * static_cast<LONG>(m_pins.size());
            pin->SetEnds(CPoint(0, y), CPoint(300, y));
            pin->SetAttr("_ID", id, kSetAttrForce);
            pin->SetAttr("_No", id[0] == 'A' ? "1" : "2", kSetAttrForce);
            pin->SetAttr("Swap", "1", kSetAttrForce);
            pin->SetDocument(&m_doc);
            pin->RecalcBounds();
            m_doc.GetObjects().AddTail(pin);
            m_pins.push_back(pin);
        }
    }
    ~PinSheetDlgTest() override { m_doc.RemoveView(&m_view); }

    void Select(std::initializer_list<int> pins) {
        m_view.selection.RemoveAll();
        for (int index : pins)
            m_view.selection.AddTail(m_pins[static_cast<size_t>(index)]);
    }
    // Opens the sheet from the view; script acts on it and OK ends it.
    void RunSheet(const std::function<void(CPropertySheet&)>& script) {
        QTimer::singleShot(0, [script] {
            auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            script(*sheet);
            sheet->accept();
        });
        EditPinProperties(m_view, m_doc);
    }
    CPin* Placed(int index) {
        return static_cast<CPin*>(m_doc.GetObjects().GetAt(m_doc.GetObjects().FindIndex(index)));
    }

    testsupport::RecordingAppServices m_services;
    CPinSheetRunner m_runner;
    ScopedInstall<IPinSheetRunner> m_installed;
    CDrawDoc m_doc;
    drawdoctest::RecordingDocView m_view;
    std::vector<CPin*> m_pins;
};

TEST_F(PinSheetDlgTest, SeveralPinsHaveTheMultipleSelectionCaptionAndThreePages) {
    for (const bool several : {false, true}) {
        several ? Select({0, 1}) : Select({0});
        QString caption;
        QStringList tabs;
        std::vector<const char*> remembered;
        RunSheet([&](CPropertySheet& sheet) {
            caption = sheet.windowTitle();
            for (int i = 0; i < sheet.PageCount(); ++i) {
                tabs << sheet.Page(i)->windowTitle();
                remembered.push_back(sheet.Page(i)->RememberedName());
            }
            EXPECT_NE(qobject_cast<CDlgPinProp*>(sheet.Page(0)), nullptr);
            EXPECT_NE(qobject_cast<CDlgOutlineFill*>(sheet.Page(1)), nullptr);
            EXPECT_NE(qobject_cast<CDlgOtherAttr*>(sheet.Page(2)), nullptr);
        });
        EXPECT_EQ(caption, several ? "Pin Properties (Multiple Selection)" : "Pin Properties");
        EXPECT_EQ(tabs, QStringList({"Pin Properties", "Line Style", "Other Attributes"}));
        ASSERT_EQ(remembered.size(), 3u);
        EXPECT_STREQ(remembered[1], "Style");
        EXPECT_STREQ(remembered[2], "Attr");
    }
}

// The attribute page lists what every pin carries but "_ID", with the pins' differing numbers
// mixed; a weight and an attribute edited over two pins are one step, the numbers kept.
TEST_F(PinSheetDlgTest, StyleAndAttributesOverSeveralPinsAreOneStep) {
    Select({0, 1});
    testsupport::ScriptedPrompt prompt({IDOK});
    QStringList names;
    RunSheet([&](CPropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetCurrentPage(1));
        auto* style = qobject_cast<CDlgOutlineFill*>(sheet.CurrentPage());
        ASSERT_NE(style, nullptr);
        ASSERT_EQ(style->outlineDefault()->checkState(), Qt::Checked);
        style->outlineDefault()->click();
        style->weight()->edit()->setText("");
        QTest::keyClicks(style->weight()->edit(), "2");
        ASSERT_TRUE(sheet.SetCurrentPage(2));
        auto* attributes = qobject_cast<CDlgOtherAttr*>(sheet.CurrentPage());
        ASSERT_NE(attributes, nullptr);
        QTableWidget* table = attributes->table();
        for (int row = 0; row < table->rowCount(); ++row)
            names << table->item(row, 0)->text();
        ASSERT_EQ(names, QStringList({"Swap", "_No", ""}));
        EXPECT_EQ(table->item(1, 1)->text(), "") << "the pins' numbers differ";
        table->item(0, 1)->setText("0");
        table->item(2, 0)->setText("_ID");
        table->item(2, 1)->setText("X");
        EXPECT_FALSE(sheet.SetCurrentPage(0)) << "the name belongs to the pin page";
        table->item(2, 0)->setText("");
        table->item(2, 1)->setText("");
    });
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              CString("Use the General page to set the pin name (_ID) attribute."));
    EXPECT_EQ(m_doc.GetUndoList().GetCount(), 1);
    EXPECT_STREQ(m_doc.GetUndoList().GetUndoName(), "pin properties");
    for (int i : {0, 1}) {
        CPin* pin = Placed(i);
        EXPECT_NE(pin, m_pins[static_cast<size_t>(i)]);
        EXPECT_EQ(pin->GetAttr("Swap"), CString("0"));
        EXPECT_EQ(pin->GetAttr("_No"), CString(i == 0 ? "1" : "2"));
        ASSERT_NE(pin->GetOwnPen(), nullptr);
        EXPECT_EQ(pin->GetOwnPen()->lopnWidth.x, PointsToPenWidth(2.0));
    }
    EXPECT_EQ(Placed(2), m_pins[2]) << "a pin not selected stays";
}

}  // namespace

#include "gui/dialogs/document/DocPropertiesSheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/SummaryInfo.h"

namespace {

// The value shown in the row of the page's form that has the label.
QString RowValue(QWidget* page, const QString& label) {
    auto* form = qobject_cast<QFormLayout*>(page->layout());
    for (int row = 0; row < form->rowCount(); ++row) {
        auto* name = qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget());
        QWidget* field = form->itemAt(row, QFormLayout::FieldRole)->widget();
        if (name && name->text() == label) {
            if (auto* edit = qobject_cast<QLineEdit*>(field))
                return edit->text();
            return qobject_cast<QLabel*>(field)->text();
        }
    }
    return "<no row " + label + ">";
}

class DocPropertiesSheetTest : public ::testing::Test {
protected:
    DocPropertiesSheetTest() {
        QtTestApp::ensure();
        doc.OnNewDocument();
        doc.GetSummaryInfo()->SetAuthor("Ann");
        doc.GetSummaryInfo()->SetTitle("Amp");
        doc.SetModifiedFlag(FALSE);
    }

    // Runs the command; while its sheet is open, look sees both pages and answer closes it.
    void Run(const std::function<void(CPropertySheet&)>& look, bool ok) {
        QTimer::singleShot(0, [=] {
            auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            EXPECT_EQ(sheet->windowTitle(), "Document Properties");
            ASSERT_EQ(sheet->PageCount(), 2);
            sheet->SetCurrentPage(1);
            sheet->SetCurrentPage(0);
            look(*sheet);
            ok ? sheet->accept() : sheet->reject();
        });
        EditSummaryInfo(doc, nullptr);
    }

    CDrawDoc doc;
};

TEST_F(DocPropertiesSheetTest, ShowsTheSummaryAndTheCounts) {
    Run(
        [](CPropertySheet& sheet) {
            CPropertyPage* summary = sheet.Page(0);
            EXPECT_EQ(RowValue(summary, "Author:"), "Ann");
            EXPECT_EQ(RowValue(summary, "Title:"), "Amp");
            CPropertyPage* statistics = sheet.Page(1);
            EXPECT_EQ(RowValue(statistics, "Number of Nets:"), "0");
            EXPECT_EQ(RowValue(statistics, "Number of Symbols:"), "0");
            EXPECT_EQ(RowValue(statistics, "Total Editing Time:"), "0 min");
            EXPECT_EQ(RowValue(statistics, "Last Printed:"), "");
        },
        false);
    EXPECT_FALSE(doc.IsModified()) << "Cancel changes nothing";
}

TEST_F(DocPropertiesSheetTest, OkWritesTheSummaryBackAndMarksTheDocument) {
    Run(
        [](CPropertySheet& sheet) {
            sheet.Page(0)->findChild<QLineEdit*>("title")->setText("Power amplifier");
            sheet.Page(0)->findChild<QLineEdit*>("comments")->setText("rev B");
        },
        true);
    EXPECT_EQ(doc.GetSummaryInfo()->GetTitle(), "Power amplifier");
    EXPECT_EQ(doc.GetSummaryInfo()->GetComments(), "rev B");
    EXPECT_EQ(doc.GetSummaryInfo()->GetAuthor(), "Ann");
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace

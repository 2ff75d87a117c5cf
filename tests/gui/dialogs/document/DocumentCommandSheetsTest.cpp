// Document Settings and Insert Title Block run end to end: OK records one step that undo takes
// back to the document's archived bytes; Cancel changes nothing.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "gui/dialogs/document/DlgFrame.h"
#include "gui/dialogs/document/DlgPageMargins.h"
#include "gui/dialogs/document/DocSettingsSheet.h"
#include "gui/dialogs/document/MappedPreview.h"
#include "gui/dialogs/document/TitleBlockSheet.h"
#include "gui/dialogs/objects/DlgOtherAttr.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/cmd/DocSettingsApply.h"
#include "model/doc/DrawDoc.h"
#include "model/text/AttrText.h"
#include "platform/ObList.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

class DocumentCommandSheetsTest : public ::testing::Test {
protected:
    DocumentCommandSheetsTest() : app(dir / "settings.ini") {
        QtTestApp::ensure();
        doc.OnNewDocument();
        // A value the defaults overwrite only when they are saved.
        app.Settings().WriteProfileInt("Document", "PaperColour", 7);
    }

    // Answers the next sheet: ok or cancel after edit.
    template <class Sheet, class Edit>
    static void Answer(bool ok, Edit edit) {
        QTimer::singleShot(0, [ok, edit] {
            auto* sheet = qobject_cast<Sheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            edit(*sheet);
            ok ? sheet->accept() : sheet->reject();
        });
    }

    std::vector<CString> Steps() { return doc.GetUndoList().FillUndoList(); }

    // Answers the next Document Settings sheet with OK after typing 0.5 as the left margin.
    static void TypeLeftMarginOfHalfAnInch() {
        Answer<CDocSettingsSheet>(true, [](CDocSettingsSheet& sheet) {
            ASSERT_TRUE(sheet.SetCurrentPage(2));
            QLineEdit* left = static_cast<CDlgPageMargins*>(sheet.CurrentPage())
                                  ->marginEdit(PageMarginsForm::kLeft);
            left->selectAll();
            QTest::keyClicks(left, "0.5");
        });
    }

    // The cell of the document's attribute text of that name on the sheet, whose y grows up.
    CRect FieldCell(const char* name) {
        CObList* texts = doc.GetAttrTextList();
        for (POSITION pos = texts->GetHeadPosition(); pos;) {
            auto* text = static_cast<CAttrText*>(texts->GetNext(pos));
            if (text->GetName() == CString(name))
                return text->GetPosition();
        }
        ADD_FAILURE() << "no field " << name;
        return {};
    }

    // The default layout stacks its fields down the block as the page's preview shows them:
    // Comments over Title, and Revision down to File, each cell's top above its bottom.
    void ExpectFieldsStackedDown() {
        CRect block;
        doc.GetTitleBlockRect(block);
        block.NormalizeRect();
        const CRect comments = FieldCell("Comments");
        const CRect title = FieldCell("Title");
        EXPECT_EQ(comments.top, block.bottom);
        EXPECT_GT(comments.top, comments.bottom);
        EXPECT_EQ(title.top, comments.bottom);
        EXPECT_EQ(title.bottom, block.top);
        const char* column[] = {"Revision", "Drawn By", "Date Created", "Last Saved", "File"};
        EXPECT_EQ(FieldCell(column[0]).top, block.bottom);
        for (int i = 1; i < 5; ++i)
            EXPECT_EQ(FieldCell(column[i]).top, FieldCell(column[i - 1]).bottom) << column[i];
        EXPECT_EQ(FieldCell("File").bottom, block.top);
    }

    testsupport::TempDir dir;
    CSchematicApp app;
    ScopedApp scoped{app};
    CDrawDoc doc;
};

// Untick the frame on the Frame page and tick "Save as Default Setttings".
void UntickFrameAndSave(CDocSettingsSheet& sheet) {
    EXPECT_EQ(sheet.windowTitle(), "Document Properties");
    const char* titles[] = {"General", "Sheet Size", "Page Margins",
                            "Frame",   "Attributes", "Position and Scaling"};
    ASSERT_EQ(sheet.PageCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(sheet.Page(i)->windowTitle(), titles[i]);
    EXPECT_EQ(sheet.saveAsDefaultBox()->text(), "Save as Default Setttings");
    ASSERT_TRUE(sheet.SetCurrentPage(3));
    static_cast<CDlgFrame*>(sheet.CurrentPage())->frameBox()->click();
    sheet.saveAsDefaultBox()->setChecked(true);
}

TEST_F(DocumentCommandSheetsTest, DocumentSettingsAreOneStepAndMaySaveTheDefaults) {
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    const DWORD frame = doc.m_border.m_flags & CSheetBorder::kFrameLines;

    Answer<CDocSettingsSheet>(false, UntickFrameAndSave);
    EditDocumentSettings(doc, nullptr, {});
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_TRUE(Steps().empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(app.Settings().GetProfileInt("Document", "PaperColour", -1), 7u);

    Answer<CDocSettingsSheet>(true, UntickFrameAndSave);
    EditDocumentSettings(doc, nullptr, {});
    EXPECT_NE(doc.m_border.m_flags & CSheetBorder::kFrameLines, frame);
    EXPECT_EQ(Steps(), std::vector<CString>{"1 - Document settings"});
    EXPECT_EQ(app.Settings().GetProfileInt("Document", "PaperColour", -1), doc.m_paperColour);

    doc.GetUndoList().Undo(1);
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
}

TEST_F(DocumentCommandSheetsTest, DocumentSettingsWithoutTheBoxLeaveTheDefaults) {
    Answer<CDocSettingsSheet>(true, [](CDocSettingsSheet& sheet) {
        ASSERT_TRUE(sheet.SetCurrentPage(3));
        static_cast<CDlgFrame*>(sheet.CurrentPage())->frameBox()->click();
    });
    EditDocumentSettings(doc, nullptr, {});
    EXPECT_EQ(Steps().size(), 1u);
    EXPECT_EQ(app.Settings().GetProfileInt("Document", "PaperColour", -1), 7u);
}

// The white sheet of the Frame page's preview: its size on screen.
QSize PreviewSheet(CDocSettingsSheet& sheet) {
    EXPECT_TRUE(sheet.SetCurrentPage(3));
    auto* preview = sheet.CurrentPage()->findChild<CMappedPreview*>();
    EXPECT_NE(preview, nullptr);
    if (!preview)
        return {};
    const QImage image = preview->grab().toImage();
    QRect white;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 255, 255))
                white |= QRect(x, y, 1, 1);
    return white.size();
}

// The preview has the shape of the document's sheet: landscape (the new document's A4) or
// portrait.
TEST_F(DocumentCommandSheetsTest, TheFramePreviewHasTheSheetsShape) {
    for (bool landscape : {true, false}) {
        if (!landscape) {
            DocSettings portrait = DocSettings::Of(doc);
            portrait.paperSize = SIZE{8268, -11693};
            ASSERT_TRUE(ApplyDocumentSettings(doc, portrait, {}));
        }
        Answer<CDocSettingsSheet>(false, [landscape](CDocSettingsSheet& sheet) {
            const QSize shown = PreviewSheet(sheet);
            EXPECT_EQ(shown.width() > shown.height(), landscape)
                << shown.width() << " x " << shown.height();
        });
        EditDocumentSettings(doc, nullptr, {});
    }
}

// OK with no page touched adds no step and leaves the document's bytes; a margin typed then
// makes one step.
TEST_F(DocumentCommandSheetsTest, DocumentSettingsUntouchedAddNoStep) {
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    Answer<CDocSettingsSheet>(true, [](CDocSettingsSheet& sheet) {
        for (int page = 0; page < sheet.PageCount(); ++page)
            ASSERT_TRUE(sheet.SetCurrentPage(page));
    });
    EditDocumentSettings(doc, nullptr, {});
    EXPECT_TRUE(Steps().empty());
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);

    TypeLeftMarginOfHalfAnInch();
    EditDocumentSettings(doc, nullptr, {});
    EXPECT_EQ(Steps().size(), 1u);
}

// The default widths the General page shows rounded (pin 2 as 0.1 points, wire 5 as 0.4,
// object 9 as 0.6) stay as they are when only a margin is typed.
TEST_F(DocumentCommandSheetsTest, OnlyTheTypedMarginChanges) {
    DocSettings thin = DocSettings::Of(doc);
    thin.pinPen.lopnWidth = POINT{2, 2};
    thin.wirePen.lopnWidth = POINT{5, 5};
    thin.pen.lopnWidth = POINT{9, 9};
    ASSERT_TRUE(ApplyDocumentSettings(doc, thin, {}));
    CDrawDoc expected;
    expected.OnNewDocument();
    thin.margins.left = 500;
    ASSERT_TRUE(ApplyDocumentSettings(expected, thin, {}));

    TypeLeftMarginOfHalfAnInch();
    EditDocumentSettings(doc, nullptr, {});
    EXPECT_EQ(DocSettings::Of(doc).pinPen.lopnWidth.x, 2);
    EXPECT_EQ(DocSettings::Of(doc).margins.left, 500);
    EXPECT_EQ(testsupport::DocumentBytes(doc), testsupport::DocumentBytes(expected));
    EXPECT_EQ(Steps().size(), 2u);
}

// The row of the attributes page that names name.
QTableWidgetItem* NameItem(QTableWidget* table, const char* name) {
    const QList<QTableWidgetItem*> found = table->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

// Rev becomes B and is shown; a new "Checked By" is added; Old is deleted.
void EditAttributes(CDocSettingsSheet& sheet) {
    ASSERT_TRUE(sheet.SetCurrentPage(4));
    ASSERT_EQ(sheet.CurrentPage(), sheet.attributesPage());
    QTableWidget* table = sheet.attributesPage()->table();
    QTableWidgetItem* title = NameItem(table, "Title");
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->flags() & Qt::ItemIsEditable);
    QTableWidgetItem* rev = NameItem(table, "Rev");
    ASSERT_NE(rev, nullptr);
    EXPECT_EQ(rev->checkState(), Qt::Unchecked);
    EXPECT_EQ(table->item(rev->row(), 1)->text(), "A");
    table->item(rev->row(), 1)->setText("B");
    rev->setCheckState(Qt::Checked);
    const int last = table->rowCount() - 1;
    table->item(last, 0)->setText("Checked By");
    table->item(last, 1)->setText("JS");
    table->clearSelection();
    NameItem(table, "Old")->setSelected(true);
    sheet.attributesPage()->DeleteRows();
}

TEST_F(DocumentCommandSheetsTest, TheAttributesPageEditsJoinTheSettingsStep) {
    doc.SetAttribute("Rev", "A", 0);
    doc.SetAttribute("Old", "x", 0);
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);

    Answer<CDocSettingsSheet>(false, EditAttributes);
    EditDocumentSettings(doc, nullptr, {});
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);

    Answer<CDocSettingsSheet>(true, EditAttributes);
    EditDocumentSettings(doc, nullptr, {});
    CString value;
    EXPECT_TRUE(doc.GetAttribute("Rev", value) && value == "B");
    EXPECT_TRUE(doc.GetAttribute("Checked By", value) && value == "JS");
    EXPECT_FALSE(doc.GetAttribute("Old", value));
    POSITION pos = nullptr;
    CAttrText* rev = doc.FindAttrText("Rev", pos);
    ASSERT_NE(rev, nullptr);
    EXPECT_TRUE(doc.GetObjects().Find(rev));
    EXPECT_EQ(Steps(), std::vector<CString>{"1 - Document settings"});

    doc.GetUndoList().Undo(1);
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
}

// Two rows copied from a part's Other Attributes and pasted with the reserved row "File"
// selected: "File" cannot take another attribute's row, and nothing lands in the rows after it
// ("Ground1" names the rail the netlists use). OK then changes nothing.
TEST_F(DocumentCommandSheetsTest, APasteOntoTheFileRowWritesIntoNoOtherRow) {
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    QApplication::clipboard()->setText(
        QString("_Footprint\x01"
                "R0805\r\n_Pref\x01R"));
    Answer<CDocSettingsSheet>(true, [](CDocSettingsSheet& sheet) {
        ASSERT_TRUE(sheet.SetCurrentPage(4));
        CEditListCtrl* table = sheet.attributesPage()->table();
        const auto rows = [table] {
            std::vector<std::vector<CString>> cells;
            for (int row = 0; row < table->rowCount(); ++row)
                cells.push_back(table->RowCells(row));
            return cells;
        };
        const auto listed = rows();
        QTableWidgetItem* file = NameItem(table, "File");
        ASSERT_NE(file, nullptr);
        table->SelectOnly(file->row());
        QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(rows(), listed);
    });
    EditDocumentSettings(doc, nullptr, {});
    CString ground;
    EXPECT_TRUE(doc.GetAttribute("Ground1", ground) && ground == "GND");
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_TRUE(Steps().empty());
}

// Power1 given Ground1's name on the attributes page: OK is refused with a message that names
// both rails, the sheet stays open, and the document keeps its rails' names.
TEST_F(DocumentCommandSheetsTest, OkRefusesTwoRailsOfOneName) {
    testsupport::ScriptedPrompt prompt{IDOK};
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    bool stayed = false;
    QTimer::singleShot(0, [&stayed] {
        auto* sheet = qobject_cast<CDocSettingsSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(sheet->SetCurrentPage(4));
        QTableWidget* table = sheet->attributesPage()->table();
        QTableWidgetItem* power = NameItem(table, "Power1");
        ASSERT_NE(power, nullptr);
        table->item(power->row(), 1)->setText("GND");
        sheet->accept();
        stayed = sheet->isVisible();
        sheet->reject();
    });
    EditDocumentSettings(doc, nullptr, {});
    EXPECT_TRUE(stayed);
    ASSERT_EQ(prompt.shown().size(), 1u);
    const CString& told = prompt.shown().front().text;
    EXPECT_NE(told.Find("Power1"), -1) << told.str();
    EXPECT_NE(told.Find("Ground1"), -1) << told.str();
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_TRUE(Steps().empty());
}

TEST_F(DocumentCommandSheetsTest, InsertTitleBlockIsOneStepAndCancelChangesNothing) {
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    const int objects = static_cast<int>(doc.GetObjects().GetCount());
    auto check = [](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Insert Title Block");
        ASSERT_EQ(sheet.PageCount(), 1);
        EXPECT_EQ(sheet.Page(0)->windowTitle(), "Title Block Contents");
    };

    Answer<CPropertySheet>(false, check);
    InsertTitleBlock(doc, nullptr);
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_TRUE(Steps().empty());

    Answer<CPropertySheet>(true, check);
    InsertTitleBlock(doc, nullptr);
    EXPECT_GT(static_cast<int>(doc.GetObjects().GetCount()), objects);
    EXPECT_EQ(Steps(), std::vector<CString>{"1 - Add title block text"});
    ExpectFieldsStackedDown();

    doc.GetUndoList().Undo(1);
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
}

}  // namespace

// The "Insert Symbol" sheet driven as a user does: a character of a face picked in the grid,
// a special symbol picked by name, and what each page remembers.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "gui/dialogs/objects/DlgInsSymbol.h"
#include "gui/dialogs/objects/DlgInsertSymbol.h"
#include "gui/dialogs/objects/InsertSymbolPropSheet.h"
#include "gui/dialogs/objects/ObjectPreview.h"
#include "gui/dialogs/objects/WndCharMap.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/shapes/SpecSymbol.h"
#include "model/text/TextBox.h"
#include "support/TestSupport.h"

namespace {

class InsertSymbolPropSheetTest : public ::testing::Test {
protected:
    InsertSymbolPropSheetTest() : app(dir / "settings.ini"), scoped(app) { QtTestApp::ensure(); }

    int Setting(const char* entry) { return int(app.GetProfileInt("Settings", entry, -7)); }

    // Clicks the grid's cell at row and column of the view.
    static void ClickCell(CWndCharMap& map, int row, int column) {
        const int bar = map.findChild<QScrollBar*>()->width();
        const int cell = (map.width() - bar - 4) / 10;
        QTest::mouseClick(&map, Qt::LeftButton, {},
                          QPoint(2 + column * cell + cell / 2, 2 + row * 18 + 9));
    }

    // The grid's cell of the character in the view, within its lines.
    static QRect Cell(CWndCharMap& map, int character) {
        const int bar = map.findChild<QScrollBar*>()->width();
        const int cell = (map.width() - bar - 4) / 10;
        return {2 + map.Grid().ColumnOf(character) * cell + 2,
                2 + map.Grid().RowOf(character) * 18 + 2, cell - 3, 18 - 3};
    }

    // The pixels of the area that differ from its top left one.
    static int Ink(const QImage& image, const QRect& area) {
        const QRgb background = image.pixel(area.topLeft());
        int ink = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                ink += image.pixel(x, y) != background;
        }
        return ink;
    }

    testsupport::TempDir dir;
    CSchematicApp app;
    ScopedApp scoped;
};

TEST_F(InsertSymbolPropSheetTest, FirstUseShowsTheSymbolFaceWithoutACharacter) {
    CInsertSymbolPropSheet sheet(0);
    sheet.show();
    CDlgInsSymbol* page = sheet.CharacterPage();
    EXPECT_EQ(sheet.OkButton()->text(), "Insert");
    EXPECT_EQ(page->FontCombo()->currentText(), "Symbol");
    EXPECT_GE(page->FontCombo()->findText("(normal text)"), 0);
    EXPECT_EQ(page->CharMap()->Selection(), -1);
    EXPECT_FALSE(sheet.OkButton()->isEnabled());

    ClickCell(*page->CharMap(), 2, 3);
    EXPECT_EQ(page->CharMap()->Selection(), 55);
    EXPECT_TRUE(sheet.OkButton()->isEnabled());
    EXPECT_EQ(Setting("SymbolCharIndex"), 55);
    EXPECT_EQ(app.GetProfileString("Settings", "SymbolFont"), CString("Symbol"));
    EXPECT_TRUE(sheet.grab().save(QString(VOSK_BINARY_DIR) + "/insert-symbol-characters.png"));

    sheet.OkButton()->click();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.LastPageIndex(), 0);
    const std::unique_ptr<CDrawObj> choice(sheet.MakeChoice());
    auto* box = dynamic_cast<CTextBox*>(choice.get());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetText(), CString("7"));
    ASSERT_NE(box->GetOwnFont(), nullptr);
    EXPECT_STREQ(box->GetOwnFont()->lfFaceName, "Symbol");
    EXPECT_EQ(box->GetOwnFont()->lfHeight, -100);
    EXPECT_EQ(box->GetOwnFont()->lfWidth, 0);
}

// The Symbol face's letters and signs are drawn as the Greek letters and mathematical signs
// of its codes: in the grid and in the preview of the text box to be inserted.
TEST_F(InsertSymbolPropSheetTest, TheSymbolFaceDrawsItsLettersAndSigns) {
    CInsertSymbolPropSheet sheet(0);
    sheet.resize(500, 300);
    sheet.show();
    CWndCharMap& map = *sheet.CharacterPage()->CharMap();
    ASSERT_GE(map.Grid().VisibleRows(), 8);
    const QImage grid = map.grab().toImage();
    for (const char character : {'@', 'A', 'Z', 'a', 'z', '"', '$', '7'})
        EXPECT_GT(Ink(grid, Cell(map, character)), 5) << character;

    ClickCell(map, map.Grid().RowOf('A'), map.Grid().ColumnOf('A'));
    ASSERT_EQ(sheet.CharacterPage()->ChosenCharacter(), 'A');
    auto* preview = sheet.CharacterPage()->findChild<CObjectPreview*>();
    ASSERT_NE(preview, nullptr);
    const QImage shown = preview->grab().toImage();
    EXPECT_GT(Ink(shown, shown.rect().adjusted(4, 4, -4, -4)), 20);
}

TEST_F(InsertSymbolPropSheetTest, AFaceNoLongerInstalledLeavesNoFontAndInsertDisabled) {
    app.WriteProfileString("Settings", "SymbolFont", "No Such Face At All");
    app.WriteProfileInt("Settings", "SymbolCharIndex", 65);
    CInsertSymbolPropSheet sheet(0);
    sheet.show();
    EXPECT_EQ(sheet.CharacterPage()->FontCombo()->currentIndex(), -1);
    EXPECT_FALSE(sheet.OkButton()->isEnabled());
    EXPECT_EQ(Setting("SymbolCharIndex"), -1);
}

TEST_F(InsertSymbolPropSheetTest, TheStoredCharacterIsShownAndArrowsMoveIt) {
    app.WriteProfileString("Settings", "SymbolFont", "sYMBOL");
    app.WriteProfileInt("Settings", "SymbolCharIndex", 250);
    CInsertSymbolPropSheet sheet(0);
    sheet.resize(500, 300);
    sheet.show();
    CWndCharMap* map = sheet.CharacterPage()->CharMap();
    EXPECT_EQ(sheet.CharacterPage()->FontCombo()->currentText(), "Symbol");
    EXPECT_EQ(map->Selection(), 250);
    const int row = map->Grid().RowOf(250);
    EXPECT_GE(row, 0);
    EXPECT_LT(row, map->Grid().VisibleRows());
    EXPECT_TRUE(sheet.OkButton()->isEnabled());

    map->setFocus();
    QTest::keyClick(map, Qt::Key_Down);
    EXPECT_EQ(map->Selection(), 250);
    QTest::keyClick(map, Qt::Key_Right);
    EXPECT_EQ(map->Selection(), 251);
    EXPECT_EQ(Setting("SymbolCharIndex"), 251);
    QTest::keyClick(map, Qt::Key_Return);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

TEST_F(InsertSymbolPropSheetTest, SymbolsAreListedByNameAndADoubleClickInserts) {
    CInsertSymbolPropSheet sheet(1);
    sheet.show();
    QListWidget* list = sheet.SymbolPage()->List();
    ASSERT_EQ(list->count(), 31);
    EXPECT_EQ(list->item(0)->text(), "Active low output");
    EXPECT_EQ(list->item(1)->text(), "Analog signal in");
    EXPECT_EQ(list->item(2)->text(), "AND");
    EXPECT_EQ(list->item(30)->text(), "XOR");
    EXPECT_EQ(sheet.SymbolPage()->ChosenKind(), 17);
    EXPECT_TRUE(sheet.OkButton()->isEnabled());
    EXPECT_TRUE(sheet.grab().save(QString(VOSK_BINARY_DIR) + "/insert-symbol-ieee.png"));

    QListWidgetItem* andItem = list->item(2);
    list->setCurrentItem(andItem);
    EXPECT_EQ(Setting("SymbolIndex"), 2);
    const QPoint andCentre = list->visualItemRect(andItem).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, andCentre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, andCentre);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.LastPageIndex(), 1);
    const std::unique_ptr<CDrawObj> choice(sheet.MakeChoice());
    auto* symbol = dynamic_cast<CSpecSymbol*>(choice.get());
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->GetKind(), 26);
    EXPECT_EQ(symbol->GetPen().lopnColor, COLORREF(128));
}

TEST_F(InsertSymbolPropSheetTest, TheSymbolPageOpensOnTheStoredEntry) {
    app.WriteProfileInt("Settings", "SymbolIndex", 30);
    CInsertSymbolPropSheet sheet(1);
    sheet.show();
    EXPECT_EQ(sheet.SymbolPage()->List()->currentRow(), 30);
    EXPECT_EQ(sheet.SymbolPage()->ChosenKind(), 29);  // "XOR"
}

}  // namespace

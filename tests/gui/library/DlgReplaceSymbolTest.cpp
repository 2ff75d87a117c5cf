// The Replace Symbol dialog: replacements of the same pin count, the pairing shown, the
// refusal of one symbol for itself, and the devices rewritten.

#include "gui/library/DlgReplaceSymbol.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/library/PreviewWnd.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryTestBytes.h"
#include "model/device/Device.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"

namespace {

using namespace librarytest;

CSymbol* SymbolWithPins(std::initializer_list<const char*> ids) {
    auto* symbol = new CSymbol();
    int y = 0;
    for (const char* id : ids) {
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(0, y), CPoint(100, y));
        pin->GetAttrMap()->SetAt("_ID", id);
        symbol->GetPins().AddTail(pin);
        y += 100;
    }
    symbol->RecalcBounds(nullptr);
    return symbol;
}

CDevice* DeviceWithMap(const char* name, std::string map) {
    std::replace(map.begin(), map.end(), '|', '\x01');
    auto* device = new CDevice(name);
    device->SetAttr("_Map", map.c_str(), TRUE);
    return device;
}

class DlgReplaceSymbol : public ::testing::Test {
protected:
    DlgReplaceSymbol() {
        QtTestApp::ensure();
        testsupport::WriteFileBytes(
            path, Join({FileHeader("lib", 5),
                        Record("OLD", "", kItemSymbol, Archived({SymbolWithPins({"1", "2", "3"})})),
                        Record("NEW", "", kItemSymbol, Archived({SymbolWithPins({"A", "B", "C"})})),
                        Record("OTHER", "", kItemSymbol,
                               Archived({SymbolWithPins({"1", "2", "3", "4"})})),
                        Record("D1", "", kItemDevice,
                               Archived({DeviceWithMap("D1", "OLD|A|1|1|2|2|3|3")})),
                        Record("D3", "", kItemDevice,
                               Archived({DeviceWithMap("D3", "OTHER||1|1|2|2|3|3|4|4")}))}));
    }
    static QPushButton* Button(QDialog& dialog, const QString& text) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }
    static QStringList Rows(QListWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }

    testsupport::TempDir dir;
    std::filesystem::path path = dir / "lib.rlb";
};

TEST_F(DlgReplaceSymbol, OffersSymbolsOfAsManyPinsAndReplacesInTheDevices) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CDlgReplaceSymbol dialog(nullptr, path.string().c_str(), 0);
    auto* source = dialog.findChild<QComboBox*>("source");
    auto* replacement = dialog.findChild<QComboBox*>("replacement");
    EXPECT_EQ(source->currentText(), "OLD");
    QStringList offered;
    for (int i = 0; i < replacement->count(); ++i)
        offered << replacement->itemText(i);
    EXPECT_EQ(offered, (QStringList{"NEW", "OLD"}));
    replacement->setCurrentIndex(0);
    EXPECT_EQ(Rows(dialog.findChild<QListWidget*>("sourcePins")), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Rows(dialog.findChild<QListWidget*>("replacementPins")),
              (QStringList{"A", "B", "C"}));

    Button(dialog, "Replace")->click();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "1 devices were found and 1 modified");
}

// The two previews show one drawing each, large enough to read, without a Place button.
TEST_F(DlgReplaceSymbol, PreviewsShowTheDrawingsOnly) {
    CDlgReplaceSymbol dialog(nullptr, path.string().c_str(), 0);
    dialog.show();
    const QList<CPreviewWnd*> previews = dialog.findChildren<CPreviewWnd*>();
    ASSERT_EQ(previews.size(), 2);
    for (CPreviewWnd* preview : previews) {
        EXPECT_GE(preview->height(), 100);
        EXPECT_FALSE(preview->findChild<QPushButton*>("place")->isVisible());
    }
}

TEST_F(DlgReplaceSymbol, ASymbolIsNotReplacedByItself) {
    const std::vector<unsigned char> before = testsupport::ReadFileBytes(path);
    testsupport::ScriptedPrompt prompt({IDOK});
    CDlgReplaceSymbol dialog(nullptr, path.string().c_str(), 0);
    auto* replacement = dialog.findChild<QComboBox*>("replacement");
    replacement->setCurrentIndex(replacement->findText("OLD"));
    Button(dialog, "Replace")->click();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Source and destination symbols are the same.");
    EXPECT_EQ(testsupport::ReadFileBytes(path), before);
}

// A damaged symbol record is told while the replacements are looked for, and a damaged
// device record while the devices are rewritten; the good records are handled all the same.
TEST_F(DlgReplaceSymbol, DamagedRecordsAreToldAndPassedOver) {
    const Bytes garbage = DamagedRecordData()[1].data;
    testsupport::WriteFileBytes(
        path, Join({FileHeader("lib", 5),
                    Record("OLD", "", kItemSymbol, Archived({SymbolWithPins({"1", "2", "3"})})),
                    Record("BAD", "", kItemSymbol, garbage),
                    Record("NEW", "", kItemSymbol, Archived({SymbolWithPins({"A", "B", "C"})})),
                    Record("BADDEV", "", kItemDevice, garbage),
                    Record("D1", "", kItemDevice,
                           Archived({DeviceWithMap("D1", "OLD|A|1|1|2|2|3|3")}))}));
    testsupport::ScriptedPrompt prompt({IDOK});
    CDlgReplaceSymbol dialog(nullptr, path.string().c_str(), 0);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_TRUE(TellsUnreadable(prompt.shown()[0].text, "BAD", path.string()));
    auto* replacement = dialog.findChild<QComboBox*>("replacement");
    QStringList offered;
    for (int i = 0; i < replacement->count(); ++i)
        offered << replacement->itemText(i);
    EXPECT_EQ(offered, (QStringList{"NEW", "OLD"}));

    prompt.Answer(IDOK);
    prompt.Answer(IDOK);
    Button(dialog, "Replace")->click();
    ASSERT_EQ(prompt.shown().size(), 3u);
    EXPECT_TRUE(TellsUnreadable(prompt.shown()[1].text, "BADDEV", path.string()));
    EXPECT_EQ(prompt.shown()[2].text, "1 devices were found and 1 modified");
}

// A library damaged behind its symbols is told once when the dialog lists them, and the
// symbols before the damage are offered.
TEST_F(DlgReplaceSymbol, ADamagedLibraryIsToldOnceAndItsSymbolsOffered) {
    testsupport::WriteFileBytes(
        path,
        Join({FileHeader("lib", 5),
              Record("OLD", "", kItemSymbol, Archived({SymbolWithPins({"1", "2", "3"})})),
              Record("NEW", "", kItemSymbol, Archived({SymbolWithPins({"A", "B", "C"})})),
              Record("D1", "", kItemDevice, Archived({DeviceWithMap("D1", "OLD|A|1|1|2|2|3|3")})),
              DamagedRecordHeaders()[2].bytes}));
    testsupport::ScriptedPrompt prompt({IDOK});
    CDlgReplaceSymbol dialog(nullptr, path.string().c_str(), 0);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_TRUE(TellsDamagedAfter(prompt.shown()[0].text, path.string(), 3))
        << prompt.shown()[0].text.str();
    EXPECT_EQ(dialog.findChild<QComboBox*>("replacement")->currentText(), "NEW");
}

}  // namespace

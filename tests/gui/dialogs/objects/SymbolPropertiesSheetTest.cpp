// The "Symbol Properties" window: its two pages over a symbol, and what OK hands back; the
// General page's new device, library device and renumbered identifiers as one undo step.

#include "gui/dialogs/objects/SymbolPropertiesSheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/dialogs/device/DlgDevGeneral.h"
#include "gui/dialogs/device/DlgDevice.h"
#include "gui/kit/PropertySheet.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryFile.h"
#include "model/device/Device.h"
#include "model/device/MapText.h"
#include "model/doc/DrawDoc.h"
#include "model/support/RecordingDocView.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/symbol/SymbolSheet.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedLibraryPicker.h"
#include "support/TestSupport.h"

namespace {

TEST(SymbolPropertiesSheetTest, GeneralPageEditsComeBackOnOK) {
    QtTestApp::ensure();
    CDrawDoc doc;
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetFlags(kSymbolGraphical, kSymbolKindMask);
    symbol->SetAttr("_Name", "LOGO", kSetAttrForce);
    symbol->SetAttr("Maker", "Vosk", kSetAttrForce);
    doc.GetObjects().AddTail(symbol);
    SymbolSheet sheet = SymbolSheet::Load(doc, {symbol});
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Symbol Properties");
        ASSERT_EQ(dialog->PageCount(), 2);
        ASSERT_TRUE(dialog->SetCurrentPage(0));
        auto* page = qobject_cast<CDlgDevGeneral*>(dialog->CurrentPage());
        ASSERT_NE(page, nullptr);
        page->nameEdit()->setText("BADGE");
        const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
        QDir().mkpath(dir);
        EXPECT_TRUE(dialog->grab().save(dir + "/symbol-properties.png"));
        dialog->accept();
    });
    CSymbolSheetRunner runner;
    ASSERT_EQ(runner.RunSymbolSheet(sheet), kSymbolSheetOK);
    EXPECT_EQ(sheet.general.name, CString("BADGE"));
    EXPECT_EQ(sheet.attributes.GetRecords().count("Maker"), 1u);
}

CSymbol* PlaceNand(CDrawDoc& doc, const char* id) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetFlags(kSymbolDevice, kSymbolKindMask);
    symbol->SetAttr("_Name", "NAND", kSetAttrForce);
    symbol->SetAttr("_ID", id, kSetAttrForce);
    for (const char* pinId : {"A", "B", "Y"}) {
        auto* pin = new CPin(symbol);
        pin->SetAttr("_ID", pinId, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
    }
    doc.GetObjects().AddTail(symbol);
    return symbol;
}

// Two gates without a device: "Ne&w.." makes one for them, ".." replaces it with the quad
// NAND of the libraries, and OK numbers both gates as parts of it, U1A and U1B; undo takes
// all of it back at once.
TEST(SymbolPropertiesSheetTest, NewDeviceLibraryDeviceAndNewIdentifiersAreOneStep) {
    QtTestApp::ensure();
    testsupport::TempDir dir;
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create((dir / "gates.rlb").c_str()), kCreateDone);
        CDevice nand("7400");
        nand.SetMap(MapText("NAND|A|A|1|B|2|Y|3\nNAND|B|A|4|B|5|Y|6").c_str(), kMapApply);
        nand.SetAttr("_Pref", "U", TRUE);
        ASSERT_TRUE(library.AddObjects(nullptr, &nand, "7400", "quad nand"));
    }
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
    doc.AddView(&view);
    view.selection.AddTail(PlaceNand(doc, "X1"));
    view.selection.AddTail(PlaceNand(doc, "X2"));
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    testsupport::ScriptedLibraryPicker picker(dir.path(), "7400");
    CSymbolSheetRunner runner;
    ScopedInstall<ISymbolSheetRunner> installed(runner);
    QString made;
    QTimer::singleShot(0, [&made] {
        auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        auto* page = qobject_cast<CDlgDevGeneral*>(sheet->CurrentPage());
        ASSERT_NE(page, nullptr);
        QTimer::singleShot(0, [] {
            auto* device = qobject_cast<CDlgDevice*>(QApplication::activeModalWidget());
            ASSERT_NE(device, nullptr);
            device->accept();
        });
        QTest::mouseClick(page->newButton(), Qt::LeftButton);
        made = page->deviceCombo()->currentText();
        QTest::mouseClick(page->browseButton(), Qt::LeftButton);
        EXPECT_EQ(page->deviceCombo()->currentText(), "7400");
        sheet->accept();
    });
    EditSymbolProperties(view, doc);
    EXPECT_EQ(made, "New Device");
    ASSERT_EQ(doc.GetObjects().GetCount(), 2);
    auto* first = static_cast<CSymbol*>(doc.GetObjects().GetHead());
    auto* second = static_cast<CSymbol*>(doc.GetObjects().GetTail());
    ASSERT_NE(first->GetDevice(), nullptr);
    EXPECT_EQ(first->GetDevice(), second->GetDevice());
    EXPECT_EQ(first->GetDevice()->GetAttr("_Name"), CString("7400"));
    EXPECT_EQ(first->GetAttr("_ID"), CString("U1A"));
    EXPECT_EQ(second->GetAttr("_ID"), CString("U1B"));
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "symbol properties");
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_FALSE(doc.GetUndoList().CanUndo()) << "one step";
    doc.RemoveView(&view);
}

}  // namespace

// The "Symbol Properties" window: its two pages over a symbol, and what OK hands back.

#include "dialogs/objects/SymbolPropertiesSheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

#include "dialogs/device/DlgDevGeneral.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "shell/kit/PropertySheet.h"
#include "shell/support/QtTestApp.h"

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

}  // namespace

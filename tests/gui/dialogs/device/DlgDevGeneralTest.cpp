// The General page of the Symbol Properties sheet driven as a user does.

#include "gui/dialogs/device/DlgDevGeneral.h"
#include "gui/dialogs/device/DlgDevice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "gui/support/QtTestApp.h"
#include "library/LibraryFile.h"
#include "model/device/Device.h"
#include "model/device/MapText.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedLibraryPicker.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kNandMap = "NAND|A|A|1|B|2|Y|3\nNAND|B|A|4|B|5|Y|6";

CDevice* Device(const char* name, const char* map) {
    auto* device = new CDevice(name);
    device->SetMap(MapText(map).c_str(), kMapApply);
    return device;
}

// A library of the quad NAND and the quad NOR, as device records.
void WriteGates(const std::filesystem::path& path) {
    CLibraryFile library;
    ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    const std::unique_ptr<CDevice> nand(Device("7400", kNandMap));
    const std::unique_ptr<CDevice> nor(Device("7402", "NOR|A|A|2|B|3|Y|1"));
    ASSERT_TRUE(library.AddObjects(nullptr, nand.get(), "7400", "quad nand"));
    ASSERT_TRUE(library.AddObjects(nullptr, nor.get(), "7402", "quad nor"));
}

CSymbol* PlaceNand(CDrawDoc& doc, CDevice* device) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetAttr("_Name", "NAND", kSetAttrForce);
    for (const char* id : {"A", "B", "Y"}) {
        auto* pin = new CPin(symbol);
        pin->SetAttr("_ID", id, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
    }
    symbol->SetFlags(kSymbolDevice, kSymbolKindMask);
    if (device) {
        device->AddRef();
        symbol->SetDevice(device);
    }
    doc.GetObjects().AddTail(symbol);
    return symbol;
}

TEST(DlgDevGeneralTest, DevicesAreOfferedAndTheIdentifierChecked) {
    QtTestApp::ensure();
    CDrawDoc doc;
    auto* nand = new CDevice("7400");
    nand->SetMap(MapText("NAND|A|A|1|B|2|Y|3\nNAND|B|A|4|B|5|Y|6").c_str(), kMapApply);
    nand->AddRef();  // the test's own
    auto* other = new CDevice("7402");
    other->SetMap(MapText("NOR|A|A|2|B|3|Y|1").c_str(), kMapApply);
    other->AddRef();
    CSymbol* symbol = PlaceNand(doc, nand);
    {
        CDlgDevGeneral page(doc, {symbol}, {nand, other});
        page.show();
        EXPECT_EQ(nand->GetRefCount(), 3);
        EXPECT_EQ(page.kindList()->currentRow(), 4);
        // "No device" and the one compatible device; the symbol's is chosen.
        ASSERT_EQ(page.deviceCombo()->count(), 2);
        EXPECT_EQ(page.deviceCombo()->itemText(0), "No device");
        EXPECT_EQ(page.deviceCombo()->currentText(), "7400");
        EXPECT_TRUE(page.newButton()->isEnabled());

        testsupport::ScriptedPrompt prompt({IDOK});
        EXPECT_FALSE(page.OnOK());
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text, CString("Error: Symbol must have identifier."));

        page.idEdit()->setText("U1A");
        page.deviceCombo()->setCurrentIndex(0);
        emit page.deviceCombo()->activated(0);
        EXPECT_EQ(page.Form().device, nullptr);
        EXPECT_EQ(nand->GetRefCount(), 2);
        EXPECT_TRUE(page.OnOK());
        EXPECT_EQ(page.Form().id, CString("U1A"));

        // Graphical Only: no device controls, no identifier needed.
        page.kindList()->setCurrentRow(0);
        EXPECT_FALSE(page.deviceCombo()->isEnabled());
        EXPECT_FALSE(page.newButton()->isEnabled());
        page.idEdit()->clear();
        EXPECT_TRUE(page.OnOK());
        const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
        QDir().mkpath(dir);
        EXPECT_TRUE(page.grab().toImage().save(dir + "/device-general-page.png"));
    }
    EXPECT_EQ(nand->GetRefCount(), 2);
    nand->Release();
    other->Release();
}

// "Ne&w.." on a Physical Device builds a device from the symbol and hands it to Device
// Properties; OK there makes it the page's device.
TEST(DlgDevGeneralTest, NewDeviceIsBuiltFromTheSymbol) {
    QtTestApp::ensure();
    CDrawDoc doc;
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetAttr("_Name", "INV", kSetAttrForce);
    for (const char* id : {"A", "Y"}) {
        auto* pin = new CPin(symbol);
        pin->SetAttr("_ID", id, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
    }
    doc.GetObjects().AddTail(symbol);
    CDlgDevGeneral page(doc, {symbol}, {});
    page.show();
    QString title;
    QTimer::singleShot(0, [&title] {
        auto* dialog = qobject_cast<CDlgDevice*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        dialog->accept();
    });
    page.OnNew();
    EXPECT_EQ(title, "Device Properties");
    CDevice* made = page.Form().device;
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetAttr("_Name"), CString("New Device"));
    EXPECT_EQ(made->GetAttr("_Pref"), CString("U"));
    EXPECT_TRUE(made->IsCompatibleWith(symbol));
    EXPECT_EQ(made->GetRefCount(), 1);
    EXPECT_EQ(page.deviceCombo()->currentText(), "New Device");
}

// ".." on a Physical Device picks a device that fits the symbol from the libraries; the
// document's equal device stands in for it.
TEST(DlgDevGeneralTest, BrowsePicksAFittingDeviceFromTheLibraries) {
    QtTestApp::ensure();
    testsupport::TempDir dir;
    WriteGates(dir / "gates.rlb");
    CDrawDoc doc;
    CSymbol* symbol = PlaceNand(doc, nullptr);
    CDlgDevGeneral page(doc, {symbol}, {});
    page.show();
    EXPECT_TRUE(page.browseButton()->isEnabled());
    {
        testsupport::ScriptedLibraryPicker picker(dir.path(), "7400");
        QTest::mouseClick(page.browseButton(), Qt::LeftButton);
        EXPECT_EQ(picker.options, kSearchDevices | kSearchSingleChoice);
        EXPECT_EQ(picker.found, std::vector<std::string>{"7400"}) << "the NOR does not fit";
    }
    CDevice* picked = page.Form().device;
    ASSERT_NE(picked, nullptr);
    EXPECT_EQ(picked->GetAttr("_Name"), CString("7400"));
    EXPECT_EQ(picked->GetRefCount(), 1) << "the page's reference alone";
    EXPECT_EQ(page.deviceCombo()->currentText(), "7400");

    // With an equal device in the document, the page takes the document's.
    CDevice* own = Device("7400", kNandMap);
    PlaceNand(doc, own);
    testsupport::ScriptedLibraryPicker picker(dir.path(), "7400");
    QTest::mouseClick(page.browseButton(), Qt::LeftButton);
    EXPECT_EQ(page.Form().device, own);
    EXPECT_EQ(own->GetRefCount(), 2);
}

}  // namespace

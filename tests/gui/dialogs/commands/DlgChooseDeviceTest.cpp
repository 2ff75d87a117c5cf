// "Choose Device": the devices of the document's parts that fit the selection, a fitting
// device of the libraries, and the references the dialog takes and gives back.

#include "gui/dialogs/commands/DlgChooseDevice.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "gui/support/QtTestApp.h"
#include "library/LibraryFile.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "netlist/support/NetlistSheet.h"
#include "support/ScriptedLibraryPicker.h"
#include "support/TestSupport.h"

namespace {

class DlgChooseDeviceTest : public ::testing::Test {
protected:
    DlgChooseDeviceTest() {
        QtTestApp::ensure();
        m_nand = Device("7400",
                        "NAND\x01"
                        "A\x01"
                        "A\x01"
                        "1\x01"
                        "B\x01"
                        "2");
        m_inverter = Device("7404",
                            "INV\x01"
                            "A\x01"
                            "A\x01"
                            "1");
        Symbol("U1", "NAND", {"A", "B"}, m_nand);
        Symbol("U2", "INV", {"A"}, m_inverter);
        m_free = Symbol("U3", "NAND", {"A", "B"}, nullptr);
    }

    CDevice* Device(const char* name, const char* map) {
        auto* device = new CDevice(name);
        EXPECT_TRUE(device->SetAttr("_Map", map, TRUE));
        return device;
    }
    CSymbol* Symbol(const char* id, const char* name, std::initializer_list<const char*> pins,
                    CDevice* device) {
        return m_sheet.Add(id, kSymbolDevice, pins, device, name);
    }

    nltest::Sheet m_sheet;
    CDrawDoc& m_doc = m_sheet.doc;
    CDevice* m_nand;
    CDevice* m_inverter;
    CSymbol* m_free;
};

TEST_F(DlgChooseDeviceTest, ListsFittingDevicesAndGivesBackItsReferences) {
    CObList selection;
    selection.AddTail(m_free);
    const int nandBefore = m_nand->GetRefCount();
    const int inverterBefore = m_inverter->GetRefCount();
    CDevice* chosen = nullptr;
    {
        CDlgChooseDevice dialog(m_doc, selection);
        ASSERT_EQ(dialog.deviceBox()->count(), 1) << "the inverter does not fit a NAND";
        EXPECT_EQ(dialog.deviceBox()->itemText(0), "7400");
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        dialog.accept();
        chosen = dialog.TakeChosen();
    }
    EXPECT_EQ(chosen, m_nand);
    EXPECT_EQ(m_nand->GetRefCount(), nandBefore + 1) << "the chosen one's reference only";
    EXPECT_EQ(m_inverter->GetRefCount(), inverterBefore);
    chosen->Release();
}

TEST_F(DlgChooseDeviceTest, NothingFittingLeavesOkDisabledAndCancelTakesNoReference) {
    CObList selection;
    CSymbol* other = Symbol("U4", "MUX", {"S"}, nullptr);
    selection.AddTail(other);
    const int before = m_nand->GetRefCount();
    {
        CDlgChooseDevice dialog(m_doc, selection);
        EXPECT_EQ(dialog.deviceBox()->count(), 0);
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        dialog.accept();
        EXPECT_EQ(dialog.TakeChosen(), nullptr);
    }
    EXPECT_EQ(m_nand->GetRefCount(), before);
}

// "Search Libraries.." adds a library device that fits a selected symbol to the list, chosen;
// its entry's reference goes with the dialog, and OK hands one to the caller.
TEST_F(DlgChooseDeviceTest, SearchLibrariesAddsAFittingLibraryDeviceChosen) {
    testsupport::TempDir dir;
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create((dir / "gates.rlb").c_str()), kCreateDone);
        const std::unique_ptr<CDevice> quad(Device("74HC00",
                                                   "NAND\x01\x01"
                                                   "A\x01"
                                                   "1\x01"
                                                   "B\x01"
                                                   "2"));
        const std::unique_ptr<CDevice> mux(Device("74157",
                                                  "MUX\x01\x01"
                                                  "S\x01"
                                                  "1"));
        ASSERT_TRUE(library.AddObjects(nullptr, quad.get(), "74HC00", "quad nand"));
        ASSERT_TRUE(library.AddObjects(nullptr, mux.get(), "74157", "multiplexer"));
    }
    CObList selection;
    selection.AddTail(m_free);
    CDevice* chosen = nullptr;
    {
        CDlgChooseDevice dialog(m_doc, selection);
        dialog.show();
        testsupport::ScriptedLibraryPicker picker(dir.path(), "74HC00");
        QTest::mouseClick(dialog.searchButton(), Qt::LeftButton);
        EXPECT_EQ(picker.options, kSearchDevices | kSearchSingleChoice);
        EXPECT_EQ(picker.found, std::vector<std::string>{"74HC00"})
            << "the multiplexer fits no selected symbol";
        ASSERT_EQ(dialog.deviceBox()->count(), 2);
        EXPECT_EQ(dialog.deviceBox()->currentText(), "74HC00");
        dialog.accept();
        chosen = dialog.TakeChosen();
    }
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->GetAttr("_Name"), CString("74HC00"));
    EXPECT_EQ(chosen->GetRefCount(), 1) << "the caller's reference alone";
    chosen->Release();
}

}  // namespace

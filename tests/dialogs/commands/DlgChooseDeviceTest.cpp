// "Choose Device": the devices of the document's parts that fit the selection, and the
// references the dialog takes and gives back.

#include "dialogs/commands/DlgChooseDevice.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "netlist/support/NetlistSheet.h"
#include "shell/support/QtTestApp.h"

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

}  // namespace

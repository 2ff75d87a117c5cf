// "Symbol Properties (Multiple Selection)" over parts of different devices, as the user opens
// it from the view: OK without touching a field keeps every part's device, so the document's
// bytes and its Protel netlist stay as they were; "No device" chosen on purpose clears them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QListWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/dialogs/device/DlgDevGeneral.h"
#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "gui/kit/PropertySheet.h"
#include "gui/support/QtTestApp.h"
#include "model/device/Device.h"
#include "model/support/RecordingDocView.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/support/WriterRun.h"
#include "netlist/writers/ProtelFormat.h"
#include "support/DocumentBytes.h"
#include "support/TestSupport.h"

namespace {

using nltest::Sheet;

class SeveralSymbolsSheetTest : public ::testing::Test {
protected:
    SeveralSymbolsSheetTest() : m_installed(m_runner) {
        QtTestApp::ensure();
        m_sheet.doc.AddView(&m_view);
        m_resistor = Owned(nltest::MakeResistor());
        m_nand = Owned(nltest::MakeQuadNand());
    }
    ~SeveralSymbolsSheetTest() override { m_sheet.doc.RemoveView(&m_view); }

    CDevice* Owned(CDevice* device) {
        device->AddRef();
        m_devices.emplace_back(device, [](CDevice* held) { held->Release(); });
        return device;
    }
    CSymbol* Resistor(const char* id, CDevice* device) {
        CSymbol* part = m_sheet.Part(id, {"1", "2"}, device, "RES");
        part->SetAttr("_Value", "RESISTOR", kSetAttrForce);
        m_sheet.Wire(part, "1", "VCC");
        m_sheet.Wire(part, "2", id);
        return Selected(part);
    }
    // A gate of the quad NAND, named with its gate letter.
    CSymbol* Gate(const char* id) {
        CSymbol* part = m_sheet.Part(id, {"A", "B", "Y"}, m_nand, "NAND");
        for (const char* pin : {"A", "B", "Y"})
            m_sheet.Wire(part, pin, (std::string(id) + "." + pin).c_str());
        return Selected(part);
    }
    CSymbol* Selected(CSymbol* symbol) {
        symbol->RecalcBounds(nullptr);
        m_view.selection.AddTail(symbol);
        return symbol;
    }

    std::string Netlist() {
        CProtelFormat protel;
        return nltest::RunWriter(protel, m_sheet).out;
    }

    // Opens the sheet on the selection from the view and ends it with OK after script.
    void RunSheet(const std::function<void(CDlgDevGeneral&)>& script) {
        QTimer::singleShot(0, [script] {
            auto* dialog = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Symbol Properties (Multiple Selection)");
            ASSERT_TRUE(dialog->SetCurrentPage(0));
            auto* page = qobject_cast<CDlgDevGeneral*>(dialog->CurrentPage());
            ASSERT_NE(page, nullptr);
            script(*page);
            dialog->accept();
        });
        EditSymbolProperties(m_view, m_sheet.doc);
    }

    // An untouched OK adds no step and changes neither a byte nor a netlist line; look is
    // what the user does on the page without changing a field.
    void ExpectUntouchedOkKeepsAll(const std::function<void(CDlgDevGeneral&)>& look = {}) {
        const std::vector<BYTE> bytes = testsupport::DocumentBytes(m_sheet.doc);
        const std::string netlist = Netlist();
        RunSheet([&look](CDlgDevGeneral& page) {
            if (look)
                look(page);
        });
        EXPECT_FALSE(m_sheet.doc.GetUndoList().CanUndo()) << "untouched OK added a step";
        EXPECT_EQ(testsupport::DocumentBytes(m_sheet.doc), bytes);
        EXPECT_EQ(Netlist(), netlist);
    }

    testsupport::RecordingAppServices m_services;
    CSymbolSheetRunner m_runner;
    ScopedInstall<ISymbolSheetRunner> m_installed;
    Sheet m_sheet;
    drawdoctest::RecordingDocView m_view;
    std::vector<std::unique_ptr<CDevice, void (*)(CDevice*)>> m_devices;
    CDevice* m_resistor;
    CDevice* m_nand;
};

TEST_F(SeveralSymbolsSheetTest, TwoPartsOfDifferentDevicesKeepTheirDevices) {
    Resistor("R2", m_resistor);
    Gate("U1A");
    const std::string netlist = Netlist();
    ASSERT_NE(netlist.find("[\nR2\nAXIAL0.4\nRESISTOR\n"), std::string::npos) << netlist;
    ASSERT_NE(netlist.find("[\nU1\nDIP14\n"), std::string::npos) << netlist;
    ASSERT_NE(netlist.find("\nU1-2\n"), std::string::npos) << netlist;
    ExpectUntouchedOkKeepsAll();
}

TEST_F(SeveralSymbolsSheetTest, ThreePartsOfThreeDevicesKeepTheirDevices) {
    Resistor("R2", m_resistor);
    Gate("U1A");
    Resistor("R3", Owned(nltest::MakeDevice("RES-SMD", "RES", {{"", "1=1;2=2"}}, "0805")));
    ExpectUntouchedOkKeepsAll();
}

TEST_F(SeveralSymbolsSheetTest, GatesOfOneDeviceKeepItAndTheirIdentifiers) {
    Gate("U2A");
    Gate("U2B");
    ExpectUntouchedOkKeepsAll();
}

TEST_F(SeveralSymbolsSheetTest, APartWithADeviceAndOneWithoutKeepWhatTheyHave) {
    Resistor("R2", m_resistor);
    Resistor("R5", nullptr);
    ExpectUntouchedOkKeepsAll();
}

TEST_F(SeveralSymbolsSheetTest, PartsBesideOtherKindsKeepTheirDevices) {
    Resistor("R2", m_resistor);
    Gate("U1A");
    Selected(m_sheet.Add("", kSymbolGraphical, {}, nullptr, "LOGO"));
    Selected(m_sheet.Add("IN", kSymbolPort, {"1"}, nullptr, "INPORT"));
    // Tabbing into the list of kinds, whose choice is open, chooses no kind.
    ExpectUntouchedOkKeepsAll([](CDlgDevGeneral& page) {
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(page.kindList(), &focus);
    });
}

TEST_F(SeveralSymbolsSheetTest, NoDeviceChosenClearsEveryPart) {
    Resistor("R2", m_resistor);
    Gate("U1A");
    RunSheet([](CDlgDevGeneral& page) {
        QComboBox* devices = page.deviceCombo();
        EXPECT_EQ(devices->currentText(), "") << "the parts' devices differ";
        const int none = devices->findText("No device");
        ASSERT_GE(none, 0);
        devices->setCurrentIndex(none);
        emit devices->activated(none);
    });
    EXPECT_EQ(m_sheet.doc.GetUndoList().GetCount(), 1);
    for (POSITION pos = m_sheet.doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(m_sheet.doc.GetObjects().GetNext(pos));
        EXPECT_EQ(object->GetDevice(), nullptr);
    }
}

}  // namespace

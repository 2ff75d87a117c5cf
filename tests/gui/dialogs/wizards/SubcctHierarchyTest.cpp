// A design made with the sub-circuit wizard netlists hierarchically: the wizard's block symbol
// is placed on the top sheet, its new sheet is saved with a port for each pin, the user fills
// that sheet, and the Protel netlist of the top sheet holds the sheet's parts and nets joined
// through the block's pins.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "gui/dialogs/wizards/DlgScctWiz2.h"
#include "gui/dialogs/wizards/SubcctWizard.h"
#include "gui/support/QtTestApp.h"
#include "library/ConnectorSymbolLibrary.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DocumentWindows.h"
#include "model/symbol/Pin.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/writers/NetlistFormat.h"
#include "platform/Installed.h"
#include "shell/commands/SubcctWizardCommand.h"
#include "shell/view/ViewSnapGrid.h"
#include "support/TestSupport.h"

namespace {

// New schematics are sheets of the netlist tests, so that the test can go on drawing on them;
// the sub-circuit sheet is saved as the answer names.
struct SheetWindows : IDocumentWindows {
    CDrawDoc* NewSchematic() override {
        made = std::make_unique<nltest::Sheet>();
        made->doc.OnNewDocument();
        return &made->doc;
    }
    CString AskSubcircuitFile(const CString& /*suggested*/) override {
        return CString(answer.c_str());
    }

    std::unique_ptr<nltest::Sheet> made;
    std::string answer;
    ScopedInstall<IDocumentWindows> installed{*this};
};

// The port symbols of the sheet, by the identifier of their pin.
std::map<std::string, CSymbol*> PortsOf(CDrawDoc& sheet) {
    std::map<std::string, CSymbol*> ports;
    for (POSITION pos = sheet.GetObjects().GetHeadPosition(); pos;) {
        auto* port = dynamic_cast<CSymbol*>(sheet.GetObjects().GetNext(pos));
        if (!port || port->GetKind() != kSymbolPort || port->GetPins().IsEmpty())
            continue;
        ports[static_cast<CPin*>(port->GetPins().GetHead())->GetAttr("_ID").str()] = port;
    }
    return ports;
}

class SubcctHierarchyTest : public ::testing::Test {
protected:
    SubcctHierarchyTest() : app(dir / "settings.ini"), scoped(app) {
        QtTestApp::ensure();
        const std::string standard = std::string(VOSK_BINARY_DIR) + "/Libraries";
        app.WriteProfileString("Directories", "stdlib", standard.c_str());
    }

    // Signals IN (into the sub-circuit) and OUT (out of it) typed in step 2; the block as
    // step 3 shows it.
    CSymbol* MakeBlockWithTheWizard() {
        CSubcctWizard wizard(top.doc);
        wizard.show();
        wizard.next();
        CDlgScctWiz2* step2 = wizard.Step2();
        for (auto [name, direction] : {std::pair{"IN", 0}, std::pair{"OUT", 1}}) {
            step2->NameEdit()->setText(name);
            step2->DirectionCombo()->setCurrentIndex(direction);
            step2->AddButton()->click();
        }
        wizard.next();
        return wizard.MakeSymbol();
    }

    testsupport::TempDir dir;
    CSchematicApp app;
    ScopedApp scoped;
    CConnectorSymbolLibrary ports{app};
    ScopedInstall<IConnectorSymbolSource> portsInstalled{ports};
    SheetWindows windows;
    nltest::LogCapture log;
    nltest::Sheet top{(dir / "top.sch").c_str()};
};

TEST_F(SubcctHierarchyTest, TheWizardsBlockNetlistsThroughItsSheet) {
    CSymbol* block = MakeBlockWithTheWizard();
    ASSERT_TRUE(PlaceSubcctSymbol(top.doc, block, CSnapGrid()));
    EXPECT_EQ(block->GetAttr("_ID"), CString("X1"));
    const std::string sub = (dir / "filter.sch").string();
    windows.answer = sub;
    ASSERT_TRUE(block->SaveSubcircuitAs());
    EXPECT_EQ(block->GetAttr("_Subcct"), CString(sub.c_str()));

    // The sheet's ports match the block's pins: an input port IN and an output port OUT.
    ASSERT_TRUE(windows.made);
    nltest::Sheet& inner = *windows.made;
    std::map<std::string, CSymbol*> ports = PortsOf(inner.doc);
    ASSERT_EQ(ports.size(), 2u);
    ASSERT_TRUE(ports.count("IN") && ports.count("OUT"));
    EXPECT_EQ(static_cast<CPin*>(ports["IN"]->GetPins().GetHead())->GetPinType(),
              kPinTypeFirstPort + 0);  // input
    EXPECT_EQ(static_cast<CPin*>(ports["OUT"]->GetPins().GetHead())->GetPinType(),
              kPinTypeFirstPort + 1);  // output

    // The user draws the filter: R1 from IN to OUT, C1 from OUT to a net of its own.
    CSymbol* r1 = inner.Part("R1", {"1", "2"}, nltest::MakeResistor(), "RES");
    r1->SetAttr("_Value", "1K", kSetAttrForce);
    CSymbol* c1 = inner.Part("C1", {"1", "2"},
                             nltest::MakeDevice("CAP", "CAP", {{"", "1=1;2=2"}}, "RAD0.1"), "CAP");
    c1->SetAttr("_Value", "100n", kSetAttrForce);
    inner.Wire(ports["IN"], "IN", "A");
    inner.Wire(r1, "1", "A");
    inner.Wire(ports["OUT"], "OUT", "B");
    inner.Wire(r1, "2", "B");
    inner.Wire(c1, "1", "B");
    inner.Wire(c1, "2", "COM");
    ASSERT_TRUE(inner.doc.OnSaveDocument(sub.c_str()));

    // And on the top sheet: R1 feeds the block, R2 loads it.
    CSymbol* feed = top.Part("R1", {"1", "2"}, nltest::MakeResistor(), "RES");
    feed->SetAttr("_Value", "10K", kSetAttrForce);
    CSymbol* load = top.Part("R2", {"1", "2"}, nltest::MakeResistor(), "RES");
    load->SetAttr("_Value", "4K7", kSetAttrForce);
    top.Wire(feed, "1", "VIN");
    top.Wire(feed, "2", "SIG");
    top.Wire(block, "IN", "SIG");
    top.Wire(block, "OUT", "FILT");
    top.Wire(load, "1", "FILT");
    top.Wire(load, "2", "GND");

    const std::string file = (dir / "design.net").string();
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    ASSERT_TRUE(top.doc.BuildNetlist(file.c_str(), formats[kFormatProtel].get()));
    EXPECT_EQ(testsupport::ReadFileText(file),
              testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) +
                                        "/tests/gui/dialogs/data/subcircuit-protel/"
                                        "expected.net"));
    EXPECT_EQ(log.text(), "\fBuilding...\n" + (dir / "top.sch").string() + "\n" + sub +
                              "\n\nBuilding Final Target..\n" + file + "\n\nOK\n");
}

}  // namespace

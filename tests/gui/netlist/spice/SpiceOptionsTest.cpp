#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "gui/netlist/spice/DlgSpiceFormat.h"
#include "gui/netlist/spice/DlgSpiceRefNet.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "netlist/walker/DocNetlist.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

class SpiceOptionsTest : public testing::Test {
protected:
    SpiceOptionsTest() {
        QtTestApp::ensure();
        AddNet("IN");
        AddNet("GND");
    }
    // A wire of its own net.
    void AddNet(const char* name) {
        auto* wire = new CWire;
        wire->AddPoint(CPoint(0, 0));
        wire->AddPoint(CPoint(100, 0));
        wire->SetDocument(&doc);
        auto* net = new CNet(name);
        net->AddRef();
        wire->SetNet(net);
        doc.GetObjects().AddTail(wire);
    }
    // Opens the sheet, lets edit change its pages, and presses OK.
    void RunSheet(const std::function<void(CDlgSpiceFormat&, CDlgSpiceExtra&)>& edit) {
        std::unique_ptr<CPropertySheet> options(NewSpiceOptionsSheet(settings, &doc.m_netlist));
        options->show();
        options->SetCurrentPage(1);
        edit(*static_cast<CDlgSpiceFormat*>(options->Page(0)),
             *static_cast<CDlgSpiceExtra*>(options->Page(1)));
        options->accept();
    }

    testsupport::TempDir dir;
    SettingsStore settings{dir / "settings.reg"};
    CDrawDoc doc;
};

TEST_F(SpiceOptionsTest, TheFormatPageListsSubFormatsAndWritesItsKeys) {
    settings.WriteProfileInt("Spice", "Formats", 2);
    settings.WriteProfileString("Spice", "Format1", "HSPICE");
    settings.WriteProfileString("Spice", "Format2", "");
    settings.WriteProfileString("Spice", "RefNet", "GND");
    RunSheet([](CDlgSpiceFormat& format, CDlgSpiceExtra&) {
        EXPECT_EQ(format.subFormatBox()->count(), 1);
        EXPECT_EQ(format.refNetBox()->count(), 2);
        EXPECT_EQ(format.refNetBox()->currentText(), "GND");
        EXPECT_TRUE(format.substituteBox()->isChecked());
        format.subFormatBox()->setEditText("PSPICE");
        QTest::mouseClick(format.addButton(), Qt::LeftButton);
        format.subFormatBox()->setEditText("pspice");
        QTest::mouseClick(format.addButton(), Qt::LeftButton);
        format.subFormatBox()->setEditText("PSPICE");
        format.refNetBox()->setCurrentIndex(0);
        format.substituteBox()->setChecked(false);
    });
    EXPECT_EQ(settings.GetProfileInt("Spice", "Formats", 0), 2u);
    EXPECT_EQ(settings.GetProfileString("Spice", "Format1"), "HSPICE");
    EXPECT_EQ(settings.GetProfileString("Spice", "Format2"), "PSPICE");
    EXPECT_EQ(settings.GetProfileString("Spice", "SubFormat"), "PSPICE");
    EXPECT_EQ(settings.GetProfileString("Spice", "RefNet"), "IN");
    EXPECT_EQ(settings.GetProfileInt("Spice", "SubsNets", 1), 0u);
}

TEST_F(SpiceOptionsTest, ExtraCommandsKeepTheirLinesThroughTheSettingsFile) {
    settings.WriteProfileString("Spice", "Extra", ".op\n");
    RunSheet([](CDlgSpiceFormat&, CDlgSpiceExtra& extra) {
        EXPECT_EQ(extra.extraEdit()->toPlainText(), ".op\n");
        extra.extraEdit()->setPlainText(".tran 1n 1u\n.print tran v(1)");
    });
    settings.Save();
    SettingsStore reread(dir / "settings.reg");
    EXPECT_EQ(reread.GetProfileString("Spice", "Extra"), ".tran 1n 1u\n.print tran v(1)");
}

TEST_F(SpiceOptionsTest, CancelStoresNothing) {
    std::unique_ptr<CPropertySheet> options(NewSpiceOptionsSheet(settings, nullptr));
    options->show();
    static_cast<CDlgSpiceFormat*>(options->Page(0))->substituteBox()->setChecked(false);
    options->reject();
    EXPECT_EQ(settings.GetProfileInt("Spice", "SubsNets", 7), 7u);
    EXPECT_EQ(settings.GetProfileString("Spice", "SubFormat", "none"), "none");
}

TEST_F(SpiceOptionsTest, TheReferenceNetCanBeConfirmedOnlyOnceANetIsPicked) {
    CDlgSpiceRefNet dialog(&doc.m_netlist);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Spice Reference Net Required");
    ASSERT_EQ(dialog.netBox()->count(), 2);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    dialog.netBox()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Net(), "GND");
}

}  // namespace

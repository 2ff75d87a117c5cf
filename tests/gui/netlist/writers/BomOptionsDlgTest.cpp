#include "gui/netlist/writers/BomOptionsDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTimer>

#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "support/TestSupport.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class BomOptionsDlgTest : public testing::Test, WithApp {
protected:
    // A sheet holding the page, shown so that the page is loaded.
    CPropertySheet& Open() {
        sheet.AddPage(new CDlgBOM(app.Settings()));
        sheet.show();
        return sheet;
    }
    QCheckBox* Box(const char* name) { return sheet.findChild<QCheckBox*>(name); }
    QRadioButton* Radio(const char* name) { return sheet.findChild<QRadioButton*>(name); }
    UINT Stored(const char* entry) { return app.GetProfileInt("BOM", entry, 99); }

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    ScopedApp installed{app};
    CPropertySheet sheet{"Bill of Materials"};
};

TEST_F(BomOptionsDlgTest, OpensOnTheDefaultsSortedByIdentifierAndOkWritesEveryKey) {
    Open();
    for (const char* name :
         {"group", "categorise", "identifier", "quantity", "value", "name", "description"})
        EXPECT_TRUE(Box(name)->isChecked()) << name;
    EXPECT_TRUE(Box("quantity")->isEnabled());
    EXPECT_TRUE(Radio("sortBy1")->isChecked());
    EXPECT_TRUE(Radio("format0")->isChecked());
    EXPECT_TRUE(app.Settings().EnumerateValues("BOM").empty());

    Box("value")->setChecked(false);
    Radio("sortBy3")->setChecked(true);
    Radio("format1")->setChecked(true);
    sheet.accept();
    EXPECT_EQ(app.Settings().EnumerateValues("BOM").size(), 9u);
    for (const char* on :
         {"Identifiers", "Quantity", "Name", "Description", "Group", "Categorise", "Format"})
        EXPECT_EQ(Stored(on), 1u) << on;
    EXPECT_EQ(Stored("Value"), 0u);
    EXPECT_EQ(Stored("SortBy"), 3u);
}

TEST_F(BomOptionsDlgTest, QuantityIsOfferedOnlyWhileGrouping) {
    app.WriteProfileInt("BOM", "Group", 0);
    app.WriteProfileInt("BOM", "SortBy", 0);
    Open();
    EXPECT_FALSE(Box("group")->isChecked());
    EXPECT_FALSE(Box("quantity")->isEnabled());
    EXPECT_TRUE(Radio("sortBy0")->isChecked());
    Box("group")->setChecked(true);
    EXPECT_TRUE(Box("quantity")->isEnabled());
    Box("group")->setChecked(false);
    EXPECT_FALSE(Box("quantity")->isEnabled());
}

// The window the writer opens: OK keeps the page's options, Cancel nothing.
TEST_F(BomOptionsDlgTest, TheWindowTellsWhetherItWasClosedWithOk) {
    CBomOptionsWindow window;
    for (const bool ok : {false, true}) {
        QTimer::singleShot(0, [ok] {
            auto* shown = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(shown->windowTitle(), "Bill of Materials");
            if (ok)
                shown->accept();
            else
                shown->reject();
        });
        EXPECT_EQ(window.EditBomOptions(), ok);
        EXPECT_EQ(app.Settings().EnumerateValues("BOM").size(), ok ? 9u : 0u);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <functional>
#include <memory>

#include "gui/netlist/tools/MacroMenu.h"
#include "gui/netlist/tools/NewToolDlg.h"
#include "gui/netlist/tools/PropTool.h"
#include "gui/support/QtTestApp.h"
#include "netlist/tools/ToolEntry.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

class PropToolTest : public testing::Test {
protected:
    PropToolTest() { QtTestApp::ensure(); }

    // Opens the sheet, lets edit use its page, then presses OK (or Cancel).
    void RunSheet(ToolSetupKind kind, const std::function<void(CPropTool&)>& edit, bool ok = true,
                  int initialTool = 0) {
        std::unique_ptr<CPropertySheet> sheet(
            NewToolSetupSheet(settings, kind, initialTool, nullptr));
        sheet->show();
        edit(*static_cast<CPropTool*>(sheet->Page(0)));
        if (ok)
            sheet->accept();
        else
            sheet->reject();
    }
    static QStringList Names(const CPropTool& page) {
        QStringList names;
        for (int k = 0; k < page.toolBox()->count(); ++k)
            names << page.toolBox()->itemText(k);
        return names;
    }

    testsupport::TempDir dir;
    SettingsStore settings{dir / "settings.reg"};
};

TEST_F(PropToolTest, TheCustomToolsStartWithTheFixedToolsWhichCannotBeRemoved) {
    RunSheet(ToolSetupKind::kCustomTools, [](CPropTool& page) {
        EXPECT_EQ(Names(page), (QStringList{"PCB Editor", "PLD Compiler"}));
        EXPECT_EQ(page.toolBox()->currentIndex(), 0);
        EXPECT_FALSE(page.removeButton()->isEnabled());
        page.toolBox()->setCurrentIndex(1);
        EXPECT_FALSE(page.removeButton()->isEnabled());
        page.RemoveTool();
        EXPECT_EQ(Names(page).size(), 2);

        page.AddTool("Viewer");
        EXPECT_EQ(page.toolBox()->currentIndex(), 2);
        EXPECT_TRUE(page.removeButton()->isEnabled());
    });
    const auto tools = LoadToolList(settings, "Tools", true);
    ASSERT_EQ(tools.size(), 3u);
    EXPECT_EQ(tools[2].name, "Viewer");
}

TEST_F(PropToolTest, EditedToolsAreStoredAndReloadedEachWithItsOwnValues) {
    RunSheet(ToolSetupKind::kCustomTools, [](CPropTool& page) {
        page.reportCheck()->setChecked(true);
        page.reportTypeBox()->setCurrentIndex(2);
        page.reportFileEdit()->setText("$(FileDir)/board.net");
        page.executeCheck()->setChecked(true);
        page.commandEdit()->setText("/opt/pcb/pcbnew");
        page.argsEdit()->setText("\"$(FileDir)/board.net\"");
        page.directoryEdit()->setText("/tmp");
        page.redirectCheck()->setChecked(true);
        page.AddTool("Viewer");  // the edited PCB Editor is kept on the way
        EXPECT_FALSE(page.reportCheck()->isChecked());
        EXPECT_TRUE(page.commandEdit()->text().isEmpty());
        EXPECT_FALSE(page.commandEdit()->isEnabled());
        page.executeCheck()->setChecked(true);
        EXPECT_TRUE(page.commandEdit()->isEnabled());
        page.commandEdit()->setText("xdg-open");
    });
    EXPECT_EQ(settings.GetProfileInt("Tools", "UserTools", 0), 3u);
    EXPECT_EQ(settings.GetProfileInt("Tools", "Tool1.Flags", 0), 7u);
    EXPECT_EQ(settings.GetProfileInt("Tools", "Tool1.ReportType", 0), 2u);
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool1.Args"), "\"$(FileDir)/board.net\"");
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool1.Name"), "PCB Editor");
    EXPECT_EQ(settings.GetProfileInt("Tools", "Tool3.Flags", 0), 4u);
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool3.Command"), "xdg-open");

    RunSheet(
        ToolSetupKind::kCustomTools,
        [](CPropTool& page) {
            EXPECT_EQ(page.toolBox()->currentIndex(), 0);
            EXPECT_TRUE(page.reportCheck()->isChecked());
            EXPECT_EQ(page.reportTypeBox()->currentIndex(), 2);
            EXPECT_TRUE(page.reportFileEdit()->isEnabled());
            EXPECT_EQ(page.reportFileEdit()->text(), "$(FileDir)/board.net");
            EXPECT_EQ(page.commandEdit()->text(), "/opt/pcb/pcbnew");
            EXPECT_EQ(page.directoryEdit()->text(), "/tmp");
            EXPECT_TRUE(page.redirectCheck()->isChecked());
            // Options.. only for a format that has options.
            EXPECT_FALSE(page.optionsButton()->isEnabled());
            page.reportTypeBox()->setCurrentIndex(kFormatSpice);
            EXPECT_TRUE(page.optionsButton()->isEnabled());
            page.reportCheck()->setChecked(false);
            EXPECT_FALSE(page.optionsButton()->isEnabled());
            page.commandEdit()->setText("changed");
        },
        false);
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool1.Command"), "/opt/pcb/pcbnew");
}

TEST_F(PropToolTest, RemovingToolsWritesTheSmallerCountAndLeavesTheRestStored) {
    RunSheet(ToolSetupKind::kCustomTools, [](CPropTool& page) {
        for (const char* name : {"A", "B", "C", "D", "E"})
            page.AddTool(name);
        EXPECT_EQ(Names(page).size(), 7);
        EXPECT_FALSE(page.addButton()->isEnabled());
    });
    RunSheet(
        ToolSetupKind::kCustomTools,
        [](CPropTool& page) {
            EXPECT_EQ(page.toolBox()->currentIndex(), 4);
            page.RemoveTool();
            EXPECT_EQ(page.toolBox()->currentIndex(), -1);
            EXPECT_FALSE(page.commandEdit()->isEnabled());
            page.toolBox()->setCurrentIndex(2);
            page.RemoveTool();
            page.toolBox()->setCurrentIndex(4);
            page.RemoveTool();
            EXPECT_TRUE(page.addButton()->isEnabled());
        },
        true, 4);
    EXPECT_EQ(settings.GetProfileInt("Tools", "UserTools", 0), 4u);
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool3.Name"), "B");
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool4.Name"), "D");
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool6.Name"), "D");
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool7.Name"), "E");
}

// The New Tool dialog asks its question in its title, which shows whole: the window is wider
// than the title in bold beside the title bar's three buttons.
TEST_F(PropToolTest, TheNewToolTitleFitsTheWindow) {
    CNewToolDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Please enter a name for the tool..");
    QFont bold = dialog.font();
    bold.setBold(true);
    const int buttons = 3 * dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    EXPECT_GE(dialog.width(), QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + buttons);
    EXPECT_EQ(dialog.Name(), "New Tool");
}

TEST_F(PropToolTest, TheSimulatorsHaveNoFixedTools) {
    RunSheet(ToolSetupKind::kSimulators, [](CPropTool& page) {
        EXPECT_EQ(page.toolBox()->count(), 0);
        EXPECT_FALSE(page.removeButton()->isEnabled());
        page.AddTool("ngspice");
        EXPECT_TRUE(page.removeButton()->isEnabled());
    });
    EXPECT_EQ(settings.GetProfileInt("Simulator", "UserTools", 0), 1u);
    EXPECT_EQ(settings.GetProfileString("Simulator", "Tool1.Name"), "ngspice");
    EXPECT_EQ(settings.GetProfileInt("Tools", "UserTools", 0), 0u);
}

TEST_F(PropToolTest, AMacroReplacesTheSelectionUndoably) {
    QLineEdit edit("run old.net now");
    std::unique_ptr<QMenu> menu(NewMacroMenu(&edit, nullptr));
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items[2]->text(), "File Directory");
    edit.setSelection(4, 7);
    items[2]->trigger();
    EXPECT_EQ(edit.text(), "run $(FileDir) now");
    edit.setCursorPosition(0);
    items[9]->trigger();
    EXPECT_EQ(edit.text(), "$(UserDir3)run $(FileDir) now");
    edit.undo();
    edit.undo();
    EXPECT_EQ(edit.text(), "run old.net now");
}

}  // namespace

#include "gui/netlist/tools/ToolWindows.h"

#include <QApplication>
#include <memory>

#include "gui/netlist/tools/PropTool.h"
#include "model/app/SchematicApp.h"

bool CToolSetupWindow::EditCustomTools(int initialTool) {
    CSchematicApp* app = GetApp();
    if (!app)
        return false;
    std::unique_ptr<CPropertySheet> sheet(NewToolSetupSheet(
        app->Settings(), ToolSetupKind::kCustomTools, initialTool, QApplication::activeWindow()));
    return sheet->exec() == QDialog::Accepted;
}

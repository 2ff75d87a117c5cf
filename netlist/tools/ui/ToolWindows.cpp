#include "netlist/tools/ui/ToolWindows.h"

#include <QApplication>
#include <memory>

#include "model/app/SchematicApp.h"
#include "netlist/tools/ui/PropTool.h"

bool CToolSetupWindow::EditCustomTools(int initialTool) {
    CSchematicApp* app = GetApp();
    if (!app)
        return false;
    std::unique_ptr<CPropertySheet> sheet(NewToolSetupSheet(
        app->Settings(), ToolSetupKind::kCustomTools, initialTool, QApplication::activeWindow()));
    return sheet->exec() == QDialog::Accepted;
}

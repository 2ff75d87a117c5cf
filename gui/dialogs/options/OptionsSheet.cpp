#include "gui/dialogs/options/OptionsSheet.h"

#include "gui/dialogs/options/OptionsPages.h"
#include "model/app/SchematicApp.h"
#include "platform/UserPrompt.h"

bool RunOptionsSheet(CSchematicApp& app, const std::vector<MenuCommand>& commands,
                     const std::function<void()>& repaint, QWidget* parent) {
    AppGeneralOptions general = AppGeneralOptions::Load(app);
    FunctionKeyTable keys = app.FunctionKeys;
    CPropertySheet sheet("Options", parent);
    sheet.setObjectName("options");
    sheet.AddPage(new CDlgAppOptions(general, nullptr));
    sheet.AddPage(new CDlgAppGeneral(app, nullptr));
    sheet.AddPage(new CDlgAppDir(app, nullptr));
    sheet.AddPage(new CDlgKeys(keys, commands, nullptr));
    if (sheet.exec() != QDialog::Accepted)
        return false;
    app.FunctionKeys = keys;
    app.SaveFunctionKeys();
    if (general.Apply(app))
        AfxMessageBox(kRecentFilesRestartMessage, MB_OK);
    if (repaint)
        repaint();
    return true;
}

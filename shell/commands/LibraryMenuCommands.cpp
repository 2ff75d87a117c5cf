#include "shell/commands/LibraryMenuCommands.h"

#include <memory>
#include <vector>

#include "gui/library/DlgLibItem.h"
#include "gui/library/DlgSearchLib.h"
#include "library/LibraryBarServices.h"
#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "library/LibraryPicker.h"
#include "model/app/SchematicApp.h"
#include "platform/DiskFile.h"
#include "platform/UserPrompt.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

void SearchAndPlace(QWidget* parent, const std::function<bool(const CObList&)>& place) {
    CSchematicApp* app = GetApp();
    if (!app)
        return;
    CDlgSearchLib dialog(parent, *app);
    dialog.exec();
    const std::vector<std::unique_ptr<CLibraryItemData>> items = ReadChosenItems(dialog.Choices());
    if (items.empty())
        return;
    CObList all;
    for (const auto& item : items)
        all.AddTail(&item->m_objects);
    place(all);
}

void EditSelectedLibraryDescription(QWidget* parent) {
    CLibraryFile library;
    if (!GetLibraryBarServices().OpenSelectedLibrary(&library, CDiskFile::modeReadWrite)) {
        CString text;
        text.Format("Error - could not open the library %s for writing.",
                    GetLibraryBarServices().SelectedLibraryPath().c_str());
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return;
    }
    const bool changed = EditLibraryDescription(parent, library);
    // The list reads the library: it must no longer be held for writing.
    library.Close();
    if (changed)
        GetLibraryBarServices().RefreshLibraryList();
}

}  // namespace

void AddLibraryMenuCommands(CommandMap& commands, QWidget* parent,
                            const std::function<bool(const CObList&)>& place) {
    commands.On(ID_LIBRARY_SEARCH, [parent, place] { SearchAndPlace(parent, place); });
    commands.On(
        ID_LIBRARY_PROPERTIES, [parent] { EditSelectedLibraryDescription(parent); },
        [](CmdUI& ui) { ui.Enable(GetLibraryBarServices().OpenSelectedLibrary(nullptr, 0)); });
}

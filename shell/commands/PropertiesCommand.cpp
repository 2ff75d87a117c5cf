#include "shell/commands/PropertiesCommand.h"

#include "model/object/DrawObj.h"
#include "platform/ObList.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

// The item's text for the sheet of the last selected object.
const char* ItemText(const CObList& selection) {
    if (selection.IsEmpty())
        return "Propertie&s\tAlt+Enter";
    switch (static_cast<const CDrawObj*>(selection.GetTail())->GetObjType()) {
        case kObjPin:
            return "Pin Properties\tAlt+Enter";
        case kObjWire:
            return "Wire Properties\tAlt+Enter";
        case kObjSymbol:
            return "Symbol Properties\tAlt+Enter";
        case kObjText:
            return "Text Properties\tAlt+Enter";
        default:
            return "Propertie&s\tAlt+Enter";
    }
}

}  // namespace

void AddPropertiesCommand(CommandMap& commands, const CObList& selection,
                          std::function<bool()> selectToolActive, std::function<void()> edit) {
    commands.On(ID_EDIT_PROPERTIES, std::move(edit),
                [&selection, selectToolActive = std::move(selectToolActive)](CmdUI& ui) {
                    ui.Enable(!selection.IsEmpty() && selectToolActive());
                    ui.SetText(ItemText(selection));
                });
}

#include "shell/commands/SpecialSymbolCommand.h"

#include <QApplication>
#include <memory>

#include "gui/dialogs/objects/InsertSymbolPropSheet.h"
#include "model/app/SchematicApp.h"
#include "model/object/DrawObj.h"
#include "platform/ObList.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kPageEntry = "SymbolPageIndex";

void InsertSpecialSymbol(const std::function<void(const CObList&)>& place) {
    CSchematicApp* app = GetApp();
    const int page = app ? int(app->GetProfileInt(kSection, kPageEntry, 0)) : 0;
    CInsertSymbolPropSheet sheet(page, QApplication::activeWindow());
    if (sheet.exec() != QDialog::Accepted)
        return;
    if (app)
        app->WriteProfileInt(kSection, kPageEntry, sheet.LastPageIndex());
    const std::unique_ptr<CDrawObj> choice(sheet.MakeChoice());
    if (!choice)
        return;
    CObList objects;
    objects.AddTail(choice.get());
    place(objects);
}

}  // namespace

void AddSpecialSymbolCommand(CommandMap& commands,
                             std::function<void(const CObList& objects)> place) {
    commands.On(ID_DRAW_SPECIAL_SYMBOL, [place = std::move(place)] { InsertSpecialSymbol(place); });
}

#include "shell/commands/DocumentCommands.h"

#include "model/doc/DrawDoc.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

void AddDocumentCommands(CommandMap& commands, CDrawDoc& document, QWidget* /*parent*/) {
    commands.On(ID_TOOLS_GENERATE_REPORT, [&document] { document.BuildNetlist(nullptr, nullptr); });
}

#include "shell/commands/DocumentCommands.h"

#include "gui/dialogs/document/DocPropertiesSheet.h"
#include "gui/dialogs/document/DocSettingsSheet.h"
#include "gui/dialogs/document/TitleBlockSheet.h"
#include "gui/kit/ColourPickerDlg.h"
#include "model/doc/DrawDoc.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

void ChoosePaperColour(CDrawDoc& document) {
    const std::optional<COLORREF> colour = AskColour(document.m_paperColour);
    if (!colour)
        return;
    document.m_paperColour = *colour;
    document.SetModifiedFlag();
    document.UpdateAllViews(nullptr, 0);
}

}  // namespace

void AddDocumentCommands(CommandMap& commands, CDrawDoc& document, QWidget* parent) {
    commands.On(ID_TOOLS_GENERATE_REPORT, [&document] { document.BuildNetlist(nullptr, nullptr); });
    commands.On(ID_VIEW_PAPER_COLOUR, [&document] { ChoosePaperColour(document); });
    commands.On(ID_FILE_SUMMARY_INFO, [&document, parent] { EditSummaryInfo(document, parent); });
    commands.On(ID_VIEW_DOCUMENT_SETTINGS,
                [&document, parent] { EditDocumentSettings(document, parent); });
    commands.On(ID_DRAW_INSERT_TITLE_BLOCK,
                [&document, parent] { InsertTitleBlock(document, parent); });
}

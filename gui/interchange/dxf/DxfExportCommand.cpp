#include "gui/interchange/dxf/DxfExportCommand.h"

#include "gui/kit/SaveFileDialog.h"
#include "interchange/dxf/DxfExport.h"
#include "model/doc/DrawDoc.h"
#include "platform/AppServices.h"
#include "platform/AtomicFile.h"
#include "platform/UserPrompt.h"

std::string AskForDxfFile(QWidget* parent, const std::string& proposed) {
    return CSaveFileDialog(parent, {"DXF Files (*.dxf)", "All Files (*)"}, "dxf",
                           QString::fromStdString(proposed))
        .AskFileName();
}

bool ExportDxfWithDialog(CDrawDoc& document, QWidget* parent, const DxfFileChooser& choose) {
    const std::string path = choose(parent, ProposedDxfName(document.GetTitle().str()));
    if (path.empty())
        return false;
    try {
        WaitCursor wait;
        ExportDxfFile(document, path);
    } catch (const FileError& error) {
        AfxMessageBox(error.what(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

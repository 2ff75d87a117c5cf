#include "gui/interchange/dxf/DxfExportCommand.h"

#include <QFileDialog>

#include "interchange/dxf/DxfExport.h"
#include "model/doc/DrawDoc.h"
#include "platform/AppServices.h"
#include "platform/AtomicFile.h"
#include "platform/UserPrompt.h"

std::string AskForDxfFile(QWidget* parent, const std::string& proposed) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({"DXF Files (*.dxf)", "All Files (*)"});
    dialog.setDefaultSuffix("dxf");
    dialog.selectFile(QString::fromStdString(proposed));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
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

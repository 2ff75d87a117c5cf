#include "gui/kit/SaveFileDialog.h"

#include "platform/UserPrompt.h"
#include "platform/WriteAccess.h"

CSaveFileDialog::CSaveFileDialog(QWidget* parent, const QStringList& filters,
                                 const QString& defaultSuffix, const QString& proposed)
    : QFileDialog(parent) {
    // A system dialog would be gone before a refused name could keep it open.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters(filters);
    setDefaultSuffix(defaultSuffix);
    selectFile(proposed);
}

std::string CSaveFileDialog::AskFileName() {
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return {};
    return selectedFiles().front().toStdString();
}

void CSaveFileDialog::done(int result) {
    // Reached once the user agreed to replace an existing file.
    if (result == QDialog::Accepted && !selectedFiles().isEmpty()) {
        const std::string file = selectedFiles().front().toStdString();
        if (IsWriteProtected(file)) {
            AfxMessageBox(CString(WriteProtectedText(file)), MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    QFileDialog::done(result);
}

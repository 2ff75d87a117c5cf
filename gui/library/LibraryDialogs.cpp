#include "gui/library/LibraryDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include "gui/kit/UserLibraryFolder.h"
#include "gui/library/DlgLibItem.h"
#include "library/LibraryFile.h"
#include "platform/UserPrompt.h"

QString ChooseLibraryFile(QWidget* parent, bool save) {
    QFileDialog dialog(parent, "Select Library", UserLibraryFolder(),
                       "Library Files (*.rlb);;All Files (*)");
    dialog.setDefaultSuffix("rlb");
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().front();
    if (!QFileInfo::exists(path)) {
        CString question;
        question.Format("%s\nThis file does not exist.\nCreate the file?",
                        path.toUtf8().constData());
        if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return {};
    }
    return path;
}

std::optional<LibraryItemChoice> AskLibraryItem(QWidget* parent, CLibraryFile& library,
                                                const CObList& objects) {
    LibraryItemForm form;
    InspectItemObjects(objects, form);
    CDlgLibItem dialog(parent, form, &library);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    LibraryItemChoice choice{form.name, form.description, form.type};
    return choice;
}

#include "library/ui/LibraryDialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>

#include "library/LibraryFile.h"
#include "model/app/SchematicApp.h"
#include "platform/Paths.h"
#include "platform/UserPrompt.h"

namespace {

QString UserLibraryFolder() {
    CSchematicApp* app = GetApp();
    CString folder("$(UserLibDir)");
    if (!app || !app->ExpandMacros(folder))
        return {};
    return QString::fromStdString(FromStoredPath(folder).str());
}

}  // namespace

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

std::optional<LibraryItemChoice> AskLibraryItem(QWidget* parent, CLibraryFile& /*library*/) {
    QDialog dialog(parent);
    dialog.setObjectName("libraryItemProperties");
    dialog.setWindowTitle("Library Item Properties");
    auto* name = new QLineEdit(&dialog);
    auto* description = new QLineEdit(&dialog);
    auto* type = new QComboBox(&dialog);
    type->addItems({"Symbol", "Circuit", "Device", "Model"});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow("Name", name);
    layout->addRow("Description", description);
    layout->addRow("Type", type);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted || name->text().isEmpty())
        return std::nullopt;
    return LibraryItemChoice{name->text().toUtf8().constData(),
                             description->text().toUtf8().constData(), type->currentIndex(), 0};
}

#include "gui/interchange/protel/ProtelImportCommand.h"

#include <QApplication>
#include <QFileDialog>
#include <filesystem>

#include "model/app/PathMacros.h"
#include "platform/SettingsStore.h"

const char* const kProtelFileFilters[3] = {
    "Protel Binary File(*.sch)", "Protel Binary Library (*.lib)", "Protel DOS Schematic (*.s?\?)"};

namespace {

class OverrideCursor {
public:
    OverrideCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~OverrideCursor() { QApplication::restoreOverrideCursor(); }
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
};

}  // namespace

ProtelFileChoice AskForProtelFile(QWidget* parent, const std::string& folder, int filter) {
    QFileDialog dialog(parent, QString(), QString::fromStdString(folder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix("pcb");
    // The dialog matches the patterns without regard to case: DOS-era names are upper case.
    QStringList filters;
    for (const char* text : kProtelFileFilters)
        filters << QString::fromLatin1(text);
    dialog.setNameFilters(filters);
    if (filter >= 1 && filter <= 3)
        dialog.selectNameFilter(filters[filter - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().front().toStdString(),
            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

std::string AskForProtelTargetLibrary(QWidget* parent, const std::string& folder) {
    QFileDialog dialog(parent, "Add to Vosk Library...", QString::fromStdString(folder));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters({"Vosk Schematic Library (*.rlb)"});
    dialog.setDefaultSuffix("rlb");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

void RunProtelImport(QWidget* parent, SettingsStore& settings, std::ostream& log,
                     const ProtelImportSeams& seams) {
    const std::string folder(settings.GetProfileString("Directories", "Protel", ""));
    const int filter = static_cast<int>(settings.GetProfileInt("Settings", "ProtelFileType", 0));
    const ProtelFileChoice choice = seams.chooseFile(parent, folder, filter);
    if (choice.path.empty())
        return;
    settings.WriteProfileString("Directories", "Protel",
                                std::filesystem::path(choice.path).parent_path().string().c_str());
    settings.WriteProfileInt("Settings", "ProtelFileType", choice.filter);
    log << "\fReading file " << choice.path << "...\n";
    if (choice.filter == static_cast<int>(ProtelFileKind::BinaryLibrary)) {
        const std::string library =
            seams.chooseLibrary(parent, ExpandedPath("$(UserLibDir)", settings).str());
        std::string written;
        if (!library.empty()) {
            OverrideCursor wait;
            if (ImportProtelLibraryFile(log, choice.path, library))
                written = library;
        }
        if (seams.showLibraries)
            seams.showLibraries(written);
    } else {
        OverrideCursor wait;
        const auto kind =
            choice.filter == 3 ? ProtelFileKind::DosSchematic : ProtelFileKind::BinarySchematic;
        ImportProtelSchematicFile(log, choice.path, kind, seams.documents);
    }
    log.flush();
}

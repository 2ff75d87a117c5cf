// The schematic view's library commands: the selection stored in a library, libraries listed
// and made.

#include <unistd.h>
#include <QFileInfo>

#include "gui/library/LibraryDialogs.h"
#include "library/LibraryBarServices.h"
#include "library/LibraryCommands.h"
#include "library/LibraryFile.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/DiskFile.h"
#include "platform/Paths.h"
#include "platform/UserPrompt.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "shell/view/DrawView.h"

namespace {

bool HasStorableSelection(const CObList& selection) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* object = dynamic_cast<CDrawObj*>(selection.GetNext(pos));
        if (object && object->GetObjType() != kObjOle)
            return true;
    }
    return false;
}

void Report(const char* format, const std::string& path) {
    CString text;
    text.Format(format, path.c_str());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

// Makes the file an empty library when it does not exist and checks that it can be read and
// written; false after telling the user.
bool PrepareLibraryFile(const std::string& path) {
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        CLibraryFile library;
        if (library.Create(path.c_str()) != kCreateDone) {
            Report("Error - Could not create library %s.", path);
            return false;
        }
    }
    if (::access(path.c_str(), R_OK | W_OK) != 0) {
        Report("Error - could not open the library %s for writing.", path);
        return false;
    }
    return true;
}

}  // namespace

void CDrawView::AddLibraryCommands() {
    auto storable = [this](CmdUI& ui) { ui.Enable(HasStorableSelection(m_selection)); };
    m_commands.On(
        ID_LIBRARY_ADD_TO, [this] { AddSelectionToChosenLibrary(); }, storable);
    m_commands.On(
        ID_LIBRARY_ADD_SELECTED, [this] { AddSelectionToSelectedLibrary(); },
        [this](CmdUI& ui) {
            CLibraryFile library;
            ui.Enable(
                HasStorableSelection(m_selection) &&
                GetLibraryBarServices().OpenSelectedLibrary(&library, CDiskFile::modeReadWrite));
            // Only a library that can take the selection is named.
            CString text = FindCommandInfo(ID_LIBRARY_ADD_SELECTED)->text;
            if (library.IsOpen())
                text.Format("&Add to %s...", FileTitle(library.GetFilePath()).c_str());
            ui.SetText(text.str());
        });
    m_commands.On(ID_LIBRARY_LIST_ITEMS, [this] { ListLibraryItems(); });
    m_commands.On(ID_LIBRARY_NEW, [this] { NewLibraryFile(); });
}

void CDrawView::AddSelectionToChosenLibrary() {
    const std::string path = ChooseLibraryFile(this, false).toStdString();
    if (path.empty() || !PrepareLibraryFile(path))
        return;
    CLibraryFile library;
    if (!library.Open(path.c_str(), CDiskFile::modeReadWrite)) {
        Report("Error - Library operation failed :\n%s", path);
        return;
    }
    AddSelectionToLibrary(library, m_selection, m_document,
                          [this](CLibraryFile& file, const CObList& objects) {
                              return AskLibraryItem(this, file, objects);
                          });
    library.Close();
    GetLibraryBarServices().RefreshLibraryList();
}

void CDrawView::AddSelectionToSelectedLibrary() {
    CLibraryFile library;
    if (!GetLibraryBarServices().OpenSelectedLibrary(&library, CDiskFile::modeReadWrite)) {
        Report("Error - could not open the library %s for writing.",
               GetLibraryBarServices().SelectedLibraryPath().str());
        return;
    }
    AddSelectionToLibrary(library, m_selection, m_document,
                          [this](CLibraryFile& file, const CObList& objects) {
                              return AskLibraryItem(this, file, objects);
                          });
    library.Close();
    GetLibraryBarServices().RefreshLibraryList();
}

void CDrawView::ListLibraryItems() {
    const std::string path = ChooseLibraryFile(this, false).toStdString();
    if (path.empty())
        return;
    if (::access(path.c_str(), R_OK) != 0) {
        Report("Error - could not open the library %s for reading.", path);
        return;
    }
    GetLibraryBarServices().SelectLibraryPath(path.c_str());
    GetLibraryBarServices().ShowLibraryPage();
}

void CDrawView::NewLibraryFile() {
    const std::string path = ChooseLibraryFile(this, true).toStdString();
    if (path.empty() || !PrepareLibraryFile(path))
        return;
    GetLibraryBarServices().SelectLibraryPath(path.c_str());
}

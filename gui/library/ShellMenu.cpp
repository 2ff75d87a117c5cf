#include "gui/library/ShellMenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <system_error>

#include "gui/kit/ClipboardFormat.h"
#include "library/LibraryImage.h"
#include "library/ShellItem.h"
#include "platform/CString.h"
#include "platform/UserPrompt.h"

namespace {

bool OpenUrl(const QUrl& url) {
    if (QDesktopServices::openUrl(url))
        return true;
    CString text;
    text.Format("InvokeCommand failed. hr=%lx", static_cast<unsigned long>(ENOENT));
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return false;
}

void RunVerb(UINT verb, const QStringList& paths) {
    if (paths.isEmpty())
        return;
    switch (verb) {
        case kVerbOpen:
            for (const QString& path : paths)
                OpenUrl(QUrl::fromLocalFile(path));
            break;
        case kVerbOpenFolder:
            OpenUrl(QUrl::fromLocalFile(QFileInfo(paths.front()).absolutePath()));
            break;
        case kVerbCopyPath:
            QApplication::clipboard()->setText(paths.join('\n'));
            break;
        case kVerbDelete:
            DeleteShellItems(paths);
            break;
        default:
            break;
    }
}

// Removes path for good; false after telling the user when that failed.
bool RemoveForGood(const QString& path) {
    std::error_code ec;
    std::filesystem::remove_all(path.toStdString(), ec);
    if (!ec)
        return true;
    CString text;
    text.Format("Cannot delete %s\nReason: %s", path.toUtf8().constData(), ec.message().c_str());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return false;
}

// Shows items at the global point; returns the own command chosen, else 0 after carrying out
// a chosen verb on paths.
UINT ShowMenu(QWidget* owner, const std::vector<ShellMenuItem>& items, const QStringList& paths,
              QPoint global) {
    QMenu menu(owner);
    bool verbs = false;
    for (const ShellMenuItem& item : items) {
        if (item.id >= kVerbOpen && !verbs) {
            menu.addSeparator();
            verbs = true;
        }
        QAction* action = menu.addAction(QString::fromUtf8(item.text));
        action->setData(item.id);
        action->setStatusTip(QString::fromUtf8(item.help));
        action->setEnabled(item.enabled && (item.id < kVerbOpen || !paths.isEmpty()));
    }
    QAction* chosen = menu.exec(global);
    if (!chosen)
        return 0;
    const UINT id = chosen->data().toUInt();
    if (id < kVerbOpen)
        return id;
    RunVerb(id, paths);
    return 0;
}

}  // namespace

bool HasLibraryItemsOnClipboard() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(WindowsMimeType(kLibraryItemsFormat));
}

UINT ShowShellContextMenu(QWidget* owner, const QStringList& paths, UINT kind, QPoint global) {
    return ShowMenu(owner, ShellMenuItems(kind, HasLibraryItemsOnClipboard()), paths, global);
}

UINT ShowRootContextMenu(QWidget* owner, const QString& path, QPoint global) {
    return ShowMenu(owner, RootMenuItems(), {path}, global);
}

bool DeleteShellItems(const QStringList& paths) {
    CString question;
    if (paths.size() == 1)
        question.Format("Are you sure you want to move '%s' to the trash?",
                        QFileInfo(paths.front()).fileName().toUtf8().constData());
    else
        question.Format("Are you sure you want to move these %d items to the trash?",
                        static_cast<int>(paths.size()));
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    bool all = true;
    for (const QString& path : paths) {
        if (QFile::moveToTrash(path))
            continue;
        CString text;
        text.Format("%s cannot be moved to the trash.\nDelete it permanently?",
                    path.toUtf8().constData());
        if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) != IDYES || !RemoveForGood(path))
            all = false;
    }
    return all;
}

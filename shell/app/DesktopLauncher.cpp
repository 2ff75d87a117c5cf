#include "shell/app/DesktopLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include "gui/kit/StoredText.h"

bool CDesktopLauncher::OpenDocument(const CString& path) {
    const QFileInfo document(FromStoredText(path.str()));
    return document.exists() &&
           QDesktopServices::openUrl(QUrl::fromLocalFile(document.absoluteFilePath()));
}

bool CDesktopLauncher::StartProgram(const CString& program, const std::vector<CString>& arguments,
                                    const CString& directory) {
    QStringList list;
    for (const CString& argument : arguments)
        list << FromStoredText(argument.str());
    return QProcess::startDetached(FromStoredText(program.str()), list,
                                   FromStoredText(directory.str()));
}

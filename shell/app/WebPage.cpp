#include "shell/app/WebPage.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "platform/UserPrompt.h"

bool OpenWebPage(const QString& url) {
    if (QDesktopServices::openUrl(QUrl(url)))
        return true;
    const QString text = QStringLiteral(
                             "No web browser could be started to show %1.\nOpen this address in a "
                             "browser of your choice.")
                             .arg(url);
    AfxMessageBox(CString(text.toStdString()), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

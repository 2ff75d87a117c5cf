#include "gui/kit/ClipboardFormat.h"

QString WindowsMimeType(const char* format) {
    return QString("application/x-qt-windows-mime;value=\"%1\"").arg(QString::fromUtf8(format));
}

#include "gui/kit/StoredText.h"

#include "platform/DisplayText.h"

QString FromStoredText(std::string_view bytes) {
    if (!IsCp1252Text(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text;
    for (const DisplayChar& c : DecodeDisplayText(bytes))
        text += QString::fromUcs4(&c.code, 1);
    return text;
}

CString ToStoredText(const QString& shown, const CString& stored) {
    if (shown == FromStoredText(stored.str()))
        return stored;
    return CString(shown.toUtf8().constData());
}

#include "shell/output/StrEditView.h"

#include <algorithm>
#include <cstdlib>

#include <QEvent>
#include <QFontMetrics>
#include <QTextDocument>

#include "platform/DisplayText.h"
#include "platform/Geometry.h"
#include "platform/SettingsStore.h"

namespace {

constexpr int kMargin = 10;
constexpr int kTabStopDialogUnits = 70;

QFont FontFromLogFont(const LOGFONT& logFont) {
    QFont font(QString::fromUtf8(logFont.lfFaceName));
    if (logFont.lfHeight != 0)
        font.setPixelSize(std::abs(static_cast<int>(logFont.lfHeight)));
    if (logFont.lfWeight != 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(logFont.lfWeight, 1, 1000)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    switch (logFont.lfPitchAndFamily & 0xF0) {
        case FF_ROMAN:
            font.setStyleHint(QFont::Serif);
            break;
        case FF_SWISS:
            font.setStyleHint(QFont::SansSerif);
            break;
        case FF_MODERN:
            font.setStyleHint(QFont::Monospace);
            break;
        default:
            break;
    }
    font.setFixedPitch((logFont.lfPitchAndFamily & 0x3) == FIXED_PITCH);
    return font;
}

}  // namespace

CStrEditView::CStrEditView(const SettingsStore& settings, QWidget* parent) : COutputEdit(parent) {
    setFont(FontFromLogFont(LoadViewFont(settings, logicalDpiY())));
    setViewportMargins(kMargin, 0, kMargin, 0);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    // Dialog units are quarters of the font's average character width.
    setTabStopDistance(QFontMetrics(font()).averageCharWidth() * kTabStopDialogUnits / 4.0);
}

bool CStrEditView::event(QEvent* event) {
    // The plain-text edit claims the keys it edits with, not the output edit's every key.
    if (event->type() == QEvent::ShortcutOverride)
        return CPlainTextEdit::event(event);
    return COutputEdit::event(event);
}

LOGFONT CStrEditView::LoadViewFont(const SettingsStore& settings, int dpiY) {
    LOGFONT logFont;
    CString face = settings.GetProfileString("Text", "Face", "MS Sans Serif");
    face.str().copy(logFont.lfFaceName, LF_FACESIZE - 1);
    logFont.lfCharSet = static_cast<BYTE>(settings.GetProfileInt("Text", "CharSet", 0));
    logFont.lfHeight =
        static_cast<LONG>(settings.GetProfileInt("Text", "Height", -MulDiv(8, dpiY, 72)));
    logFont.lfPitchAndFamily =
        static_cast<BYTE>(settings.GetProfileInt("Text", "PitchAndFamily", FF_SWISS));
    logFont.lfWeight = FW_NORMAL;
    return logFont;
}

std::string CStrEditView::GetRawText() const {
    // The raw text keeps non-breaking spaces; blocks are separated by paragraph separators.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    if (!m_cp1252)
        return text.toStdString();
    std::string bytes;
    for (const char32_t code : text.toUcs4())
        AppendCp1252(bytes, code);
    return bytes;
}

void CStrEditView::SetRawText(std::string_view bytes) {
    m_cp1252 = IsCp1252Text(bytes);
    QString text;
    if (m_cp1252) {
        std::u32string codes;
        for (const DisplayChar& c : DecodeDisplayText(bytes))
            codes += c.code;
        text = QString::fromUcs4(codes.data(), qsizetype(codes.size()));
    } else {
        text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    }
    text.remove(QLatin1Char('\r'));
    setPlainText(text);
}

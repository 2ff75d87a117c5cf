#include "model/cmd/TextPropCmd.h"

#include <cstring>

#include "model/cmd/TextContent.h"
#include "model/object/DrawObj.h"

namespace {
std::optional<LOGFONT> OwnFont(const ITextContent& content) {
    const LOGFONT* font = content.GetOwnFont();
    return font ? std::optional<LOGFONT>(*font) : std::nullopt;
}

// Fonts compare field by field, the face name up to its terminator.
bool SameFont(const LOGFONT& a, const LOGFONT& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline &&
           a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

bool SameFont(const std::optional<LOGFONT>& a, const std::optional<LOGFONT>& b) {
    return a.has_value() == b.has_value() && (!a || SameFont(*a, *b));
}
}  // namespace

CTextPropCmd::CTextPropCmd(CDrawObj* text, const char* name)
    : CShapeEditCmd(text), m_content(dynamic_cast<ITextContent*>(text)), m_name(name) {
    if (!m_content)
        return;
    m_font = OwnFont(*m_content);
    m_text = m_content->GetContentText();
}

// The present font and text are taken first: moving a text box re-wraps its text.
BOOL CTextPropCmd::Do(CDrawDoc* doc) {
    if (!m_content)
        return CShapeEditCmd::Do(doc);
    std::optional<LOGFONT> font = OwnFont(*m_content);
    CString text = m_content->GetContentText();
    CShapeEditCmd::Do(doc);
    m_content->SetOwnFont(m_font ? &*m_font : nullptr);
    m_content->SetContentText(m_text);
    m_font = font;
    m_text = text;
    return TRUE;
}

BOOL CTextPropCmd::HasChanged() {
    if (!(m_kept == ShapeState::Of(*m_object)))
        return TRUE;
    return m_content &&
           (!SameFont(m_font, OwnFont(*m_content)) || m_text != m_content->GetContentText());
}

#include "model/cmd/DocSettingsCmd.h"

#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"

DocSettings DocSettings::Of(const CDrawDoc& doc) {
    return {doc.m_pen,          doc.m_brush,         doc.m_pinPen,          doc.m_pinBrush,
            doc.m_wirePen,      doc.m_wireBrush,     doc.m_textFont,        doc.m_pinFont,
            doc.m_paperColour,  doc.m_pinNameColour, doc.m_pinNumberColour, doc.m_firstPartNumber,
            doc.GetPaperSize(), doc.GetMargins(),    doc.m_border,          doc.m_printSettings};
}

bool DocSettings::operator==(const DocSettings& other) const {
    return SameRecord(pen, other.pen) && SameRecord(brush, other.brush) &&
           SameRecord(pinPen, other.pinPen) && SameRecord(pinBrush, other.pinBrush) &&
           SameRecord(wirePen, other.wirePen) && SameRecord(wireBrush, other.wireBrush) &&
           SameRecord(textFont, other.textFont) && SameRecord(pinFont, other.pinFont) &&
           paperColour == other.paperColour && pinNameColour == other.pinNameColour &&
           pinNumberColour == other.pinNumberColour && firstPartNumber == other.firstPartNumber &&
           SameRecord(paperSize, other.paperSize) && SameRecord(margins, other.margins) &&
           border == other.border && printSettings == other.printSettings;
}

BOOL CDocSettingsCmd::Do(CDrawDoc* doc) {
    const DocSettings present = DocSettings::Of(*doc);
    doc->m_pen = m_kept.pen;
    doc->m_brush = m_kept.brush;
    doc->m_pinPen = m_kept.pinPen;
    doc->m_pinBrush = m_kept.pinBrush;
    doc->m_wirePen = m_kept.wirePen;
    doc->m_wireBrush = m_kept.wireBrush;
    doc->m_textFont = m_kept.textFont;
    doc->m_pinFont = m_kept.pinFont;
    doc->m_paperColour = m_kept.paperColour;
    doc->m_pinNameColour = m_kept.pinNameColour;
    doc->m_pinNumberColour = m_kept.pinNumberColour;
    doc->m_firstPartNumber = m_kept.firstPartNumber;
    doc->m_border = m_kept.border;
    doc->m_printSettings = m_kept.printSettings;
    doc->RebuildPinFonts();
    // The paper first: margins are kept within the paper they are set on.
    doc->SetPaperSize(m_kept.paperSize.cx, m_kept.paperSize.cy);
    doc->SetMargins(m_kept.margins);
    doc->UpdateAllViews(nullptr, kHintNone);
    m_kept = present;
    return TRUE;
}

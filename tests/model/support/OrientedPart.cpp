#include "model/support/OrientedPart.h"

#include <algorithm>
#include <cmath>

#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

constexpr int kQuarterTurn = 900;
constexpr LONG kAxisLength = 1000;
// The default text font (-80) scaled by 100/72 into sheet units.
constexpr LONG kSheetFontHeight = 111;

void AddToDocument(CDrawDoc& doc, CDrawObj* object) {
    object->SetDocument(&doc);
    doc.GetObjects().AddTail(object);
}

}  // namespace

OrientedPart::OrientedPart(CDrawDoc& doc, int orientation) : symbol(new CSymbol()) {
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(100, 50, 500, -50)));
    for (const LONG end : {0, 600}) {
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(end == 0 ? 100 : 500, 0), CPoint(end, 0));
        symbol->GetPins().AddTail(pin);
    }
    symbol->RecalcBounds(nullptr);
    symbol->SetAttr("_ID", "R2", kSetAttrForce);
    symbol->SetAttr("_Value", "10k", kSetAttrForce);
    AddToDocument(doc, symbol);
    symbol->OffsetBy(CSize(3000, -3000));
    for (const char* name : {"_ID", "_Value"})
        AddToDocument(doc, symbol->ShowAttrText(name, TRUE));
    CRect bounds;
    symbol->GetBoundingRect(bounds);
    const CPoint centre = NormalizedRect(bounds).CenterPoint();
    CObList objects;
    AddObjectsTo(objects);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        for (int turn = 0; turn < orientation % 4; ++turn)
            object->Rotate(kQuarterTurn, centre.x, centre.y, nullptr);
        if (orientation >= 4)
            object->Mirror(centre.x, centre.y, centre.x, centre.y + kAxisLength);
    }
}

void OrientedPart::AddObjectsTo(CObList& list) const {
    list.AddTail(symbol);
    for (CAttrText* text : Texts())
        list.AddTail(text);
}

std::vector<CAttrText*> OrientedPart::Texts() const {
    std::vector<CAttrText*> texts;
    const CObList* list = symbol->GetAttrTextList();
    for (POSITION pos = list->GetHeadPosition(); pos;)
        texts.push_back(static_cast<CAttrText*>(list->GetNext(pos)));
    return texts;
}

TextCellDC::TextCellDC() {
    LOGFONT log = CTextBox::kDefaultFont;
    log.lfHeight = kSheetFontHeight;
    m_font.CreateFontIndirect(&log);
    SelectObject(&m_font);
}

void TextCellDC::OutText(const TextRun& run) {
    CRecordingDC::OutText(run);
    const double turn = GetCurrentFont()->Log().lfEscapement * kRadiansPerTenthDegree;
    const SIZE extent = GetTextExtent(run.text);
    const double alongX = std::cos(turn) * extent.cx;
    const double alongY = std::sin(turn) * extent.cx;
    const double downX = std::sin(turn) * extent.cy;
    const double downY = -std::cos(turn) * extent.cy;
    const double xs[] = {0, alongX, downX, alongX + downX};
    const double ys[] = {0, alongY, downY, alongY + downY};
    const auto [left, right] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [bottom, top] = std::minmax_element(std::begin(ys), std::end(ys));
    cells.emplace_back(std::lround(run.origin.x + *left), std::lround(run.origin.y + *bottom),
                       std::lround(run.origin.x + *right), std::lround(run.origin.y + *top));
}

std::vector<CRect> DrawnTextCells(CDrawObj& object) {
    TextCellDC dc;
    object.Draw(&dc, nullptr);
    return dc.cells;
}

bool Encloses(const CRect& outer, const CRect& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

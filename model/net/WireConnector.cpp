#include <cstdlib>

#include "model/doc/DrawDoc.h"
#include "model/geometry/VectorAngle.h"
#include "model/net/ConnectorSymbols.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

constexpr const char* kIdName = "_ID";
// End segments shorter than this (|dx| + |dy|) are jogs left by rounding, such as the step
// from a pin turned about a centre off the grid to the grid point the wire was drawn to.
constexpr int kJogLength = 20;

class NoConnectorSymbols : public IConnectorSymbolSource {
public:
    CSymbol* LoadSymbol(const CString&, CDrawDoc*) override { return nullptr; }
};

// Whole degrees, truncated.
int DegreesOf(double dy, double dx) {
    return AngleFromVector(dy, dx) / 10;
}

// Puts the text beside the symbol's box, on the side opposite the pin.
void PlaceOpposite(CAttrText* text, const CRect& position, CPoint pin) {
    const CRect box = NormalizedRect(position);
    const CRect own = NormalizedRect(text->GetPosition());
    CPoint target((box.left + box.right - own.Width()) / 2,
                  (box.top + box.bottom - own.Height()) / 2);
    if (pin.x >= box.left && pin.x <= box.right)
        target.y = std::abs(pin.y - box.top) < std::abs(pin.y - box.bottom)
                       ? box.bottom
                       : box.top - own.Height();
    else
        target.x = pin.x < box.left ? box.right : box.left - own.Width();
    text->OffsetBy(CSize(target.x - own.left, target.y - own.top));
}

}  // namespace

// The wire's direction at its free end, pointing back into the wire: that of the end's first
// segment that is not a jog (of the last segment when all are).
CSize CWire::FreeEndDirection(int fromEnd) const {
    CSize leg;
    for (int n = 0; n + 1 < m_count; ++n) {
        leg = GetPointFromEnd(fromEnd, n + 1) - GetPointFromEnd(fromEnd, n);
        if (std::abs(leg.cx) + std::abs(leg.cy) >= kJogLength)
            break;
    }
    return leg;
}

template <>
IConnectorSymbolSource& Installed<IConnectorSymbolSource>::Fallback() {
    static NoConnectorSymbols source;
    return source;
}

BOOL CWire::ConnectToPowerSymbol(const CString& symbolName, const CString& netName,
                                 const char* rail) {
    const int fromEnd = m_start ? 1 : 0;
    if ((m_start && m_end) || m_count < 2 || !m_document)
        return FALSE;
    CSymbol* symbol = GetConnectorSymbolSource().LoadSymbol(symbolName, m_document);
    auto* pin = symbol && !symbol->GetPins().IsEmpty()
                    ? static_cast<CPin*>(symbol->GetPins().GetHead())
                    : nullptr;
    if (!pin) {
        delete symbol;
        return FALSE;
    }
    // Placed, a symbol standing for the rail takes the rail's name on this sheet.
    if (rail)
        symbol->SetAttr(kRailAttrName, rail, kSetAttrForce);
    else
        symbol->RemoveAttr(kRailAttrName);
    // The pin points back along the wire, so that the symbol stands beyond the end.
    const CPoint end = GetPointFromEnd(fromEnd, 0);
    const CSize along = FreeEndDirection(fromEnd);
    double dx = 0;
    double dy = 0;
    pin->GetDirection(dx, dy, TRUE);
    const int turn = DegreesOf(along.cy, along.cx) - DegreesOf(dy, dx);
    symbol->Rotate(turn * 10, 0, 0, nullptr);
    const CPoint hot = pin->GetConnectPoint();
    symbol->OffsetBy(CSize(end.x - hot.x, end.y - hot.y));
    symbol->RecalcBounds(nullptr);

    fromEnd ? SetEndObject(pin) : SetStartObject(pin);
    auto* text = new CAttrText();
    text->Bind(this, kIdName);
    m_attrTexts.AddTail(text);
    CObList added;
    added.AddTail(symbol);
    added.AddTail(text);
    if (!m_document->AddObjects(&added)) {
        if (POSITION at = m_attrTexts.Find(text))
            m_attrTexts.RemoveAt(at);
        if (added.Find(symbol))
            fromEnd ? SetEndObject(nullptr) : SetStartObject(nullptr);
        for (POSITION pos = added.GetHeadPosition(); pos;)
            delete added.GetNext(pos);
        added.RemoveAll();
        return FALSE;
    }
    SetAttr(kIdName, netName, kSetAttrUndoable | kSetAttrUser | kSetAttrMerge);
    text->UpdateText(TRUE);
    // Rails and connectors carry the net's name whatever identifiers the sheet already has.
    const DWORD kind = symbol->GetKind();
    const bool forced =
        kind == kSymbolGraphical || kind == kSymbolPort || kind == kSymbolNetConnector;
    symbol->SetAttr(kIdName, netName, forced ? kSetAttrForce : 0);
    pin->SetNetConnectorName(netName);
    CRect sheetBox;  // the symbol's position is in its own coordinates
    symbol->GetBoundingRect(sheetBox);
    PlaceOpposite(text, sheetBox, pin->GetConnectPoint());
    return TRUE;
}

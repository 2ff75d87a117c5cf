#include "model/symbol/SubcctSymbolBuilder.h"

#include "model/app/NameList.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/Symbol.h"

namespace {

constexpr DWORD kFilled = 0x1;
constexpr DWORD kOutlined = 0x2;
constexpr COLORREF kPortFill = 0xFFFFFF;
constexpr int kBodyLineStyle = -50;

int SideOf(DWORD word) {
    const int side = SignalSide(word);
    return side >= 0 ? side : DefaultSide(SignalDirection(word));
}

bool IsBusName(const CString& name) {
    CStringArray names;
    ExpandNameList(names, name);
    return names.GetSize() > 1;
}

CPin* MakePin(CSymbol* symbol, const SubcctSignal& signal, const SubcctPinPlace& place) {
    auto* pin = new CPin(symbol);
    pin->SetEnds(place.bodyEnd, place.hotEnd);
    pin->SetAttr("_ID", signal.name, kSetAttrForce);
    DWORD flags = kPinShowName;
    if (IsBusName(signal.name))
        flags |= kPinBus;
    pin->SetFlags(flags, kPinSymbolMask | kPinShowName);
    pin->SetPinType(SignalDirection(signal.word));
    pin->RecalcBounds();
    return pin;
}

CDrawPoly* MakePortOutline(int direction, int side, CPoint at) {
    auto* outline = new CDrawPoly;
    for (const CPoint& point : PortOutline(direction, at))
        outline->AddPoint(point);
    if (const int angle = PortOutlineAngle(side))
        outline->Rotate(angle, at.x, at.y, nullptr);
    outline->SetFlags(kFilled | kOutlined, kFilled | kOutlined);
    outline->SetFillColor(kPortFill);
    return outline;
}

// An automatic colour stays the default's, also in the own pen that the line style makes.
CDrawRect* MakeBody(const CRect& body, const SubcctLook& look) {
    auto* rect = new CDrawRect(body);
    const DWORD flags = (look.filled ? kFilled : 0) | (look.outlined ? kOutlined : 0);
    rect->SetFlags(flags, kFilled | kOutlined);
    rect->SetLineStyle(kBodyLineStyle);
    rect->SetLineColor(look.outline);
    rect->SetFillColor(look.fill);
    return rect;
}

}  // namespace

CSymbol* BuildSubcctSymbol(const std::vector<SubcctSignal>& signalList, const SubcctLook& look,
                           const CString& sheetPath, const CString& sheetTitle) {
    std::vector<int> sides;
    for (const SubcctSignal& signal : signalList)
        sides.push_back(SideOf(signal.word));
    const SubcctLayout layout = LayOutSubcct(sides);

    auto* symbol = new CSymbol;
    for (size_t i = 0; i < signalList.size(); ++i) {
        const SubcctPinPlace& place = layout.pins[i];
        symbol->GetPins().AddTail(MakePin(symbol, signalList[i], place));
        if (look.style == kSubcctPortsShown)
            symbol->GetGraphics().AddTail(
                MakePortOutline(SignalDirection(signalList[i].word), sides[i], place.bodyEnd));
    }
    symbol->GetGraphics().AddHead(MakeBody(layout.body, look));
    // Pin names shown for all pins: the "as the pin says" bit goes first, so that the two
    // bits never combine into a value outside the three choices.
    symbol->SetFlags(kSymbolSubCircuit | kSymbolPinNamesAll, kSymbolKindMask | kSymbolPinNamesMask);
    symbol->RecalcBounds(nullptr);
    symbol->SetAttr("_Name", sheetPath.IsEmpty() ? CString("Sub-circuit") : sheetTitle,
                    kSetAttrForce);
    symbol->SetAttr("_Pref", "X", kSetAttrForce);
    if (!sheetPath.IsEmpty())
        symbol->SetAttr("_Subcct", sheetPath, kSetAttrForce);
    return symbol;
}

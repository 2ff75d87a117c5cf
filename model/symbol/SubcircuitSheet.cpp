// A new sub-circuit sheet for a symbol: one port of the standard library for each pin.

#include <cmath>

#include "model/doc/DocumentWindows.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/VectorAngle.h"
#include "model/net/ConnectorSymbols.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kPortColumn = 5000;
constexpr int kPortLeft = 1000;
constexpr int kPortRowStep = 200;
constexpr int kPortFirstRow = -5;

void DeleteObjects(CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(objects.GetNext(pos))->Remove();
    objects.RemoveAll();
}

bool OnTheRight(int pinType) {
    return pinType == 16 || pinType == 17;
}

}  // namespace

CSymbol* CSymbol::LoadPortSymbol(int pinType, CDrawDoc* sheet) {
    const char* name = "";
    switch (pinType) {
        case 15:
            name = "INPORT";
            break;
        case 16:
            name = "OUTPORT";
            break;
        case 17:
            name = "IOPORT";
            break;
        case 10:
        case 18:
            name = "ANYPORT";
            break;
        default:
            break;
    }
    return GetConnectorSymbolSource().LoadSymbol(name, sheet);
}

void CSymbol::PlacePort(CSymbol* port, CPin* pin, int n, bool right, CObList& ports) {
    const CPoint target(right ? kPortColumn + kPortLeft : kPortLeft,
                        (kPortFirstRow - n) * kPortRowStep);
    double dx = 0;
    double dy = 0;
    pin->GetDirection(dx, dy, TRUE);
    const int angle = (right ? 1800 : 0) - AngleFromVector(dy, dx);
    auto* portPin =
        port->GetPins().IsEmpty() ? nullptr : static_cast<CPin*>(port->GetPins().GetHead());
    // The port's first pin ends on the target.
    CPoint anchor = portPin ? portPin->GetConnectPoint() : port->GetConnectionPoint(0);
    if (angle != 0) {
        port->Rotate(angle, anchor.x, anchor.y, nullptr);
        anchor = portPin ? portPin->GetConnectPoint() : anchor;
    }
    port->OffsetBy(CSize(target.x - anchor.x, target.y - anchor.y));
    if (!portPin)
        return;
    const char* idName = GetStdAttrName(kStdAttrId);
    portPin->SetAttr(idName, pin->GetAttr(idName), kSetAttrForce);
    if (CAttrText* text = portPin->ShowAttrText(idName, TRUE))
        ports.AddTail(text);
}

BOOL CSymbol::BuildSubcircuitPorts(CDrawDoc* sheet, CObList& ports) {
    int left = 0;
    int right = 0;
    for (POSITION pos = m_pins.GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(m_pins.GetNext(pos));
        const int type = pin->GetPinType();
        CSymbol* port = LoadPortSymbol(type, sheet);
        if (!port)
            return FALSE;
        ports.AddTail(port);
        const bool onRight = OnTheRight(type);
        PlacePort(port, pin, onRight ? ++right : ++left, onRight, ports);
    }
    return TRUE;
}

BOOL CSymbol::SaveSubcircuitAs() {
    IDocumentWindows& windows = GetDocumentWindows();
    CString suggested = GetAttr(GetStdAttrName(kStdAttrSubcct));
    if (suggested.IsEmpty())
        suggested = "untitled.sch";
    const CString path = windows.AskSubcircuitFile(suggested);
    if (path.IsEmpty())
        return FALSE;
    CDrawDoc* sheet = windows.NewSchematic();
    if (!sheet) {
        AfxMessageBox("Failed to create document");
        return FALSE;
    }
    CObList ports;
    if (!BuildSubcircuitPorts(sheet, ports)) {
        DeleteObjects(ports);
        windows.CloseDocument(*sheet);
        return FALSE;
    }
    // A schematic takes ports and texts alike: none is refused and left to this list.
    sheet->AddObjects(&ports);
    ports.RemoveAll();
    if (!windows.SaveDocumentAs(*sheet, path))
        return FALSE;
    SetAttr(GetStdAttrName(kStdAttrSubcct), path, 0);
    return TRUE;
}

#include "shell/view/EditSoakSheet.h"

#include <initializer_list>
#include <string>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"

namespace {

CDevice* MakeDevice(const char* name, const char* map, const char* footprint) {
    auto* device = new CDevice(name);
    std::string lines(map);
    for (char& ch : lines)
        ch = ch == '|' ? '\x01' : ch;
    device->SetMap(lines.c_str(), kMapApply);
    device->SetAttr("_Footprint", footprint, TRUE);
    return device;
}

struct PinPlace {
    const char* id;
    CPoint body;
    CPoint hot;
};

// A part named as in its device's map at (x, y), with a box for a body, its identifier and the
// device (held once more).
CSymbol* AddPart(CDrawDoc& doc, CDevice* device, const char* name, const char* id, CPoint at,
                 std::initializer_list<PinPlace> pins) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetFlags(kSymbolDefaultFlags, ~DWORD{0});
    symbol->SetAttr("_Name", name, kSetAttrForce);
    symbol->SetAttr("_ID", id, kSetAttrForce);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 100, 100, -100)));
    for (const PinPlace& place : pins) {
        auto* pin = new CPin(symbol);
        pin->SetEnds(place.body, place.hot);
        pin->SetAttr("_ID", place.id, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
    }
    const double matrix[6] = {1, 0, double(at.x), 0, 1, double(at.y)};
    symbol->SetMatrix(matrix);
    symbol->RecalcBounds(nullptr);
    if (device) {
        device->AddRef();
        symbol->SetDevice(device);
    }
    doc.GetObjects().AddTail(symbol);
    return symbol;
}

template <class T>
T* AddWire(CDrawDoc& doc, std::initializer_list<CPoint> points, const char* net) {
    auto* wire = new T;
    for (const CPoint& point : points)
        wire->AddPoint(point);
    wire->SetDocument(&doc);
    auto* named = new CNet(net);
    named->SetFlags(kNetNamed, kNetNamed);
    named->AddRef();
    if (CNet* old = wire->SetNet(named))
        old->Release();
    wire->RecalcBounds(nullptr);
    doc.GetObjects().AddTail(wire);
    return wire;
}

void AddText(CDrawDoc& doc, const CRect& place, const char* text) {
    auto* box = new CTextBox(place);
    box->SetDocument(&doc);
    box->SetText(text, FALSE);
    doc.GetObjects().AddTail(box);
}

void ShowAttrText(CDrawDoc& doc, CDrawObj& owner, const char* name) {
    if (CAttrText* text = owner.ShowAttrText(name, TRUE))
        doc.GetObjects().AddTail(text);
}

}  // namespace

// Two resistors, two gates of a 7400, a two-pin connector and a test point without a device,
// three of their pins wired, one wire running down onto a bus; two texts, a frame and a loose
// pin; the other pins are free. R1, U1A, J1 and the loose pin show their identifiers, R2 its
// name.
void FillSoakSheet(CDrawDoc& doc) {
    CDevice* res = MakeDevice("RES", "RES||1|1|2|2", "AXIAL0.4");
    CDevice* nand = MakeDevice("7400", "NAND|A|A|1|B|2|Y|3\nNAND|B|A|4|B|5|Y|6", "DIP14");
    CDevice* conn = MakeDevice("CONN2", "CONN||1|1|2|2", "SIP2");
    const std::initializer_list<PinPlace> twoPins = {{"1", {-100, 0}, {-200, 0}},
                                                     {"2", {100, 0}, {200, 0}}};
    const std::initializer_list<PinPlace> gatePins = {
        {"A", {-100, 50}, {-200, 50}}, {"B", {-100, -50}, {-200, -50}}, {"Y", {100, 0}, {200, 0}}};
    CSymbol* r1 = AddPart(doc, res, "RES", "R1", {1500, -1500}, twoPins);
    CSymbol* r2 = AddPart(doc, res, "RES", "R2", {1500, -2500}, twoPins);
    CSymbol* u1a = AddPart(doc, nand, "NAND", "U1A", {3000, -1500}, gatePins);
    CSymbol* u1b = AddPart(doc, nand, "NAND", "U1B", {3000, -2500}, gatePins);
    CSymbol* j1 = AddPart(doc, conn, "CONN", "J1", {4300, -3000}, twoPins);
    AddPart(doc, nullptr, "TP", "TP1", {4300, -700}, {{"1", {0, -100}, {0, -200}}});

    auto* in =
        AddWire<CWire>(doc, {{1700, -1500}, {2300, -1500}, {2300, -1450}, {2800, -1450}}, "IN");
    in->SetStartObject(r1->FindPin("2"));
    in->SetEndObject(u1a->FindPin("A"));
    auto* mid = AddWire<CWire>(
        doc,
        {{3200, -1500}, {3400, -1500}, {3400, -2000}, {2600, -2000}, {2600, -2450}, {2800, -2450}},
        "MID");
    mid->SetStartObject(u1a->FindPin("Y"));
    mid->SetEndObject(u1b->FindPin("A"));
    auto* bus = AddWire<CBus>(doc, {{1200, -3500}, {4000, -3500}}, "D[0..3]");
    auto* down = AddWire<CWire>(doc, {{1700, -2500}, {1700, -3500}}, "D0");
    down->SetStartObject(r2->FindPin("2"));
    down->SetEndObject(bus);

    AddText(doc, CRect(1200, -800, 2600, -1000), "Input stage");
    AddText(doc, CRect(3600, -1000, 4800, -1200), "Rev B");
    auto* frame = new CDrawRect(CRect(3800, -1700, 4600, -2300));
    frame->SetDocument(&doc);
    doc.GetObjects().AddTail(frame);
    auto* loose = new CPin();
    loose->SetDocument(&doc);
    loose->SetEnds(CPoint(4700, -3800), CPoint(4900, -3800));
    loose->SetAttr("_ID", "CLK", kSetAttrForce);
    loose->RecalcBounds();
    doc.GetObjects().AddTail(loose);
    for (CDrawObj* owner : std::initializer_list<CDrawObj*>{r1, u1a, j1, loose})
        ShowAttrText(doc, *owner, "_ID");
    ShowAttrText(doc, *r2, "_Name");
}

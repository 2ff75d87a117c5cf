#include "model/support/SampleSheet.h"

#include <initializer_list>
#include <memory>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/shapes/FillShape.h"
#include "model/shapes/SpecSymbol.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SpiceSymbol.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "platform/CompoundFile.h"

namespace samplesheet {

CDevice* NandDevice(const char* name) {
    auto* device = new CDevice(name);
    device->SetAttr("_Pref", "U", TRUE);
    device->SetMap(
        "NAND\x01"
        "A\x01"
        "A\x01"
        "1\x01"
        "B\x01"
        "2\x01"
        "Y\x01"
        "3\n"
        "NAND\x01"
        "B\x01"
        "A\x01"
        "4\x01"
        "B\x01"
        "5\x01"
        "Y\x01"
        "6",
        kMapApply);
    return device;
}

void AddPin(CSymbol& symbol, const char* id, CPoint body, CPoint hot) {
    auto* pin = new CPin(&symbol);
    pin->SetEnds(body, hot);
    pin->SetAttr("_ID", id, kSetAttrForce);
    symbol.GetPins().AddTail(pin);
}

CSymbol* AddGate(CDrawDoc& doc, CDevice* device, const char* id, LONG x, LONG y) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetAttr("_Name", "NAND", kSetAttrForce);
    symbol->SetAttr("_ID", id, kSetAttrForce);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 100, 100, -100)));
    AddPin(*symbol, "A", CPoint(-100, 50), CPoint(-200, 50));
    AddPin(*symbol, "B", CPoint(-100, -50), CPoint(-200, -50));
    AddPin(*symbol, "Y", CPoint(100, 0), CPoint(200, 0));
    const double matrix[6] = {1, 0, static_cast<double>(x), 0, 1, static_cast<double>(y)};
    symbol->SetMatrix(matrix);
    symbol->RecalcBounds(nullptr);
    device->AddRef();
    symbol->SetDevice(device);
    doc.GetObjects().AddTail(symbol);
    auto* text = new CAttrText(CRect(x - 100, y + 200, x + 100, y + 120));
    text->Bind(symbol, "_ID");
    symbol->GetAttrTextList()->AddTail(text);
    doc.GetObjects().AddTail(text);
    return symbol;
}

template <class T>
T* AddWire(CDrawDoc& doc, std::initializer_list<CPoint> points, CNet* net) {
    auto* wire = new T;
    for (const CPoint& point : points)
        wire->AddPoint(point);
    wire->SetDocument(&doc);
    net->AddRef();
    if (CNet* old = wire->SetNet(net))
        old->Release();
    doc.GetObjects().AddTail(wire);
    return wire;
}

template CWire* AddWire<CWire>(CDrawDoc&, std::initializer_list<CPoint>, CNet*);
template CBus* AddWire<CBus>(CDrawDoc&, std::initializer_list<CPoint>, CNet*);

namespace {

// Two gates of one device, wired output to input; a branch on that wire shares its net, a
// wire from the other input ends on a bus; a Spice source drives the bus wire.
void AddCircuit(CDrawDoc& doc) {
    CDevice* nand = NandDevice("7400");
    CSymbol* first = AddGate(doc, nand, "U1A", 5000, -2000);
    CSymbol* second = AddGate(doc, nand, "U1B", 6000, -2000);

    auto* signal = new CNet("CLK");
    signal->SetFlags(kNetNamed, kNetNamed);
    auto* main = AddWire<CWire>(doc, {{5200, -2000}, {5800, -1950}}, signal);
    main->SetStartObject(first->FindPin("Y"));
    main->SetEndObject(second->FindPin("A"));
    auto* branch = AddWire<CWire>(doc, {{5500, -1500}, {5500, -1976}}, signal);
    branch->SetEndObject(main);

    auto* busNet = new CNet("D[0:3]");
    auto* bus = AddWire<CBus>(doc, {{4000, -3000}, {7000, -3000}}, busNet);
    auto* data = new CNet();
    data->MakeUniqueName(&doc, FALSE);  // as the editor names a new net
    auto* input = AddWire<CWire>(doc, {{5800, -2050}, {5800, -3000}}, data);
    input->SetStartObject(second->FindPin("B"));
    input->SetEndObject(bus);

    auto* source = new CSpiceSymbol();
    source->SetDocument(&doc);
    source->SetAttr("_ID", "V1", kSetAttrForce);
    AddPin(*source, "+", CPoint(0, 100), CPoint(0, 200));
    source->SetSourceKind(1);
    source->StoreSet(CSpiceSymbol::kDc, {CString("5V")});
    source->RecalcBounds(nullptr);
    doc.GetObjects().AddTail(source);
}

}  // namespace

void Fill(CDrawDoc& doc) {
    CObList& objects = doc.GetObjects();
    objects.AddTail(new CDrawRect(CRect(0, 0, 500, -300)));
    objects.AddTail(new CEllipse(CRect(600, 0, 900, -300)));
    auto* poly = new CDrawPoly(CRect(0, -400, 400, -800));
    for (CPoint p : {CPoint(0, -400), CPoint(400, -500), CPoint(100, -800)})
        poly->AddPoint(p);
    objects.AddTail(poly);
    auto* text = new CTextBox(CRect(1000, 0, 2000, -300));
    text->SetText("Power supply\r\nsheet 1", FALSE);
    objects.AddTail(text);
    objects.AddTail(new CFillShape(CRect(2000, 0, 2500, -500)));
    objects.AddTail(new CSpecSymbol(1));
    doc.SetAttribute("Title", "Sample", 0);
    doc.SetAttribute("Rev", "B", 0);
    if (CAttrText* title = doc.GetDocAttrText("Rev", TRUE))
        objects.AddTail(title);
    auto ole = std::make_unique<CDrawOleObj>(CRect(3000, 0, 4000, -1000));
    auto item = std::make_unique<CDrawItem>();
    CompoundStorage storage("object");
    storage.WriteStream("CONTENTS", std::vector<BYTE>(700, 0x42));
    item->SetStorage(storage);
    ole->SetItem(std::move(item));
    objects.AddTail(ole.release());
    AddCircuit(doc);
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(objects.GetNext(pos))->SetDocument(&doc);
}

std::vector<BYTE> FileBytes() {
    CDrawDoc doc;
    doc.OnNewDocument();
    Fill(doc);
    CompoundFile file;
    doc.WriteDocument(file);
    return file.Serialize();
}

}  // namespace samplesheet

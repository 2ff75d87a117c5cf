#include "drc/support/DrcFixture.h"

#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace drctest {

FakeDrcServices::FakeDrcServices() : m_previous(Installed<IDrcServices>::Install(this)) {
    rules.SetDefaults();
}

FakeDrcServices::~FakeDrcServices() {
    Installed<IDrcServices>::Install(m_previous);
}

CWire* LooseWire(nltest::Sheet& sheet, const char* net) {
    auto* wire = new CWire;
    wire->AddPoint(CPoint(5000, 0));
    wire->AddPoint(CPoint(5000, -500));
    wire->SetDocument(&sheet.doc);
    auto* shared = new CNet(net);
    shared->AddRef();
    wire->SetNet(shared);
    sheet.doc.GetObjects().AddTail(wire);
    return wire;
}

void SetPinType(CSymbol* symbol, const char* pin, int type) {
    symbol->FindPin(pin)->SetPinType(type);
}

EveryKindSheet::EveryKindSheet() {
    auto* gate = new CDevice("7400");
    gate->SetAttr("_Implicit", "VCC", TRUE);
    gate->SetAttr("VCC.Net", "VDD", TRUE);
    gate->SetAttr("VCC._Type", "Input", TRUE);
    u1 = sheet.Part("U1", {"A", "Y"}, nullptr, "BUF");
    u2 = sheet.Part("U2", {"Y"}, nullptr, "BUF");
    u3 = sheet.Part("U3", {"B"}, nullptr, "BUF");
    u4 = sheet.Part("U4", {"A"}, gate, "NAND");
    r1 = sheet.Part("R1", {"1", "2"}, nullptr, "RES");
    SetPinType(u1, "Y", 1);
    SetPinType(u2, "Y", 1);
    SetPinType(r1, "1", 4);
    SetPinType(r1, "2", 4);
    sheet.Wire(u1, "Y", "OUT");
    sheet.Wire(u2, "Y", "OUT");
    sheet.Wire(u4, "A", "OUT");
    n1 = LooseWire(sheet, "N1");
    sheet.Wire(u3, "B", "N2");
    sheet.Wire(r1, "1", "S");
    sheet.Wire(r1, "2", "S");
}

const char* const kEveryKindReport =
    "Pin Connection Errors :\r\n"
    "Error: U1:Y Output Pin connected to U2:Y Output Pin\r\n"
    "\r\n"
    "Unconnected Pins :\r\n"
    "Warning: U1:A Input Pin not connected.\r\n"
    "\r\n"
    "Empty Nets :\r\n"
    "Warning: Empty net - N1\r\n"
    "\r\n"
    "Empty Nets :\r\n"
    "Warning: Net N2 connects only one pin.\r\n"
    "\r\n"
    "Symbol Shorted :\r\n"
    "Warning: Symbol R1 pins shorted.\r\n"
    "\r\n"
    "Unconnected Device Pin :\r\n"
    "Warning: 7400 unconnected shared pin :VCC\r\n"
    "\r\n"
    "amp.sch\r\n"
    "Errors :  1\r\n"
    "Warnings :  5\r\n";

}  // namespace drctest

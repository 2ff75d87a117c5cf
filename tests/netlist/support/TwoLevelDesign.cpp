#include "netlist/support/TwoLevelDesign.h"

#include "model/device/Device.h"

namespace nltest {

namespace {

CDevice* Described(CDevice* device, const char* description, const char* category) {
    device->SetAttr("_Desc", description, TRUE);
    device->SetAttr("_Cat", category, TRUE);
    return device;
}

CDevice* ResistorDevice() {
    return Described(MakeDevice("RES", "RES", {{"", "1=1;2=2"}}, "AXIAL0.4"), "Resistor",
                     "Passive");
}

void PowerSymbol(Sheet& sheet, const char* net) {
    sheet.Wire(sheet.Add(net, kSymbolNetConnector, {net}), net, net);
}

}  // namespace

void FillTwoLevelTop(Sheet& sheet) {
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, ResistorDevice(), "RES");
    r1->SetAttr("_Value", "10K", kSetAttrForce);
    CDevice* nand =
        MakeDevice("7400", "NAND", {{"A", "A=1;B=2;Y=3"}, {"B", "A=4;B=5;Y=6"}}, "DIP14");
    nand->SetAttr("_Implicit", "VCC\x01(14)\x01GND\x01(7)", TRUE);
    nand->SetAttr("VCC.Net", "VCC", TRUE);
    nand->SetAttr("GND.Net", "GND", TRUE);
    Described(nand, "Quad NAND", "Logic");
    CSymbol* gateA = sheet.Part("U1A", {"A", "B", "Y"}, nand, "NAND");
    CSymbol* gateB = sheet.Part("U1B", {"A", "B", "Y"}, nand, "NAND");
    CSymbol* j1 =
        sheet.Part("J1", {"D[0..1]", "GND"},
                   MakeDevice("CONN3", "CONN", {{"", "D[0..1]=1,2;GND=3"}}, "SIP3"), "CONN");
    CSymbol* s1 = sheet.Block("S1", "sub.sch", {"IN", "OUT"});
    CSymbol* s2 = sheet.Block("S2", "sub.sch", {"IN", "OUT"});
    PowerSymbol(sheet, "VCC");
    PowerSymbol(sheet, "GND");
    sheet.Wire(r1, "1", "VCC");
    sheet.Wire(r1, "2", "IN");
    sheet.Wire(gateA, "A", "IN");
    sheet.Wire(gateA, "B", "IN");
    sheet.Wire(gateA, "Y", "X");
    sheet.Wire(s1, "IN", "X");
    sheet.Wire(s2, "IN", "X");
    sheet.Wire(s1, "OUT", "Y1");
    sheet.Wire(gateB, "A", "Y1");
    sheet.Wire(s2, "OUT", "Y2");
    sheet.Wire(gateB, "B", "Y2");
    sheet.Wire(gateB, "Y", "D0");
    sheet.Bus(j1, "D[0..1]", "D[0..1]");
    sheet.Wire(j1, "GND", "GND");
}

void FillTwoLevelSub(Sheet& sheet) {
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "A");
    sheet.Wire(sheet.Add("P2", kSymbolPort, {"OUT"}), "OUT", "B");
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, ResistorDevice(), "RES");
    r1->SetAttr("_Value", "1K", kSetAttrForce);
    CSymbol* c1 = sheet.Part(
        "C1", {"1", "2"},
        Described(MakeDevice("CAP", "CAP", {{"", "1=1;2=2"}}, "RAD0.1"), "Capacitor", "Passive"),
        "CAP");
    c1->SetAttr("_Value", "100n", kSetAttrForce);
    PowerSymbol(sheet, "GND");
    sheet.Wire(r1, "1", "A");
    sheet.Wire(r1, "2", "B");
    sheet.Wire(c1, "1", "B");
    sheet.Wire(c1, "2", "GND");
}

}  // namespace nltest

#include "netlist/support/NetlistSheet.h"

#include <gtest/gtest.h>

#include "model/device/Device.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SpiceSymbol.h"
#include "platform/CompoundFile.h"

namespace nltest {

CDevice* MakeDevice(const char* name, const char* symbol, std::initializer_list<GateMap> gates,
                    const char* footprint) {
    auto* device = new CDevice(name);
    std::string map;
    for (const GateMap& gate : gates) {
        std::string pins(gate.pins);
        for (char& ch : pins)
            ch = ch == '=' || ch == ';' ? '\x01' : ch;
        map += (map.empty() ? "" : "\n") + std::string(symbol) + '\x01' + gate.gate + '\x01' + pins;
    }
    EXPECT_TRUE(device->SetAttr("_Map", map.c_str(), TRUE));
    device->SetAttr("_Footprint", footprint, TRUE);
    return device;
}

std::unique_ptr<CDrawDoc> LoadSheet(const std::vector<BYTE>& bytes, const char* path) {
    CompoundFile file = CompoundFile::ParseInPlace(bytes);
    auto doc = std::make_unique<CDrawDoc>();
    doc->ReadDocument(file);
    doc->SetPathName(path, FALSE);
    return doc;
}

CDevice* MakeResistor() {
    return MakeDevice("RES", "RES", {{"", "1=1;2=2"}}, "AXIAL0.4");
}

CDevice* MakeQuadNand() {
    CDevice* device = MakeDevice(
        "7400", "NAND",
        {{"A", "A=1;B=2;Y=3"}, {"B", "A=4;B=5;Y=6"}, {"C", "A=7;B=8;Y=9"}, {"D", "A=10;B=11;Y=12"}},
        "DIP14");
    device->SetAttr("_Implicit", "VCC\x01(14)\x01GND\x01(7)", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    return device;
}

Sheet::Sheet(const char* path) : m_owned(std::make_unique<CDrawDoc>()), doc(*m_owned) {
    doc.SetPathName(path, FALSE);
}

CSymbol* Sheet::Add(const char* id, DWORD kind, std::initializer_list<const char*> pins,
                    CDevice* device, const char* name) {
    return Place(new CSymbol(), id, kind, pins, device, name);
}

CSpiceSymbol* Sheet::Source(const char* id, std::initializer_list<const char*> pins) {
    auto* source = new CSpiceSymbol();
    Place(source, id, kSymbolSimulation, pins, nullptr, nullptr);
    return source;
}

CSymbol* Sheet::Place(CSymbol* symbol, const char* id, DWORD kind,
                      std::initializer_list<const char*> pins, CDevice* device, const char* name) {
    symbol->SetFlags(kind, kSymbolKindMask);
    symbol->SetAttr("_ID", id, kSetAttrForce);
    if (name)
        symbol->SetAttr("_Name", name, kSetAttrForce);
    LONG y = 0;
    for (const char* pinId : pins) {
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(0, y), CPoint(-100, y));
        pin->SetAttr("_ID", pinId, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
        y -= 100;
    }
    if (device) {
        device->AddRef();
        symbol->SetDevice(device);
    }
    symbol->SetDocument(&doc);
    doc.GetObjects().AddTail(symbol);
    return symbol;
}

CSymbol* Sheet::Block(const char* id, const char* file, std::initializer_list<const char*> pins) {
    CSymbol* block = Add(id, kSymbolSubCircuit, pins);
    block->SetAttr("_Subcct", file, kSetAttrForce);
    return block;
}

CWire* Sheet::Attach(CWire* wire, CSymbol* symbol, const char* pin, const char* net) {
    CPin* start = symbol->FindPin(pin);
    const CPoint hot = start->GetConnectPoint();
    wire->AddPoint(hot);
    wire->AddPoint(CPoint(hot.x, hot.y - 100));
    wire->SetDocument(&doc);
    CNet*& shared = m_nets[net];
    if (!shared)
        shared = new CNet(net);
    shared->AddRef();
    if (CNet* old = wire->SetNet(shared))
        old->Release();
    wire->SetStartObject(start);
    doc.GetObjects().AddTail(wire);
    return wire;
}

CWire* Sheet::Wire(CSymbol* symbol, const char* pin, const char* net) {
    return Attach(new CWire, symbol, pin, net);
}

CWire* Sheet::Bus(CSymbol* symbol, const char* pin, const char* net) {
    return Attach(new CBus, symbol, pin, net);
}

void Sheet::WireInPairs(CSymbol* symbol) {
    for (POSITION pos = symbol->GetPins().GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(symbol->GetPins().GetNext(pos));
        const std::string net = "N" + std::to_string(m_pairedPins++ / 2);
        Wire(symbol, pin->GetAttr("_ID"), net.c_str())->GetNet()->SetFlags(kNetNamed, kNetNamed);
    }
}

std::unique_ptr<CDrawDoc> ScriptedOpener::OpenSheet(const CString& path) {
    ++opened[path.str()];
    auto it = m_fills.find(path.str());
    if (it == m_fills.end())
        return nullptr;
    Sheet sheet(path);
    it->second(sheet);
    return sheet.Release();
}

}  // namespace nltest

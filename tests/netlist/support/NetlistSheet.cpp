#include "netlist/support/NetlistSheet.h"

#include <gtest/gtest.h>

#include "model/device/Device.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "support/TestSupport.h"

namespace nltest {

CDevice* MakeDevice(const char* name, const char* symbol, std::initializer_list<GateMap> gates,
                    const char* footprint) {
    auto* device = new CDevice(name);
    std::string map;
    for (const GateMap& gate : gates) {
        if (!map.empty())
            map += '\n';
        map += std::string(symbol) + '\x01' + gate.gate;
        std::string pins(gate.pins);
        for (char& ch : pins) {
            if (ch == '=' || ch == ';')
                ch = '\x01';
        }
        map += '\x01' + pins;
    }
    EXPECT_TRUE(device->SetAttr("_Map", map.c_str(), TRUE));
    if (*footprint)
        device->SetAttr("_Footprint", footprint, TRUE);
    return device;
}

Sheet::Sheet(const char* path) : m_owned(std::make_unique<CDrawDoc>()), doc(*m_owned) {
    doc.SetPathName(path, FALSE);
}

CSymbol* Sheet::Add(const char* id, DWORD kind, std::initializer_list<const char*> pins,
                    CDevice* device, const char* name) {
    auto* symbol = new CSymbol();
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
    symbol->RecalcBounds(nullptr);
    doc.GetObjects().AddTail(symbol);
    return symbol;
}

CSymbol* Sheet::Block(const char* id, const char* file, std::initializer_list<const char*> pins) {
    CSymbol* block = Add(id, kSymbolSubCircuit, pins);
    block->SetAttr("_Subcct", file, kSetAttrForce);
    return block;
}

CNet* Sheet::NetNamed(const char* name) {
    CNet*& net = m_nets[name];
    if (!net) {
        net = new CNet(name);
        net->SetFlags(kNetNamed, kNetNamed);
    }
    return net;
}

CWire* Sheet::Attach(CWire* wire, CSymbol* symbol, const char* pin, const char* net) {
    CPin* start = symbol->FindPin(pin);
    EXPECT_NE(start, nullptr) << pin;
    const CPoint hot = start->GetConnectPoint();
    wire->AddPoint(hot);
    wire->AddPoint(CPoint(hot.x, hot.y - 100));
    wire->SetDocument(&doc);
    CNet* own = NetNamed(net);
    own->AddRef();
    if (CNet* old = wire->SetNet(own))
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

std::unique_ptr<CDrawDoc> ScriptedOpener::OpenSheet(const CString& path) {
    ++opened[path.str()];
    auto it = m_makers.find(path.str());
    if (it == m_makers.end())
        return nullptr;
    Sheet sheet(path);
    it->second(sheet);
    return sheet.Release();
}

int ScriptedReportUi::ChooseReport(const CNetlistFormatList& formats, CDocNetlist& /*walker*/,
                                   CString& path, BOOL& toScreen) {
    proposed = path;
    formatsShown = static_cast<int>(formats.size());
    if (choice >= 0) {
        path = file;
        toScreen = screen;
    }
    return choice;
}

std::streambuf* ScriptedReportUi::NewOutputWindow() {
    return windowFails ? nullptr : &window;
}

std::string DataFile(const std::string& name) {
    return testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) + "/tests/netlist/data/" + name);
}

}  // namespace nltest

#pragma once
// A document for the net tests: wires and buses placed straight into its list, symbols with
// pins, and a scripted "Nets Shorted" chooser.

#include <initializer_list>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/NetChooser.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"

namespace nettest {

// Answers with the net named in the script (null: cancel) and records the names it was shown.
class ScriptedChooser : public INetChooser {
public:
    ScriptedChooser() : m_previous(SetNetChooser(this)) {}
    ~ScriptedChooser() override { SetNetChooser(m_previous); }
    ScriptedChooser(const ScriptedChooser&) = delete;
    ScriptedChooser& operator=(const ScriptedChooser&) = delete;

    CNet* ChooseNet(const std::vector<CNet*>& nets) override {
        std::vector<CString> names;
        for (CNet* net : nets)
            names.push_back(net->GetName());
        shown.push_back(names);
        for (CNet* net : nets) {
            if (net->GetName() == answer)
                return net;
        }
        return nullptr;
    }

    CString answer;  // empty: cancel
    std::vector<std::vector<CString>> shown;

private:
    INetChooser* m_previous;
};

class NetSheet {
public:
    // A wire through the points, in the document's list, with a net of its own when named is
    // given (flag named marks it user-named).
    template <class T = CWire>
    T* Place(std::initializer_list<CPoint> points, const char* net = nullptr, bool named = false) {
        auto* wire = new T;
        for (const CPoint& point : points)
            wire->AddPoint(point);
        wire->SetDocument(&doc);
        if (net) {
            auto* own = new CNet(net);
            if (named)
                own->SetFlags(kNetNamed, kNetNamed);
            Give(wire, own);
        }
        doc.GetObjects().AddTail(wire);
        return wire;
    }
    static void Give(CWire* wire, CNet* net) {
        net->AddRef();
        if (CNet* old = wire->SetNet(net))
            old->Release();
    }
    // A symbol with one pin whose hot end lies at hot, of the kind given.
    CSymbol* PlaceSymbol(CPoint hot, const char* pinId, DWORD kind = 0) {
        auto* symbol = new CSymbol();
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(hot.x - 100, hot.y), hot);
        pin->SetAttr("_ID", pinId, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
        symbol->SetFlags(kind, kSymbolKindMask);
        symbol->SetDocument(&doc);
        symbol->RecalcBounds(nullptr);
        doc.GetObjects().AddTail(symbol);
        return symbol;
    }
    static CPin* PinOf(CSymbol* symbol) { return static_cast<CPin*>(symbol->GetPins().GetHead()); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

}  // namespace nettest

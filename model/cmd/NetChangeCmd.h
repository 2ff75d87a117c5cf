#pragma once
// CNetChangeCmd: gives wires other nets ("net change"). Each entry keeps a wire and the net
// that is not the wire's at present; doing and undoing exchange the two. The pins of net
// connectors at the wires' ends take the name of the net they now stand on, and get their own
// name back with the exchange. The texts showing the nets get their rectangles back too.

#include <vector>

#include "model/cmd/AttrTextPlaces.h"
#include "model/cmd/Ref.h"
#include "model/net/Net.h"
#include "model/undo/Command.h"
#include "platform/CString.h"

class CPin;
class CWire;

class CNetChangeCmd : public CCommand {
public:
    // Each wire of the list is to carry net; the command holds a reference to it.
    CNetChangeCmd(const std::vector<CWire*>& wires, CNet* net);

    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override { return Do(doc); }
    // The wires, and the net connectors whose pins take other names.
    BOOL GetChangedObjects(std::vector<CDrawObj*>& objects) const override;
    const char* GetName() const override { return "net change"; }

private:
    struct PinName {
        CPin* pin;
        CString name;
    };
    struct Entry {
        CWire* wire;
        Ref<CNet> net;
        std::vector<PinName> pins;
    };

    void ExchangeNets();

    std::vector<Entry> m_entries;
    AttrTextPlaces m_texts;
};

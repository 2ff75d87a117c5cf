#pragma once
// CNetPropCmd: an edit of a net's attributes or name ("net properties"). It keeps a copy of
// the attributes and the name taken when it is made; doing and undoing exchange the copy with
// the net's own.

#include "model/cmd/Ref.h"
#include "model/net/Net.h"
#include "model/undo/Command.h"

class CNetPropCmd : public CCommand {
public:
    explicit CNetPropCmd(CNet* net) : m_net(net), m_kept(*net) {}

    BOOL Do(CDrawDoc*) override {
        m_net->ExchangeAttributes(m_kept);
        return TRUE;
    }
    BOOL Undo(CDrawDoc* doc) override { return Do(doc); }
    const char* GetName() const override { return "net properties"; }

private:
    Ref<CNet> m_net;
    CNet m_kept;
};

#pragma once
// CNetPropCmd: an edit of a net's attributes or name ("net properties"). It keeps a copy of
// the attributes, the name and the named state taken when it is made; doing and undoing
// exchange the copy with the net's own, and the texts of the document's objects carrying the net
// show the values they then have. The objects carrying the net are what it changes: those found
// the last time it was done or undone, or, for an edit recorded already done, those its maker
// names. The texts showing the net get their rectangles back with each exchange.

#include <optional>
#include <vector>

#include "model/cmd/AttrTextPlaces.h"
#include "model/cmd/Ref.h"
#include "model/net/Net.h"
#include "model/undo/Command.h"

class CNetPropCmd : public CCommand {
public:
    // name: the label, when the edit is one of another name ("property edit").
    explicit CNetPropCmd(CNet* net, const char* name = "net properties")
        : m_net(net), m_kept(*net), m_name(name) {}

    BOOL Do(CDrawDoc* doc) override;
    // Whether the net's attributes, name or named state differ from the copy.
    bool HasChanged() const;
    BOOL Undo(CDrawDoc* doc) override { return Do(doc); }
    // For an edit to be made after the command and recorded done: the places the texts of the
    // document's objects carrying the net have before it, which undo gives back.
    void KeepTextPlaces(CDrawDoc* doc) { m_texts.Keep(HoldersIn(doc)); }
    // The objects of the document that carry the net, for an edit made before the command.
    void SetHolders(std::vector<CDrawObj*> holders) { m_holders = std::move(holders); }
    // FALSE while the objects carrying the net are not known.
    BOOL GetChangedObjects(std::vector<CDrawObj*>& objects) const override;
    const char* GetName() const override { return m_name; }

private:
    std::vector<CDrawObj*> HoldersIn(CDrawDoc* doc) const;

    Ref<CNet> m_net;
    CNet m_kept;
    const char* m_name;
    std::optional<std::vector<CDrawObj*>> m_holders;
    AttrTextPlaces m_texts;
};

// The document's nets: the look-up by name, the joining of the nets of every wire group, the
// automatic names given after loading, and the nets of objects entering the document.

#include <cctype>
#include <unordered_set>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/object/StdAttrNames.h"

namespace {

// "n" and digits: a name that MakeUniqueName makes.
bool IsAutomaticName(const CString& name) {
    if (name.GetLength() < 2 || name[0] != 'n')
        return false;
    for (int i = 1; i < name.GetLength(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

// The wires and buses joined to the wire: through start and end objects that are wires and
// through every junction. Buses are gathered but not walked through.
void GatherGroup(CWire* first, std::unordered_set<const CDrawObj*>& gathered) {
    std::vector<CWire*> stack{first};
    while (!stack.empty()) {
        CWire* wire = stack.back();
        stack.pop_back();
        if (!gathered.insert(wire).second || wire->GetObjType() == kObjBus)
            continue;
        const auto push = [&stack, &gathered](CObject* object) {
            auto* next = DYNAMIC_DOWNCAST(CWire, object);
            if (next && !gathered.contains(next))
                stack.push_back(next);
        };
        push(wire->GetStartObject());
        push(wire->GetEndObject());
        const CObList& junctions = wire->GetJunctions();
        for (POSITION pos = junctions.GetHeadPosition(); pos;)
            push(junctions.GetNext(pos));
    }
}

}  // namespace

CNet* CDrawDoc::FindNet(const char* name) const {
    if (!name)
        return nullptr;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CNet* net = static_cast<CDrawObj*>(m_objects.GetNext(pos))->GetNet();
        if (net && net->GetName() == name)
            return net;
    }
    return nullptr;
}

// Each group is joined once, from its first wire or bus in list order. The groups are found
// with a set of their own, so no flag bit of the objects is used.
BOOL CDrawDoc::JoinNets() {
    std::unordered_set<const CDrawObj*> joined;
    std::vector<CWire*> wires;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(m_objects.GetNext(pos));
        if (object->GetObjType() == kObjWire || object->GetObjType() == kObjBus) {
            if (auto* wire = DYNAMIC_DOWNCAST(CWire, object))
                wires.push_back(wire);
        }
    }
    BOOL result = TRUE;
    for (CWire* wire : wires) {
        if (joined.contains(wire))
            continue;
        GatherGroup(wire, joined);
        result = wire->JoinNets();
        if (!result)
            break;
    }
    return result;
}

CDrawDoc::NetNameScope::NetNameScope(CDrawDoc& doc) : m_doc(doc), m_owner(!doc.m_inNetNameScope) {
    m_doc.m_inNetNameScope = true;
}

CDrawDoc::NetNameScope::~NetNameScope() {
    if (!m_owner)
        return;
    m_doc.m_inNetNameScope = false;
    m_doc.m_netNames.reset();
}

std::unordered_set<std::string>* CDrawDoc::GatheredNetNames() {
    if (!m_inNetNameScope || m_netNames)
        return m_netNames.get();
    m_netNames = std::make_unique<std::unordered_set<std::string>>();
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        if (const CNet* net = static_cast<CDrawObj*>(m_objects.GetNext(pos))->GetNet())
            m_netNames->insert(net->GetName().str());
    }
    return m_netNames.get();
}

// The gathered names include the net's own; a hit is checked against the objects.
BOOL CDrawDoc::IsNetNameInUse(const CString& name, const CNet* except) {
    if (const auto* names = GatheredNetNames(); names && !names->contains(name.str()))
        return FALSE;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        const CNet* net = static_cast<CDrawObj*>(m_objects.GetNext(pos))->GetNet();
        if (net && net != except && net->GetName() == name)
            return TRUE;
    }
    return FALSE;
}

void CDrawDoc::NoteNetName(const CString& name) {
    if (auto* names = GatheredNetNames())
        names->insert(name.str());
}

// The texts of the nets named are refreshed in one pass afterwards, which keeps a sheet of many
// unnamed nets linear.
void CDrawDoc::NameUnnamedNets() {
    NetNameScope scope(*this);
    std::unordered_set<const CNet*> named;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CNet* net = static_cast<CDrawObj*>(m_objects.GetNext(pos))->GetNet();
        if (net && net->GetName().IsEmpty()) {
            net->MakeUniqueName(this, FALSE);
            named.insert(net);
        }
    }
    if (named.empty())
        return;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(m_objects.GetNext(pos));
        if (named.contains(object->GetNet()))
            object->RefreshAttrTexts(GetStdAttrName(kStdAttrId));
    }
}

CNet* CDrawDoc::AdoptNet(CDrawObj* object) {
    auto* wire = DYNAMIC_DOWNCAST(CWire, object);
    CNet* incoming = wire ? wire->GetNet() : nullptr;
    if (!incoming || incoming->GetName().IsEmpty())
        return nullptr;
    CNet* existing = FindNet(incoming->GetName());
    if (!existing || existing == incoming)
        return nullptr;
    if (!(incoming->GetFlags() & kNetNamed) && IsAutomaticName(incoming->GetName())) {
        incoming->MakeUniqueName(this);
        return incoming;
    }
    existing->AddRef();
    wire->SetNet(existing);
    incoming->Release();
    return nullptr;
}

#include "model/cmd/NetPropCmd.h"

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"

BOOL CNetPropCmd::Do(CDrawDoc* doc) {
    m_holders.reset();
    if (!doc) {
        m_net->ExchangeAttributes(m_kept);
        return TRUE;
    }
    m_holders = HoldersIn(doc);
    m_texts.Exchange(*m_holders, [this] {
        m_net->ExchangeAttributes(m_kept);
        for (CDrawObj* holder : *m_holders)
            holder->RefreshAttrTexts(nullptr);
        return true;
    });
    return TRUE;
}

std::vector<CDrawObj*> CNetPropCmd::HoldersIn(CDrawDoc* doc) const {
    std::vector<CDrawObj*> holders;
    if (!doc)
        return holders;
    const CObList& objects = doc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetNet() == m_net.Get())
            holders.push_back(object);
    }
    return holders;
}

BOOL CNetPropCmd::GetChangedObjects(std::vector<CDrawObj*>& objects) const {
    if (!m_holders)
        return FALSE;
    objects.insert(objects.end(), m_holders->begin(), m_holders->end());
    return TRUE;
}

bool CNetPropCmd::HasChanged() const {
    const CNet& net = *m_net.Get();
    if (net.GetName() != m_kept.GetName() || net.GetFlags() != m_kept.GetFlags() ||
        net.GetAttrCount() != m_kept.GetAttrCount())
        return true;
    for (int i = 1; i < net.GetAttrCount(); ++i) {
        CString name;
        CString value;
        CString kept;
        net.GetAttrAt(i, name, value);
        if (!m_kept.LookupAttr(name, kept) || kept != value)
            return true;
    }
    return false;
}

#pragma once
// Texts bound to a document's attributes enter its text list as they are read; a load that
// fails puts the list back as it was, so that it names none of the deleted objects.

#include "model/doc/DrawDoc.h"
#include "platform/ObList.h"

class AttrTextListGuard {
public:
    // Without a document there is no list to put back.
    explicit AttrTextListGuard(CDrawDoc* doc) : m_list(doc ? doc->GetAttrTextList() : nullptr) {
        if (m_list)
            m_saved.AddTail(m_list);
    }
    AttrTextListGuard(const AttrTextListGuard&) = delete;
    AttrTextListGuard& operator=(const AttrTextListGuard&) = delete;

    void Restore() {
        if (!m_list)
            return;
        m_list->RemoveAll();
        m_list->AddTail(&m_saved);
    }

private:
    CObList* m_list;
    CObList m_saved;
};

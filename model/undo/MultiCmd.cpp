#include "model/undo/MultiCmd.h"

IMPLEMENT_DYNAMIC(CMultiCmd, CCommand)

void CMultiCmd::Append(CCommand* command) {
    if (command)
        m_commands.emplace_back(command);
}

BOOL CMultiCmd::Do(CDrawDoc* doc) {
    for (auto it = m_commands.begin(); it != m_commands.end(); ++it) {
        if (!(*it)->Do(doc)) {
            while (it != m_commands.begin())
                (*--it)->Undo(doc);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CMultiCmd::GetChangedObjects(std::vector<CDrawObj*>& objects) const {
    for (const auto& command : m_commands) {
        if (!command->GetChangedObjects(objects))
            return FALSE;
    }
    return TRUE;
}

BOOL CMultiCmd::Undo(CDrawDoc* doc) {
    for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it) {
        if (!(*it)->Undo(doc)) {
            while (it != m_commands.rbegin())
                (*--it)->Do(doc);
            return FALSE;
        }
    }
    return TRUE;
}

#include "model/doc/DocChangeLog.h"

#include "model/object/DrawObj.h"
#include "platform/Prefetch.h"

void CDocChangeLog::Note(const std::vector<CDrawObj*>& objects) {
    if (objects.size() > kMostNamed)
        return NoteUnknown();
    Change change{true, {}};
    change.objects.reserve(objects.size());
    // The objects may lie apart: each is asked for a few objects before its type is read.
    constexpr std::size_t kFetchLead = 8;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (i + kFetchLead < objects.size())
            FetchLine(objects[i + kFetchLead]);
        change.objects.push_back({objects[i], objects[i]->GetObjType()});
    }
    Append(std::move(change));
}

void CDocChangeLog::NoteUnknown() {
    Append({false, {}});
}

void CDocChangeLog::Append(Change change) {
    m_changes.push_back(std::move(change));
    if (m_changes.size() > kKept)
        m_changes.pop_front();
    ++m_count;
}

bool CDocChangeLog::ObjectsSince(std::uint64_t seen, std::vector<Object>& objects) const {
    if (seen > m_count || m_count - seen > m_changes.size())
        return false;
    for (auto change = m_changes.end() - static_cast<std::ptrdiff_t>(m_count - seen);
         change != m_changes.end(); ++change) {
        if (!change->known)
            return false;
        objects.insert(objects.end(), change->objects.begin(), change->objects.end());
    }
    return true;
}

#include "library/DesignTreeNetNames.h"

#include <string_view>

#include "model/app/NameList.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/object/DrawObj.h"

void ForEachNetName(const CString& name, const std::function<void(const CString&)>& visit) {
    const std::string_view plain(name.str());
    if (!plain.empty() && plain.find_first_of(",[( \t") == std::string_view::npos) {
        visit(name);
        return;
    }
    CStringArray names;
    ExpandNameList(names, name);
    if (names.GetSize() == 0)
        visit(name);
    for (int i = 0; i < names.GetSize(); ++i)
        visit(names[i]);
}

void CDesignTreeNetNames::Gather(CDrawDoc* doc, const std::function<void(const CString&)>& visit) {
    m_carriers.clear();
    m_carried.clear();
    const CObList& objects = doc->GetObjects();
    // Room for every object, so that neither table is rebuilt as it fills.
    m_carriers.reserve(static_cast<std::size_t>(objects.GetCount()));
    m_carried.reserve(static_cast<std::size_t>(objects.GetCount()));
    // The objects lie apart in memory: each is asked for a few places ahead of the walk.
    constexpr int kFetchLead = 8;
    CListFetchAhead ahead(objects, kFetchLead);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        ahead.Step();
        const auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        const CNet* net = object->GetNet();
        if (!net)
            continue;
        m_carried.emplace(object, net->GetName());
        ForEachNetName(net->GetName(), [&](const CString& name) {
            if (++m_carriers[name.str()] == 1)
                visit(name);
        });
    }
}

std::vector<CDesignTreeNetNames::Change> CDesignTreeNetNames::Follow(
    const std::vector<Changed>& changed) {
    std::unordered_map<std::string, int> before;  // the counts of the names met, before
    for (const auto& [object, now] : changed) {
        const auto was = m_carried.find(object);
        const CNet* net = now ? now->GetNet() : nullptr;
        if (was != m_carried.end() && net && was->second == net->GetName())
            continue;
        if (was != m_carried.end()) {
            Count(was->second, -1, before);
            m_carried.erase(was);
        }
        if (net) {
            Count(net->GetName(), 1, before);
            m_carried.emplace(object, net->GetName());
        }
    }
    std::vector<Change> changes;
    changes.reserve(before.size());
    for (const auto& [name, count] : before) {
        const auto now = m_carriers.find(name);
        const bool shown = now->second > 0;
        if (!shown)
            m_carriers.erase(now);
        changes.push_back({CString(name), count > 0, shown});
    }
    return changes;
}

void CDesignTreeNetNames::Count(const CString& carried, int delta,
                                std::unordered_map<std::string, int>& before) {
    ForEachNetName(carried, [&](const CString& name) {
        int& count = m_carriers[name.str()];
        before.try_emplace(name.str(), count);
        count += delta;
    });
}

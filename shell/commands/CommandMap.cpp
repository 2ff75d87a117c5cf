#include "shell/commands/CommandMap.h"

#include <algorithm>

void CommandMap::On(UINT id, Handler handler, UpdateHandler update) {
    Add({id, id, [h = std::move(handler)](UINT) { h(); }, std::move(update)});
}

void CommandMap::Precede(const std::function<bool(UINT first)>& runsFirst, const Handler& first) {
    for (Entry& entry : m_entries) {
        if (!entry.handler || !runsFirst(entry.first))
            continue;
        entry.handler = [first, handler = std::move(entry.handler)](UINT id) {
            first();
            handler(id);
        };
    }
}

void CommandMap::OnRange(UINT first, UINT last, RangeHandler handler, UpdateHandler update) {
    Add({first, last, std::move(handler), std::move(update)});
}

void CommandMap::OnUpdate(UINT id, UpdateHandler update) {
    Add({id, id, {}, std::move(update)});
}

const CommandMap::Entry* CommandMap::Find(UINT id) const {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [id](const Entry& e) { return id >= e.first && id <= e.last; });
    return it == m_entries.end() ? nullptr : &*it;
}

void CommandMap::Add(Entry entry) {
    std::erase_if(m_entries,
                  [&](const Entry& e) { return e.first == entry.first && e.last == entry.last; });
    m_entries.push_back(std::move(entry));
}

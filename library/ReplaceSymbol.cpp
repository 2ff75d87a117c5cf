#include "library/ReplaceSymbol.h"

#include <algorithm>
#include <map>

#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "model/device/Device.h"
#include "model/device/PinMap.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "platform/UserPrompt.h"

bool PinNameBefore(const CString& a, const CString& b) {
    const int folded = a.CompareNoCase(b);
    return folded != 0 ? folded < 0 : a.Compare(b) < 0;
}

CPinPairing::CPinPairing(std::vector<CString> oldPins, const std::vector<CString>& newPins)
    : m_old(std::move(oldPins)) {
    std::stable_sort(m_old.begin(), m_old.end(), PinNameBefore);
    const size_t count = m_old.size();
    m_new.assign(count, CString());
    m_pair.assign(count, -1);
    std::vector<CString> unmatched;
    for (const CString& name : newPins) {
        const auto same = std::find(m_old.begin(), m_old.end(), name);
        const auto row = static_cast<size_t>(same - m_old.begin());
        if (same != m_old.end() && m_pair[row] < 0)
            m_pair[row] = static_cast<int>(row);
        else
            unmatched.push_back(name);
    }
    std::stable_sort(unmatched.begin(), unmatched.end(), PinNameBefore);
    size_t next = 0;
    for (size_t row = 0; row < count; ++row) {
        if (m_pair[row] == static_cast<int>(row))
            m_new[row] = m_old[row];
        else
            m_new[row] = next < unmatched.size() ? unmatched[next++] : CString();
        m_pair[row] = static_cast<int>(row);
    }
}

void CPinPairing::Pair(int row, int replacementRow) {
    const int old = m_pair[row];
    for (int& pair : m_pair) {
        if (pair == replacementRow)
            pair = old;
    }
    m_pair[row] = replacementRow;
}

void CPinPairing::Reorder() {
    m_new = NewNames();
    for (size_t row = 0; row < m_pair.size(); ++row)
        m_pair[row] = static_cast<int>(row);
}

std::vector<CString> CPinPairing::NewNames() const {
    std::vector<CString> names;
    for (int pair : m_pair)
        names.push_back(m_new[pair]);
    return names;
}

int RewriteDeviceMap(CDevice& device, const CString& oldSymbol, const CString& newSymbol,
                     const std::vector<CString>& oldPins, const std::vector<CString>& newPins) {
    CPinMap map;
    if (!map.Parse(device.GetAttr("_Map").str()))
        return 0;
    std::map<std::string, std::string> renamed;
    for (size_t i = 0; i < oldPins.size() && i < newPins.size(); ++i)
        renamed[oldPins[i].str()] = newPins[i].str();
    int changed = 0;
    for (CPinMapLine& line : map.Lines()) {
        if (line.symbol != oldSymbol.str() || line.pairs.size() != oldPins.size())
            continue;
        const bool allOld = std::all_of(line.pairs.begin(), line.pairs.end(), [&](const auto& p) {
            return renamed.count(std::string(p.name)) != 0;
        });
        if (!allOld)
            continue;
        for (CPinMapPair& pair : line.pairs)
            pair.name = map.Keep(renamed[std::string(pair.name)]);
        line.symbol = map.Keep(newSymbol.str());
        ++changed;
    }
    if (changed == 0)
        return 0;
    map.Sort();
    const std::string text = map.Format();
    if (!device.SetAttr("_Map", text.c_str(), FALSE) || device.GetAttr("_Map") != text)
        return 0;
    return changed;
}

namespace {

// The device as a record's data: a count of one, then the device.
std::vector<BYTE> Archived(CDevice& device) {
    CMemFile data;
    CArchive ar(&data, CArchive::store);
    ar.WriteCount(1);
    ar.WriteObject(&device);
    ar.Close();
    return data.GetBytes();
}

}  // namespace

ReplaceSymbolCount ReplaceSymbolInDevices(CLibraryFile& library, const CString& oldSymbol,
                                          const CString& newSymbol,
                                          const std::vector<CString>& oldPins,
                                          const std::vector<CString>& newPins) {
    ReplaceSymbolCount count;
    // Rewritten records move to the end, where behind damaged records they could not be read.
    if (!library.AllItemsReadableOrReport())
        return count;
    // Rewritten records move to the end; the walk ends before them.
    int left = library.GetItemCount();
    for (int index = 0; left > 0; --left) {
        CLibraryItem record;
        CObList objects;
        if (!library.SeekToItem(index, record))
            break;
        // A damaged device record is told and passed over like a truncated one.
        if (record.m_type != kItemDevice ||
            library.ReadItemObjectsOrReport(nullptr, record, objects) != ItemObjectsRead::kRead) {
            ++index;
            continue;
        }
        auto* device =
            objects.GetCount() == 1 ? dynamic_cast<CDevice*>(objects.GetHead()) : nullptr;
        const bool changed =
            device && RewriteDeviceMap(*device, oldSymbol, newSymbol, oldPins, newPins) > 0;
        if (changed) {
            ++count.found;
            CMemFile data(Archived(*device));
            CLibraryItem entry(record.m_name, record.m_description, kItemDevice);
            if (!library.ReplaceItem(index, entry, data, static_cast<UINT>(data.GetLength()))) {
                AfxMessageBox("Failed to add device", MB_ICONEXCLAMATION);
                while (!objects.IsEmpty())
                    delete objects.RemoveHead();
                break;
            }
            ++count.modified;
        } else {
            ++index;
        }
        while (!objects.IsEmpty())
            delete objects.RemoveHead();
    }
    return count;
}

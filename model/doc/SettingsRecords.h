#pragma once
// Drawing records (LOGFONT, LOGPEN, LOGBRUSH, SIZE, RECT) kept as binary setting values, in
// their stored 32-bit little-endian layout.

#include <utility>
#include <vector>

#include "platform/Archive.h"
#include "platform/GdiArchive.h"
#include "platform/MemFile.h"
#include "platform/SettingsStore.h"

namespace settingsrecords {

// Reads the record only from a value of exactly its stored size; else leaves it and answers
// false.
template <class Record>
bool Read(const SettingsStore& store, const char* section, const char* entry, UINT size,
          Record& record) {
    std::vector<BYTE> bytes;
    if (!store.GetProfileBinary(section, entry, bytes) || bytes.size() != size)
        return false;
    CMemFile file(std::move(bytes));
    CArchive ar(&file, CArchive::load);
    ar >> record;
    return true;
}

template <class Record>
void Write(SettingsStore& store, const char* section, const char* entry, const Record& record) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar << record;
    ar.Close();
    const std::vector<BYTE> bytes = file.Detach();
    store.WriteProfileBinary(section, entry, bytes.data(), static_cast<UINT>(bytes.size()));
}

}  // namespace settingsrecords

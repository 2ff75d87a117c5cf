// Changes that reshape a library: removing, replacing, renaming and re-describing records and
// changing the description. Each writes the changed library as a whole beside the old one and
// then puts it in the old one's place.

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "library/LibraryFile.h"
#include "library/LibraryFormat.h"
#include "platform/FileReplacement.h"
#include "platform/MemFile.h"
#include "platform/UserPrompt.h"

namespace {

constexpr UINT kImageGrowBytes = 4096;
constexpr UINT kCopyBlockSize = 256;

}  // namespace

void CLibraryFile::CopyRange(std::uint64_t begin, std::uint64_t end, CFile& target) {
    m_file->Seek(static_cast<std::int64_t>(begin), CFile::begin);
    BYTE buffer[kCopyBlockSize];
    for (std::uint64_t left = end > begin ? end - begin : 0; left > 0;) {
        const auto want = static_cast<UINT>(std::min<std::uint64_t>(left, kCopyBlockSize));
        const UINT got = m_file->Read(buffer, want);
        target.Write(buffer, got);
        if (got < want)
            throw CFileException(CFileException::hardIO, 0, GetFilePath());
        left -= got;
    }
}

CLibraryFile::Span CLibraryFile::RecordSpan(const CLibraryItem& item) const {
    const std::uint64_t begin = item.m_position;
    const std::uint64_t length = std::uint64_t{kRecordHeaderSize} + item.m_name.GetLength() +
                                 item.m_description.GetLength() + item.m_dataLength;
    return {begin, std::min(begin + length, m_file->GetLength())};
}

BOOL CLibraryFile::Rewrite(const CString& description, int count, const std::vector<Span>& removed,
                           const NewRecord* added) {
    // Behind damaged records the new one could never be read again.
    if (added && !RecordsReachFileEnd())
        return FALSE;
    std::unique_ptr<CFileReplacement> replacement;
    std::unique_ptr<CMemFile> memory;
    const CString path = GetFilePath();
    if (path.IsEmpty()) {
        memory = std::make_unique<CMemFile>(kImageGrowBytes);
    } else {
        try {
            replacement = std::make_unique<CFileReplacement>(path);
        } catch (const CFileException&) {
            return FALSE;  // write-protected by now, or its folder takes no new file
        }
    }
    CFile& target = memory ? static_cast<CFile&>(*memory) : replacement->File();

    WriteHeaderTo(target, description, count);
    std::uint64_t from = kFileHeaderSize + static_cast<std::uint64_t>(m_description.GetLength());
    for (const Span& span : removed) {
        CopyRange(from, span.begin, target);
        from = span.end;
    }
    CopyRange(from, m_file->GetLength(), target);
    if (added) {
        added->source->Seek(static_cast<std::int64_t>(added->dataOffset), CFile::begin);
        if (!WriteRecordTo(target, *added->item, *added->source, added->length))
            return FALSE;
    }
    if (memory)
        m_file = std::move(memory);
    else
        m_file = replacement->Commit();
    m_description = description;
    m_itemCount = count;
    return TRUE;
}

BOOL CLibraryFile::RemoveItem(int index) {
    CLibraryItem item;
    if (!m_writable || !SeekToItem(index, item))
        return FALSE;
    return Rewrite(m_description, m_itemCount - 1, {RecordSpan(item)}, nullptr);
}

BOOL CLibraryFile::ReplaceItem(int index, CLibraryItem& item, CFile& source, UINT length) {
    const std::uint64_t dataOffset = source.GetPosition();
    CLibraryItem old;
    if (!m_writable || !SeekToItem(index, old))
        return FALSE;
    const NewRecord added{&item, &source, dataOffset, length};
    return Rewrite(m_description, m_itemCount, {RecordSpan(old)}, &added);
}

BOOL CLibraryFile::SetDescription(const CString& text) {
    if (text.IsEmpty() || !m_writable || !ReadHeader())
        return FALSE;
    return Rewrite(text, m_itemCount, {}, nullptr);
}

int CLibraryFile::UpdateItem(int index, const CLibraryItem& entry, UINT flags) {
    if (!(flags & (kUpdateName | kUpdateDescription | kUpdateType)))
        return 0;
    int replaced = kItemNotFound;
    if (flags & kUpdateName) {
        CLibraryItem other;
        const int found = FindItem(other, entry.m_name);
        if (found != kItemNotFound && found != index) {
            if (flags & kUpdateNoPrompt)
                return 4;
            if (AfxMessageBox(ReplaceQuestion(entry.m_name), MB_YESNO | MB_ICONQUESTION) != IDYES)
                return 0;
            replaced = found;
        }
    }
    CLibraryItem record;
    if (!m_writable || !SeekToItem(index, record))
        return 0;
    const std::uint64_t dataOffset = m_file->GetPosition();
    CLibraryItem updated(record);
    if (flags & kUpdateName)
        updated.m_name = entry.m_name;
    if (flags & kUpdateDescription)
        updated.m_description = entry.m_description;
    if (flags & kUpdateType)
        updated.m_type = entry.m_type;
    if (updated.m_name == record.m_name && updated.m_description == record.m_description &&
        updated.m_type == record.m_type)
        return 1;
    std::vector<Span> removed{RecordSpan(record)};
    if (replaced != kItemNotFound) {
        CLibraryItem other;
        if (!WalkTo(replaced, other))
            return 0;
        removed.push_back(RecordSpan(other));
        std::sort(removed.begin(), removed.end(),
                  [](const Span& a, const Span& b) { return a.begin < b.begin; });
    }
    const int count = m_itemCount - static_cast<int>(removed.size()) + 1;
    const NewRecord added{&updated, m_file.get(), dataOffset,
                          static_cast<UINT>(record.m_dataLength)};
    return Rewrite(m_description, count, removed, &added) ? 1 : 0;
}

BOOL CLibraryFile::CopyToImage(CLibraryFile& image) {
    if (!m_file)
        return FALSE;
    const std::uint64_t length = m_file->GetLength();
    if (length > UINT_MAX)
        return FALSE;
    std::vector<BYTE> bytes(static_cast<size_t>(length));
    m_file->SeekToBegin();
    if (m_file->Read(bytes.data(), static_cast<UINT>(length)) != length)
        return FALSE;
    return image.OpenImage(std::move(bytes));
}

BOOL CLibraryFile::ReplaceContents(CLibraryFile& image) {
    const CString path = GetFilePath();
    if (!m_writable || path.IsEmpty() || !image.IsOpen() || !image.ReadHeader())
        return FALSE;
    std::unique_ptr<CFileReplacement> replacement;
    try {
        replacement = std::make_unique<CFileReplacement>(path);
    } catch (const CFileException&) {
        return FALSE;  // write-protected by now, or its folder takes no new file
    }
    image.CopyRange(0, image.m_file->GetLength(), replacement->File());
    m_file = replacement->Commit();
    m_description = image.m_description;
    m_itemCount = image.m_itemCount;
    return TRUE;
}

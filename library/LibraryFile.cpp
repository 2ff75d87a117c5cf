// Opening, creating and reading library files, and appending records.

#include "library/LibraryFile.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <optional>
#include <string>

#include "library/LibraryFormat.h"
#include "platform/DiskFile.h"
#include "platform/FileReplacement.h"
#include "platform/MemFile.h"
#include "platform/UserPrompt.h"

namespace {

// Bytes moved by one read of a copy or sum loop.
constexpr UINT kBlockSize = 256;
// Growth of a library image in memory.
constexpr UINT kImageGrowBytes = 4096;

bool ReadText(CFile& file, DWORD length, CString& text) {
    std::string bytes(length, '\0');
    if (file.Read(bytes.data(), length) != length)
        return false;
    text = CString(std::move(bytes));
    return true;
}

std::span<const BYTE> Bytes(const CString& text) {
    return {reinterpret_cast<const BYTE*>(text.c_str()), static_cast<size_t>(text.GetLength())};
}

// The byte sum of the next length bytes of source; none when fewer arrive. The source is
// left where it was.
std::optional<BYTE> DataSum(CFile& source, UINT length) {
    const std::uint64_t start = source.GetPosition();
    BYTE buffer[kBlockSize];
    BYTE sum = 0;
    for (UINT left = length; left > 0;) {
        const UINT want = std::min(left, kBlockSize);
        const UINT got = source.Read(buffer, want);
        sum = ByteSum({buffer, got}, sum);
        if (got < want) {
            source.Seek(static_cast<std::int64_t>(start), CFile::begin);
            return std::nullopt;
        }
        left -= got;
    }
    source.Seek(static_cast<std::int64_t>(start), CFile::begin);
    return sum;
}

// Copies count bytes from source to target; returns the bytes copied, fewer at the end of
// the source.
UINT CopyBlocks(CFile& source, CFile& target, UINT count) {
    BYTE buffer[kBlockSize];
    UINT done = 0;
    while (done < count) {
        const UINT want = std::min(count - done, kBlockSize);
        const UINT got = source.Read(buffer, want);
        target.Write(buffer, got);
        done += got;
        if (got < want)
            break;
    }
    return done;
}

int CreateFailure(CFileException::Cause cause) {
    return cause == CFileException::none ? CFileException::genericException : cause;
}

}  // namespace

CString DamagedLibraryText(const CString& library, int readable) {
    CString text;
    text.Format(
        "Error - the library %s is damaged after %d %s.\nThe items stored behind that point "
        "cannot be read.",
        library.c_str(), readable, readable == 1 ? "item" : "items");
    return text;
}

CLibraryFile::CLibraryFile() = default;

CLibraryFile::~CLibraryFile() = default;

void CLibraryFile::Attach(std::unique_ptr<CFile> file, bool writable) {
    m_file = std::move(file);
    m_writable = writable;
}

void CLibraryFile::Close() {
    m_file.reset();
    m_writable = false;
}

BOOL CLibraryFile::Open(const char* path, UINT flags) {
    Close();
    UINT mode = flags ? flags : CDiskFile::modeRead | CDiskFile::shareDenyWrite;
    const bool writable = (mode & (CDiskFile::modeWrite | CDiskFile::modeReadWrite)) != 0;
    if (writable && !(mode & (CDiskFile::shareExclusive | CDiskFile::shareDenyWrite)))
        mode |= CDiskFile::shareExclusive;
    try {
        auto file = std::make_unique<CDiskFile>();
        if (!file->Open(path, mode))
            return FALSE;
        Attach(std::move(file), writable);
        if (ReadHeader())
            return TRUE;
    } catch (const CFileException&) {
    }
    Close();
    return FALSE;
}

int CLibraryFile::Create(const char* path) {
    Close();
    m_description = kDefaultLibraryDescription;
    m_itemCount = 0;
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || std::filesystem::is_symlink(path, ec))
        return kCreateExists;
    try {
        CFileReplacement replacement(path);
        WriteHeaderTo(replacement.File(), m_description, m_itemCount);
        Attach(replacement.Commit(), true);
    } catch (const CFileException& e) {
        return CreateFailure(e.m_cause);
    }
    return kCreateDone;
}

void CLibraryFile::CreateImage(const CString& description) {
    Close();
    m_description = description;
    m_itemCount = 0;
    Attach(std::make_unique<CMemFile>(kImageGrowBytes), true);
    WriteHeader();
}

BOOL CLibraryFile::OpenImage(std::vector<BYTE> bytes) {
    Close();
    Attach(std::make_unique<CMemFile>(std::move(bytes), kImageGrowBytes), true);
    if (ReadHeader())
        return TRUE;
    Close();
    return FALSE;
}

std::vector<BYTE> CLibraryFile::DetachImage() {
    std::vector<BYTE> bytes;
    if (auto* memory = dynamic_cast<CMemFile*>(m_file.get()))
        bytes = memory->Detach();
    Close();
    return bytes;
}

CString CLibraryFile::GetFilePath() const {
    return m_file ? m_file->GetFilePath() : CString();
}

CString CLibraryFile::GetSourcePath() const {
    const CString path = GetFilePath();
    return path.IsEmpty() ? m_description : path;
}

CString CLibraryFile::ReplaceQuestion(const CString& name) const {
    const std::string fileName = std::filesystem::path(GetSourcePath().str()).filename().string();
    CString text;
    text.Format("The item %s already exists in library %s.\n\nDo you want to replace the item?",
                name.c_str(), fileName.c_str());
    return text;
}

void CLibraryFile::ReportUnreadableItem(const CString& name, const std::exception& cause) const {
    CString text;
    text.Format("Error - could not read item %s\nin library %s.\n\n%s", name.c_str(),
                GetSourcePath().c_str(), cause.what());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

// ---------------------------------------------------------------------------------------------
// Headers

BOOL CLibraryFile::ReadHeader() {
    if (!m_file)
        return FALSE;
    m_file->SeekToBegin();
    BYTE bytes[kFileHeaderSize];
    LibraryFileHeader header;
    if (m_file->Read(bytes, kFileHeaderSize) != kFileHeaderSize || !DecodeFileHeader(bytes, header))
        return FALSE;
    const std::uint64_t length = m_file->GetLength();
    if (header.headerLength <= kFileHeaderSize || header.headerLength > length)
        return FALSE;
    if (header.itemCount > (length - header.headerLength) / kMinRecordSize)
        return FALSE;
    CString description;
    if (!ReadText(*m_file, header.headerLength - kFileHeaderSize, description) ||
        FileHeaderSum(bytes, Bytes(description)) != header.sum)
        return FALSE;
    m_description = description;
    m_itemCount = static_cast<int>(header.itemCount);
    return TRUE;
}

BOOL CLibraryFile::WriteHeader() {
    WriteHeaderTo(*m_file, m_description, m_itemCount);
    return TRUE;
}

void CLibraryFile::WriteHeaderTo(CFile& target, const CString& description, int count) {
    LibraryFileHeader header;
    header.headerLength = kFileHeaderSize + static_cast<DWORD>(description.GetLength());
    header.itemCount = static_cast<DWORD>(count);
    BYTE bytes[kFileHeaderSize];
    EncodeFileHeader(header, bytes);
    header.sum = FileHeaderSum(bytes, Bytes(description));
    EncodeFileHeader(header, bytes);
    target.SeekToBegin();
    target.Write(bytes, kFileHeaderSize);
    target.Write(description.c_str(), static_cast<UINT>(description.GetLength()));
}

std::optional<std::uint64_t> CLibraryFile::ReadRecordAt(std::uint64_t position,
                                                        std::uint64_t fileLength,
                                                        CLibraryItem& item, bool texts) {
    item.m_position = static_cast<UINT>(std::min<std::uint64_t>(position, UINT_MAX));
    BYTE bytes[kRecordHeaderSize];
    LibraryRecordHeader header;
    if (position > UINT_MAX || m_file->Read(bytes, kRecordHeaderSize) != kRecordHeaderSize ||
        !DecodeRecordHeader(bytes, header))
        return std::nullopt;
    const std::uint64_t textLength = std::uint64_t{header.nameLength} + header.descriptionLength;
    if (kRecordHeaderSize + textLength > header.recordLength ||
        position + kRecordHeaderSize + textLength > fileLength)
        return std::nullopt;
    const std::uint64_t dataLength = header.recordLength - kRecordHeaderSize - textLength;
    if (dataLength > INT_MAX)
        return std::nullopt;
    if (texts) {
        CString both;
        if (!ReadText(*m_file, static_cast<DWORD>(textLength), both))
            return std::nullopt;
        item.m_name = both.Left(static_cast<int>(header.nameLength));
        item.m_description = both.Mid(static_cast<int>(header.nameLength));
    }
    item.m_type = header.type;
    item.m_dataLength = static_cast<int>(dataLength);
    return position + header.recordLength;
}

BOOL CLibraryFile::ReadItemHeader(CLibraryItem& item, BOOL skipData) {
    const std::uint64_t fileLength = m_file->GetLength();
    const std::optional<std::uint64_t> next =
        ReadRecordAt(m_file->GetPosition(), fileLength, item, true);
    if (!next || (skipData && *next > fileLength))
        return FALSE;
    if (skipData)
        m_file->Seek(static_cast<std::int64_t>(*next), CFile::begin);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Walking the records

BOOL CLibraryFile::WalkTo(int index, CLibraryItem& item) {
    if (index < 0 || index >= m_itemCount)
        return FALSE;
    const std::uint64_t fileLength = m_file->GetLength();
    std::uint64_t position = kFileHeaderSize + m_description.GetLength();
    for (int i = 0; i < index; ++i) {
        m_file->Seek(static_cast<std::int64_t>(position), CFile::begin);
        const std::optional<std::uint64_t> next = ReadRecordAt(position, fileLength, item, false);
        if (!next || *next > fileLength)
            return FALSE;
        position = *next;
    }
    m_file->Seek(static_cast<std::int64_t>(position), CFile::begin);
    return ReadRecordAt(position, fileLength, item, true).has_value();
}

int CLibraryFile::VisitItemHeaders(const ItemVisitor& visit) {
    if (!ReadHeader())
        return 0;
    CLibraryItem item;
    for (int index = 0; index < m_itemCount; ++index) {
        if (!ReadItemHeader(item, TRUE))
            return index;
        const std::uint64_t next = m_file->GetPosition();
        visit(index, item);
        m_file->Seek(static_cast<std::int64_t>(next), CFile::begin);
    }
    return m_itemCount;
}

int CLibraryFile::VisitItemHeadersOrReport(const ItemVisitor& visit) {
    const int read = VisitItemHeaders(visit);
    if (read < m_itemCount)
        AfxMessageBox(DamagedLibraryText(GetSourcePath(), read), MB_ICONEXCLAMATION);
    return read;
}

BOOL CLibraryFile::AllItemsReadableOrReport() {
    return VisitItemHeadersOrReport([](int, const CLibraryItem&) {}) == m_itemCount;
}

BOOL CLibraryFile::SeekToItem(int index, CLibraryItem& item) {
    return ReadHeader() && WalkTo(index, item);
}

UINT CLibraryFile::CopyItemData(UINT count, CFile& target) {
    return CopyBlocks(*m_file, target, count);
}

int CLibraryFile::FindItem(CLibraryItem& item, const CString& name) {
    bool endsAtFileEnd = false;
    return Find(name, item, endsAtFileEnd);
}

int CLibraryFile::Find(const CString& name, CLibraryItem& item, bool& endsAtFileEnd) {
    endsAtFileEnd = false;
    if (!ReadHeader())
        return kItemNotFound;
    const std::uint64_t fileLength = m_file->GetLength();
    std::uint64_t position = m_file->GetPosition();
    for (int index = 0;; ++index) {
        m_file->Seek(static_cast<std::int64_t>(position), CFile::begin);
        const std::optional<std::uint64_t> next = ReadRecordAt(position, fileLength, item, true);
        if (!next || *next > fileLength) {
            endsAtFileEnd = position == fileLength;
            return kItemNotFound;
        }
        if (item.m_name == name)
            return index;  // the file is at its data
        position = *next;
    }
}

bool CLibraryFile::RecordsReachFileEnd() {
    if (!ReadHeader())
        return false;
    const std::uint64_t fileLength = m_file->GetLength();
    CLibraryItem item;
    for (std::uint64_t position = m_file->GetPosition(); position != fileLength;) {
        m_file->Seek(static_cast<std::int64_t>(position), CFile::begin);
        const std::optional<std::uint64_t> next = ReadRecordAt(position, fileLength, item, false);
        if (!next || *next > fileLength)
            return false;
        position = *next;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Appending

BOOL CLibraryFile::WriteRecord(CLibraryItem& item, CFile& source) {
    source.SeekToBegin();
    const std::uint64_t length = source.GetLength();
    return length <= UINT_MAX && WriteRecordTo(*m_file, item, source, static_cast<UINT>(length));
}

BOOL CLibraryFile::WriteRecord(CLibraryItem& item, CFile& source, UINT length) {
    return WriteRecordTo(*m_file, item, source, length);
}

BOOL CLibraryFile::WriteRecordTo(CFile& target, CLibraryItem& item, CFile& source, UINT length) {
    const std::uint64_t recordLength = std::uint64_t{kRecordHeaderSize} + item.m_name.GetLength() +
                                       item.m_description.GetLength() + length;
    const std::optional<BYTE> dataSum = DataSum(source, length);
    if (!dataSum || recordLength > UINT_MAX || length > INT_MAX)
        return FALSE;
    LibraryRecordHeader header;
    header.recordLength = static_cast<DWORD>(recordLength);
    header.dataSum = *dataSum;
    header.type = static_cast<BYTE>(item.m_type);
    header.nameLength = static_cast<DWORD>(item.m_name.GetLength());
    header.descriptionLength = static_cast<DWORD>(item.m_description.GetLength());
    BYTE bytes[kRecordHeaderSize];
    EncodeRecordHeader(header, bytes);
    item.m_position = static_cast<UINT>(target.GetPosition());
    target.Write(bytes, kRecordHeaderSize);
    target.Write(item.m_name.c_str(), header.nameLength);
    target.Write(item.m_description.c_str(), header.descriptionLength);
    if (CopyBlocks(source, target, length) != length)
        throw CFileException(CFileException::hardIO, 0, source.GetFilePath());
    item.m_dataLength = static_cast<int>(length);
    return TRUE;
}

BOOL CLibraryFile::AddItem(CLibraryItem& item, CFile& source) {
    source.SeekToBegin();
    const std::uint64_t length = source.GetLength();
    return length <= UINT_MAX && AddItem(item, source, static_cast<UINT>(length));
}

BOOL CLibraryFile::AddItem(CLibraryItem& item, CFile& source, UINT length) {
    if (!m_file || !m_writable)
        return FALSE;
    const NewRecord added{&item, &source, source.GetPosition(), length};
    CLibraryItem probe;
    bool endsAtFileEnd = false;
    if (Find(item.m_name, probe, endsAtFileEnd) != kItemNotFound || !endsAtFileEnd)
        return FALSE;
    if (!GetFilePath().IsEmpty())
        return Rewrite(m_description, m_itemCount + 1, {}, &added);
    // An image in memory, which no file holds half written, grows in place.
    const std::uint64_t oldLength = m_file->GetLength();
    try {
        m_file->Seek(static_cast<std::int64_t>(oldLength), CFile::begin);
        if (!WriteRecord(item, source, length))
            return FALSE;
    } catch (const CFileException&) {
        m_file->SetLength(oldLength);  // the exception still tells what failed
        throw;
    }
    ++m_itemCount;
    return WriteHeader();
}

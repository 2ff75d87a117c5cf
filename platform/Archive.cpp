#include "platform/Archive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/Utf8.h"

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;

const char* Describe(CArchiveException::Cause cause) {
    switch (cause) {
        case CArchiveException::none:
            return "No error";
        case CArchiveException::readOnly:
            return "Tried to write to an archive opened for reading";
        case CArchiveException::endOfFile:
            return "Unexpected end of file";
        case CArchiveException::writeOnly:
            return "Tried to read from an archive opened for writing";
        case CArchiveException::badIndex:
            return "Unexpected file format (reference to an unknown object)";
        case CArchiveException::badClass:
            return "Unexpected object class in file";
        case CArchiveException::badSchema:
            return "Unexpected version of an object in file";
        case CArchiveException::genericException:
            break;
    }
    return "Unexpected file format";
}

bool IsHighSurrogate(WORD unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(WORD unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

constexpr char32_t kReplacementCharacter = 0xFFFD;

using ClassSpan = std::span<const CRuntimeClass* const>;

// The classes a single expected class stands for: none, which accepts any, for null.
ClassSpan Expecting(const CRuntimeClass* const& expected) {
    return expected ? ClassSpan(&expected, 1) : ClassSpan();
}

bool IsOfAny(const CRuntimeClass* runtimeClass, ClassSpan expected) {
    return expected.empty() ||
           std::any_of(expected.begin(), expected.end(), [&](const CRuntimeClass* base) {
               return runtimeClass->IsDerivedFrom(base);
           });
}

}  // namespace

CArchiveException::CArchiveException(Cause cause, const CString& fileName)
    : CException(MessageForFile(Describe(cause), fileName.str())),
      m_cause(cause),
      m_strFileName(fileName) {}

CArchive::CArchive(CFile* file, Mode mode, UINT bufferSize)
    : m_file(file), m_mode(mode), m_buffer(bufferSize) {
    m_loaded.push_back(LoadEntry{});
}

// ---- Buffer and raw bytes ----

void CArchive::RequireLoading() const {
    if (!m_file)
        throw std::logic_error("archive used after Close");
    if (!IsLoading())
        Throw(CArchiveException::writeOnly);
}

void CArchive::RequireStoring() const {
    if (!m_file)
        throw std::logic_error("archive used after Close");
    if (!IsStoring())
        Throw(CArchiveException::readOnly);
}

void CArchive::Throw(CArchiveException::Cause cause) const {
    throw CArchiveException(cause, m_file ? m_file->GetFilePath() : CString());
}

void CArchive::Flush() {
    if (!m_file)
        return;
    if (IsStoring()) {
        FlushStoreBuffer();
    } else if (m_filled > m_next) {
        m_file->Seek(-static_cast<std::int64_t>(m_filled - m_next), CFile::current);
    }
    m_next = 0;
    m_filled = 0;
}

void CArchive::Close() {
    Flush();
    m_file = nullptr;
    m_next = m_filled = 0;  // numbers read inline find nothing buffered
}

void CArchive::FlushStoreBuffer() {
    if (m_next > 0)
        m_file->Write(m_buffer.data(), static_cast<UINT>(m_next));
    m_next = 0;
}

UINT CArchive::Read(void* buffer, UINT count) {
    RequireLoading();
    if (count <= m_filled - m_next) {  // the common case: the bytes are in the buffer
        std::memcpy(buffer, m_buffer.data() + m_next, count);
        m_next += count;
        return count;
    }
    auto* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (m_next == m_filled) {
            if (count - done >= m_buffer.size())
                return done + m_file->Read(out + done, count - done);
            m_next = 0;
            m_filled = m_file->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
            if (m_filled == 0)
                break;
        }
        const auto n = static_cast<UINT>(std::min<size_t>(count - done, m_filled - m_next));
        std::memcpy(out + done, m_buffer.data() + m_next, n);
        m_next += n;
        done += n;
    }
    return done;
}

void CArchive::ReadExact(void* buffer, UINT count) {
    if (Read(buffer, count) != count)
        Throw(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buffer, UINT count) {
    RequireStoring();
    if (count == 0)
        return;
    if (count > m_buffer.size() - m_next) {
        FlushStoreBuffer();
        if (count >= m_buffer.size()) {
            m_file->Write(buffer, count);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_next, buffer, count);
    m_next += count;
}

std::uint64_t CArchive::RemainingBytes() const {
    const std::uint64_t length = m_file->GetLength();
    const std::uint64_t position = m_file->GetPosition();
    return (m_filled - m_next) + (length > position ? length - position : 0);
}

// Bytes already in the buffer are there without asking the file.
void CArchive::CheckRemaining(std::uint64_t byteCount) {
    RequireLoading();
    if (byteCount > m_filled - m_next && byteCount > RemainingBytes())
        Throw(CArchiveException::endOfFile);
}

// ---- Numbers ----

void CArchive::WriteInteger(std::uint64_t value, int size) {
    BYTE bytes[8];
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
    Write(bytes, static_cast<UINT>(size));
}

// Decoded in the buffer when the bytes are there.
std::uint64_t CArchive::ReadInteger(int size) {
    RequireLoading();
    BYTE copy[8];
    const BYTE* bytes = copy;
    if (static_cast<size_t>(size) <= m_filled - m_next) {
        bytes = m_buffer.data() + m_next;
        m_next += static_cast<size_t>(size);
    } else {
        ReadExact(copy, static_cast<UINT>(size));
    }
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

CArchive& CArchive::operator<<(BYTE value) {
    WriteInteger(value, 1);
    return *this;
}

CArchive& CArchive::operator<<(char value) {
    WriteInteger(static_cast<BYTE>(value), 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD value) {
    WriteInteger(value, 2);
    return *this;
}

CArchive& CArchive::operator<<(short value) {
    WriteInteger(static_cast<WORD>(value), 2);
    return *this;
}

CArchive& CArchive::operator<<(int value) {
    WriteInteger(static_cast<DWORD>(value), 4);
    return *this;
}

CArchive& CArchive::operator<<(DWORD value) {
    WriteInteger(value, 4);
    return *this;
}

CArchive& CArchive::operator<<(float value) {
    WriteInteger(std::bit_cast<std::uint32_t>(value), 4);
    return *this;
}

CArchive& CArchive::operator<<(double value) {
    WriteInteger(std::bit_cast<std::uint64_t>(value), 8);
    return *this;
}

// ---- Counts and strings ----

void CArchive::WriteCount(DWORD count) {
    if (count < 0xFFFF)
        *this << static_cast<WORD>(count);
    else
        *this << static_cast<WORD>(0xFFFF) << count;
}

DWORD CArchive::ReadCount() {
    WORD count;
    *this >> count;
    if (count != 0xFFFF)
        return count;
    DWORD bigCount;
    *this >> bigCount;
    return bigCount;
}

DWORD CArchive::ReadCheckedCount(DWORD minBytesPerItem) {
    const DWORD count = ReadCount();
    CheckRemaining(std::uint64_t{count} * minBytesPerItem);
    return count;
}

CArchive& CArchive::operator<<(const CString& text) {
    const auto length = static_cast<DWORD>(text.GetLength());
    if (length < 0xFF) {
        *this << static_cast<BYTE>(length);
    } else {
        *this << static_cast<BYTE>(0xFF);
        if (length < 0xFFFE)
            *this << static_cast<WORD>(length);
        else
            *this << static_cast<WORD>(0xFFFF) << length;
    }
    Write(text.c_str(), length);
    return *this;
}

DWORD CArchive::ReadStringLength(bool& wide) {
    wide = false;
    BYTE shortLength;
    *this >> shortLength;
    if (shortLength < 0xFF)
        return shortLength;
    WORD length;
    *this >> length;
    if (length == 0xFFFE) {
        // UTF-16 text; its length follows in the same form, counted in characters.
        wide = true;
        *this >> shortLength;
        if (shortLength < 0xFF)
            return shortLength;
        *this >> length;
    }
    if (length < 0xFFFF)
        return length;
    DWORD longLength;
    *this >> longLength;
    return longLength;
}

CArchive& CArchive::operator>>(CString& text) {
    bool wide;
    const DWORD length = ReadStringLength(wide);
    if (wide) {
        text = ReadWideString(length);
        return *this;
    }
    if (length <= m_filled - m_next) {  // the common case: the bytes are in the buffer
        text.str().assign(reinterpret_cast<const char*>(m_buffer.data() + m_next), length);
        m_next += length;
        return *this;
    }
    CheckRemaining(length);
    std::string bytes(length, '\0');
    ReadExact(bytes.data(), length);
    text = CString(std::move(bytes));
    return *this;
}

// Converts to UTF-8; unpaired surrogates become U+FFFD.
CString CArchive::ReadWideString(DWORD length) {
    CheckRemaining(std::uint64_t{length} * 2);
    std::string text;
    text.reserve(length);
    WORD pendingHigh = 0;
    for (DWORD i = 0; i < length; ++i) {
        WORD unit;
        *this >> unit;
        if (pendingHigh && IsLowSurrogate(unit)) {
            AppendUtf8(text, 0x10000 + ((pendingHigh - 0xD800u) << 10) + (unit - 0xDC00u));
            pendingHigh = 0;
            continue;
        }
        if (pendingHigh)
            AppendUtf8(text, kReplacementCharacter);
        pendingHigh = IsHighSurrogate(unit) ? unit : 0;
        if (!pendingHigh)
            AppendUtf8(text, IsLowSurrogate(unit) ? kReplacementCharacter : unit);
    }
    if (pendingHigh)
        AppendUtf8(text, kReplacementCharacter);
    return CString(std::move(text));
}

// ---- Objects and classes ----

void CArchive::WriteIndex(DWORD index, bool isClass) {
    if (index < kBigObjectTag)
        *this << static_cast<WORD>(isClass ? (kClassTag | index) : index);
    else
        *this << kBigObjectTag << (isClass ? (kBigClassTag | index) : index);
}

void CArchive::WriteObject(const CObject* object) {
    RequireStoring();
    if (!object) {
        *this << kNullTag;
        return;
    }
    if (const auto it = m_storedObjects.find(object); it != m_storedObjects.end()) {
        WriteIndex(it->second, false);
        return;
    }
    WriteClass(object->GetRuntimeClass());
    m_storedObjects.emplace(object, m_nextIndex++);
    const_cast<CObject*>(object)->Serialize(*this);
}

void CArchive::WriteClass(const CRuntimeClass* runtimeClass) {
    RequireStoring();
    if (runtimeClass->m_wSchema == kNoSchema)
        Throw(CArchiveException::badClass);
    if (const auto it = m_storedClasses.find(runtimeClass); it != m_storedClasses.end()) {
        WriteIndex(it->second, true);
        return;
    }
    const auto nameLength = static_cast<WORD>(std::strlen(runtimeClass->m_lpszClassName));
    *this << kNewClassTag << static_cast<WORD>(runtimeClass->m_wSchema) << nameLength;
    Write(runtimeClass->m_lpszClassName, nameLength);
    m_storedClasses.emplace(runtimeClass, m_nextIndex++);
}

void CArchive::MapObject(const CObject* object) {
    if (!object)
        return;
    if (IsStoring()) {
        if (m_storedObjects.try_emplace(object, m_nextIndex).second)
            ++m_nextIndex;
    } else {
        m_loaded.push_back({nullptr, const_cast<CObject*>(object)});
    }
}

UINT CArchive::GetObjectSchema() {
    const UINT schema = m_objectSchema;
    m_objectSchema = static_cast<UINT>(-1);
    return schema;
}

CArchive::Tag CArchive::ReadTag() {
    WORD word;
    *this >> word;
    if (word == kNewClassTag)
        return {0, true};
    if (word == kBigObjectTag) {
        DWORD value;
        *this >> value;
        return {value, false};
    }
    return {(DWORD{word} & kClassTag) << 16 | (word & ~kClassTag), false};
}

bool CArchive::Tag::IsClass() const {
    return newClass || (value & kBigClassTag);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* expected, UINT* schema) {
    RequireLoading();
    const Tag tag = ReadTag();
    if (!tag.IsClass())
        Throw(CArchiveException::badIndex);
    const LoadedClass loaded = ReadClassFor(tag, Expecting(expected));
    (schema ? *schema : m_objectSchema) = loaded.schema;
    return loaded.runtimeClass;
}

CArchive::LoadedClass CArchive::ReadClassFor(const Tag& tag, ClassSpan expected) {
    LoadedClass loaded;
    if (tag.newClass) {
        loaded = LoadNewClass();
    } else {
        const DWORD index = tag.value & ~kBigClassTag;
        if (index >= m_loaded.size() || !m_loaded[index].isClass)
            Throw(CArchiveException::badIndex);
        loaded = {m_loaded[index].runtimeClass, m_loaded[index].schema};
    }
    if (!IsOfAny(loaded.runtimeClass, expected))
        Throw(CArchiveException::badClass);
    return loaded;
}

CArchive::LoadedClass CArchive::LoadNewClass() {
    WORD schema;
    WORD nameLength;
    *this >> schema >> nameLength;
    CheckRemaining(nameLength);
    std::string name(nameLength, '\0');
    ReadExact(name.data(), nameLength);
    const CRuntimeClass* runtimeClass = CRuntimeClass::FromName(name);
    if (!runtimeClass)
        Throw(CArchiveException::badClass);
    if (!(runtimeClass->m_wSchema & VERSIONABLE_SCHEMA) && runtimeClass->m_wSchema != schema)
        Throw(CArchiveException::badSchema);
    m_loaded.push_back({runtimeClass, nullptr, schema, true});
    return {runtimeClass, schema};
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) {
    return ReadObjectOf(Expecting(expected));
}

CObject* CArchive::ReadObject(std::initializer_list<const CRuntimeClass*> expected) {
    return ReadObjectOf(ClassSpan(expected.begin(), expected.size()));
}

CObject* CArchive::ReadObjectOf(ClassSpan expected) {
    RequireLoading();
    const Tag tag = ReadTag();
    if (!tag.IsClass()) {
        CObject* object = LoadedObject(tag.value, expected);
        m_lastRead = tag.value;
        return object;
    }
    return LoadNewObject(ReadClassFor(tag, expected));
}

CObject* CArchive::LoadedObject(DWORD index, ClassSpan expected) const {
    if (index == 0)
        return nullptr;
    if (index >= m_loaded.size() || !m_loaded[index].object)
        Throw(CArchiveException::badIndex);
    const LoadEntry& entry = m_loaded[index];
    if (index < m_sealedBelow && entry.ObjectClass() &&
        entry.ObjectClass()->IsDerivedFrom(m_sealedClass))
        Throw(CArchiveException::badIndex);
    if (!expected.empty() && !IsOfAny(entry.object->GetRuntimeClass(), expected))
        Throw(CArchiveException::badClass);
    return entry.object;
}

// The object enters the index before its record is read, so the record (and records it
// leads to) may refer back to it.
CObject* CArchive::LoadNewObject(const LoadedClass& loaded) {
    std::unique_ptr<CObject> object(loaded.runtimeClass->CreateObject());
    const size_t index = m_loaded.size();
    m_loaded.push_back({loaded.runtimeClass, object.get()});
    const UINT outerSchema = m_objectSchema;
    m_objectSchema = loaded.schema;
    m_loading.push_back(object.get());
    try {
        object->Serialize(*this);
    } catch (...) {
        m_loaded[index].object = nullptr;
        m_objectSchema = outerSchema;
        m_loading.pop_back();
        throw;
    }
    m_objectSchema = outerSchema;
    m_loading.pop_back();
    m_lastRead = index;
    return object.release();
}

void CArchive::DeleteUnclaimed(const CRuntimeClass* ofClass) {
    RequireLoading();
    for (size_t index = 0; index < m_loaded.size(); ++index) {
        // Objects may be gone with a failed owner or a last reference: they are not looked at.
        LoadEntry& entry = m_loaded[index];
        if (IsUnclaimed(entry, ofClass))
            delete std::exchange(entry.object, nullptr);
    }
}

bool CArchive::HasUnclaimed(const CRuntimeClass* ofClass) const {
    RequireLoading();
    for (size_t index = 0; index < m_loaded.size(); ++index) {
        if (IsUnclaimed(m_loaded[index], ofClass))
            return true;
    }
    return false;
}

bool CArchive::IsUnclaimed(const LoadEntry& entry, const CRuntimeClass* ofClass) {
    return entry.object && entry.ObjectClass() && entry.ObjectClass()->IsDerivedFrom(ofClass) &&
           !entry.claimed;
}

void CArchive::SealObjects(const CRuntimeClass* ofClass) {
    RequireLoading();
    m_sealedBelow = m_loaded.size();
    m_sealedClass = ofClass;
}

// Owning lists claim the object they have just read, so the entry is found at once.
CArchive::LoadEntry* CArchive::FindLoaded(const CObject* object) {
    if (object && m_lastRead < m_loaded.size() && m_loaded[m_lastRead].object == object)
        return &m_loaded[m_lastRead];
    for (size_t index = m_loaded.size(); object && index-- > 0;) {
        if (m_loaded[index].object == object)
            return &m_loaded[index];
    }
    return nullptr;
}

void CArchive::ClaimObject(const CObject* object) {
    RequireLoading();
    LoadEntry* entry = FindLoaded(object);
    if (!entry || entry->claimed ||
        std::find(m_loading.begin(), m_loading.end(), object) != m_loading.end())
        Throw(CArchiveException::badIndex);
    entry->claimed = true;
}

#pragma once
// CArchive: the binary archive documents and their objects are stored through.
//
// Numbers are little-endian (int and BOOL as 32 bits). Counts are a WORD, or 0xFFFF and a
// DWORD from 0xFFFF up. A string is its length (a BYTE below 255; else 0xFF and a WORD below
// 0xFFFE; else 0xFF, 0xFFFF and a DWORD) and then its bytes; on loading, 0xFF 0xFFFE marks a
// UTF-16 string (its length in characters in the same form follows), which is converted to
// UTF-8.
//
// Object pointers are tagged: WORD 0 is a null pointer; 0xFFFF a new class (schema WORD, name
// length WORD, name bytes) followed by an object record; 0x8000 | class index an object of a
// class written before, followed by its record; any other value a reference by index to an
// object written before. Classes and objects share one index that starts at 1; indexes from
// 0x7FFF up are written as WORD 0x7FFF and a DWORD (with bit 31 set for a class).
//
// Ownership: the objects ReadObject creates belong to the caller (through the pointers the
// records hold). When an object's own Serialize throws while loading, ReadObject deletes
// that object before passing the exception on, so its destructor must cope with a partly
// read record and must not delete objects it only refers to.
//
// Reads and writes go through a buffer. Close() writes the buffered bytes of a storing
// archive (destroying it without Close discards them) and moves the file of a loading one
// back to just after the bytes read.

#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/CString.h"
#include "platform/Exception.h"
#include "platform/File.h"
#include "platform/Object.h"
#include "platform/Types.h"

class CDocumentBase;

class CArchiveException : public CException {
public:
    enum Cause {
        none,
        genericException,
        readOnly,   // writing to a loading archive
        endOfFile,  // the stream ends before the data does
        writeOnly,  // reading from a storing archive
        badIndex,   // a tag refers to no class or object read so far
        badClass,   // an unknown class, or not the class expected
        badSchema,  // a stored schema a non-versionable class does not accept
    };

    explicit CArchiveException(Cause cause, const CString& fileName = {});

    Cause m_cause;
    CString m_strFileName;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, Mode mode, UINT bufferSize = 4096);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }

    // Writes the buffered bytes (storing) or gives back the bytes read ahead (loading).
    void Flush();
    // Flushes and detaches from the file.
    void Close();

    // Raw bytes. Read returns the number read, fewer only at the end of the stream;
    // ReadExact throws endOfFile unless all count bytes arrive.
    UINT Read(void* buffer, UINT count);
    void ReadExact(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);

    // Numbers. LONG is int, DWORD is UINT, and COLORREF is DWORD, so those share overloads.
    CArchive& operator<<(BYTE value);
    CArchive& operator<<(char value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(short value);
    CArchive& operator<<(int value);
    CArchive& operator<<(DWORD value);
    CArchive& operator<<(float value);
    CArchive& operator<<(double value);
    CArchive& operator>>(BYTE& value) { return ReadNumber(value); }
    CArchive& operator>>(char& value) { return ReadNumber(value); }
    CArchive& operator>>(WORD& value) { return ReadNumber(value); }
    CArchive& operator>>(short& value) { return ReadNumber(value); }
    CArchive& operator>>(int& value) { return ReadNumber(value); }
    CArchive& operator>>(DWORD& value) { return ReadNumber(value); }
    CArchive& operator>>(float& value) { return ReadNumber(value); }
    CArchive& operator>>(double& value) { return ReadNumber(value); }

    CArchive& operator<<(const CString& text);
    CArchive& operator>>(CString& text);

    void WriteCount(DWORD count);
    DWORD ReadCount();
    // Reads a count of items that take at least minBytesPerItem bytes each, and throws
    // endOfFile when the rest of the stream cannot hold that many.
    DWORD ReadCheckedCount(DWORD minBytesPerItem);
    // Throws endOfFile when fewer than byteCount bytes remain to be read; call it before
    // allocating room for a block whose length was read from the stream.
    void CheckRemaining(std::uint64_t byteCount);

    // Objects.
    void WriteObject(const CObject* object);
    // Reads an object pointer: null, a new object (created and loaded) or one read before.
    // Throws badClass when the object is not of class expected (null accepts any).
    CObject* ReadObject(const CRuntimeClass* expected);
    // The same for an object of any one of the classes expected; an object of another class
    // is refused before it is created.
    CObject* ReadObject(std::initializer_list<const CRuntimeClass*> expected);
    CArchive& operator<<(const CObject* object) {
        WriteObject(object);
        return *this;
    }
    CArchive& operator>>(CObject*& object) {
        object = ReadObject(nullptr);
        return *this;
    }

    void WriteClass(const CRuntimeClass* runtimeClass);
    // Reads a class tag. The stored schema goes to *schema, or when schema is null, to
    // GetObjectSchema.
    const CRuntimeClass* ReadClass(const CRuntimeClass* expected = nullptr, UINT* schema = nullptr);
    // The schema stored for the object being loaded; (UINT)-1 once it has been asked for.
    UINT GetObjectSchema();
    // Gives an object the next index without writing or reading it, so later tags can refer
    // to it. Both directions must map the same objects in the same order.
    void MapObject(const CObject* object);
    // Loading: an owning list takes the object read. An object enters one owning list at
    // most, and never one of an object whose record is still being read (it would own
    // itself); either throws badIndex, so that no object is deleted twice, and so does an
    // object this archive did not read.
    void ClaimObject(const CObject* object);
    // After a failed load: deletes the objects of the class read so far that no owning list
    // took (owned objects are deleted by their owners).
    void DeleteUnclaimed(const CRuntimeClass* ofClass);
    // Whether an object of the class was read that no owning list took: after a load that
    // should have given every such object an owner, a sign of damage.
    bool HasUnclaimed(const CRuntimeClass* ofClass) const;
    // Loading: the objects of the class read so far can no longer be referred to; a reference
    // to one throws badIndex. A file made of parts that each keep their own objects calls it
    // as each part starts, so that no part links to the objects of another.
    void SealObjects(const CRuntimeClass* ofClass);

    CDocumentBase* m_pDocument = nullptr;  // the document being loaded or stored, if any

private:
    struct Tag {
        DWORD value;  // a class index with bit 31 set, or an object index
        bool newClass;
        bool IsClass() const;
    };
    struct LoadedClass {
        const CRuntimeClass* runtimeClass;
        UINT schema;
    };
    // A class, or an object with the class it was created as (none when only mapped).
    struct LoadEntry {
        const CRuntimeClass* runtimeClass = nullptr;
        CObject* object = nullptr;
        UINT schema = 0;  // of a class
        bool isClass = false;
        bool claimed = false;  // an owning list took the object

        const CRuntimeClass* ObjectClass() const { return isClass ? nullptr : runtimeClass; }
    };
    // The entries by index, in chunks that never move: the index grows without copying, and
    // from the heap rather than from one large fresh mapping.
    class LoadIndex {
    public:
        size_t size() const { return m_size; }
        LoadEntry& operator[](size_t index) { return m_chunks[index >> kShift][index & kMask]; }
        const LoadEntry& operator[](size_t index) const {
            return m_chunks[index >> kShift][index & kMask];
        }
        void push_back(const LoadEntry& entry) {
            if ((m_size & kMask) == 0)
                m_chunks.push_back(std::make_unique<LoadEntry[]>(kChunk));
            (*this)[m_size++] = entry;
        }

    private:
        static constexpr size_t kShift = 12;
        static constexpr size_t kChunk = size_t{1} << kShift;
        static constexpr size_t kMask = kChunk - 1;
        std::vector<std::unique_ptr<LoadEntry[]>> m_chunks;
        size_t m_size = 0;
    };

    void RequireLoading() const;
    void RequireStoring() const;
    [[noreturn]] void Throw(CArchiveException::Cause cause) const;
    void FlushStoreBuffer();
    std::uint64_t RemainingBytes() const;
    void WriteInteger(std::uint64_t value, int size);
    std::uint64_t ReadInteger(int size);
    // A number as stored, little-endian: taken straight from the buffer when it is there, which
    // is most of a load, else read with every check.
    template <class T>
    CArchive& ReadNumber(T& value) {
        static_assert(std::endian::native == std::endian::little);
        if (m_mode == load && sizeof(T) <= m_filled - m_next) {
            std::memcpy(&value, m_buffer.data() + m_next, sizeof(T));
            m_next += sizeof(T);
        } else {
            const std::uint64_t bits = ReadInteger(sizeof(T));
            std::memcpy(&value, &bits, sizeof(T));
        }
        return *this;
    }
    DWORD ReadStringLength(bool& wide);
    CString ReadWideString(DWORD length);
    void WriteIndex(DWORD index, bool isClass);
    Tag ReadTag();
    CObject* ReadObjectOf(std::span<const CRuntimeClass* const> expected);
    LoadedClass ReadClassFor(const Tag& tag, std::span<const CRuntimeClass* const> expected);
    LoadedClass LoadNewClass();
    CObject* LoadedObject(DWORD index, std::span<const CRuntimeClass* const> expected) const;
    CObject* LoadNewObject(const LoadedClass& loaded);
    LoadEntry* FindLoaded(const CObject* object);
    // An object created here, of class ofClass, that no owning list took.
    static bool IsUnclaimed(const LoadEntry& entry, const CRuntimeClass* ofClass);

    CFile* m_file;
    Mode m_mode;
    std::vector<BYTE> m_buffer;
    size_t m_next = 0;    // storing: bytes buffered; loading: next unread byte
    size_t m_filled = 0;  // loading: bytes in the buffer
    UINT m_objectSchema = static_cast<UINT>(-1);
    DWORD m_nextIndex = 1;  // storing: the index the next class or object gets
    std::unordered_map<const CRuntimeClass*, DWORD> m_storedClasses;
    std::unordered_map<const CObject*, DWORD> m_storedObjects;
    LoadIndex m_loaded;                            // entry 0 is the null pointer
    std::vector<const CObject*> m_loading;         // the objects whose records are being read
    size_t m_lastRead = 0;                         // the entry of the object read last
    size_t m_sealedBelow = 0;                      // entries before it are sealed ...
    const CRuntimeClass* m_sealedClass = nullptr;  // ... when their objects are of this class
};

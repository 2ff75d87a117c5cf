#pragma once
// The in-memory tree of a compound file: storages holding named streams and child storages.
//
// Names are UTF-8 and compared the way the file format does: case-insensitively on upper-cased
// UTF-16 units (see CompoundName.h). A storage never holds two children whose names compare
// equal. Children are listed in the format's sibling order: shorter names first, then by
// upper-cased units ("Embedding 9" before "Embedding 10"). References to children stay valid
// until that child is removed or replaced.
//
// A stream owns its bytes, or, when read in place from a file image, views them there (see
// CompoundFile::ParseInPlace), or, when read from a file on disk, leaves them there until they
// are wanted (see CompoundFile::LoadFromFile). Moving a stream or storage keeps its bytes where
// they are; copying one always gives a copy that owns its bytes.

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CompoundStreamExtents;

class CompoundStream {
public:
    // Throws CompoundFileError for a name the format cannot hold.
    CompoundStream(std::string_view name, std::vector<std::uint8_t> data);

    CompoundStream(const CompoundStream& other);
    CompoundStream(CompoundStream&& other) noexcept;
    CompoundStream& operator=(const CompoundStream& other);
    CompoundStream& operator=(CompoundStream&& other) noexcept;
    ~CompoundStream() = default;

    const std::string& Name() const { return m_name; }
    // The bytes of a stream left in its file are read here, and kept from then on. Throws
    // CompoundFileError when they cannot be read.
    std::span<const std::uint8_t> Data() const;
    std::uint64_t Size() const;
    // Copies count bytes from position on (they must lie inside the stream) into out, without
    // keeping the stream's bytes. Throws as Data does.
    void Read(std::uint64_t position, std::size_t count, std::uint8_t* out) const;

private:
    friend class CompoundStorage;
    // Views bytes that outlive the stream; see CompoundStorage::ViewStream.
    CompoundStream(std::string_view name, std::span<const std::uint8_t> view);
    // Leaves the bytes in the file; see CompoundStorage::LeaveStreamInFile.
    CompoundStream(std::string_view name, std::shared_ptr<const CompoundStreamExtents> extents);

    std::string m_name;
    std::u16string m_key;
    // Where the bytes lie in the file, until Data reads them.
    mutable std::shared_ptr<const CompoundStreamExtents> m_extents;
    mutable std::vector<std::uint8_t> m_owned;
    // m_owned's bytes, or the viewed ones.
    mutable std::span<const std::uint8_t> m_data;
};

class CompoundStorage {
public:
    using Clsid = std::array<std::uint8_t, 16>;

    // Throws CompoundFileError for a name the format cannot hold.
    explicit CompoundStorage(std::string_view name);

    const std::string& Name() const { return m_name; }
    const Clsid& GetClsid() const { return m_clsid; }
    void SetClsid(const Clsid& clsid) { m_clsid = clsid; }

    const std::list<CompoundStorage>& Storages() const { return m_storages; }
    const std::list<CompoundStream>& Streams() const { return m_streams; }

    // Null when there is no child storage (or stream) of that name.
    CompoundStorage* FindStorage(std::string_view name);
    const CompoundStorage* FindStorage(std::string_view name) const;
    CompoundStream* FindStream(std::string_view name);
    const CompoundStream* FindStream(std::string_view name) const;

    // Adds an empty storage, replacing any child of the same name.
    CompoundStorage& CreateStorage(std::string_view name);
    // Adds a storage holding a copy of source's class id, streams and storages (not its name),
    // replacing any child of the same name.
    CompoundStorage& CopyStorage(std::string_view name, const CompoundStorage& source);
    // Adds a stream, replacing any child of the same name.
    CompoundStream& WriteStream(std::string_view name, std::vector<std::uint8_t> data);
    // Adds a stream that views bytes instead of owning them, replacing any child of the same
    // name. The bytes must stay alive and unchanged while the stream (or a storage it is moved
    // into) lives; copies of the stream own their bytes.
    CompoundStream& ViewStream(std::string_view name, std::span<const std::uint8_t> bytes);
    // Adds a stream whose bytes stay in a file until they are wanted, replacing any child of
    // the same name.
    CompoundStream& LeaveStreamInFile(std::string_view name,
                                      std::shared_ptr<const CompoundStreamExtents> extents);
    // Removes the child of that name; false when there is none.
    bool Remove(std::string_view name);

private:
    template <class Child>
    static typename std::list<Child>::iterator LowerBound(std::list<Child>& list,
                                                          const std::u16string& key);
    template <class Child>
    static Child* Find(std::list<Child>& list, const std::u16string& key);
    template <class Child>
    static bool Erase(std::list<Child>& list, const std::u16string& key);
    bool EraseChild(const std::u16string& key);
    CompoundStream& InsertStream(CompoundStream stream);

    std::string m_name;
    std::u16string m_key;
    Clsid m_clsid{};
    std::list<CompoundStorage> m_storages;
    std::list<CompoundStream> m_streams;
};

#include "platform/CompoundStorage.h"

#include <cstring>
#include <utility>

#include "platform/CompoundName.h"
#include "platform/CompoundStreamExtents.h"

CompoundStream::CompoundStream(std::string_view name, std::vector<std::uint8_t> data)
    : m_name(name),
      m_key(compound::NameKey(compound::EncodeName(name))),
      m_owned(std::move(data)),
      m_data(m_owned) {}

CompoundStream::CompoundStream(std::string_view name, std::span<const std::uint8_t> view)
    : m_name(name), m_key(compound::NameKey(compound::EncodeName(name))), m_data(view) {}

CompoundStream::CompoundStream(std::string_view name,
                               std::shared_ptr<const CompoundStreamExtents> extents)
    : m_name(name),
      m_key(compound::NameKey(compound::EncodeName(name))),
      m_extents(std::move(extents)) {}

// A copy of a stream left in its file reads the bytes for itself, leaving the other as it is.
CompoundStream::CompoundStream(const CompoundStream& other)
    : m_name(other.m_name), m_key(other.m_key) {
    m_owned.resize(static_cast<std::size_t>(other.Size()));
    other.Read(0, m_owned.size(), m_owned.data());
    m_data = m_owned;
}

// A vector's buffer moves with it, so the span stays valid for owned bytes too.
CompoundStream::CompoundStream(CompoundStream&& other) noexcept
    : m_name(std::move(other.m_name)),
      m_key(std::move(other.m_key)),
      m_extents(std::move(other.m_extents)),
      m_owned(std::move(other.m_owned)),
      m_data(std::exchange(other.m_data, {})) {}

CompoundStream& CompoundStream::operator=(const CompoundStream& other) {
    if (this != &other)
        *this = CompoundStream(other);
    return *this;
}

CompoundStream& CompoundStream::operator=(CompoundStream&& other) noexcept {
    m_name = std::move(other.m_name);
    m_key = std::move(other.m_key);
    m_extents = std::move(other.m_extents);
    m_owned = std::move(other.m_owned);
    m_data = std::exchange(other.m_data, {});
    return *this;
}

std::span<const std::uint8_t> CompoundStream::Data() const {
    if (m_extents) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(m_extents->Size()));
        m_extents->Read(0, bytes.size(), bytes.data());
        m_owned = std::move(bytes);
        m_extents.reset();
        m_data = m_owned;
    }
    return m_data;
}

std::uint64_t CompoundStream::Size() const {
    return m_extents ? m_extents->Size() : m_data.size();
}

void CompoundStream::Read(std::uint64_t position, std::size_t count, std::uint8_t* out) const {
    if (m_extents)
        m_extents->Read(position, count, out);
    else if (count != 0)
        std::memcpy(out, m_data.data() + position, count);
}

CompoundStorage::CompoundStorage(std::string_view name)
    : m_name(name), m_key(compound::NameKey(compound::EncodeName(name))) {}

// Children are appended in order when a file is read, so the end is checked first.
template <class Child>
typename std::list<Child>::iterator CompoundStorage::LowerBound(std::list<Child>& list,
                                                                const std::u16string& key) {
    if (list.empty() || compound::NameKeyLess(list.back().m_key, key))
        return list.end();
    auto it = list.begin();
    while (compound::NameKeyLess(it->m_key, key))
        ++it;
    return it;
}

template <class Child>
Child* CompoundStorage::Find(std::list<Child>& list, const std::u16string& key) {
    auto it = LowerBound(list, key);
    return it != list.end() && it->m_key == key ? &*it : nullptr;
}

template <class Child>
bool CompoundStorage::Erase(std::list<Child>& list, const std::u16string& key) {
    auto it = LowerBound(list, key);
    if (it == list.end() || it->m_key != key)
        return false;
    list.erase(it);
    return true;
}

CompoundStorage* CompoundStorage::FindStorage(std::string_view name) {
    return Find(m_storages, compound::NameKey(compound::EncodeName(name)));
}

const CompoundStorage* CompoundStorage::FindStorage(std::string_view name) const {
    return const_cast<CompoundStorage*>(this)->FindStorage(name);
}

CompoundStream* CompoundStorage::FindStream(std::string_view name) {
    return Find(m_streams, compound::NameKey(compound::EncodeName(name)));
}

const CompoundStream* CompoundStorage::FindStream(std::string_view name) const {
    return const_cast<CompoundStorage*>(this)->FindStream(name);
}

CompoundStorage& CompoundStorage::CreateStorage(std::string_view name) {
    CompoundStorage storage(name);
    EraseChild(storage.m_key);
    return *m_storages.insert(LowerBound(m_storages, storage.m_key), std::move(storage));
}

CompoundStorage& CompoundStorage::CopyStorage(std::string_view name,
                                              const CompoundStorage& source) {
    CompoundStorage& copy = CreateStorage(name);
    copy.m_clsid = source.m_clsid;
    copy.m_storages = source.m_storages;
    copy.m_streams = source.m_streams;
    return copy;
}

CompoundStream& CompoundStorage::WriteStream(std::string_view name,
                                             std::vector<std::uint8_t> data) {
    return InsertStream(CompoundStream(name, std::move(data)));
}

CompoundStream& CompoundStorage::ViewStream(std::string_view name,
                                            std::span<const std::uint8_t> bytes) {
    return InsertStream(CompoundStream(name, bytes));
}

CompoundStream& CompoundStorage::LeaveStreamInFile(
    std::string_view name, std::shared_ptr<const CompoundStreamExtents> extents) {
    return InsertStream(CompoundStream(name, std::move(extents)));
}

CompoundStream& CompoundStorage::InsertStream(CompoundStream stream) {
    EraseChild(stream.m_key);
    return *m_streams.insert(LowerBound(m_streams, stream.m_key), std::move(stream));
}

bool CompoundStorage::Remove(std::string_view name) {
    return EraseChild(compound::NameKey(compound::EncodeName(name)));
}

bool CompoundStorage::EraseChild(const std::u16string& key) {
    return Erase(m_storages, key) || Erase(m_streams, key);
}

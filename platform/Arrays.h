#pragma once
// Growable arrays of the framework. Indexing outside 0..GetUpperBound() is a programming error
// (checked by assertions in debug builds); only SetSize, SetAtGrow and InsertAt grow an array.

#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CObject;

// The shared implementation. Self is the concrete array class, so that the overloads taking a
// whole array never compete with the ones taking an element.
template <class T, class Self>
class FrameworkArray {
public:
    FrameworkArray() = default;
    FrameworkArray(const FrameworkArray&) = delete;
    FrameworkArray& operator=(const FrameworkArray&) = delete;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }

    // New elements are value-initialised (zero, null or empty). A growBy of 0 lets the array
    // choose its steps; a negative one keeps the current setting.
    void SetSize(int newSize, int growBy = -1) {
        assert(newSize >= 0 && "negative array size");
        if (growBy >= 0)
            m_growBy = growBy;
        if (newSize == 0) {
            m_data = std::vector<T>();
            return;
        }
        Reserve(newSize);
        m_data.resize(static_cast<size_t>(newSize));
    }

    const T& GetAt(int index) const { return m_data[Checked(index)]; }
    void SetAt(int index, T value) { m_data[Checked(index)] = std::move(value); }
    T& ElementAt(int index) { return m_data[Checked(index)]; }
    const T& operator[](int index) const { return GetAt(index); }
    T& operator[](int index) { return ElementAt(index); }
    const T* GetData() const { return m_data.data(); }
    T* GetData() { return m_data.data(); }

    // Returns the new element's index.
    int Add(T value) {
        int index = GetSize();
        SetAtGrow(index, std::move(value));
        return index;
    }
    // Appends the other array's elements (it may be this one); returns the old size.
    int Append(const Self& other) {
        int oldSize = GetSize();
        InsertAt(oldSize, &other);
        return oldSize;
    }
    void Copy(const Self& other) {
        if (static_cast<const FrameworkArray*>(&other) != this)
            m_data = static_cast<const FrameworkArray&>(other).m_data;
    }

    // Inserts count copies of value at index; an index past the end first grows the array to it.
    void InsertAt(int index, T value, int count = 1) {
        assert(index >= 0 && count >= 0 && "bad insertion range");
        GrowTo(index);
        Reserve(GetSize() + count);
        m_data.insert(m_data.begin() + index, static_cast<size_t>(count), value);
    }
    // Inserts the other array's elements (it may be this one) at index.
    void InsertAt(int index, const Self* other) {
        assert(index >= 0 && "bad insertion index");
        std::vector<T> items(other->GetData(), other->GetData() + other->GetSize());
        if (items.empty())
            return;
        GrowTo(index);
        Reserve(GetSize() + static_cast<int>(items.size()));
        m_data.insert(m_data.begin() + index, items.begin(), items.end());
    }

    void RemoveAt(int index, int count = 1) {
        assert(index >= 0 && count >= 0 && index + count <= GetSize() && "bad removal range");
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
    }
    void RemoveAll() { SetSize(0); }

    void SetAtGrow(int index, T value) {
        assert(index >= 0 && "negative array index");
        if (index >= GetSize())
            SetSize(index + 1);
        m_data[static_cast<size_t>(index)] = std::move(value);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }

private:
    size_t Checked(int index) const {
        assert(index >= 0 && index < GetSize() && "array index out of range");
        return static_cast<size_t>(index);
    }
    void GrowTo(int size) {
        if (size > GetSize())
            SetSize(size);
    }
    // Makes room for size elements, growing the storage in steps rather than element by element.
    void Reserve(int size) {
        size_t wanted = static_cast<size_t>(size);
        if (wanted <= m_data.capacity())
            return;
        int step = m_growBy > 0 ? m_growBy : std::clamp(GetSize() / 8, 4, 1024);
        m_data.reserve(std::max(wanted, m_data.capacity() + static_cast<size_t>(step)));
    }

    std::vector<T> m_data;
    int m_growBy = 0;
};

class CStringArray : public FrameworkArray<CString, CStringArray> {};
class CPtrArray : public FrameworkArray<void*, CPtrArray> {};
class CObArray : public FrameworkArray<CObject*, CObArray> {};
class CDWordArray : public FrameworkArray<DWORD, CDWordArray> {};
class CWordArray : public FrameworkArray<WORD, CWordArray> {};
class CByteArray : public FrameworkArray<BYTE, CByteArray> {};
class CUIntArray : public FrameworkArray<UINT, CUIntArray> {};

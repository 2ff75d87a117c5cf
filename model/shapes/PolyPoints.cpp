#include "model/shapes/PolyPoints.h"

#include <algorithm>

CPolyPoints::CPolyPoints(const CPolyPoints& other) : m_room(other.m_room) {
    if (other.m_heap)
        m_heap = std::make_unique_for_overwrite<CPoint[]>(static_cast<size_t>(m_room));
    std::copy_n(other.data(), m_room, data());
}

CPolyPoints::CPolyPoints(CPolyPoints&& other) noexcept
    : m_heap(std::move(other.m_heap)), m_room(other.m_room) {
    std::copy_n(other.m_local, kLocalRoom, m_local);
    other.m_room = kLocalRoom;
}

CPolyPoints& CPolyPoints::operator=(const CPolyPoints& other) {
    if (this != &other)
        *this = CPolyPoints(other);
    return *this;
}

CPolyPoints& CPolyPoints::operator=(CPolyPoints&& other) noexcept {
    if (this == &other)
        return *this;
    m_heap = std::move(other.m_heap);
    m_room = other.m_room;
    std::copy_n(other.m_local, kLocalRoom, m_local);
    other.m_room = kLocalRoom;
    return *this;
}

void CPolyPoints::Reserve(int count) {
    if (count <= m_room)
        return;
    auto heap = std::make_unique<CPoint[]>(static_cast<size_t>(count));
    std::copy_n(data(), m_room, heap.get());
    m_heap = std::move(heap);
    m_room = count;
}

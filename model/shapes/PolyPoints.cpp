#include "model/shapes/PolyPoints.h"

#include <algorithm>

CPolyPoints::CPolyPoints(const CPolyPoints& other) : m_room(other.m_room) {
    if (IsHeld())
        m_held = new CPoint[static_cast<size_t>(m_room)];
    std::copy_n(other.data(), m_room, data());
}

CPolyPoints::CPolyPoints(CPolyPoints&& other) noexcept {
    TakeFrom(other);
}

CPolyPoints& CPolyPoints::operator=(const CPolyPoints& other) {
    if (this != &other)
        *this = CPolyPoints(other);
    return *this;
}

CPolyPoints& CPolyPoints::operator=(CPolyPoints&& other) noexcept {
    if (this == &other)
        return *this;
    Free();
    TakeFrom(other);
    return *this;
}

void CPolyPoints::Reserve(int count) {
    if (count <= m_room)
        return;
    auto* held = new CPoint[static_cast<size_t>(count)]();
    std::copy_n(data(), m_room, held);
    Free();
    m_held = held;
    m_room = count;
}

void CPolyPoints::Free() {
    if (IsHeld())
        delete[] m_held;
}

void CPolyPoints::TakeFrom(CPolyPoints& other) noexcept {
    m_room = other.m_room;
    if (other.IsHeld())
        m_held = other.m_held;
    else
        std::copy_n(other.m_local, kLocalRoom, m_local);
    other.m_room = kLocalRoom;
    other.m_local[0] = other.m_local[1] = CPoint(0, 0);
}

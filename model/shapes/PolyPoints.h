#pragma once
// CPolyPoints: the storage of a polyline's points. The first two live inside the object, so a
// plain two-point wire allocates nothing for them; a longer line keeps its points on the heap.
// The room grows on request, keeping the points held, and never shrinks, so a slot past the
// points in use stays readable. Which points are in use is the owner's business.

#include <memory>

#include "platform/Geometry.h"

class CPolyPoints {
public:
    static constexpr int kLocalRoom = 2;

    CPolyPoints() = default;
    CPolyPoints(const CPolyPoints& other);
    CPolyPoints(CPolyPoints&& other) noexcept;
    CPolyPoints& operator=(const CPolyPoints& other);
    CPolyPoints& operator=(CPolyPoints&& other) noexcept;
    ~CPolyPoints() = default;

    // How many points fit without growing.
    int GetRoom() const { return m_room; }
    // Makes room for at least count points.
    void Reserve(int count);

    CPoint* data() { return m_heap ? m_heap.get() : m_local; }
    const CPoint* data() const { return m_heap ? m_heap.get() : m_local; }
    CPoint* begin() { return data(); }
    const CPoint* begin() const { return data(); }
    CPoint& front() { return data()[0]; }
    CPoint& operator[](size_t index) { return data()[index]; }
    const CPoint& operator[](size_t index) const { return data()[index]; }

private:
    CPoint m_local[kLocalRoom]{};
    std::unique_ptr<CPoint[]> m_heap;  // null while the points fit in m_local
    int m_room = kLocalRoom;
};

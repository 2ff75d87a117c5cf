#pragma once
// CPolyPoints: the storage of a polyline's points. The first two live inside the object, so a
// plain two-point wire allocates nothing for them; a longer line keeps its points on the heap.
// The room grows on request, keeping the points held, and never shrinks, so a slot past the
// points in use stays readable. Which points are in use is the owner's business.

#include "platform/Geometry.h"

class CPolyPoints {
public:
    static constexpr int kLocalRoom = 2;

    CPolyPoints() = default;
    CPolyPoints(const CPolyPoints& other);
    CPolyPoints(CPolyPoints&& other) noexcept;
    CPolyPoints& operator=(const CPolyPoints& other);
    CPolyPoints& operator=(CPolyPoints&& other) noexcept;
    ~CPolyPoints() { Free(); }

    int GetRoom() const { return m_room; }
    void Reserve(int count);

    CPoint* data() { return IsHeld() ? m_held : m_local; }
    const CPoint* data() const { return IsHeld() ? m_held : m_local; }
    CPoint* begin() { return data(); }
    const CPoint* begin() const { return data(); }
    CPoint& front() { return data()[0]; }
    CPoint& operator[](size_t index) { return data()[index]; }
    const CPoint& operator[](size_t index) const { return data()[index]; }

private:
    // The points are on the heap once the room is larger than the local room.
    bool IsHeld() const { return m_room > kLocalRoom; }
    void Free();
    // Takes the other's points (its heap block, if any) and leaves it with an empty local room.
    void TakeFrom(CPolyPoints& other) noexcept;

    // The local points and the heap block share their room: every wire of a sheet has one.
    union {
        CPoint m_local[kLocalRoom]{};
        CPoint* m_held;
    };
    int m_room = kLocalRoom;
};

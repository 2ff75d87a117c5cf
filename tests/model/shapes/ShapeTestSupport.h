#pragma once
// Fakes and helpers shared by the shape tests: archive round trips, a view with a fixed
// mapping, a DXF sink and a snap grid that record what they are asked.

#include <memory>
#include <string>
#include <vector>

#include "model/DocView.h"
#include "model/DxfSink.h"
#include "model/SnapGrid.h"
#include "platform/Archive.h"
#include "platform/ObList.h"
#include "platform/RecordingDC.h"

namespace shapetest {

using Bytes = std::vector<unsigned char>;

// Little-endian byte builders for expected records.
Bytes Le16(int value);
Bytes Le32(long long value);
Bytes Concat(std::initializer_list<Bytes> parts);
// The archive's tag of the first object of a new class.
Bytes NewClassTag(const std::string& className);

// The archive bytes of one object (tag and record).
Bytes StoreObject(const CObject* object);
// Loads one object of the expected class; throws CArchiveException on a bad record.
std::unique_ptr<CObject> LoadObject(const Bytes& bytes, const CRuntimeClass* expected);
template <class T>
std::unique_ptr<T> RoundTrip(const T& object) {
    std::unique_ptr<CObject> loaded = LoadObject(StoreObject(&object), object.GetRuntimeClass());
    return std::unique_ptr<T>(dynamic_cast<T*>(loaded.release()));
}

// What an object draws into a recording context.
template <class Paint>
std::vector<std::string> Record(Paint paint) {
    CRecordingDC dc;
    paint(dc);
    return dc.Lines();
}

// A view showing ten sheet units per pixel with y flipped, origin at the sheet origin.
class FakeView : public IDocView {
public:
    void OnUpdate(IDocView*, int, CObject*, CObList*) override {}
    void SetPageSize(const SIZE&) override {}
    CPoint DocToClient(const CPoint& point) const override;
    CPoint ClientToDoc(const CPoint& point) const override;
    void InvalidateClientRect(const CRect&) override { ++invalidations; }
    const CObList& GetSelection() const override { return m_selection; }
    bool ShowsTrackers() const override { return true; }
    void ShowFlaggedObjects(unsigned long) override {}
    void EditObjectProperties(CObList&, DWORD) override {}

    int invalidations = 0;

private:
    CObList m_selection;
};

// Records each entity as one line, e.g. "Line 0,0 960,0".
class RecordingDxf : public IDxfSink {
public:
    void DxfWriteLine(const LOGPEN* pen, int x1, int y1, int x2, int y2,
                      const double* matrix) override;
    void DxfWriteArrowHead(const LOGPEN* pen, POINT tip, float ux, float uy, int kind) override;
    void DxfWriteLwPolyline(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect,
                            int rotation, const double* matrix) override;
    void DxfWrite3DFace(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect, SIZE roundness,
                        int rotation, const double* matrix) override;
    void DxfWritePolyline(int layer, int count, const POINT* points, const double* matrix) override;
    void DxfWriteClosedPolyline(int layer, int fill, int count, const POINT* points,
                                const double* matrix) override;
    void DxfWriteEllipse(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect, int rotation,
                         POINT arcStart, POINT arcEnd, const double* matrix) override;
    // Shapes write no circles and no texts.
    void DxfWriteCircle(int, int, int, int) override {}
    void DxfWriteMText(std::string_view, POINT, int, int, double, const double*) override {}

    std::vector<std::string> calls;
};

// Answers every segment request with the segment's first end at squared distance 4 (or
// declines when decline is set), and records the segments asked for; nothing else snaps.
class FakeSnapGrid : public ISnapGrid {
public:
    double TryPoint(CPoint&, int, int, double) override { return -1; }
    double TrySegment(CPoint& point, int x1, int y1, int x2, int y2, double best) override;
    double TryRect(CPoint&, const CDrawObj*, double) override { return -1; }
    double TryEllipse(CPoint&, const CDrawObj*, double) override { return -1; }

    bool decline = false;
    std::vector<std::string> segments;
};

}  // namespace shapetest

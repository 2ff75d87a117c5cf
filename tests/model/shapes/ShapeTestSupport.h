#pragma once
// Fakes and helpers shared by the shape tests: archive round trips, a view with a fixed
// mapping, a DXF sink and a snap grid that record what they are asked.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/doc/DocView.h"
#include "model/object/DxfSink.h"
#include "model/object/SnapGrid.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "platform/ObList.h"
#include "platform/RecordingDC.h"

namespace shapetest {

using Bytes = std::vector<unsigned char>;

// Little-endian byte builders for expected records.
inline Bytes Le16(int value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
}
inline Bytes Le32(long long value) {
    Bytes bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    return bytes;
}
inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}
// The archive's tag of the first object of a new class.
inline Bytes NewClassTag(const std::string& className) {
    return Concat({Le16(0xFFFF), Le16(1), Le16(static_cast<int>(className.size())),
                   Bytes(className.begin(), className.end())});
}

// The archive bytes of one object (tag and record).
inline Bytes StoreObject(const CObject* object) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(object);
    ar.Close();
    return file.GetBytes();
}
// Loads one object of the expected class; throws CArchiveException on a bad record.
inline std::unique_ptr<CObject> LoadObject(const Bytes& bytes, const CRuntimeClass* expected) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> object(ar.ReadObject(expected));
    ar.Close();
    return object;
}
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
    CPoint DocToClient(const CPoint& p) const override { return CPoint(p.x / 10, -p.y / 10); }
    CPoint ClientToDoc(const CPoint& p) const override { return CPoint(p.x * 10, -p.y * 10); }
    void InvalidateClientRect(const CRect&) override {}
    const CObList& GetSelection() const override { return m_selection; }
    bool ShowsTrackers() const override { return true; }
    void ShowFlaggedObjects(unsigned long) override {}
    void EditObjectProperties(CObList&, DWORD) override {}

private:
    CObList m_selection;
};

inline std::string Pt(POINT p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

// Records each entity as one line, e.g. "Line 0,0 960,0"; " placed" marks a matrix.
class RecordingDxf : public IDxfSink {
public:
    void DxfWriteLine(const LOGPEN*, int x1, int y1, int x2, int y2, const double* m) override {
        calls.push_back("Line " + Pt({x1, y1}) + " " + Pt({x2, y2}) + Placed(m));
    }
    void DxfWriteArrowHead(const LOGPEN*, POINT tip, float ux, float uy, int kind) override {
        char direction[64];
        std::snprintf(direction, sizeof direction, "%g,%g", ux, uy);
        calls.push_back("Arrow " + Pt(tip) + " " + direction + " kind=" + std::to_string(kind));
    }
    void DxfWriteLwPolyline(const LOGPEN*, const LOGBRUSH*, const RECT& rect, int rotation,
                            const double* m) override {
        calls.push_back("LwPolyline " + Rc(rect) + " rot=" + std::to_string(rotation) + Placed(m));
    }
    void DxfWrite3DFace(const LOGPEN*, const LOGBRUSH*, const RECT& rect, SIZE roundness,
                        int rotation, const double* m) override {
        calls.push_back("3DFace " + Rc(rect) + " corner=" + Pt({roundness.cx, roundness.cy}) +
                        " rot=" + std::to_string(rotation) + Placed(m));
    }
    void DxfWritePolyline(int, int count, const POINT* points, const double* m) override {
        calls.push_back("Polyline" + Points(count, points) + Placed(m));
    }
    void DxfWriteClosedPolyline(int, int, int count, const POINT* points,
                                const double* m) override {
        calls.push_back("ClosedPolyline" + Points(count, points) + Placed(m));
    }
    void DxfWriteEllipse(const LOGPEN*, const LOGBRUSH*, const RECT& rect, int rotation,
                         POINT arcStart, POINT arcEnd, const double* m) override {
        calls.push_back("Ellipse " + Rc(rect) + " rot=" + std::to_string(rotation) +
                        " arc=" + Pt(arcStart) + " " + Pt(arcEnd) + Placed(m));
    }
    // Shapes write no circles and no texts.
    void DxfWriteCircle(int, int x, int y, int radius) override {
        calls.push_back("Circle " + std::to_string(x) + "," + std::to_string(y) +
                        " r=" + std::to_string(radius));
    }
    void DxfWriteMText(std::string_view, POINT, int, int, double, const double*) override {}

    std::vector<std::string> calls;

private:
    static std::string Rc(const RECT& r) {
        return Pt({r.left, r.top}) + "," + Pt({r.right, r.bottom});
    }
    static std::string Points(int count, const POINT* points) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += " " + Pt(points[i]);
        return text;
    }
    static std::string Placed(const double* m) { return m ? " placed" : ""; }
};

// Answers every segment request with the segment's first end at squared distance 4, and
// records the segments asked for; nothing else snaps.
class FakeSnapGrid : public ISnapGrid {
public:
    double TryPoint(CPoint&, int, int, double) override { return -1; }
    double TrySegment(CPoint& point, int x1, int y1, int x2, int y2, double) override {
        segments.push_back(Pt({x1, y1}) + "-" + Pt({x2, y2}));
        point = CPoint(x1, y1);
        return 4;
    }
    double TryRect(CPoint&, const CDrawObj*, double) override { return -1; }
    double TryEllipse(CPoint&, const CDrawObj*, double) override { return -1; }

    std::vector<std::string> segments;
};

}  // namespace shapetest

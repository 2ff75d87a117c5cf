#include "ShapeTestSupport.h"

#include <cstdio>

#include "platform/MemFile.h"

namespace shapetest {

namespace {

std::string Pt(POINT p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string Rc(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

std::string Points(int count, const POINT* points) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += " " + Pt(points[i]);
    return text;
}

std::string Matrix(const double* m) {
    return m ? " placed" : "";
}

}  // namespace

Bytes Le16(int value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
}

Bytes Le32(long long value) {
    Bytes bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    return bytes;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes NewClassTag(const std::string& className) {
    return Concat({Le16(0xFFFF), Le16(1), Le16(static_cast<int>(className.size())),
                   Bytes(className.begin(), className.end())});
}

Bytes StoreObject(const CObject* object) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(object);
    ar.Close();
    return file.GetBytes();
}

std::unique_ptr<CObject> LoadObject(const Bytes& bytes, const CRuntimeClass* expected) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> object(ar.ReadObject(expected));
    ar.Close();
    return object;
}

CPoint FakeView::DocToClient(const CPoint& point) const {
    return CPoint(point.x / 10, -point.y / 10);
}

CPoint FakeView::ClientToDoc(const CPoint& point) const {
    return CPoint(point.x * 10, -point.y * 10);
}

void RecordingDxf::DxfWriteLine(const LOGPEN*, int x1, int y1, int x2, int y2,
                                const double* matrix) {
    calls.push_back("Line " + Pt({x1, y1}) + " " + Pt({x2, y2}) + Matrix(matrix));
}

void RecordingDxf::DxfWriteArrowHead(const LOGPEN*, POINT tip, float ux, float uy, int kind) {
    char direction[64];
    std::snprintf(direction, sizeof direction, "%g,%g", ux, uy);
    calls.push_back("Arrow " + Pt(tip) + " " + direction + " kind=" + std::to_string(kind));
}

void RecordingDxf::DxfWriteLwPolyline(const LOGPEN*, const LOGBRUSH*, const RECT& rect,
                                      int rotation, const double* matrix) {
    calls.push_back("LwPolyline " + Rc(rect) + " rot=" + std::to_string(rotation) + Matrix(matrix));
}

void RecordingDxf::DxfWrite3DFace(const LOGPEN*, const LOGBRUSH*, const RECT& rect, SIZE roundness,
                                  int rotation, const double* matrix) {
    calls.push_back("3DFace " + Rc(rect) + " corner=" + Pt({roundness.cx, roundness.cy}) +
                    " rot=" + std::to_string(rotation) + Matrix(matrix));
}

void RecordingDxf::DxfWritePolyline(int, int count, const POINT* points, const double* matrix) {
    calls.push_back("Polyline" + Points(count, points) + Matrix(matrix));
}

void RecordingDxf::DxfWriteClosedPolyline(int, int, int count, const POINT* points,
                                          const double* matrix) {
    calls.push_back("ClosedPolyline" + Points(count, points) + Matrix(matrix));
}

void RecordingDxf::DxfWriteEllipse(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect,
                                   int rotation, POINT arcStart, POINT arcEnd,
                                   const double* matrix) {
    calls.push_back("Ellipse " + Rc(rect) + " rot=" + std::to_string(rotation) +
                    " arc=" + Pt(arcStart) + " " + Pt(arcEnd) + (pen || brush ? " gdi" : "") +
                    Matrix(matrix));
}

double FakeSnapGrid::TrySegment(CPoint& point, int x1, int y1, int x2, int y2, double) {
    segments.push_back(Pt({x1, y1}) + "-" + Pt({x2, y2}));
    if (decline)
        return -1;
    point = CPoint(x1, y1);
    return 4;
}

}  // namespace shapetest

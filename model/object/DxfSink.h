#pragma once
// IDxfSink: where drawing objects send their DXF entities. The DXF file writer implements it;
// objects only describe their geometry and leave the file's groups to it. Points are sheet
// points; a matrix is a placement matrix of six doubles (a, b, tx, c, d, ty) or null, applied
// by the writer to every point; rotations are tenths of a degree, counter-clockwise, applied
// before the matrix.

#include <string_view>

#include "platform/GdiTypes.h"

class IDxfSink {
public:
    virtual ~IDxfSink() = default;

    // One LINE from (x1, y1) to (x2, y2); the pen (or none) gives its line type and thickness.
    virtual void DxfWriteLine(const LOGPEN* pen, int x1, int y1, int x2, int y2,
                              const double* matrix) = 0;
    // An arrow head at tip pointing along the unit vector (ux, uy), in sheet coordinates
    // already placed: kind 1 two strokes, 2 a narrow and 3 a wide closed triangle.
    virtual void DxfWriteArrowHead(const LOGPEN* pen, POINT tip, float ux, float uy, int kind) = 0;
    // A rectangle as a closed polyline, its corners turned by rotation and mapped by matrix.
    virtual void DxfWriteLwPolyline(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect,
                                    int rotation, const double* matrix) = 0;
    // A rounded rectangle with the given corner size, turned and mapped likewise.
    virtual void DxfWrite3DFace(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect,
                                SIZE roundness, int rotation, const double* matrix) = 0;
    // An open polyline of the points, and a closed one.
    virtual void DxfWritePolyline(int layer, int count, const POINT* points,
                                  const double* matrix) = 0;
    virtual void DxfWriteClosedPolyline(int layer, int fill, int count, const POINT* points,
                                        const double* matrix) = 0;
    // One ELLIPSE whose axes follow rect and rotation and whose arc runs from arcStart to
    // arcEnd (points of the unrotated frame of rect; equal points: the whole ellipse).
    virtual void DxfWriteEllipse(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect,
                                 int rotation, POINT arcStart, POINT arcEnd,
                                 const double* matrix) = 0;
    virtual void DxfWriteCircle(int layer, int x, int y, int radius) = 0;
    // One MTEXT for one line of text: insertion point, the font's height in sheet units, the
    // alignment of the text box (0 left, 1 centre, 2 right) and the angle in radians.
    virtual void DxfWriteMText(std::string_view text, POINT insertion, int height, int alignment,
                               double angle, const double* matrix) = 0;
};

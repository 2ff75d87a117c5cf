#pragma once
// CDxfEntityWriter: the entities of a DXF file's ENTITIES section, written for the drawing
// objects that export themselves through IDxfSink. Every entity lies on layer "0"; sheet
// coordinates become drawing units (inches) by 0.001, the y axis kept as stored; a pen gives
// the line type and a thickness of its width / 72.

#include "model/object/DxfSink.h"

class CDxfStream;

class CDxfEntityWriter final : public IDxfSink {
public:
    explicit CDxfEntityWriter(CDxfStream& stream) : m_stream(stream) {}

    void DxfWriteLine(const LOGPEN* pen, int x1, int y1, int x2, int y2,
                      const double* matrix) override;
    // Kind 1 writes two LINEs, 2 a wide and 3 a narrow closed POLYLINE; any other nothing.
    void DxfWriteArrowHead(const LOGPEN* pen, POINT tip, float ux, float uy, int kind) override;
    // A closed LWPOLYLINE through the corners (left, top), (right, top), (right, bottom),
    // (left, bottom).
    void DxfWriteLwPolyline(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect,
                            int rotation, const double* matrix) override;
    // A 3DFACE through the four corners; the corner size is not kept.
    void DxfWrite3DFace(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect, SIZE roundness,
                        int rotation, const double* matrix) override;
    void DxfWritePolyline(int layer, int count, const POINT* points, const double* matrix) override;
    void DxfWriteClosedPolyline(int layer, int fill, int count, const POINT* points,
                                const double* matrix) override;
    // An ELLIPSE, or nothing for a rectangle without width or height.
    void DxfWriteEllipse(const LOGPEN* pen, const LOGBRUSH* brush, const RECT& rect, int rotation,
                         POINT arcStart, POINT arcEnd, const double* matrix) override;
    void DxfWriteCircle(int layer, int x, int y, int radius) override;
    // An MTEXT whose text height is height / 1500; a backslash or brace in the text is written
    // after a backslash, so that it is not read as formatting, the text is in the file's code
    // page (DxfCodePageText), and texts longer than 250 characters go out in pieces of 250 that
    // keep each escape whole.
    void DxfWriteMText(std::string_view text, POINT insertion, int height, int alignment,
                       double angle, const double* matrix) override;

private:
    void WritePoint(int code, POINT point);
    void WritePenGroups(const LOGPEN* pen);
    void WritePolyline(const LOGPEN* pen, bool closed, int count, const POINT* points,
                       const double* matrix);
    void WriteTextPieces(std::string_view text);

    CDxfStream& m_stream;
};

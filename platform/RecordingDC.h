#pragma once
// CRecordingDC: a device context that draws nothing and writes each output call as one line
// of text, so that drawing code can be checked exactly. Coordinates are the logical ones the
// caller passed; each line carries the state the call draws with.
//
// Line formats (x,y points; l,t,r,b rectangles; fields separated by one space):
//   MoveTo x,y
//   LineTo x,y pen=P rop=R                   (from the current position)
//   Polyline x,y x,y ... pen=P rop=R
//   PolylineTo x,y ... pen=P rop=R           (the points after the current position)
//   PolyBezier x,y ... pen=P rop=R
//   PolyBezierTo x,y ... pen=P rop=R
//   Polygon x,y ... pen=P brush=B fill=F rop=R
//   Rectangle l,t,r,b pen=P brush=B rop=R
//   RoundRect l,t,r,b corner=w,h pen=P brush=B rop=R
//   Ellipse l,t,r,b pen=P brush=B rop=R
//   Arc l,t,r,b from=x,y to=x,y pen=P rop=R
//   Chord l,t,r,b from=x,y to=x,y pen=P brush=B rop=R      (Pie likewise)
//   FillRect l,t,r,b brush=B                 (FrameRect likewise)
//   PatBlt l,t,r,b rop=0x00F00021 brush=B
//   DrawFocusRect l,t,r,b
//   SetPixel x,y color=C
//   Image l,t,r,b size=WxH
//   BeginPath | EndPath | AbortPath
//   StrokePath pen=P rop=R | FillPath brush=B fill=F rop=R
//   StrokeAndFillPath pen=P brush=B fill=F rop=R
//   TextOut x,y "text" font=T color=C bk=K align=A [opts=O rect=l,t,r,b] [dx=a,b,...]
// where
//   C  a COLORREF in hex, 0xBBGGRR: 0x0000FF is red
//   P  style/width/colour, e.g. solid/0/0x000000 or dash/10/0x800000; "null" for the null
//      pen; extended pens append +geometric, +squarecap, +flatcap, +beveljoin, +miterjoin
//      to the style
//   B  solid/colour, hatchN/colour (N = HS_* index), pattern/<8 rows in hex>, or null
//   F  alternate | winding;  R  the SetROP2 value, 13 = R2_COPYPEN
//   T  face/height/weight, then /italic, /underline, /strikeout, /escN when set
//   K  transparent | opaque/colour;  A  left|center|right,top|baseline|bottom
//   O  opaque, clipped or opaque+clipped
// Text is written byte by byte: printable ASCII as is (with \" and \\), other bytes as \xNN.
// DrawText appears as the TextOut lines of its layout.
//
// Text metrics are fixed functions of the selected font's height, in logical units whatever
// the mapping: with h = |lfHeight| (12 when 0), every byte advances round(0.6 h), ascent is
// round(0.8 h), descent h - ascent, height h, no leading; rounding is half up. Heights beyond
// a million units count as a million.

#include <string>
#include <vector>

#include "platform/DC.h"

class CRecordingDC : public CDC {
public:
    struct Device {
        int dpiX = 96;
        int dpiY = 96;
        int width = 1000;  // pixels
        int height = 1000;
        bool printing = false;
    };

    CRecordingDC() : CRecordingDC(Device()) {}
    explicit CRecordingDC(const Device& device);

    const std::vector<std::string>& Lines() const { return m_lines; }
    void Clear() { m_lines.clear(); }

    int GetDeviceCaps(int index) const override;

protected:
    void OutMoveTo(POINT to) override;
    void OutPoly(PolyKind kind, const POINT* points, int count) override;
    void OutShape(ShapeKind kind, const RECT& rect, POINT a, POINT b) override;
    void OutRect(RectKind kind, const RECT& rect, const CBrush& brush) override;
    void OutPatBlt(const RECT& rect, DWORD rop) override;
    void OutFocusRect(const RECT& rect) override;
    void OutPixel(POINT p, COLORREF color) override;
    void OutImage(const RECT& rect, const DibImage& image) override;
    void OutPath(PathOp op) override;
    void OutText(const TextRun& run) override;
    TEXTMETRIC MeasureFont() const override;
    void MeasureChars(std::string_view text, std::vector<LONG>& cumulative) const override;

private:
    std::string PenField() const;
    std::string BrushField() const;
    std::string RopField() const;
    std::string FillField() const;
    std::string TextFields(const TextRun& run) const;

    Device m_device;
    std::vector<std::string> m_lines;
};

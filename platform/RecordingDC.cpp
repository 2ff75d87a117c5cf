#include "platform/RecordingDC.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

std::string Num(LONG v) {
    return std::to_string(v);
}

std::string Hex(DWORD v, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*X", digits, static_cast<unsigned>(v));
    return buf;
}

std::string Color(COLORREF c) {
    return Hex(c, 6);
}

std::string Pt(POINT p) {
    return Num(p.x) + "," + Num(p.y);
}

std::string Rc(const RECT& r) {
    return Num(r.left) + "," + Num(r.top) + "," + Num(r.right) + "," + Num(r.bottom);
}

std::string LineStyleName(UINT style) {
    static const char* const names[] = {"solid",      "dash", "dot",        "dashdot",
                                        "dashdotdot", "null", "insideframe"};
    return style <= PS_INSIDEFRAME ? names[style] : "style" + std::to_string(style);
}

std::string PenText(const CPen& pen) {
    const LOGPEN& log = pen.Log();
    if (pen.LineStyle() == PS_NULL)
        return "null";
    std::string style = LineStyleName(pen.LineStyle());
    if (pen.IsGeometric())
        style += "+geometric";
    const UINT cap = log.lopnStyle & PS_ENDCAP_MASK;
    const UINT join = log.lopnStyle & PS_JOIN_MASK;
    style += cap == PS_ENDCAP_SQUARE ? "+squarecap" : cap == PS_ENDCAP_FLAT ? "+flatcap" : "";
    style += join == PS_JOIN_BEVEL ? "+beveljoin" : join == PS_JOIN_MITER ? "+miterjoin" : "";
    return style + "/" + Num(log.lopnWidth.x) + "/" + Color(log.lopnColor);
}

std::string BrushText(const CBrush& brush) {
    const LOGBRUSH& log = brush.Log();
    switch (log.lbStyle) {
        case BS_SOLID:
            return "solid/" + Color(log.lbColor);
        case BS_HATCHED:
            return "hatch" + Num(log.lbHatch) + "/" + Color(log.lbColor);
        case BS_PATTERN: {
            std::string rows;
            for (BYTE row : brush.Pattern())
                rows += Hex(row, 2).substr(2);
            return "pattern/" + rows;
        }
        default:
            return "null";
    }
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\')
            out += std::string("\\") + ch;
        else if (byte >= 0x20 && byte < 0x7F)
            out += ch;
        else
            out += "\\x" + Hex(byte, 2).substr(2);
    }
    return out + "\"";
}

std::string AlignText(UINT align) {
    const UINT horizontal = align & TA_HORZ_MASK;
    const UINT vertical = align & TA_VERT_MASK;
    std::string text = horizontal == TA_CENTER  ? "center"
                       : horizontal == TA_RIGHT ? "right"
                                                : "left";
    text += vertical == TA_BASELINE ? ",baseline" : vertical == TA_BOTTOM ? ",bottom" : ",top";
    return text;
}

std::string FontText(const LOGFONT& log) {
    std::string text =
        std::string(log.lfFaceName) + "/" + Num(log.lfHeight) + "/" + Num(log.lfWeight);
    if (log.lfItalic)
        text += "/italic";
    if (log.lfUnderline)
        text += "/underline";
    if (log.lfStrikeOut)
        text += "/strikeout";
    if (log.lfEscapement)
        text += "/esc" + Num(log.lfEscapement);
    return text;
}

// Heights beyond a million logical units are taken as a million.
LONG FontHeight(const LOGFONT& log) {
    const std::int64_t h = std::abs(std::int64_t{log.lfHeight});
    return h == 0 ? 12 : static_cast<LONG>(std::min<std::int64_t>(h, 1000000));
}

// round(v * tenths / 10), half up, for v >= 0
LONG Tenths(LONG v, LONG tenths) {
    return static_cast<LONG>((std::int64_t{v} * tenths + 5) / 10);
}

}  // namespace

namespace {

// Resolutions that are not positive count as 96 pixels per inch.
CRecordingDC::Device Sane(CRecordingDC::Device device) {
    device.dpiX = device.dpiX > 0 ? device.dpiX : 96;
    device.dpiY = device.dpiY > 0 ? device.dpiY : 96;
    return device;
}

}  // namespace

CRecordingDC::CRecordingDC(const Device& device)
    : CDC(Sane(device).dpiX, Sane(device).dpiY, device.printing), m_device(Sane(device)) {}

int CRecordingDC::GetDeviceCaps(int index) const {
    switch (index) {
        case LOGPIXELSX:
            return m_device.dpiX;
        case LOGPIXELSY:
            return m_device.dpiY;
        case HORZRES:
        case PHYSICALWIDTH:
            return m_device.width;
        case VERTRES:
        case PHYSICALHEIGHT:
            return m_device.height;
        case HORZSIZE:
            return m_device.width * 254 / (10 * m_device.dpiX);
        case VERTSIZE:
            return m_device.height * 254 / (10 * m_device.dpiY);
        case BITSPIXEL:
            return 32;
        default:
            return 0;
    }
}

std::string CRecordingDC::PenField() const {
    return " pen=" + PenText(*GetCurrentPen());
}

std::string CRecordingDC::BrushField() const {
    return " brush=" + BrushText(*GetCurrentBrush());
}

std::string CRecordingDC::RopField() const {
    return " rop=" + Num(GetROP2());
}

std::string CRecordingDC::FillField() const {
    return GetPolyFillMode() == WINDING ? " fill=winding" : " fill=alternate";
}

void CRecordingDC::OutMoveTo(POINT to) {
    m_lines.push_back("MoveTo " + Pt(to));
}

void CRecordingDC::OutPoly(PolyKind kind, const POINT* points, int count) {
    static const char* const names[] = {"LineTo",     "Polyline",     "PolylineTo",
                                        "PolyBezier", "PolyBezierTo", "Polygon"};
    const bool continues =
        kind == PolyKind::LineTo || kind == PolyKind::PolylineTo || kind == PolyKind::PolyBezierTo;
    std::string line = names[static_cast<int>(kind)];
    for (int i = continues ? 1 : 0; i < count; ++i)
        line += " " + Pt(points[i]);
    line += PenField();
    if (kind == PolyKind::Polygon)
        line += BrushField() + FillField();
    m_lines.push_back(line + RopField());
}

void CRecordingDC::OutShape(ShapeKind kind, const RECT& rect, POINT a, POINT b) {
    static const char* const names[] = {"Rectangle", "RoundRect", "Ellipse", "Arc", "Chord", "Pie"};
    std::string line = std::string(names[static_cast<int>(kind)]) + " " + Rc(rect);
    if (kind == ShapeKind::RoundRect)
        line += " corner=" + Pt(a);
    else if (kind == ShapeKind::Arc || kind == ShapeKind::Chord || kind == ShapeKind::Pie)
        line += " from=" + Pt(a) + " to=" + Pt(b);
    line += PenField();
    if (kind != ShapeKind::Arc)
        line += BrushField();
    m_lines.push_back(line + RopField());
}

void CRecordingDC::OutRect(RectKind kind, const RECT& rect, const CBrush& brush) {
    m_lines.push_back(std::string(kind == RectKind::Fill ? "FillRect " : "FrameRect ") + Rc(rect) +
                      " brush=" + BrushText(brush));
}

void CRecordingDC::OutPatBlt(const RECT& rect, DWORD rop) {
    m_lines.push_back("PatBlt " + Rc(rect) + " rop=" + Hex(rop, 8) + BrushField());
}

void CRecordingDC::OutFocusRect(const RECT& rect) {
    m_lines.push_back("DrawFocusRect " + Rc(rect));
}

void CRecordingDC::OutImage(const RECT& rect, const DibImage& image) {
    m_lines.push_back("Image " + Rc(rect) + " size=" + std::to_string(image.width) + "x" +
                      std::to_string(image.height));
}

void CRecordingDC::OutPixel(POINT p, COLORREF color) {
    m_lines.push_back("SetPixel " + Pt(p) + " color=" + Color(color));
}

void CRecordingDC::OutPath(PathOp op) {
    switch (op) {
        case PathOp::Begin:
            m_lines.push_back("BeginPath");
            break;
        case PathOp::End:
            m_lines.push_back("EndPath");
            break;
        case PathOp::Abort:
            m_lines.push_back("AbortPath");
            break;
        case PathOp::Stroke:
            m_lines.push_back("StrokePath" + PenField() + RopField());
            break;
        case PathOp::Fill:
            m_lines.push_back("FillPath" + BrushField() + FillField() + RopField());
            break;
        case PathOp::StrokeAndFill:
            m_lines.push_back("StrokeAndFillPath" + PenField() + BrushField() + FillField() +
                              RopField());
            break;
    }
}

std::string CRecordingDC::TextFields(const TextRun& run) const {
    std::string fields =
        " font=" + FontText(GetCurrentFont()->Log()) + " color=" + Color(GetTextColor()) +
        " bk=" + (GetBkMode() == OPAQUE ? "opaque/" + Color(GetBkColor()) : "transparent") +
        " align=" + AlignText(run.align);
    if (run.options) {
        const bool opaque = run.options & ETO_OPAQUE;
        const bool clipped = run.options & ETO_CLIPPED;
        fields += std::string(" opts=") + (opaque ? "opaque" : "") +
                  (opaque && clipped ? "+" : "") + (clipped ? "clipped" : "") +
                  " rect=" + Rc(*run.rect);
    }
    if (run.dx) {
        fields += " dx=";
        for (size_t i = 0; i < run.text.size(); ++i)
            fields += (i ? "," : "") + Num(run.dx[i]);
    }
    return fields;
}

void CRecordingDC::OutText(const TextRun& run) {
    m_lines.push_back("TextOut " + Pt(run.origin) + " " + Quoted(run.text) + TextFields(run));
}

TEXTMETRIC CRecordingDC::MeasureFont() const {
    const LOGFONT& log = GetCurrentFont()->Log();
    const LONG h = FontHeight(log);
    TEXTMETRIC tm;
    tm.tmHeight = h;
    tm.tmAscent = Tenths(h, 8);
    tm.tmDescent = h - tm.tmAscent;
    tm.tmAveCharWidth = Tenths(h, 6);
    tm.tmMaxCharWidth = tm.tmAveCharWidth;
    tm.tmWeight = log.lfWeight ? log.lfWeight : FW_NORMAL;
    return tm;
}

void CRecordingDC::MeasureChars(std::string_view text, std::vector<LONG>& cumulative) const {
    const LONG advance = Tenths(FontHeight(GetCurrentFont()->Log()), 6);
    cumulative.clear();
    constexpr std::int64_t limit = std::numeric_limits<LONG>::max();
    for (size_t i = 1; i <= text.size(); ++i)
        cumulative.push_back(
            static_cast<LONG>(std::min<std::int64_t>(advance * std::int64_t(i), limit)));
}

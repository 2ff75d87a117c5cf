#include "gui/kit/QtDC.h"

#include <QCoreApplication>
#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPrinter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <numbers>
#include <string>
#include <utility>

#include "gui/kit/FontFaces.h"
#include "gui/kit/QtGdiStyles.h"
#include "platform/DisplayText.h"
#include "platform/SymbolFace.h"

namespace {

constexpr double kDefaultEm = 12;
constexpr double kMaxEm = 20000;
constexpr int kMaxPenWidth = 10000;
// Fills at most this wide go in bands of at most this many rows (FillDeviceRect).
constexpr int kNarrowFillPixels = 16;
constexpr int kSerialFillRows = 64;
// Device rectangles are kept within this distance of the origin so their sizes fit an int.
constexpr LONG kCoordinateLimit = 1 << 28;

LONG Limited(std::int64_t v) {
    return LONG(std::clamp<std::int64_t>(v, -kCoordinateLimit, kCoordinateLimit));
}

void InstallSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitution("Arial", "Liberation Sans");
        QFont::insertSubstitution("Times New Roman", "Liberation Serif");
        QFont::insertSubstitution("Courier New", "Liberation Mono");
    });
}

bool IsSerif(const LOGFONT& log) {
    return (log.lfPitchAndFamily & 0xF0) == FF_ROMAN;
}

bool IsFixed(const LOGFONT& log) {
    return (log.lfPitchAndFamily & 0xF0) == FF_MODERN ||
           (log.lfPitchAndFamily & 0x3) == FIXED_PITCH;
}

QString FaceName(const LOGFONT& log) {
    const size_t length = strnlen(log.lfFaceName, LF_FACESIZE);
    if (IsSymbolFace(std::string_view(log.lfFaceName, length)))
        return SymbolFaceFamily();
    const QString face = QString::fromLatin1(log.lfFaceName, qsizetype(length)).trimmed();
    if (!face.isEmpty())
        return face;
    return IsSerif(log) ? "Liberation Serif" : IsFixed(log) ? "Liberation Mono" : "Liberation Sans";
}

QList<qreal> CosmeticDashes(UINT style) {
    switch (style) {
        case PS_DASH:
            return {18, 6};
        case PS_DOT:
            return {3, 3};
        case PS_DASHDOT:
            return {9, 6, 3, 6};
        default:
            return {9, 3, 3, 3, 3, 3};
    }
}

Qt::PenStyle GeometricDashes(UINT style) {
    switch (style) {
        case PS_DASH:
            return Qt::DashLine;
        case PS_DOT:
            return Qt::DotLine;
        case PS_DASHDOT:
            return Qt::DashDotLine;
        default:
            return Qt::DashDotDotLine;
    }
}

QPainter::CompositionMode ModeForRop2(int rop) {
    switch (rop) {
        case R2_BLACK:
            return QPainter::RasterOp_ClearDestination;
        case R2_NOTMERGEPEN:
            return QPainter::RasterOp_NotSourceAndNotDestination;
        case R2_MASKNOTPEN:
            return QPainter::RasterOp_NotSourceAndDestination;
        case R2_NOTCOPYPEN:
            return QPainter::RasterOp_NotSource;
        case R2_MASKPENNOT:
            return QPainter::RasterOp_SourceAndNotDestination;
        case R2_NOT:
            return QPainter::RasterOp_NotDestination;
        case R2_XORPEN:
            return QPainter::RasterOp_SourceXorDestination;
        case R2_NOTMASKPEN:
            return QPainter::RasterOp_NotSourceOrNotDestination;
        case R2_MASKPEN:
            return QPainter::RasterOp_SourceAndDestination;
        case R2_NOTXORPEN:
            return QPainter::RasterOp_NotSourceXorDestination;
        case R2_NOP:
            return QPainter::CompositionMode_Destination;
        case R2_MERGENOTPEN:
            return QPainter::RasterOp_NotSourceOrDestination;
        case R2_MERGEPENNOT:
            return QPainter::RasterOp_SourceOrNotDestination;
        case R2_MERGEPEN:
            return QPainter::RasterOp_SourceOrDestination;
        case R2_WHITE:
            return QPainter::RasterOp_SetDestination;
        default:
            return QPainter::CompositionMode_SourceOver;
    }
}

// The angle in degrees, counter-clockwise on the device, at which the ray from the centre of
// an ellipse with half axes rx, ry towards v meets it, in the ellipse's own parameter.
double EllipseAngle(QPointF v, double rx, double ry) {
    return std::atan2(-v.y() * rx, v.x() * ry) * 180.0 / std::numbers::pi;
}

int DpiOf(const QPainter& painter, bool horizontal) {
    const QPaintDevice* device = painter.device();
    if (!device)
        return 96;
    return horizontal ? device->logicalDpiX() : device->logicalDpiY();
}

quint32 GlyphIn(const QRawFont& font, char32_t code) {
    const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&code, 1));
    return glyphs.isEmpty() ? 0 : glyphs.first();
}

// The font and glyph Qt's text layout draws the character with, falling back from the font to
// others that hold it; an empty font if none does.
std::pair<QRawFont, quint32> LaidOutGlyph(const QFont& font, char32_t code) {
    QTextLayout layout(QString::fromUcs4(&code, 1), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        if (!glyphs.isEmpty() && glyphs.first() != 0)
            return {run.rawFont(), glyphs.first()};
    }
    return {};
}

// One run for the glyphs of each font, in the order the fonts first appear.
std::vector<QGlyphRun> GlyphRunsPerFont(const QList<QRawFont>& fonts, const QList<quint32>& glyphs,
                                        const QList<QPointF>& positions) {
    std::vector<QGlyphRun> runs;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        auto run = std::find_if(runs.begin(), runs.end(),
                                [&](const QGlyphRun& r) { return r.rawFont() == fonts[i]; });
        if (run == runs.end()) {
            run = runs.emplace(runs.end());
            run->setRawFont(fonts[i]);
        }
        run->setGlyphIndexes(run->glyphIndexes() << glyphs[i]);
        run->setPositions(run->positions() << positions[i]);
    }
    return runs;
}

}  // namespace

QFont QtFontFromLogFont(const LOGFONT& log, double emPixels) {
    InstallSubstitutions();
    QFont font(FaceName(log));
    font.setPixelSize(std::max(1, int(std::lround(emPixels))));
    const LONG weight = log.lfWeight > 0 ? log.lfWeight : FW_NORMAL;
    font.setWeight(QFont::Weight(std::clamp<LONG>(weight, 1, 1000)));
    font.setItalic(log.lfItalic != 0);
    font.setUnderline(log.lfUnderline != 0);
    font.setStrikeOut(log.lfStrikeOut != 0);
    font.setStyleHint(IsSerif(log)   ? QFont::Serif
                      : IsFixed(log) ? QFont::TypeWriter
                                     : QFont::SansSerif);
    return font;
}

CQtDC::CQtDC(QPainter& painter, bool printing)
    : CDC(DpiOf(painter, true), DpiOf(painter, false), printing),
      m_painter(painter),
      m_raster(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster) {
    m_painter.save();
    m_base = m_painter.worldTransform();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

CQtDC::~CQtDC() {
    m_painter.restore();
}

int CQtDC::GetDeviceCaps(int index) const {
    const QPaintDevice* device = m_painter.device();
    if (!device)
        return 0;
    const auto* printer = dynamic_cast<const QPrinter*>(device);
    const QPageLayout layout = printer ? printer->pageLayout() : QPageLayout();
    const int resolution = printer ? printer->resolution() : 0;
    switch (index) {
        case LOGPIXELSX:
            return device->logicalDpiX();
        case LOGPIXELSY:
            return device->logicalDpiY();
        case HORZRES:
            return device->width();
        case VERTRES:
            return device->height();
        case HORZSIZE:
            return device->widthMM();
        case VERTSIZE:
            return device->heightMM();
        case BITSPIXEL:
            return device->depth();
        case PHYSICALWIDTH:
            return printer ? layout.fullRectPixels(resolution).width() : device->width();
        case PHYSICALHEIGHT:
            return printer ? layout.fullRectPixels(resolution).height() : device->height();
        case PHYSICALOFFSETX:
            return printer ? layout.paintRectPixels(resolution).left() : 0;
        case PHYSICALOFFSETY:
            return printer ? layout.paintRectPixels(resolution).top() : 0;
        default:
            return 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Coordinates, pens and brushes

QPointF CQtDC::Device(POINT p) const {
    const POINT d = Mapping().ToDevice(p);
    return QPointF(d.x, d.y);
}

// Normalised, in whole pixels; its right and bottom edges lie outside it, as in QRect(x, y,
// width, height).
QRect CQtDC::DeviceRect(const RECT& r) const {
    const POINT a = Mapping().ToDevice(POINT{r.left, r.top});
    const POINT b = Mapping().ToDevice(POINT{r.right, r.bottom});
    const LONG left = Limited(std::min(a.x, b.x));
    const LONG top = Limited(std::min(a.y, b.y));
    return QRect(left, top, Limited(std::max(a.x, b.x)) - left, Limited(std::max(a.y, b.y)) - top);
}

// 0 for a pen one pixel wide.
int CQtDC::DevicePenWidth() const {
    const CPen& pen = *GetCurrentPen();
    if (pen.IsExtended() && !pen.IsGeometric())
        return 0;
    const LONG width = pen.Log().lopnWidth.x;
    const LONG device = width ? Mapping().SizeToDevice(SIZE{width, 0}).cx : 0;
    return device <= 1 ? 0 : std::min<LONG>(device, kMaxPenWidth);
}

QPen CQtDC::MakePen() const {
    const CPen& pen = *GetCurrentPen();
    const UINT style = pen.LineStyle();
    if (style == PS_NULL)
        return QPen(Qt::NoPen);
    const int width = DevicePenWidth();
    QPen qpen(ToQColor(pen.Log().lopnColor), width);
    const bool dashed = style >= PS_DASH && style <= PS_DASHDOTDOT;
    if (width == 0) {
        qpen.setCapStyle(Qt::FlatCap);  // a line leaves out its last pixel
        if (dashed)
            qpen.setDashPattern(CosmeticDashes(style));
        return qpen;
    }
    // Wide plain pens draw solid lines with round ends and joins.
    const UINT cap = pen.Log().lopnStyle & PS_ENDCAP_MASK;
    const UINT join = pen.Log().lopnStyle & PS_JOIN_MASK;
    qpen.setCapStyle(cap == PS_ENDCAP_SQUARE ? Qt::SquareCap
                     : cap == PS_ENDCAP_FLAT ? Qt::FlatCap
                                             : Qt::RoundCap);
    qpen.setJoinStyle(join == PS_JOIN_BEVEL   ? Qt::BevelJoin
                      : join == PS_JOIN_MITER ? Qt::MiterJoin
                                              : Qt::RoundJoin);
    if (dashed && pen.IsExtended())
        qpen.setStyle(GeometricDashes(style));
    return qpen;
}

// The painter's pen for the selected one, kept for the last few pens and their widths on the
// device: a sheet's objects and their trackers take turns with two or three pens, and the paint
// engine keeps what it prepared for a pen it is given again.
const QPen& CQtDC::SelectedPen() {
    const CPen& pen = *GetCurrentPen();
    const PenKey key{pen.Log(), pen.IsExtended() != FALSE, DevicePenWidth()};
    for (m_currentPen = 0; m_currentPen < m_pensKept; ++m_currentPen) {
        if (m_pens[m_currentPen].key == key)
            return m_pens[m_currentPen].pen;
    }
    if (m_pensKept < kKeptPens) {
        m_currentPen = m_pensKept++;
    } else {
        m_currentPen = m_nextPenSlot;
        m_nextPenSlot = (m_nextPenSlot + 1) % kKeptPens;
    }
    m_pens[m_currentPen] = KeptPen{key, MakePen(), std::nullopt, QPen()};
    return m_pens[m_currentPen].pen;
}

// For dashes in opaque mode: the solid pen of the background colour that fills the gaps of the
// pen SelectedPen gave last, under its dashes.
const QPen& CQtDC::GapsPen() {
    KeptPen& kept = m_pens[m_currentPen];
    const COLORREF background = GetBkColor();
    if (kept.gapsColour != background) {
        kept.gaps = kept.pen;
        kept.gaps.setStyle(Qt::SolidLine);
        kept.gaps.setColor(ToQColor(background));
        kept.gapsColour = background;
    }
    return kept.gaps;
}

QBrush CQtDC::MakeBrush(const CBrush& brush) const {
    const LOGBRUSH& log = brush.Log();
    switch (log.lbStyle) {
        case BS_SOLID:
            return QBrush(ToQColor(log.lbColor));
        case BS_HATCHED:
            return QBrush(ToQColor(log.lbColor), ToQtHatch(log.lbHatch));
        case BS_PATTERN: {
            QImage image(8, 8, QImage::Format_RGB32);
            const QRgb fore = ToQColor(GetTextColor()).rgb();
            const QRgb back = ToQColor(GetBkColor()).rgb();
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x)
                    image.setPixel(x, y, (brush.Pattern()[y] >> (7 - x)) & 1 ? back : fore);
            }
            return QBrush(image);
        }
        default:
            return QBrush(Qt::NoBrush);
    }
}

// Resets the painter for one output call: the painter's own coordinates, the context's clip,
// the given composition (plain copying on devices without raster operations) and the brush
// origin. What the last call set and nothing has changed since is not set again.
void CQtDC::BeginOutput(QPainter::CompositionMode mode) {
    OutputState state;
    if (const RECT* clip = DeviceClip()) {
        const LONG left = Limited(clip->left), top = Limited(clip->top);
        state.clip = QRect(left, top, Limited(clip->right) - left, Limited(clip->bottom) - top);
    }
    state.mode = m_raster ? mode : QPainter::CompositionMode_SourceOver;
    state.brushOrigin = GetBrushOrg();
    if (m_output && *m_output == state)
        return;
    m_painter.setWorldTransform(m_base);
    if (state.clip)
        m_painter.setClipRect(*state.clip);
    else
        m_painter.setClipping(false);
    m_painter.setCompositionMode(state.mode);
    m_painter.setBrushOrigin(state.brushOrigin.x, state.brushOrigin.y);
    m_output = state;
}

// Fills with the selected brush and outlines with the selected pen under the raster operation.
// Hatches and dashes show the background colour between their lines in opaque mode.
void CQtDC::PaintPath(const QPainterPath& path, bool fill, bool stroke) {
    if (GetROP2() == R2_NOP)
        return;
    if (fill && stroke && PaintUprightBox(path))
        return;
    BeginOutput(ModeForRop2(GetROP2()));
    const QColor background = ToQColor(GetBkColor());
    const bool opaque = GetBkMode() == OPAQUE;
    const CBrush& brush = *GetCurrentBrush();
    if (fill && brush.Log().lbStyle != BS_NULL) {
        if (opaque && brush.Log().lbStyle == BS_HATCHED)
            m_painter.fillPath(path, background);
        m_painter.fillPath(path, MakeBrush(brush));
    }
    const QPen& pen = SelectedPen();
    if (!stroke || pen.style() == Qt::NoPen)
        return;
    if (opaque && pen.style() != Qt::SolidLine)
        m_painter.strokePath(path, GapsPen());
    m_painter.strokePath(path, pen);
}

// An open straight line goes to the painter as the points of a polyline, which the paint engine
// strokes as it would the line's path, without a path made and converted for each of the ten
// thousand pins and wires of a sheet. The painter keeps the pen: every other output sets its
// own.
void CQtDC::StrokePolyline(const POINT* points, int count) {
    if (GetROP2() == R2_NOP)
        return;
    const QPen& pen = SelectedPen();
    if (pen.style() == Qt::NoPen)
        return;
    BeginOutput(ModeForRop2(GetROP2()));
    m_polyline.clear();
    for (int i = 0; i < count; ++i)
        m_polyline.push_back(Device(points[i]));
    if (GetBkMode() == OPAQUE && pen.style() != Qt::SolidLine) {
        m_painter.setPen(GapsPen());
        m_painter.drawPolyline(m_polyline.data(), count);
    }
    m_painter.setPen(pen);
    m_painter.drawPolyline(m_polyline.data(), count);
}

namespace {

// The box of pixels a path outlines when it runs once round an upright rectangle through the
// centres of the box's edge pixels.
std::optional<QRect> UprightBox(const QPainterPath& path) {
    if (path.elementCount() != 5 || !path.elementAt(0).isMoveTo())
        return std::nullopt;
    QPoint p[5];
    for (int i = 0; i < 5; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if ((i > 0 && !e.isLineTo()) || e.x != std::floor(e.x) || e.y != std::floor(e.y))
            return std::nullopt;
        p[i] = QPoint(int(e.x), int(e.y));
    }
    const bool across = p[0].y() == p[1].y() && p[1].x() == p[2].x() && p[2].y() == p[3].y() &&
                        p[3].x() == p[0].x();
    const bool down = p[0].x() == p[1].x() && p[1].y() == p[2].y() && p[2].x() == p[3].x() &&
                      p[3].y() == p[0].y();
    if (p[4] != p[0] || !(across || down) || p[0].x() == p[2].x() || p[0].y() == p[2].y())
        return std::nullopt;
    return QRect(QPoint(std::min(p[0].x(), p[2].x()), std::min(p[0].y(), p[2].y())),
                 QPoint(std::max(p[0].x(), p[2].x()), std::max(p[0].y(), p[2].y())));
}

}  // namespace

// An upright rectangle with a one-pixel pen (or none) and a solid brush (or none), copied onto
// a raster device, as selection handles, outlines and symbol bodies draw it by the thousand:
// its inside and its solid edges are filled as device rectangles, which cover the pixels that
// filling and stroking its path would. Dashes are still stroked; the gaps between them in
// opaque mode are filled too.
bool CQtDC::PaintUprightBox(const QPainterPath& path) {
    if (!FillsUprightBoxes())
        return false;
    const std::optional<QRect> box = UprightBox(path);
    if (!box)
        return false;
    FillUprightBox(*box);
    if (HasDashedPen())
        m_painter.strokePath(path, SelectedPen());
    return true;
}

bool CQtDC::HasDashedPen() const {
    const UINT line = GetCurrentPen()->LineStyle();
    return line >= PS_DASH && line <= PS_DASHDOTDOT;
}

bool CQtDC::FillsUprightBoxes() const {
    if (!m_raster || GetROP2() != R2_COPYPEN)
        return false;
    const UINT line = GetCurrentPen()->LineStyle();
    if (line != PS_NULL &&
        (DevicePenWidth() != 0 || !(HasDashedPen() || line == PS_SOLID || line == PS_INSIDEFRAME)))
        return false;
    const UINT brush = GetCurrentBrush()->Log().lbStyle;
    return brush == BS_SOLID || brush == BS_NULL;
}

// The fills of PaintUprightBox for the box of pixels an outline runs round.
void CQtDC::FillUprightBox(const QRect& box) {
    BeginOutput(QPainter::CompositionMode_SourceOver);
    const CPen& pen = *GetCurrentPen();
    const LOGBRUSH& brush = GetCurrentBrush()->Log();
    const bool dashed = HasDashedPen();
    const bool filled = brush.lbStyle == BS_SOLID;
    const bool edged = pen.LineStyle() != PS_NULL && (!dashed || GetBkMode() == OPAQUE);
    const int x = box.left(), y = box.top(), w = box.width(), h = box.height();
    if (edged && filled) {
        // The edge colour over the whole box, then the brush inside the edges.
        m_painter.fillRect(box, ToQColor(dashed ? GetBkColor() : pen.Log().lopnColor));
        m_painter.fillRect(QRect(x + 1, y + 1, w - 2, h - 2), ToQColor(brush.lbColor));
    } else if (edged) {
        const QColor edge = ToQColor(dashed ? GetBkColor() : pen.Log().lopnColor);
        m_painter.fillRect(QRect(x, y, w, 1), edge);
        m_painter.fillRect(QRect(x, y + h - 1, w, 1), edge);
        m_painter.fillRect(QRect(x, y + 1, 1, h - 2), edge);
        m_painter.fillRect(QRect(x + w - 1, y + 1, 1, h - 2), edge);
    } else if (filled) {
        m_painter.fillRect(QRect(x, y, w - 1, h - 1), ToQColor(brush.lbColor));
    }
}

// Qt's raster engine hands a fill of many rows to its thread pool. For a narrow column, such
// as a dotted grid line, the hand-over costs far more than the fill, so such a fill goes in
// bands of rows short enough to stay on this thread.
void CQtDC::FillDeviceRect(const QRect& r, const CBrush& brush) {
    if (brush.Log().lbStyle == BS_NULL)
        return;
    const bool gaps = GetBkMode() == OPAQUE && brush.Log().lbStyle == BS_HATCHED;
    const QBrush fill = MakeBrush(brush);
    const int band = r.width() <= kNarrowFillPixels ? kSerialFillRows : std::max(1, r.height());
    for (int top = r.top(); top <= r.bottom(); top += band) {
        const QRect part(r.left(), top, r.width(), std::min(band, r.bottom() + 1 - top));
        if (gaps)
            m_painter.fillRect(part, ToQColor(GetBkColor()));
        m_painter.fillRect(part, fill);
    }
}

// ---------------------------------------------------------------------------------------------
// Lines, curves and shapes

void CQtDC::OutMoveTo(POINT to) {
    if (IsPathOpen())
        m_path.moveTo(Device(to));
}

void CQtDC::OutPoly(PolyKind kind, const POINT* points, int count) {
    const bool curved = kind == PolyKind::PolyBezier || kind == PolyKind::PolyBezierTo;
    if (!curved && kind != PolyKind::Polygon && !IsPathOpen()) {
        StrokePolyline(points, count);
        return;
    }
    QPainterPath part(Device(points[0]));
    if (curved) {
        for (int i = 1; i + 2 < count; i += 3)
            part.cubicTo(Device(points[i]), Device(points[i + 1]), Device(points[i + 2]));
    } else {
        for (int i = 1; i < count; ++i)
            part.lineTo(Device(points[i]));
    }
    const bool polygon = kind == PolyKind::Polygon;
    if (polygon) {
        part.closeSubpath();
        part.setFillRule(GetPolyFillMode() == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    }
    if (!IsPathOpen()) {
        PaintPath(part, polygon, true);
        return;
    }
    const bool continues =
        kind == PolyKind::LineTo || kind == PolyKind::PolylineTo || kind == PolyKind::PolyBezierTo;
    if (continues && !m_path.isEmpty())
        m_path.connectPath(part);
    else
        m_path.addPath(part);
}

// The outline runs through the centres of the edge pixels: from left to right - 1 and from
// top to bottom - 1 of the device rectangle, so filling covers the inside without the right
// and bottom edge and a one-pixel pen the whole rectangle without them.
void CQtDC::ShapePath(ShapeKind kind, const RECT& rect, POINT a, POINT b,
                      QPainterPath& path) const {
    path.clear();
    const QRect device = DeviceRect(rect);
    if (device.width() <= 0 || device.height() <= 0)
        return;
    double x0 = device.left(), y0 = device.top();
    double x1 = x0 + device.width() - 1, y1 = y0 + device.height() - 1;
    const int penWidth = DevicePenWidth();
    if (GetCurrentPen()->LineStyle() == PS_INSIDEFRAME && penWidth > 1 && kind != ShapeKind::Arc) {
        x0 += penWidth / 2, y0 += penWidth / 2;
        x1 = std::max(x0, x1 - (penWidth - 1) / 2), y1 = std::max(y0, y1 - (penWidth - 1) / 2);
    }
    const QRectF box(QPointF(x0, y0), QPointF(x1, y1));
    switch (kind) {
        case ShapeKind::Rectangle:
            path.addRect(box);
            return;
        case ShapeKind::RoundRect: {
            const SIZE corner = Mapping().SizeToDevice(SIZE{a.x, a.y});
            path.addRoundedRect(box, std::min(std::fabs(double(corner.cx)), box.width()) / 2,
                                std::min(std::fabs(double(corner.cy)), box.height()) / 2);
            return;
        }
        case ShapeKind::Ellipse:
            path.addEllipse(box);
            return;
        default:
            break;
    }
    const double rx = box.width() / 2, ry = box.height() / 2;
    const double start = EllipseAngle(Device(a) - box.center(), rx, ry);
    double sweep = EllipseAngle(Device(b) - box.center(), rx, ry) - start;
    if (sweep <= 1e-9)
        sweep += 360;
    if (kind == ShapeKind::Pie)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, start);
    path.arcTo(box, start, sweep);
    if (kind != ShapeKind::Arc)
        path.closeSubpath();
}

void CQtDC::OutShape(ShapeKind kind, const RECT& rect, POINT a, POINT b) {
    // A rectangle with a solid outline goes straight to its fills, as selection handles come
    // by the ten thousand: it covers the box its path would run round (ShapePath).
    if (kind == ShapeKind::Rectangle && !IsPathOpen() && !HasDashedPen() && FillsUprightBoxes()) {
        const QRect device = DeviceRect(rect);
        if (device.width() >= 2 && device.height() >= 2) {
            FillUprightBox(device);
            return;
        }
    }
    ShapePath(kind, rect, a, b, m_shape);
    if (IsPathOpen())
        m_path.addPath(m_shape);
    else
        PaintPath(m_shape, kind != ShapeKind::Arc, true);
}

void CQtDC::OutPath(PathOp op) {
    switch (op) {
        case PathOp::Begin:
        case PathOp::Abort:
            m_path = QPainterPath();
            return;
        case PathOp::End:
            return;
        default:
            break;
    }
    m_path.setFillRule(GetPolyFillMode() == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    PaintPath(m_path, op != PathOp::Stroke, op != PathOp::Fill);
    m_path = QPainterPath();
}

// ---------------------------------------------------------------------------------------------
// Rectangles, patterns and pixels

void CQtDC::OutRect(RectKind kind, const RECT& rect, const CBrush& brush) {
    const QRect r = DeviceRect(rect);
    if (r.isEmpty())
        return;
    BeginOutput(QPainter::CompositionMode_SourceOver);
    if (kind == RectKind::Fill) {
        FillDeviceRect(r, brush);
        return;
    }
    FillDeviceRect(QRect(r.left(), r.top(), r.width(), 1), brush);
    FillDeviceRect(QRect(r.left(), r.bottom(), r.width(), 1), brush);
    FillDeviceRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), brush);
    FillDeviceRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), brush);
}

void CQtDC::OutPatBlt(const RECT& rect, DWORD rop) {
    const QRect r = DeviceRect(rect);
    const CBrush& brush = *GetCurrentBrush();
    switch (rop) {
        case PATCOPY:
            BeginOutput(QPainter::CompositionMode_SourceOver);
            FillDeviceRect(r, brush);
            break;
        case PATINVERT:
            if (m_raster && brush.Log().lbStyle != BS_NULL) {
                BeginOutput(QPainter::RasterOp_SourceXorDestination);
                m_painter.fillRect(r, MakeBrush(brush));
            }
            break;
        case DSTINVERT:
            if (m_raster) {
                BeginOutput(QPainter::RasterOp_NotDestination);
                m_painter.fillRect(r, Qt::white);
            }
            break;
        default:
            BeginOutput(QPainter::CompositionMode_SourceOver);
            m_painter.fillRect(r, rop == WHITENESS ? Qt::white : Qt::black);
            break;
    }
}

// Inverts every other pixel of the frame (those with x + y even), within the device.
void CQtDC::OutFocusRect(const RECT& rect) {
    const QRect r = DeviceRect(rect);
    if (!m_raster || r.isEmpty())
        return;
    const QRect visible = r & QRect(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES));
    QPolygon points;
    const auto add = [&](int x, int y) {
        if (visible.contains(x, y) && (x + y) % 2 == 0)
            points << QPoint(x, y);
    };
    for (int x = visible.left(); x <= visible.right(); ++x) {
        add(x, r.top());
        if (r.bottom() != r.top())
            add(x, r.bottom());
    }
    for (int y = std::max(visible.top(), r.top() + 1);
         y <= std::min(visible.bottom(), r.bottom() - 1); ++y) {
        add(r.left(), y);
        if (r.right() != r.left())
            add(r.right(), y);
    }
    BeginOutput(QPainter::RasterOp_SourceXorDestination);
    m_painter.setPen(QPen(Qt::white, 0));
    m_painter.drawPoints(points);
}

void CQtDC::OutImage(const RECT& rect, const DibImage& image) {
    QImage picture(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < image.width; ++x) {
            const COLORREF c = image.pixels[size_t(y) * size_t(image.width) + size_t(x)];
            line[x] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
        }
    }
    BeginOutput(QPainter::CompositionMode_SourceOver);
    m_painter.drawImage(DeviceRect(rect), picture);
}

void CQtDC::OutPixel(POINT p, COLORREF color) {
    BeginOutput(QPainter::CompositionMode_SourceOver);
    m_painter.setPen(QPen(ToQColor(color), 0));
    m_painter.drawPoint(Device(p));
}

// ---------------------------------------------------------------------------------------------
// Text

// The fonts realised so far, kept for the contexts made after this one: a realised font holds
// its rendered glyphs, so text painted again with the same font and scale reuses them. The
// fonts go with the application, before Qt's font machinery does.
struct CQtDC::FontCache {
    static constexpr size_t kMaxFonts = 64;
    std::map<std::pair<std::string, double>, RealizedFont> fonts;
};

CQtDC::FontCache& CQtDC::Fonts() {
    static FontCache* cache = nullptr;
    if (!cache) {
        cache = new FontCache;
        qAddPostRoutine([] {
            delete cache;
            cache = nullptr;
        });
    }
    return *cache;
}

const CQtDC::RealizedFont& CQtDC::Font() const {
    const LOGFONT& log = GetCurrentFont()->Log();
    const double scale = Mapping().ScaleY();
    if (m_font.raw.isValid() && m_fontScale == scale &&
        std::memcmp(&log, &m_fontLog, sizeof log) == 0)
        return m_font;
    m_fontLog = log;
    m_fontScale = scale;

    FontCache& cache = Fonts();
    std::pair<std::string, double> key(std::string(reinterpret_cast<const char*>(&log), sizeof log),
                                       scale);
    auto found = cache.fonts.find(key);
    if (found == cache.fonts.end()) {
        if (cache.fonts.size() >= FontCache::kMaxFonts)
            cache.fonts.clear();
        found = cache.fonts.emplace(std::move(key), Realize(log)).first;
    }
    m_font = found->second;
    return m_font;
}

CQtDC::RealizedFont CQtDC::Realize(const LOGFONT& log) const {
    double em = kDefaultEm;
    if (log.lfHeight != 0) {
        em = std::fabs(double(Mapping().SizeToDevice(SIZE{0, log.lfHeight}).cy));
        if (log.lfHeight > 0) {  // cell height: ascent + descent
            const QRawFont probe = QRawFont::fromFont(QtFontFromLogFont(log, 100));
            const double cell = probe.ascent() + probe.descent();
            if (cell > 0)
                em = em * probe.pixelSize() / cell;
        }
    }
    em = std::clamp(em, 1.0, kMaxEm);
    RealizedFont font;
    font.raw = QRawFont::fromFont(QtFontFromLogFont(log, em));
    font.raw.setPixelSize(em);
    font.ascent = int(std::lround(font.raw.ascent()));
    font.descent = int(std::lround(font.raw.descent()));
    font.internalLeading = std::max(0, font.ascent + font.descent - int(std::lround(em)));
    font.externalLeading = int(std::lround(font.raw.leading()));
    font.aveCharWidth = int(std::lround(font.raw.averageCharWidth()));
    font.maxCharWidth = int(std::lround(font.raw.maxCharWidth()));
    return font;
}

// The character's glyph in the selected face or, when the face lacks it, in the font Qt's
// text layout falls back to; the face's missing glyph if no font holds it.
CQtDC::FontGlyph CQtDC::GlyphFor(char32_t code) const {
    const RealizedFont& font = Font();
    const quint32 glyph = GlyphIn(font.raw, code);
    if (glyph != 0)
        return {font.raw, glyph};
    if (const auto found = font.fallbacks->constFind(code); found != font.fallbacks->cend())
        return *found;
    FontGlyph result{font.raw, 0};
    auto [fallback, fallbackGlyph] =
        LaidOutGlyph(QtFontFromLogFont(GetCurrentFont()->Log(), font.raw.pixelSize()), code);
    if (fallback.isValid()) {
        fallback.setPixelSize(font.raw.pixelSize());
        result = {fallback, fallbackGlyph};
    }
    font.fallbacks->insert(code, result);
    return result;
}

// Glyphs and their positions on the baseline, in the selected font: each advances by its own
// width rounded to whole pixels, or by the given logical advances.
CQtDC::TextGlyphs CQtDC::Layout(std::string_view text, const int* dx) const {
    TextGlyphs layout;
    const LOGFONT& log = GetCurrentFont()->Log();
    const std::string_view face(log.lfFaceName, strnlen(log.lfFaceName, LF_FACESIZE));
    layout.chars = IsSymbolFace(face) ? DecodeSymbolFaceText(text) : DecodeDisplayText(text);
    LONG logical = 0;
    std::int64_t x = 0;
    for (const DisplayChar& ch : layout.chars) {
        const FontGlyph glyph = GlyphFor(ch.code);
        layout.fonts.append(glyph.font);
        layout.glyphs.append(glyph.glyph);
        layout.positions.append(QPointF(qreal(x), 0));
        if (dx) {
            for (size_t k = 0; k < ch.length; ++k)
                logical = Limited(std::int64_t{logical} + dx[ch.offset + k]);
            x = Mapping().SizeToDevice(SIZE{logical, 0}).cx;
        } else {
            const QList<QPointF> advance = glyph.font.advancesForGlyphIndexes({glyph.glyph});
            x = Limited(x + std::lround(advance.value(0).x()));
        }
    }
    layout.width = int(x);
    return layout;
}

void CQtDC::OutText(const TextRun& run) {
    BeginOutput(QPainter::CompositionMode_SourceOver);
    m_output.reset();  // the clip and the transform change below
    if (run.options & ETO_OPAQUE)
        m_painter.fillRect(DeviceRect(*run.rect), ToQColor(GetBkColor()));
    if (run.options & ETO_CLIPPED)
        m_painter.setClipRect(DeviceRect(*run.rect),
                              DeviceClip() ? Qt::IntersectClip : Qt::ReplaceClip);

    const QPointF origin = Device(run.origin);
    QTransform transform = m_base;
    transform.translate(origin.x(), origin.y());
    transform.rotate(-GetCurrentFont()->Log().lfEscapement / 10.0);
    m_painter.setWorldTransform(transform);
    PaintGlyphs(Layout(run.text, run.dx), run.align);
    m_painter.setWorldTransform(m_base);
}

// Paints laid-out text whose reference point, chosen by the TA_* alignment, is the origin.
void CQtDC::PaintGlyphs(const TextGlyphs& layout, UINT align) {
    const RealizedFont& font = Font();
    const LOGFONT& log = GetCurrentFont()->Log();
    const UINT horizontal = align & TA_HORZ_MASK;
    const UINT vertical = align & TA_VERT_MASK;
    const int x = horizontal == TA_RIGHT    ? -layout.width
                  : horizontal == TA_CENTER ? -(layout.width / 2)
                                            : 0;
    const int y = vertical == TA_BASELINE ? 0 : vertical == TA_BOTTOM ? -font.descent : font.ascent;
    if (GetBkMode() == OPAQUE && layout.width > 0) {
        m_painter.fillRect(QRect(x, y - font.ascent, layout.width, font.ascent + font.descent),
                           ToQColor(GetBkColor()));
    }
    m_painter.setPen(ToQColor(GetTextColor()));
    for (QGlyphRun& run : GlyphRunsPerFont(layout.fonts, layout.glyphs, layout.positions)) {
        run.setUnderline(log.lfUnderline != 0);
        run.setStrikeOut(log.lfStrikeOut != 0);
        m_painter.drawGlyphRun(QPointF(x, y), run);
    }
}

TEXTMETRIC CQtDC::MeasureFont() const {
    const RealizedFont& font = Font();
    const auto vertical = [&](int pixels) { return Mapping().SizeToLogical(SIZE{0, pixels}).cy; };
    const auto horizontal = [&](int pixels) { return Mapping().SizeToLogical(SIZE{pixels, 0}).cx; };
    TEXTMETRIC tm;
    tm.tmAscent = vertical(font.ascent);
    tm.tmDescent = vertical(font.descent);
    tm.tmHeight = vertical(font.ascent + font.descent);
    tm.tmInternalLeading = vertical(font.internalLeading);
    tm.tmExternalLeading = vertical(font.externalLeading);
    tm.tmAveCharWidth = horizontal(font.aveCharWidth);
    tm.tmMaxCharWidth = horizontal(font.maxCharWidth);
    const LONG weight = GetCurrentFont()->Log().lfWeight;
    tm.tmWeight = weight > 0 ? weight : FW_NORMAL;
    return tm;
}

// Every byte of a character gets the extent up to the end of that character.
void CQtDC::MeasureChars(std::string_view text, std::vector<LONG>& cumulative) const {
    const TextGlyphs layout = Layout(text, nullptr);
    cumulative.assign(text.size(), 0);
    for (size_t i = 0; i < layout.chars.size(); ++i) {
        const qsizetype next = qsizetype(i) + 1;
        const int end =
            next < layout.positions.size() ? int(layout.positions[next].x()) : layout.width;
        const LONG logical = Mapping().SizeToLogical(SIZE{end, 0}).cx;
        const DisplayChar& ch = layout.chars[i];
        std::fill_n(cumulative.begin() + std::ptrdiff_t(ch.offset), ch.length, logical);
    }
}

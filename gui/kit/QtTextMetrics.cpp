#include "gui/kit/QtTextMetrics.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <limits>

#include "gui/kit/QtDC.h"

namespace {

constexpr int kDefaultDpi = 96;
constexpr int kSheetUnitsPerInch = 1000;
constexpr int kMeasureScale = 10;

int ScreenDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return kDefaultDpi;
    const qreal dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? qRound(dpi) : kDefaultDpi;
}

}  // namespace

void CQtTextMetrics::MeasureChars(std::string_view text, const LOGFONT& font,
                                  std::vector<LONG>& cumulative) const {
    cumulative.assign(text.size(), 0);
    if (text.empty() || text.size() > std::size_t(std::numeric_limits<int>::max()))
        return;
    QImage surface(1, 1, QImage::Format_RGB32);
    QPainter painter(&surface);
    CFont measured;
    if (!measured.CreateFontIndirect(&font))
        return;
    CQtDC dc(painter);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(kSheetUnitsPerInch, kSheetUnitsPerInch);
    // A font of height 0 takes the default size in the device's own pixels, whatever the
    // mapping: at ten times the resolution it would measure a tenth of its drawn width.
    const int scale = font.lfHeight == 0 ? 1 : kMeasureScale;
    dc.SetViewportExt(scale * ScreenDpi(true), scale * ScreenDpi(false));
    dc.SelectObject(&measured);
    std::vector<int> extents(text.size());
    if (dc.GetTextExtentExPoint(text.data(), int(text.size()), 0, nullptr, extents.data(), nullptr))
        cumulative.assign(extents.begin(), extents.end());
}

#include "gui/kit/QtTextMetrics.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <cstring>
#include <string_view>
#include <vector>

#include "gui/kit/QtDC.h"
#include "gui/support/QtTestApp.h"

namespace {

constexpr int kSheetUnitsPerInch = 1000;

LOGFONT Arial(LONG height) {
    LOGFONT log{};
    log.lfHeight = height;
    log.lfWeight = FW_NORMAL;
    std::strncpy(log.lfFaceName, "Arial", LF_FACESIZE - 1);
    return log;
}

LONG Measured(std::string_view text, const LOGFONT& font) {
    std::vector<LONG> cumulative;
    CQtTextMetrics().MeasureChars(text, font, cumulative);
    return cumulative.empty() ? 0 : cumulative.back();
}

// The width of the text in sheet units as a window at its natural size (a sheet unit a
// thousandth of an inch of the screen) draws it.
LONG Drawn(std::string_view text, const LOGFONT& font) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    CQtDC dc(painter);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(kSheetUnitsPerInch, kSheetUnitsPerInch);
    dc.SetViewportExt(qRound(screen->logicalDotsPerInchX()), qRound(screen->logicalDotsPerInchY()));
    CFont made;
    made.CreateFontIndirect(&font);
    dc.SelectObject(&made);
    return dc.GetTextExtent(text).cx;
}

// A text is measured as wide as it is drawn, a font of height 0 (the default size of the
// device) as well as one of a given height. (The measure is finer: a small font drawn at the
// screen's resolution rounds its advances to pixels, so the given height is a large one.)
TEST(QtTextMetrics, TextsMeasureAsWideAsTheyAreDrawn) {
    QtTestApp::ensure();
    for (LONG height : {0L, -1000L}) {
        const LOGFONT font = Arial(height);
        const LONG drawn = Drawn("HHHHHHHH", font);
        ASSERT_GT(drawn, 0) << height;
        EXPECT_NEAR(Measured("HHHHHHHH", font), drawn, drawn / 20) << height;
    }
}

}  // namespace

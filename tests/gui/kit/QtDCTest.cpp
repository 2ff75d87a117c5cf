#include "gui/kit/QtDC.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <cstring>
#include <functional>
#include <vector>

#include "gui/support/QtTestApp.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;

QImage Blank(int width = 200, int height = 200) {
    QtTestApp::ensure();
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

void Draw(QImage& image, const std::function<void(CDC&)>& draw) {
    QPainter painter(&image);
    CQtDC dc(painter);
    draw(dc);
}

LOGFONT Font(const char* face, LONG height, LONG escapement = 0) {
    LOGFONT log;
    log.lfHeight = height;
    log.lfEscapement = escapement;
    log.lfWeight = FW_NORMAL;
    std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    return log;
}

// Bounding box of the pixels that are not white, within the area.
QRect InkBox(const QImage& image, QRect area = QRect()) {
    if (area.isNull())
        area = image.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != kWhite)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace

TEST(QtDC, LinesAndFilledShapesExcludeTheirLastPixels) {
    QImage image = Blank();
    Draw(image, [](CDC& dc) {
        CBrush red(RGB(255, 0, 0));
        dc.SelectObject(&red);
        dc.Rectangle(20, 20, 40, 30);
        dc.SelectStockObject(NULL_PEN);
        dc.Rectangle(60, 20, 80, 30);
        const RECT fill{100, 20, 120, 30};
        dc.FillRect(&fill, &red);
        dc.SelectStockObject(BLACK_PEN);
        dc.Ellipse(20, 60, 41, 81);
        dc.MoveTo(10, 150);
        dc.LineTo(50, 150);
    });
    EXPECT_EQ(InkBox(image, QRect(0, 140, 200, 20)), QRect(10, 150, 40, 1));
    // Outlined: the pen covers 20..39 x 20..29 and the brush the inside.
    EXPECT_EQ(InkBox(image, QRect(0, 0, 50, 50)), QRect(20, 20, 20, 10));
    EXPECT_EQ(image.pixel(20, 20), kBlack);
    EXPECT_EQ(image.pixel(39, 29), kBlack);
    EXPECT_EQ(image.pixel(30, 25), kRed);
    // Without a pen the inside alone is one pixel smaller each way.
    EXPECT_EQ(InkBox(image, QRect(50, 0, 40, 50)), QRect(60, 20, 19, 9));
    EXPECT_EQ(image.pixel(60, 20), kRed);
    EXPECT_EQ(InkBox(image, QRect(90, 0, 40, 50)), QRect(100, 20, 20, 10));
    // The ellipse of (20, 60)-(41, 81) spans 21 pixels from 20 to 40.
    EXPECT_EQ(InkBox(image, QRect(0, 50, 60, 50)), QRect(20, 60, 21, 21));
    EXPECT_EQ(image.pixel(30, 70), kRed);
}

// An upright four-cornered polygon covers what a rectangle over one pixel more would: the
// pen its corner pixels' edges, the brush the pixels whose centres lie inside.
TEST(QtDC, UprightPolygonsOutlineTheirCornerPixelsAndFillInside) {
    QImage image = Blank();
    Draw(image, [](CDC& dc) {
        CBrush red(RGB(255, 0, 0));
        dc.SelectObject(&red);
        const POINT box[] = {{20, 20}, {39, 20}, {39, 29}, {20, 29}};
        dc.Polygon(box, 4);
        const POINT up[] = {{20, 69}, {39, 69}, {39, 60}, {20, 60}};
        dc.Polygon(up, 4);
        const POINT down[] = {{60, 20}, {60, 29}, {79, 29}, {79, 20}};
        dc.SelectStockObject(NULL_BRUSH);
        dc.Polygon(down, 4);
        CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
        dc.SelectObject(&dotted);
        dc.SetBkColor(RGB(0, 255, 0));
        const POINT dots[] = {{100, 20}, {119, 20}, {119, 29}, {100, 29}};
        dc.Polygon(dots, 4);
        dc.SetBkMode(TRANSPARENT);
        dc.Rectangle(140, 20, 160, 30);
    });
    EXPECT_EQ(InkBox(image, QRect(0, 0, 50, 50)), QRect(20, 20, 20, 10));
    EXPECT_EQ(image.pixel(39, 29), kBlack);
    EXPECT_EQ(image.pixel(38, 28), kRed);
    EXPECT_EQ(image.pixel(21, 21), kRed);
    // Corners taken from the bottom up cover the same pixels.
    EXPECT_EQ(InkBox(image, QRect(0, 50, 50, 50)), QRect(20, 60, 20, 10));
    EXPECT_EQ(image.pixel(20, 60), kBlack);
    EXPECT_EQ(image.pixel(38, 68), kRed);
    EXPECT_EQ(InkBox(image, QRect(50, 0, 40, 50)), QRect(60, 20, 20, 10));
    EXPECT_EQ(image.pixel(79, 29), kBlack);
    EXPECT_EQ(image.pixel(70, 25), kWhite);
    // A dotted outline shows the background colour between its dots in opaque mode, and
    // what lay beneath in transparent mode.
    EXPECT_EQ(InkBox(image, QRect(90, 0, 40, 50)), QRect(100, 20, 20, 10));
    EXPECT_EQ(InkBox(image, QRect(130, 0, 40, 50)), QRect(140, 20, 20, 10));
    const auto count = [&](int left, int y, QRgb colour) {
        int n = 0;
        for (int x = left; x < left + 20; ++x)
            n += image.pixel(x, y) == colour;
        return n;
    };
    for (const int y : {20, 29}) {
        EXPECT_GT(count(100, y, kBlack), 0);
        EXPECT_EQ(count(100, y, kBlack) + count(100, y, 0xFF00FF00), 20);
        EXPECT_GT(count(140, y, kBlack), 0);
        EXPECT_EQ(count(140, y, kBlack) + count(140, y, kWhite), 20);
    }
    EXPECT_EQ(image.pixel(110, 25), kWhite);
}

// A narrow patterned fill many rows tall keeps its pattern fixed to the brush origin all the
// way down, as the dotted lines of a zone grid need.
TEST(QtDC, TallNarrowPatternFillsKeepTheirPattern) {
    QImage image = Blank(40, 400);
    Draw(image, [](CDC& dc) {
        CBrush pattern(BrushPattern{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55});
        dc.SelectObject(&pattern);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.SetBkColor(RGB(255, 0, 0));
        dc.PatBlt(10, 0, 1, 400, PATCOPY);
    });
    int wrong = 0;
    for (int y = 0; y < 400; ++y)
        wrong += image.pixel(10, y) != ((10 + y) % 2 ? kBlack : kRed);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(InkBox(image), QRect(10, 0, 1, 400));
}

// Text 3 pixels high at 29 pixels to 1000 units is left out of an image on the screen, but
// kept in a picture, which is scaled when it is played.
TEST(QtDC, TinyTextIsKeptWhereTheOutputIsScaledLater) {
    QImage image = Blank();
    QPicture picture;
    const auto tooSmall = [](QPaintDevice& device) {
        QPainter painter(&device);
        CQtDC dc(painter);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1000, 1000);
        dc.SetViewportExt(29, -29);
        return dc.IsTextTooSmallToRead(120);
    };
    EXPECT_TRUE(tooSmall(image));
    EXPECT_FALSE(tooSmall(picture));
}

// Open lines drawn at once and the same lines stroked as paths cover the same pixels: thin,
// dotted with the gaps filled or left, wide with round ends, steep and shallow, and under xor.
TEST(QtDC, OpenLinesDrawTheirStrokedPaths) {
    const std::function<void(CDC&)> lines[] = {
        [](CDC& dc) {
            const POINT zigzag[] = {{10, 150}, {43, 101}, {71, 152}, {100, 97}, {180, 110}};
            dc.Polyline(zigzag, 5);
        },
        [](CDC& dc) {
            dc.MoveTo(5, 5);
            dc.LineTo(190, 37);
        },
        [](CDC& dc) {
            const POINT steep[] = {{150, 10}, {153, 90}, {120, 60}};
            dc.Polyline(steep, 3);
        }};
    const auto penned = [](CDC& dc, const std::function<void(CDC&)>& draw) {
        dc.SetBkColor(RGB(0, 200, 0));
        CPen thin(PS_SOLID, 0, RGB(255, 0, 0));
        CPen dotted(PS_DOT, 0, RGB(0, 0, 255));
        CPen wide(PS_SOLID, 5, RGB(0, 128, 255));
        int shift = 0;
        for (CPen* pen : {&thin, &dotted, &wide}) {
            dc.SelectObject(pen);
            for (const int mode : {OPAQUE, TRANSPARENT}) {
                dc.SetBkMode(mode);
                dc.SetWindowOrg(-3 * shift, -2 * shift);
                ++shift;
                draw(dc);
            }
        }
        dc.SelectObject(&thin);
        dc.SetROP2(R2_XORPEN);
        dc.SetWindowOrg(4, 2);
        draw(dc);
        dc.SelectStockObject(BLACK_PEN);
    };
    QImage direct = Blank();
    QImage stroked = Blank();
    for (const auto& line : lines) {
        Draw(direct, [&](CDC& dc) { penned(dc, line); });
        Draw(stroked, [&](CDC& dc) {
            penned(dc, [&](CDC& each) {
                each.BeginPath();
                line(each);
                each.EndPath();
                each.StrokePath();
            });
        });
    }
    EXPECT_NE(direct, Blank());
    EXPECT_EQ(direct, stroked);
}

// A polyline drawn on from the current position, short or long, covers what the polyline
// through that position and its points does, and ends there.
TEST(QtDC, PolylinesToRunOnFromTheCurrentPosition) {
    const std::vector<POINT> run = {{30, 20},  {50, 60},  {70, 20},  {90, 60}, {110, 20},
                                    {130, 60}, {150, 20}, {170, 60}, {190, 20}};
    for (const size_t count : {size_t{2}, run.size()}) {
        std::vector<POINT> whole = {{10, 60}};
        whole.insert(whole.end(), run.begin(), run.begin() + static_cast<long>(count));
        QImage from = Blank();
        Draw(from, [&](CDC& dc) {
            dc.MoveTo(10, 60);
            dc.PolylineTo(run.data(), static_cast<int>(count));
            EXPECT_EQ(dc.GetCurrentPosition().x, whole.back().x);
        });
        QImage through = Blank();
        Draw(through, [&](CDC& dc) { dc.Polyline(whole.data(), static_cast<int>(whole.size())); });
        EXPECT_NE(from, Blank());
        EXPECT_EQ(from, through) << count;
    }
}

// Pens taking turns, more of them than the context keeps made, each draw in their own colour.
TEST(QtDC, EachOfManyPensInTurnDrawsItsOwnColour) {
    QImage image = Blank();
    const COLORREF colours[] = {RGB(255, 0, 0),   RGB(0, 128, 0),   RGB(0, 0, 255),
                                RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 0)};
    Draw(image, [&](CDC& dc) {
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < 6; ++i) {
                CPen pen(PS_SOLID, 0, colours[i]);
                dc.SelectObject(&pen);
                dc.MoveTo(10, 10 + 20 * i + 10 * round);
                dc.LineTo(100, 10 + 20 * i + 10 * round);
                dc.SelectStockObject(BLACK_PEN);
            }
        }
    });
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 6; ++i) {
            const COLORREF c = colours[i];
            EXPECT_EQ(image.pixel(50, 10 + 20 * i + 10 * round),
                      qRgb(GetRValue(c), GetGValue(c), GetBValue(c)))
                << round << " " << i;
        }
    }
}

TEST(QtDC, XorDrawingTwiceRestoresTheImage) {
    QImage image = Blank();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x, y, (x * y) & 0xFF));
    }
    const QImage original = image.copy();
    const auto xorDrawing = [](CDC& dc) {
        dc.SetROP2(R2_XORPEN);
        CPen pen(PS_SOLID, 0, RGB(255, 255, 0));
        CPen wide(PS_SOLID, 5, RGB(0, 128, 255));
        dc.SelectObject(&pen);
        dc.MoveTo(5, 5);
        dc.LineTo(150, 120);
        const POINT zigzag[] = {{10, 150}, {40, 100}, {70, 150}, {100, 100}};
        dc.Polyline(zigzag, 4);
        dc.SelectObject(&wide);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Ellipse(100, 20, 180, 90);
        dc.SetROP2(R2_NOT);
        dc.Rectangle(30, 30, 60, 60);
        const RECT focus{120, 130, 190, 190};
        dc.DrawFocusRect(&focus);
        dc.SelectStockObject(DKGRAY_BRUSH);
        dc.PatBlt(150, 0, 2, 200, PATINVERT);
    };
    Draw(image, xorDrawing);
    EXPECT_NE(image, original);
    EXPECT_EQ(image.pixel(5, 5), original.pixel(5, 5) ^ 0x00FFFF00);  // yellow xor
    Draw(image, xorDrawing);
    EXPECT_EQ(image, original);
}

TEST(QtDC, EscapementTurnsTextCounterClockwise) {
    QImage image = Blank();
    Draw(image, [](CDC& dc) {
        const LOGFONT log = Font("Arial", -30, 900);
        CFont font;
        font.CreateFontIndirect(&log);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_LEFT | TA_BASELINE);
        dc.TextOut(100, 180, "Vertical");
    });
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.height(), 2 * ink.width());
    // Going up from the origin, the glyphs on its left (their tops face left).
    EXPECT_LE(ink.bottom(), 180);
    EXPECT_LE(ink.right(), 100);
    EXPECT_LT(ink.top(), 120);
}

TEST(QtDC, ArialIsDrawnWithLiberationSansAndItsExtentMatchesTheInk) {
    QImage image = Blank();
    const QFont arial = QtFontFromLogFont(Font("Arial", -12), 16);
    EXPECT_EQ(QFontInfo(arial).family(), "Liberation Sans");
    EXPECT_EQ(arial.pixelSize(), 16);
    SIZE extent{};
    TEXTMETRIC tm{};
    Draw(image, [&](CDC& dc) {
        const LOGFONT log = Font("Arial", -20);
        CFont font;
        font.CreateFontIndirect(&log);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        extent = dc.GetTextExtent("HHHH");
        dc.GetTextMetrics(&tm);
        dc.TextOut(20, 20, "HHHH");  // aligned at the top of the cell
    });
    EXPECT_EQ(tm.tmAscent, 18);  // Liberation Sans: ascent 0.905 em, descent 0.212 em
    EXPECT_EQ(tm.tmDescent, 4);
    EXPECT_EQ(tm.tmHeight, 22);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_EQ(extent.cy, 22);
    const QRect ink = InkBox(image);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.right(), 20 + extent.cx);
    EXPECT_GT(ink.width(), extent.cx * 3 / 4);
    // Capital H stands on the baseline, ascent pixels below the top.
    EXPECT_EQ(ink.bottom(), 20 + tm.tmAscent - 1);
}

// The Symbol face puts Greek letters and signs on the codes of ASCII letters and marks; each
// is drawn, whatever character map the face the name resolves to has.
TEST(QtDC, TheSymbolFaceDrawsTheCharactersOfItsCodes) {
    for (const char* text : {"@", "A", "W", "a", "p", "\"", "$", "\xB3", "7"}) {
        QImage image = Blank(100, 100);
        Draw(image, [text](CDC& dc) {
            const LOGFONT log = Font("Symbol", -40);
            CFont font;
            font.CreateFontIndirect(&log);
            dc.SelectObject(&font);
            dc.SetBkMode(TRANSPARENT);
            dc.TextOut(20, 20, text);
        });
        EXPECT_FALSE(InkBox(image).isEmpty()) << text;
    }
}

// A text after a text in the Symbol face keeps its own face: drawn at once (as a label is)
// and measured, it gives the pixels and the extent it gives alone, on the screen and in the
// print path's picture, which is played onto an image to be seen.
TEST(QtDC, TextAfterSymbolFaceTextIsDrawnAndMeasuredInItsOwnFace) {
    const auto symbolText = [](CDC& dc) {
        const int saved = dc.SaveDC();
        const LOGFONT log = Font("Symbol", -30);
        CFont font;
        font.CreateFontIndirect(&log);
        dc.SelectObject(&font);
        dc.GetTextExtent("A");
        dc.TextOut(20, 120, "A");
        dc.RestoreDC(saved);
    };
    const auto render = [&](bool printing, bool afterSymbol, SIZE& extent) {
        QImage image = Blank();
        QPicture picture;
        {
            QPainter painter;
            if (printing)
                painter.begin(&picture);
            else
                painter.begin(&image);
            CQtDC dc(painter, printing);
            const LOGFONT log = Font("Arial", -20);
            CFont font;
            font.CreateFontIndirect(&log);
            dc.SelectObject(&font);
            dc.SetBkMode(TRANSPARENT);
            if (afterSymbol)
                symbolText(dc);
            dc.TextOut(20, 20, "Company");
            if (afterSymbol)
                symbolText(dc);
            extent = dc.GetTextExtent("Company");
        }
        if (printing) {
            QPainter player(&image);
            picture.play(&player);
        }
        return image.copy(0, 0, 200, 100);
    };
    for (const bool printing : {false, true}) {
        SCOPED_TRACE(printing ? "printing" : "screen");
        SIZE alone{}, after{};
        const QImage expected = render(printing, false, alone);
        ASSERT_FALSE(InkBox(expected).isEmpty());
        EXPECT_TRUE(render(printing, true, after) == expected);
        EXPECT_EQ(after.cx, alone.cx);
        EXPECT_EQ(after.cy, alone.cy);
    }
}

// A character the face lacks is drawn with the font the toolkit falls back to: "电" shows
// its middle strokes, not the face's hollow missing-glyph box, and takes a full em.
TEST(QtDC, CharactersTheFaceLacksAreDrawnFromAFallbackFont) {
    QImage image = Blank();
    SIZE extent{};
    Draw(image, [&](CDC& dc) {
        const LOGFONT log = Font("Arial", -40);
        CFont font;
        font.CreateFontIndirect(&log);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        extent = dc.GetTextExtent("\xE7\x94\xB5");
        dc.TextOut(20, 20, "\xE7\x94\xB5H");
    });
    EXPECT_GE(extent.cx, 36);
    EXPECT_LE(extent.cx, 44);
    const QRect ink = InkBox(image, QRect(0, 0, 20 + extent.cx, 200));
    ASSERT_FALSE(ink.isEmpty());
    const QRect inside =
        ink.adjusted(ink.width() / 4, ink.height() / 4, -ink.width() / 4, -ink.height() / 4);
    EXPECT_FALSE(InkBox(image, inside).isEmpty());
    // The H follows the character's advance.
    EXPECT_FALSE(InkBox(image, QRect(20 + extent.cx, 0, 40, 200)).isEmpty());
}

TEST(QtDC, ArcsRunCounterClockwiseOnTheDevice) {
    // The quarter from east to north is the upper right one on the screen, with y up or down.
    for (const int yDirection : {1, -1}) {
        QImage image = Blank();
        Draw(image, [&](CDC& dc) {
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetViewportExt(1, yDirection);
            dc.Arc(0, 0, 101, 101 * yDirection, 100, 50 * yDirection, 50, 0);
        });
        SCOPED_TRACE(yDirection);
        const QRect ink = InkBox(image);
        EXPECT_GE(ink.left(), 49);
        EXPECT_LE(ink.bottom(), 51);
        EXPECT_EQ(ink.top(), 0);
        EXPECT_GE(ink.right(), 99);
    }
}

TEST(QtDC, HatchesAndPatterns) {
    QImage image = Blank();
    Draw(image, [](CDC& dc) {
        CBrush forward(HS_FDIAGONAL, RGB(0, 0, 0));
        const RECT hatched{0, 0, 32, 32};
        dc.SetBkMode(TRANSPARENT);
        dc.FillRect(&hatched, &forward);
        CBrush checker(BrushPattern{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55});
        dc.SetTextColor(RGB(255, 0, 0));
        dc.SetBkColor(RGB(0, 0, 0));
        const RECT patterned{40, 0, 48, 8};
        dc.FillRect(&patterned, &checker);
    });
    // A forward diagonal hatch runs from top left to bottom right.
    int down = 0, up = 0;
    for (int x = 1; x < 31; ++x) {
        for (int y = 1; y < 31; ++y) {
            const bool ink = image.pixel(x, y) == kBlack;
            down += ink && image.pixel(x + 1, y + 1) == kBlack;
            up += ink && image.pixel(x + 1, y - 1) == kBlack;
        }
    }
    EXPECT_GT(down, 20);
    EXPECT_EQ(up, 0);
    // 1 bits take the background colour, 0 bits the text colour.
    EXPECT_EQ(image.pixel(40, 0), kBlack);
    EXPECT_EQ(image.pixel(41, 0), kRed);
    EXPECT_EQ(image.pixel(40, 1), kRed);
}

TEST(QtDC, ExtremeValuesFromDamagedFilesAreHarmless) {
    constexpr LONG lo = -2147483647 - 1, hi = 2147483647;
    QImage image = Blank(50, 50);
    Draw(image, [](CDC& dc) {
        SIZE extent{};
        for (const LONG height : {lo, hi, 0}) {
            const LOGFONT log = Font("Arial", height, hi);
            CFont font;
            font.CreateFontIndirect(&log);
            dc.SelectObject(&font);
            extent = dc.GetTextExtent("x");
            dc.TextOut(hi, lo, "x");
        }
        EXPECT_GT(extent.cx, 0);
        CPen wide(PS_INSIDEFRAME, hi, RGB(0, 0, 0));
        dc.SelectObject(&wide);
        dc.Rectangle(lo, lo, hi, hi);
        dc.Ellipse(lo, 0, hi, 10);
        dc.Pie(lo, lo, hi, hi, hi, 0, 0, hi);
        const RECT all{lo, lo, hi, hi};
        dc.DrawFocusRect(&all);
        dc.SelectClipRgn(&all);
        dc.SetTextAlign(TA_UPDATECP);
        const int dx[] = {hi, hi};
        dc.ExtTextOut(0, 0, ETO_CLIPPED, &all, "ab", 2, dx);
    });
    SUCCEED();
}

TEST(QtDC, EachOutputKeepsOnlyItsOwnClipAndFontScale) {
    QImage image = Blank();
    Draw(image, [](CDC& dc) {
        // A rectangle after clipped text is not clipped to the text's rectangle.
        const RECT textBox{0, 0, 10, 10};
        dc.ExtTextOut(0, 0, ETO_CLIPPED, &textBox, "x", 1, nullptr);
        dc.Rectangle(100, 100, 120, 120);
        // A clip chosen between two shapes holds for the second.
        const RECT left{0, 0, 150, 200};
        dc.SelectClipRgn(&left);
        dc.Rectangle(140, 140, 160, 160);
    });
    EXPECT_EQ(InkBox(image, QRect(90, 90, 40, 40)), QRect(100, 100, 20, 20));
    EXPECT_EQ(InkBox(image, QRect(130, 130, 40, 40)), QRect(140, 140, 10, 20));

    // The same font at twice the scale, in a context made after the first, is twice as tall.
    const auto inkHeight = [](int scale) {
        QImage text = Blank();
        Draw(text, [&](CDC& dc) {
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetViewportExt(scale, scale);
            const LOGFONT log = Font("Arial", -20);
            CFont font;
            font.CreateFontIndirect(&log);
            dc.SelectObject(&font);
            dc.SetBkMode(TRANSPARENT);
            dc.TextOut(5, 5, "H");
        });
        return InkBox(text).height();
    };
    const int single = inkHeight(1);
    EXPECT_NEAR(inkHeight(2), 2 * single, 2);
    EXPECT_EQ(inkHeight(1), single);
}

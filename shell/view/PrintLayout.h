#pragma once
// How a sheet is printed: the scale (stored, or fitted to one, two or four pages), the
// mapping from sheet units to printer pixels, and the tiles of the drawing area over as many
// pages as it needs, with a quarter inch of overlap between neighbouring tiles.

#include <optional>

#include "platform/Geometry.h"

class CPrintSettings;

// What the printer offers, in its pixels.
struct PrinterMetrics {
    int physW = 0;  // paper
    int physH = 0;
    int horzRes = 0;  // printable area
    int vertRes = 0;
    int offX = 0;  // printable area's offset on the paper
    int offY = 0;
    int dpiX = 0;
    int dpiY = 0;
};

struct PrintLayout {
    float scale = 1.0f;
    SIZE windowExt{};    // the drawing area (width, negative height)
    SIZE viewportExt{};  // its printed size in pixels
    int across = 1;
    int down = 1;
    int tileW = 1;
    int tileH = 1;
    POINT origin{};  // window origin of every page, sheet units

    int Pages() const { return across * down; }
    // The viewport origin of page (1 .. Pages()).
    POINT PageViewportOrg(int page) const;
};

// Null when the sheet cannot be printed on this printer: a printable area no larger than the
// overlap, an empty drawing area or a scale that gives no printed size.
std::optional<PrintLayout> ComputePrintLayout(SIZE paper, const RECT& margins,
                                              const CPrintSettings& settings,
                                              const PrinterMetrics& printer);

#pragma once
// Device-independent bitmaps (the packed form: an information header, a colour table and the
// pixel rows) decoded into plain pixels that a device context can draw.

#include <optional>
#include <vector>

#include "platform/GdiTypes.h"

struct DibImage {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // rows from the top, 0x00BBGGRR
};

// Uncompressed bitmaps of 1, 4, 8, 24 or 32 bits per pixel with a 40-byte (or longer) header;
// none for anything else or for data too short for what the header says. Bitmaps of more
// than 16 million pixels are not decoded.
std::optional<DibImage> DecodePackedDib(const std::vector<BYTE>& bytes);
// A 32-bit, bottom-up packed bitmap of the image, which DecodePackedDib reads back.
std::vector<BYTE> EncodePackedDib(const DibImage& image);

#pragma once

// The Protel DOS schematic: fixed 16-byte records without a file header, some followed by
// continuation records.

#include <array>
#include <string>
#include <vector>

#include "interchange/protel/ProtelImporter.h"

class CSymbol;

class ProtelDosReader {
public:
    using Record = std::array<unsigned char, 16>;
    // One part of a component: its body a bitmap or a rectangle, sizes in steps of 100 units.
    struct DosPartSize {
        bool bitmap = false;
        int width = 0;
        int height = 0;
    };

    explicit ProtelDosReader(ProtelImporter& importer) : m_im(importer), m_file(importer.m_file) {}
    bool Run();

    // Rectangles covering the set cells (1) of a w × h bitmap, rows from the top, each cell
    // 10 units wide; the cells taken are marked 2.
    static void AddBitmapRects(CObList& target, std::vector<unsigned char>& cells, int w, int h);

private:
    bool ReadRecord(Record& record);
    bool Sheet(const Record& record);
    bool Line(const Record& record);
    bool Text(const Record& record);
    bool TextFrame(const Record& record);
    bool Junction(const Record& record);
    bool Component(const Record& record);
    CPoint Point(const Record& record, int at) const;
    bool ReadBitmap(const DosPartSize& part, CObList& target);
    void GiveDevice(CSymbol& symbol, const std::string& name, const std::string& footprint);
    void ShowText(CSymbol& symbol, const char* name, BYTE flags, CPoint anchor);

    ProtelImporter& m_im;
    ByteSource& m_file;
    size_t m_position = 0;
};

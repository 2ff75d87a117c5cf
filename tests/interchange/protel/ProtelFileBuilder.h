#pragma once

// Writes Protel files for the tests, field by field as their layouts give them: the binary
// schematic and library, their records, and the 16-byte records of the DOS schematic.

#include <cstdint>
#include <string>
#include <vector>

class ProtelFileBuilder {
public:
    ProtelFileBuilder& Byte(int value);
    ProtelFileBuilder& Int16(int value);
    ProtelFileBuilder& Dword(std::uint32_t value);
    ProtelFileBuilder& Str(const std::string& text);  // a length byte and the characters
    ProtelFileBuilder& Real48(double value);
    ProtelFileBuilder& Raw(const std::string& bytes);
    ProtelFileBuilder& Zeros(int count);

    // Binary schematic: header text, 4 bytes, the font table (one 10-point Arial font), the
    // component count. The definitions, the sheet header and the records follow.
    ProtelFileBuilder& SchematicStart(int components);
    // Binary library: the two header texts, the font table and an index of the components'
    // names, up to the first definition.
    ProtelFileBuilder& LibraryStart(const std::vector<std::vector<std::string>>& names);
    // The library texts that end a definition in a library: text, name, sixteen fields.
    ProtelFileBuilder& LibraryTail(const std::string& name);
    // Sheet header with the texts, sheet number and total, style, orientation and custom size.
    ProtelFileBuilder& SheetHeader(int style, int orientation = 0, int customWidth = 0,
                                   int customHeight = 0, int custom = 0,
                                   const std::string& organization = "", int sheetNumber = 1,
                                   int sheetTotal = 1);
    // Component definition head up to and including the part count.
    ProtelFileBuilder& ComponentHead(const std::vector<std::string>& names,
                                     const std::string& description, const std::string& footprint,
                                     const std::string& prefix, int parts);
    ProtelFileBuilder& PartStart() { return Zeros(4); }
    ProtelFileBuilder& End() { return Byte(0xFF); }

    // Records, with their type byte.
    ProtelFileBuilder& Instance(int x, int y, int mode, int mirror, int orientation, int part,
                                int index, const std::string& designator);
    ProtelFileBuilder& Pin(int x, int y, int direction, const std::string& name,
                           const std::string& number, int electrical = 4);
    ProtelFileBuilder& Wire(const std::vector<std::pair<int, int>>& points, int type = 0x1B);
    ProtelFileBuilder& NetLabel(int x, int y, const std::string& text);
    ProtelFileBuilder& Text(int type, int x, int y, const std::string& text);
    ProtelFileBuilder& Arc(int x, int y, int radius, double start, double end);
    ProtelFileBuilder& Port(int x, int y, int length, const std::string& name, int style = 0);
    ProtelFileBuilder& Power(int x, int y, int style, const std::string& net);
    ProtelFileBuilder& Rectangle(int x1, int y1, int x2, int y2);
    ProtelFileBuilder& Line(int x1, int y1, int x2, int y2);
    ProtelFileBuilder& Junctionless(int type, int count);  // a polyline-like record header
    // A template record's head; its records and their end mark follow.
    ProtelFileBuilder& Template(const std::string& name) { return Byte(0x27).Str(name); }

    // DOS: one 16-byte record from its bytes (missing bytes zero).
    ProtelFileBuilder& DosRecord(const std::vector<int>& bytes);
    // DOS record with int16 values placed at byte offsets.
    ProtelFileBuilder& DosRecord(int type, const std::vector<std::pair<int, int>>& int16At,
                                 const std::vector<std::pair<int, int>>& bytesAt = {});

    const std::vector<unsigned char>& Bytes() const { return m_bytes; }

private:
    std::vector<unsigned char> m_bytes;
};

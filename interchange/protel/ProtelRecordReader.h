#pragma once

// The records of a Protel binary file, each read into drawing objects of a target list.

#include <string>

#include "interchange/protel/ProtelImporter.h"

class CPin;
class CWire;

class ProtelRecordReader {
public:
    ProtelRecordReader(ProtelImporter& importer, CObList& target)
        : m_im(importer), m_file(importer.m_file), m_target(target) {}

    // One record of the given type; false when it failed or the type is unknown.
    bool Read(unsigned type);

    // A text box placed with its left edge on the anchor and its baseline near the anchor's y.
    static void PlaceText(CTextBox& text, CPoint anchor, int orientation);
    // The pen of a width code (its value & 3) and a colour.
    static LOGPEN Pen(int widthCode, COLORREF colour);

private:
    bool Pin();
    bool SpecialSymbol();
    bool Annotation();
    bool Poly(DWORD flags, bool fixedLook);
    bool Ellipse();
    bool RoundRect();
    bool Arc(bool elliptical);
    bool Line();
    bool Rectangle();
    bool SheetSymbol();
    bool SheetEntry();
    bool PowerObject();
    bool Port();
    bool NetLabel();
    bool WireOrBus(bool bus);
    bool TextFrame();
    bool FreeText(const char* name);
    bool TwoPointWire();
    bool Template();
    bool ComponentInstance();
    bool ComponentText(unsigned type);
    bool Skip(size_t count, bool shortString);

    // The fields of the text records 20 to 26, read in their order.
    struct TextFields {
        CPoint anchor;
        int orientation = 0;
        COLORREF colour = 0;
        int font = 0;
        std::string text;
    };
    TextFields ReadTextFields();
    CTextBox* MakeText(CTextBox* text, const TextFields& fields);
    void MakeSymbolText(const char* name, const TextFields& fields);
    void DropIfPoint(CWire* wire);
    // False when the stream ended inside the record.
    bool Whole() const { return !m_file.AtEnd(); }

    ProtelImporter& m_im;
    ByteSource& m_file;
    CObList& m_target;
    size_t m_recordStart = 0;
};

#pragma once
// A resistor as a library places it, for the tests of parts turned and mirrored on a sheet:
// the symbol (a body and a pin at each end) and its shown "_ID" and "_Value" texts, all in the
// document's list; and the cells of the text a drawing object paints, as the schematic view
// shows them.

#include <vector>

#include "platform/Geometry.h"
#include "platform/ObList.h"
#include "platform/RecordingDC.h"

class CAttrText;
class CDrawDoc;
class CDrawObj;
class CSymbol;

// The eight orientations: quarter turns counter-clockwise (orientation % 4), mirrored across
// the vertical axis when orientation >= 4.
constexpr int kOrientations = 8;

struct OrientedPart {
    // Placed at (3000, -3000), then turned and mirrored about its centre as the place tool
    // turns a carried part: the symbol and its texts alike.
    OrientedPart(CDrawDoc& doc, int orientation);

    // Appends the symbol, then its texts.
    void AddObjectsTo(CObList& list) const;
    // The texts the symbol shows now (copies may have taken the places of the first ones).
    std::vector<CAttrText*> Texts() const;

    CSymbol* symbol;
};

// Records the cell of every text run: the run's extent along its escapement and the font's
// height across it, from the top-left reference point. Escapements turn counter-clockwise on
// the sheet, whose y grows upward, and glyphs hang to the right of the direction of reading,
// as the schematic view paints them.
class TextCellDC : public CRecordingDC {
public:
    // With the default text font selected, as the document painter selects it.
    TextCellDC();

    std::vector<CRect> cells;

protected:
    void OutText(const TextRun& run) override;

private:
    CFont m_font;
};

// The cells of the text object draws.
std::vector<CRect> DrawnTextCells(CDrawObj& object);
// Whether inner lies inside outer (both normalised), edges included.
bool Encloses(const CRect& outer, const CRect& inner);

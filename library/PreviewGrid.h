#pragma once
// What the item preview shows and where: its layout in the window, a grid of cells (one per
// gate of a device, else one), each with alternative drawings of which one is shown, the
// arrows that step through them and the objects a Place hands on. The grid owns its objects.

#include <memory>
#include <vector>

#include "platform/Geometry.h"
#include "platform/ObList.h"
#include "platform/Types.h"

class CDC;
class CLibraryItemData;

// Style flags of the preview.
constexpr UINT kPreviewNoPlace = 0x1;  // no Place button, and double clicks do nothing
constexpr UINT kPreviewNoTabs = 0x2;   // no tab strip; the strip and button take no height

// Cells smaller than this in either direction take no clicks.
constexpr int kMinClickableCell = 10;
// Cells lower than this show no "%d of %d" caption and no arrows.
constexpr int kMinCaptionedCell = 21;
constexpr int kArrowWidth = 6;
constexpr int kArrowHeight = 10;

struct PreviewLayout {
    CRect inner;        // the client rectangle less the frame
    CRect buttonRow;    // the row of the Place button and the tab strip
    CRect place;        // the Place button
    CRect tabs;         // the tab strip
    CRect description;  // the description text
    CRect nameBand;     // the item's name
    CRect image;        // the grid of cells
};
PreviewLayout MakePreviewLayout(int width, int height, UINT flags);

class CPreviewGrid {
public:
    using Alternative = std::unique_ptr<CObList>;
    struct Cell {
        std::vector<Alternative> alternatives;
        int shown = 0;
    };

    CPreviewGrid() = default;
    ~CPreviewGrid();
    CPreviewGrid(const CPreviewGrid&) = delete;
    CPreviewGrid& operator=(const CPreviewGrid&) = delete;

    // One cell holding the objects, taken out of the list, as its only alternative.
    void SetObjects(CObList& objects);
    // The item's objects: a device's symbols in a cell per gate, each symbol of a gate one
    // alternative; else one cell. The item keeps no objects afterwards.
    void ShowItem(CLibraryItemData& item);
    // Deletes every object; no cells remain.
    void Clear();

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    const Cell& CellAt(int row, int column) const;
    bool HasObjects() const;
    CRect CellRect(const CRect& image, int row, int column) const;

    // The "%d of %d" caption of a cell with alternatives, empty otherwise.
    static CString CaptionOf(const Cell& cell);
    // A click at point in the image area: in a captioned cell (caption band captionHeight high
    // at its bottom) the arrows step the shown alternative, wrapping around. True when an
    // arrow was hit.
    bool Click(const CRect& image, CPoint point, int captionHeight);

    // The shown alternative of each cell, in row order, appended to list (the grid keeps them).
    void CollectShown(CObList& list) const;

private:
    void Resize(int rows, int columns);
    size_t CellIndex(int row, int column) const;

    int m_rows = 0;
    int m_columns = 0;
    std::vector<Cell> m_cells;
};

// Maps the union of the objects' bounds onto the cell, equal scale on both axes, centre on
// centre, y upwards. A bounds of no width or height counts as one unit.
void MapObjectsOntoCell(CDC& dc, const CObList& objects, const CRect& cell);
// The union of the bounds of the objects, normalised; a point or a line counts too.
CRect ObjectsExtent(const CObList& objects);

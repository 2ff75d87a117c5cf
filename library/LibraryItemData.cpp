#include "library/LibraryItemData.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "model/object/DrawObj.h"

namespace {

// The least width and height of a grid cell.
constexpr int kMinCellSize = 10;

CRect UnionOfBounds(const CObList& objects) {
    CRect bounds(0, 0, 0, 0);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CRect rect;
        static_cast<CDrawObj*>(objects.GetNext(pos))->GetBoundingRect(rect);
        bounds.UnionRect(bounds, rect);
    }
    return bounds;
}

struct Grid {
    int columns;
    int rows;
};

// The grid for count cells of width by height whose diagonal is shortest: the column count
// just above the square root of the ideal, unless the one just below is strictly shorter.
Grid ChooseGrid(int count, int width, int height) {
    const double ideal = std::sqrt(static_cast<double>(count) * height / width);
    auto grid = [count](int columns) { return Grid{columns, (count + columns - 1) / columns}; };
    auto cost = [width, height](Grid g) {
        const std::int64_t across = std::int64_t{g.columns} * width;
        const std::int64_t down = std::int64_t{g.rows} * height;
        return across * across + down * down;
    };
    const Grid above = grid(std::max(1, static_cast<int>(std::ceil(ideal))));
    const Grid below = grid(std::max(1, static_cast<int>(std::floor(ideal))));
    return cost(below) < cost(above) ? below : above;
}

}  // namespace

bool StartsGate(const CDeviceSymbolList& entries, size_t index) {
    return index == 0 || entries[index]->m_gate != entries[index - 1]->m_gate;
}

CLibraryItemData::~CLibraryItemData() {
    if (!m_deviceSymbols.empty()) {
        m_deviceSymbols.clear();
        m_objects.RemoveAll();
        return;
    }
    std::vector<CObject*> objects;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        objects.push_back(m_objects.GetNext(pos));
    m_objects.RemoveAll();
    for (CObject* object : objects) {
        if (auto* drawObj = dynamic_cast<CDrawObj*>(object))
            drawObj->Remove();
        else
            delete object;
    }
}

void CLibraryItemData::Clear() {
    for (size_t i = 0; i < m_deviceSymbols.size(); ++i) {
        if (StartsGate(m_deviceSymbols, i))
            m_deviceSymbols[i]->m_objects.RemoveAll();
    }
    m_deviceSymbols.clear();
    m_objects.RemoveAll();
}

void CLibraryItemData::Detach() {
    for (const auto& entry : m_deviceSymbols)
        entry->m_objects.RemoveAll();
    m_deviceSymbols.clear();
    m_objects.RemoveAll();
}

void CLibraryItemData::ArrangeDeviceSymbols() {
    int width = kMinCellSize;
    int height = kMinCellSize;
    int gates = 0;
    std::vector<CRect> bounds;
    for (size_t i = 0; i < m_deviceSymbols.size(); ++i) {
        bounds.push_back(UnionOfBounds(m_deviceSymbols[i]->m_objects));
        width = std::max(width, bounds.back().Width());
        height = std::max(height, bounds.back().Height());
        gates += StartsGate(m_deviceSymbols, i) ? 1 : 0;
    }
    if (gates == 0)
        return;
    const Grid grid = ChooseGrid(gates, width, height);
    m_rows = grid.rows;
    m_columns = grid.columns;
    int cell = -1;
    for (size_t i = 0; i < m_deviceSymbols.size(); ++i) {
        cell += StartsGate(m_deviceSymbols, i) ? 1 : 0;
        const int column = cell % grid.columns;
        const int row = cell / grid.columns;
        const CPoint centre = bounds[i].CenterPoint();
        const CSize delta(SaturatedLong((2 * std::int64_t{column} + 1) * width / 2 - centre.x),
                          SaturatedLong(-(2 * std::int64_t{row} + 1) * height / 2 - centre.y));
        CObList& objects = m_deviceSymbols[i]->m_objects;
        for (POSITION pos = objects.GetHeadPosition(); pos;)
            static_cast<CDrawObj*>(objects.GetNext(pos))->OffsetBy(delta);
    }
}

#pragma once
// The snap grid of an editing view: its spacing in inches or centimetres, whether it is shown
// and in which colour, the rounding of points to it, and the tests with which objects offer
// their connection points to a snap search. Schematic views keep it in the settings section
// "Grid", symbol views in "SymbGrid".

#include <vector>

#include "model/object/SnapGrid.h"
#include "platform/DCMapping.h"
#include "platform/GdiTypes.h"

class CSchematicApp;

class CSnapGrid : public ISnapGrid {
public:
    CSnapGrid();

    // Reads or writes "Metric", "XSpace", "YSpace", "Shown" and "Colour" of "SymbGrid"
    // (symbolGrid) or "Grid". A spacing that is not above 0 reads as the section's default.
    void Load(const CSchematicApp& app, bool symbolGrid);
    void Save(CSchematicApp& app, bool symbolGrid) const;
    // Recomputes the logical spacings from the spacings and the metric flag.
    void Update();

    // The nearest grid point, halves rounding up.
    CPoint SnapPoint(int x, int y) const;
    // The device points of the dots inside the paper and the clip rectangle (sheet units);
    // none when the grid is hidden or its dots would be under 8 pixels apart.
    std::vector<POINT> Dots(const DCMapping& mapping, const CRect& paper, const CRect& clip) const;

    double TryPoint(CPoint& point, int x, int y, double best) override;
    double TrySegment(CPoint& point, int x1, int y1, int x2, int y2, double best) override;
    double TryRect(CPoint& point, const CDrawObj* object, double best) override;
    double TryEllipse(CPoint& point, const CDrawObj* object, double best) override;

    float m_logicalX = 0;  // sheet units
    float m_logicalY = 0;
    DWORD m_metric = 0;
    float m_spaceX = 1.0f;  // inches or centimetres
    float m_spaceY = 1.0f;
    DWORD m_shown = 1;
    COLORREF m_colour = 0x800000;

private:
    // The nearest of points (in the object's local coordinates) to point, within best.
    double TryLocalPoints(CPoint& point, const CDrawObj* object, const std::vector<CPoint>& local,
                          double best);
};

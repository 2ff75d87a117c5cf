#include "shell/view/SnapGridSettings.h"

#include <cmath>

#include "model/app/SchematicApp.h"
#include "shell/view/ViewSnapGrid.h"

const std::array<SnapObjectBox, 13> kSnapObjectBoxes{{{"Pins", 0x2},
                                                      {"Wires", 0x4},
                                                      {"Symbols", 0x8},
                                                      {"Rectangles", 0x10},
                                                      {"Rounded Rectangles", 0x20},
                                                      {"Arcs", 0x40},
                                                      {"Lines", 0x80},
                                                      {"Text Boxes", 0x100},
                                                      {"Polygons", 0x200},
                                                      {"OLE Objects", 0x400},
                                                      {"Bus", 0x800},
                                                      {"Beziers", 0x1000},
                                                      {"Bus Pins", 0x2000}}};

namespace {

DWORD ShownObjectBits() {
    DWORD bits = 0;
    for (const SnapObjectBox& box : kSnapObjectBoxes)
        bits |= box.bit;
    return bits;
}

}  // namespace

SnapGridSettings SnapGridSettings::From(const CSnapGrid& grid, DWORD options) {
    SnapGridSettings s;
    s.spaceX = grid.m_spaceX;
    s.spaceY = grid.m_spaceY;
    s.independent = grid.m_spaceX != grid.m_spaceY;
    s.metric = grid.m_metric != 0;
    s.shown = grid.m_shown != 0;
    s.colour = grid.m_colour;
    s.snapToGrid = (options & kSnapToGrid) != 0;
    s.snapToGuides = (options & kSnapToGuides) != 0;
    s.dynamicResizing = (options & kDynamicResizing) != 0;
    s.snapToObjects = (options & kSnapObjectMask) != 0;
    s.snapToObjectsAtOpen = s.snapToObjects;
    s.objectBits = options & ShownObjectBits();
    return s;
}

bool SnapGridSettings::Valid() const {
    const float y = independent ? spaceY : spaceX;
    return spaceX > 0 && y > 0 && std::isfinite(spaceX) && std::isfinite(y);
}

DWORD SnapGridSettings::ApplyTo(CSnapGrid& grid, DWORD options) const {
    grid.m_spaceX = spaceX;
    grid.m_spaceY = independent ? spaceY : spaceX;
    grid.m_metric = metric ? 1 : 0;
    grid.m_shown = shown ? 1 : 0;
    grid.m_colour = colour;
    grid.Update();
    const DWORD flags = kSnapToGrid | kSnapToGuides | kDynamicResizing;
    DWORD result = (options & ~(flags | ShownObjectBits())) | objectBits;
    if (snapToObjects != snapToObjectsAtOpen) {
        if (!snapToObjects)
            result &= ~kSnapObjectMask;
        else if (!(result & kSnapObjectMask))
            result |= kSnapObjectMask;
    }
    if (snapToGrid)
        result |= kSnapToGrid;
    if (snapToGuides)
        result |= kSnapToGuides;
    if (dynamicResizing)
        result |= kDynamicResizing;
    return result;
}

std::vector<SpacingPreset> SpacingPresets(bool metric) {
    static const float kInch[] = {0.005f, 0.01f, 0.025f, 0.05f, 0.1f, 0.2f, 0.5f};
    static const float kCm[] = {0.025f, 0.05f, 0.1f, 0.2f, 0.4f, 0.5f, 1.0f};
    std::vector<SpacingPreset> presets;
    for (float value : metric ? kCm : kInch) {
        CString label;
        label.Format("%g %s", double(value), metric ? "cm" : "inch");
        presets.push_back({label, value});
    }
    return presets;
}

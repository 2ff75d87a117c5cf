#include "shell/tools/ToolPrompts.h"

#include <iterator>
#include <vector>

#include "model/object/DrawObj.h"
#include "model/object/MenuBuilder.h"

namespace {

struct PromptEntry {
    UINT id;
    const char* text;
};

constexpr PromptEntry kPrompts[] = {
    {kPromptMove, "Drag mouse to move object(s). Hold down control to clone object(s)."},
    {kPromptRubberBand, "Drag mouse to select objects."},
    {kPromptDrawShape, "Drag mouse while holding down the left button to draw shape."},
    {kPromptWirePoints,
     "Click the left mouse button to add points to the wire. Right click or click on pin to end "
     "the wire."},
    {kPromptShapePoints, "Click to add points to the shape. Right click to end."},
    {kPromptStartShape, "Press and hold down the left mouse button to start shape."},
    {kPromptStartPolygon, "Click the left mouse button to start polygon."},
    {kPromptStartBezier, "Click the left mouse button to start bezier."},
    {kPromptStartWire, "Click the left mouse button on a pin or wire to to start wire."},
    {kPromptStartBus, "Click the left mouse button to start bus."},
    {kPromptZoom,
     "Click the left mouse button to zoom in. Shift + click to zoom out. Press and hold down left "
     "mouse button to zoom to area."},
    {kPromptZoomRect, "Drag the mouse to zoom to rectangle."},
    {kPromptWireDrag,
     "Click to add points to the wire. Click on pin, wire or click right mouse button to end. "},
    {kPromptResize, "Press and hold down the left mouse button to resize this object."},
    {kPromptPlace,
     "Click the left mouse button to add object. Press Esc or right click to cancel."},
    {kPromptCompleteMove, "Release mouse button to complete move. Press Esc to cancel."},
    {kPromptReady, "Ready"},
};

ContextMenuEntry Item(UINT id, const char* text) {
    return {id, text, {}};
}

ContextMenuEntry Separator() {
    return {};
}

// Collects an object's own entries, popups nested as they are opened.
class EntryBuilder : public IMenuBuilder {
public:
    explicit EntryBuilder(ToolMenu& menu) : m_levels{&menu} {}
    void AddItem(UINT id, const char* text) override { Top().push_back(Item(id, text)); }
    void AddSeparator() override { Top().push_back(Separator()); }
    void BeginPopup(const char* text) override {
        Top().push_back({0, text, {}});
        m_levels.push_back(&Top().back().submenu);
    }
    void EndPopup() override {
        if (m_levels.size() > 1)
            m_levels.pop_back();
    }

private:
    ToolMenu& Top() { return *m_levels.back(); }
    std::vector<ToolMenu*> m_levels;
};

}  // namespace

const char* PromptText(UINT id) {
    for (const PromptEntry& entry : kPrompts) {
        if (entry.id == id)
            return entry.text;
    }
    return "";
}

ToolMenu ObjectMenu(CDrawObj& object) {
    ToolMenu menu = {Item(kMenuCut, "Cu&t"),
                     Item(kMenuCopy, "&Copy"),
                     Item(kMenuDelete, "&Delete"),
                     Separator(),
                     Item(kMenuRotate90, "Rotate &90 Degrees"),
                     Item(kMenuRotateMinus90, "Rotat&e -90 Degrees"),
                     Item(kMenuMirrorHorizontally, "Mirror &Horizontally"),
                     Item(kMenuMirrorVertically, "&Mirror Vertically"),
                     Separator(),
                     Item(kMenuProperties, "Propertie&s...")};
    EntryBuilder builder(menu);
    object.AddContextMenu(&builder);
    menu.push_back(Separator());
    menu.push_back(Item(kMenuAddToLibrary, "Add to &Library..."));
    return menu;
}

ToolMenu SheetMenu() {
    return {Item(kMenuUndo, "&Undo"),
            Item(kMenuRedo, "&Redo"),
            Separator(),
            Item(kMenuPaste, "&Paste"),
            Separator(),
            Item(kMenuNormalSize, "&Normal Size"),
            Item(kMenuViewPage, "&View Page"),
            Item(kMenuZoomToArea, "Zoom To &Area"),
            Item(kMenuZoomToObjects, "Zoom To &Objects")};
}

ToolMenu ShapeToolMenu() {
    return {Item(kMenuSelectionTool, "&Selection Tool"),
            Separator(),
            Item(kMenuCut, "Cu&t"),
            Item(kMenuCopy, "&Copy"),
            Item(kMenuPaste, "&Paste"),
            Item(kMenuDelete, "&Delete"),
            Separator(),
            Item(kMenuNormalSize, "&Normal Size"),
            Item(kMenuViewPage, "&View Page"),
            Item(kMenuZoomToArea, "Zoom To &Area"),
            Item(kMenuZoomToObjects, "Zoom To &Objects")};
}

ToolMenu PolyToolMenu() {
    return {Item(kMenuCancel, "&Cancel"), Item(kMenuEndPolygon, "&End Polygon")};
}

ToolMenu WireToolMenu() {
    ContextMenuEntry connect{0, "Connect Wire &To", {}};
    connect.submenu = {Item(kMenuGround1, "Ground &1"),
                       Item(kMenuGround2, "Ground &2"),
                       Separator(),
                       Item(kMenuPower1, "Power 1"),
                       Item(kMenuPower1 + 1, "Power 2"),
                       Item(kMenuPower1 + 2, "Power 3"),
                       Item(kMenuPower1 + 3, "Power 4"),
                       Separator(),
                       Item(kMenuOtherNet, "&Other Net..")};
    return {Item(kMenuCancel, "&Cancel"), Item(kMenuEndWire, "&End Wire"), connect};
}

ToolMenu PlaceToolMenu() {
    return {Item(kMenuCancel, "&Cancel"),
            Item(kMenuSelectionTool, "&Selection Tool"),
            Separator(),
            Item(kMenuRotate90, "Rotate &90 Degrees"),
            Item(kMenuRotateMinus90, "Rotat&e -90 Degrees"),
            Item(kMenuMirrorHorizontally, "Mirror &Horizontally"),
            Item(kMenuMirrorVertically, "&Mirror Vertically")};
}

ToolMenu ZoomToolMenu() {
    return {Item(kMenuSelectionTool, "&Selection Tool"), Separator(), Item(kMenuZoomIn, "Zoom &In"),
            Item(kMenuZoomOut, "Zoom &Out")};
}

#include "drawtools/ToolPrompts.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "library/LibraryBarServices.h"
#include "library/LibraryFile.h"
#include "model/object/DrawObj.h"
#include "model/object/MenuBuilder.h"
#include "platform/DiskFile.h"
#include "platform/Paths.h"
#include "resources/CommandIds.h"

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

// Adding to the library selected on the Files page: named after that library while it can be
// written, else disabled.
ContextMenuEntry AddToSelectedLibraryItem() {
    ContextMenuEntry entry = Item(ID_LIBRARY_ADD_SELECTED, "Add to <library>..");
    CLibraryFile library;
    if (GetLibraryBarServices().OpenSelectedLibrary(&library, CDiskFile::modeReadWrite)) {
        CString text;
        text.Format("&Add to %s...", FileTitle(library.GetFilePath()).c_str());
        entry.text = text.str();
    } else {
        entry.enabled = false;
    }
    return entry;
}

// Collects an object's own entries, popups nested as they are opened.
class EntryBuilder : public IMenuBuilder {
public:
    explicit EntryBuilder(ToolMenu& menu) : m_levels{&menu} {}
    void AddItem(UINT id, const char* text) override { Top().push_back(Item(id, text)); }
    void AddSeparator() override { Top().push_back(Separator()); }
    void InsertAfter(UINT existing, UINT id, const char* text) override {
        ToolMenu& top = Top();
        auto at = std::find_if(top.begin(), top.end(),
                               [existing](const ContextMenuEntry& e) { return e.id == existing; });
        if (at != top.end())
            top.insert(at + 1, Item(id, text));
    }
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
    ToolMenu menu = {Item(ID_EDIT_CUT, "Cu&t"),
                     Item(ID_EDIT_COPY, "&Copy"),
                     Item(ID_EDIT_CLEAR, "&Delete"),
                     Separator(),
                     Item(ID_EDIT_ROTATE_90, "Rotate &90 Degrees"),
                     Item(ID_EDIT_ROTATE_MINUS_90, "Rotat&e -90 Degrees"),
                     Item(ID_EDIT_MIRROR_HORZ, "Mirror &Horizontally"),
                     Item(ID_EDIT_MIRROR_VERT, "&Mirror Vertically"),
                     Separator(),
                     Item(ID_EDIT_PROPERTIES, "Propertie&s...")};
    EntryBuilder builder(menu);
    object.AddContextMenu(&builder);
    menu.push_back(Separator());
    menu.push_back(Item(ID_LIBRARY_ADD_TO, "Add to &Library..."));
    menu.push_back(AddToSelectedLibraryItem());
    return menu;
}

ToolMenu SheetMenu() {
    return {Item(ID_EDIT_UNDO, "&Undo"),
            Item(ID_EDIT_REDO, "&Redo"),
            Separator(),
            Item(ID_EDIT_PASTE, "&Paste"),
            Separator(),
            Item(ID_ZOOM_100, "&Normal Size"),
            Item(ID_ZOOM_PAGE, "&View Page"),
            Item(ID_ZOOM_AREA, "Zoom To &Area"),
            Item(ID_ZOOM_OBJECTS, "Zoom To &Objects")};
}

ToolMenu ShapeToolMenu() {
    return {Item(ID_DRAW_SELECT, "&Selection Tool"),
            Separator(),
            Item(ID_EDIT_CUT, "Cu&t"),
            Item(ID_EDIT_COPY, "&Copy"),
            Item(ID_EDIT_PASTE, "&Paste"),
            Item(ID_EDIT_CLEAR, "&Delete"),
            Separator(),
            Item(ID_ZOOM_100, "&Normal Size"),
            Item(ID_ZOOM_PAGE, "&View Page"),
            Item(ID_ZOOM_AREA, "Zoom To &Area"),
            Item(ID_ZOOM_OBJECTS, "Zoom To &Objects")};
}

ToolMenu PolyToolMenu() {
    return {Item(ID_CANCEL, "&Cancel"), Item(ID_END_POLYGON, "&End Polygon")};
}

ToolMenu WireToolMenu() {
    ContextMenuEntry connect{0, "Connect Wire &To", {}};
    connect.submenu = {Item(ID_CONNECT_GROUND1, "Ground &1"),
                       Item(ID_CONNECT_GROUND2, "Ground &2"),
                       Separator(),
                       Item(ID_CONNECT_POWER1, "Power 1"),
                       Item(ID_CONNECT_POWER1 + 1, "Power 2"),
                       Item(ID_CONNECT_POWER1 + 2, "Power 3"),
                       Item(ID_CONNECT_POWER1 + 3, "Power 4"),
                       Separator(),
                       Item(ID_CONNECT_OTHER_NET, "&Other Net..")};
    return {Item(ID_CANCEL, "&Cancel"), Item(ID_END_WIRE, "&End Wire"), connect};
}

ToolMenu PlaceToolMenu() {
    return {Item(ID_CANCEL, "&Cancel"),
            Item(ID_DRAW_SELECT, "&Selection Tool"),
            Separator(),
            Item(ID_EDIT_ROTATE_90, "Rotate &90 Degrees"),
            Item(ID_EDIT_ROTATE_MINUS_90, "Rotat&e -90 Degrees"),
            Item(ID_EDIT_MIRROR_HORZ, "Mirror &Horizontally"),
            Item(ID_EDIT_MIRROR_VERT, "&Mirror Vertically")};
}

ToolMenu ZoomToolMenu() {
    return {Item(ID_DRAW_SELECT, "&Selection Tool"), Separator(), Item(ID_ZOOM_IN_AT, "Zoom &In"),
            Item(ID_ZOOM_OUT_AT, "Zoom &Out")};
}

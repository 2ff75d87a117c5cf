#include "drawtools/ToolManager.h"

#include "drawtools/PlaceTool.h"
#include "drawtools/PolyTool.h"
#include "drawtools/RectTool.h"
#include "drawtools/SelectTool.h"
#include "drawtools/ToolPrompts.h"
#include "drawtools/WireDragTool.h"
#include "drawtools/WireTool.h"
#include "drawtools/ZoomTool.h"
#include "model/net/Wire.h"

namespace {

ToolManager* g_tools = nullptr;

}  // namespace

ToolManager::ToolManager() {
    m_tools.push_back(std::make_unique<CSelectTool>(*this));
    m_tools.push_back(std::make_unique<CZoomTool>(*this));
    for (int shape : {kToolLine, kToolArrowLine, kToolDoubleArrowLine, kToolRect, kToolRoundRect,
                      kToolEllipse, kToolArc, kToolText, kToolPin})
        m_tools.push_back(std::make_unique<CRectTool>(*this, shape));
    for (int shape : {kToolPolygon, kToolBezier, kToolPolyline})
        m_tools.push_back(std::make_unique<CPolyTool>(*this, shape));
    m_tools.push_back(std::make_unique<CWireTool>(*this, kToolWire));
    m_tools.push_back(std::make_unique<CWireTool>(*this, kToolBus));
    m_tools.push_back(std::make_unique<CWireDragTool>(*this));
    m_tools.push_back(std::make_unique<CPlaceTool>(*this));
}

ToolManager::~ToolManager() = default;

CDrawTool* ToolManager::FindTool(int shape) const {
    for (const auto& tool : m_tools) {
        if (tool->Shape() == shape)
            return tool.get();
    }
    return nullptr;
}

std::vector<const CDrawObj*> ToolManager::HeldObjects() const {
    std::vector<const CDrawObj*> held;
    for (const auto& tool : m_tools)
        tool->AddHeldObjects(held);
    return held;
}

CSelectTool& ToolManager::SelectTool() const {
    return static_cast<CSelectTool&>(*FindTool(kToolSelect));
}

CWireDragTool& ToolManager::WireDragTool() const {
    return static_cast<CWireDragTool&>(*FindTool(kToolWireDrag));
}

CPlaceTool& ToolManager::PlaceTool() const {
    return static_cast<CPlaceTool&>(*FindTool(kToolPlace));
}

void ToolManager::ChooseShape(IToolView& view, int shape) {
    EndGesture(view);
    state.currentShape = shape;
    view.SetPrompt(ShapePrompt(shape));
}

const char* ToolManager::EndCommandText() const {
    switch (state.currentShape) {
        case kToolBus:
            return "End Bus";
        case kToolBezier:
            return "End Bezier";
        case kToolPolyline:
            return "End Polyline";
        case kToolWireDrag: {
            const CWire* held = WireDragTool().OpenWire();
            return held && held->GetObjType() == kObjBus ? "End Bus" : nullptr;
        }
        default:
            return nullptr;
    }
}

void ToolManager::EndGesture(IToolView& view, GestureEnd how) {
    EndGestureOutside(&view);
    EndGestureIn(view, how);
}

bool ToolManager::Engage(IToolView& view) {
    if (!EndGestureOutside(&view))
        return false;
    m_engaged = &view;
    return true;
}

bool ToolManager::EndGestureOutside(const IToolView* view) {
    if (!m_engaged || m_engaged == view)
        return true;
    if (!m_engaged->FinishInPlaceEdit())
        return false;
    IToolView* other = m_engaged;
    m_engaged = nullptr;
    EndGestureIn(*other, GestureEnd::Interrupt);
    return true;
}

bool ToolManager::FinishInPlaceEdit() {
    return !m_engaged || m_engaged->FinishInPlaceEdit();
}

bool ToolManager::HasOpenObjectIn(const IToolView& view) const {
    const CDrawTool* current = CurrentTool();
    return current && current->HasOpenObject() && m_engaged == &view;
}

// The current tool first: the shared state (the select mode above all) still tells what its
// gesture is. Any other tool holds nothing open unless a gesture was handed over mid-way. A
// text being edited in place ends with the view's gesture.
void ToolManager::EndGestureIn(IToolView& view, GestureEnd how) {
    if (CDrawTool* current = CurrentTool())
        current->EndGesture(view, how);
    for (const auto& tool : m_tools)
        tool->EndGesture(view, how);
    view.EndInPlaceEdit(how);
    state.selectMode = kSelectNone;
    if (how == GestureEnd::Cancel || state.currentShape == kToolWireDrag ||
        state.currentShape == kToolPlace)
        state.currentShape = kToolSelect;
    view.ShowFocusRect(nullptr);
    view.SetAutoScroll(false);
    view.SetCapture(false);
}

void ToolManager::ObjectsLeft(IToolView& view, const CObList& objects) {
    for (const auto& tool : m_tools)
        tool->OnObjectsLeft(view, objects);
}

void ToolManager::ViewClosing(IToolView& view) {
    if (m_engaged == &view)
        m_engaged = nullptr;
    EndGestureIn(view, GestureEnd::Cancel);
    state.currentShape = kToolSelect;
}

UINT ShapePrompt(int shape) {
    switch (shape) {
        case kToolPolygon:
        case kToolPolyline:
            return kPromptStartPolygon;
        case kToolBezier:
            return kPromptStartBezier;
        case kToolWire:
            return kPromptStartWire;
        case kToolBus:
            return kPromptStartBus;
        case kToolZoom:
            return kPromptZoom;
        case kToolWireDrag:
            return kPromptWireDrag;
        case kToolPlace:
            return kPromptPlace;
        case kToolSelect:
            return kPromptReady;
        default:
            return kPromptStartShape;
    }
}

ToolManager* GetToolManager() {
    return g_tools;
}

ToolManager* SetToolManager(ToolManager* tools) {
    ToolManager* old = g_tools;
    g_tools = tools;
    return old;
}

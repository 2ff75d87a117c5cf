#include "model/object/ShapePaintScope.h"

#include "model/app/SchematicApp.h"
#include "model/object/DrawObj.h"

namespace {

constexpr int kHatchPeriod = 8;

LONG Modulo(LONG value, LONG period) {
    const LONG rest = value % period;
    return rest < 0 ? rest + period : rest;
}

}  // namespace

LOGPEN TrackerPen(int state) {
    const int index = state == kPenDominantSelection ? kPenDominantSelection : kPenSelection;
    if (const CSchematicApp* app = GetApp()) {
        if (const auto pen = app->GetPen(index))
            return *pen;
    }
    LOGPEN pen;
    pen.lopnStyle = PS_DOT;
    return pen;
}

ShapePaintScope::ShapePaintScope(CDC* dc, const CDrawObj& object) : m_dc(dc) {
    const DWORD flags = object.GetFlags();
    const LOGBRUSH brush = flags & kFlagFilled ? object.GetBrush() : HollowBrush();
    Select(flags & kFlagOutlined ? object.GetPen() : NullPen(), brush);
    if (brush.lbStyle == BS_HATCHED) {
        POINT origin{0, 0};
        dc->LPtoDP(&origin);
        dc->SetBrushOrg(Modulo(origin.x, kHatchPeriod), Modulo(origin.y, kHatchPeriod));
    }
}

ShapePaintScope::ShapePaintScope(CDC* dc, int trackerState) : m_dc(dc) {
    Select(TrackerPen(trackerState), HollowBrush());
}

ShapePaintScope::ShapePaintScope(CDC* dc, const LOGPEN& pen, const LOGBRUSH& brush) : m_dc(dc) {
    Select(pen, brush);
}

void ShapePaintScope::Select(const LOGPEN& pen, const LOGBRUSH& brush) {
    m_oldBrushOrigin = m_dc->GetBrushOrg();
    m_pen.CreatePenIndirect(&pen);
    m_brush.CreateBrushIndirect(&brush);
    m_oldPen = m_dc->SelectObject(&m_pen);
    m_oldBrush = m_dc->SelectObject(&m_brush);
}

ShapePaintScope::~ShapePaintScope() {
    m_dc->SelectObject(m_oldBrush);
    m_dc->SelectObject(m_oldPen);
    m_dc->SetBrushOrg(m_oldBrushOrigin);
}

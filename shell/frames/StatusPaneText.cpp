#include "shell/frames/StatusPaneText.h"

#include <algorithm>

#include "model/object/DrawObj.h"
#include "platform/ObList.h"

namespace {

double Unit(bool metric) {
    return metric ? 393.701 : 1000.0;
}

}  // namespace

CString CursorPaneText(POINT sheet, bool metric) {
    CString text;
    text.Format(metric ? "%3.2f: %3.2f" : "%2.3f: %2.3f", sheet.x / Unit(metric),
                -sheet.y / Unit(metric));
    return text;
}

CString PositionPaneText(POINT sheet, bool metric) {
    CString text;
    text.Format(metric ? "%3.2f, %3.2f" : "%2.3f, %2.3f", sheet.x / Unit(metric),
                -sheet.y / Unit(metric));
    return text;
}

CString SizePaneText(int width, int height, bool metric) {
    CString text;
    text.Format(metric ? "%3.2f x %3.2f" : "%2.3f x %2.3f", width / Unit(metric),
                height / Unit(metric));
    return text;
}

CRect SelectionBounds(const CObList& selection) {
    CRect bounds(0, 0, 0, 0);
    bool first = true;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CRect r;
        static_cast<CDrawObj*>(selection.GetNext(pos))->GetBoundingRect(r);
        r.NormalizeRect();
        if (first)
            bounds = r;
        else
            bounds.UnionRect(bounds, r);
        first = false;
    }
    return bounds;
}

SelectionPaneTexts SelectionTexts(const CObList& selection, bool metric) {
    SelectionPaneTexts texts;
    if (selection.IsEmpty())
        return texts;
    CRect bounds;
    CPoint corner;
    if (selection.GetCount() == 1) {
        const auto* object = static_cast<CDrawObj*>(selection.GetHead());
        corner = object->GetPosition().TopLeft();
        object->LocalToDoc(&corner, 1);
        object->GetBoundingRect(bounds);
        bounds.NormalizeRect();
    } else {
        bounds = SelectionBounds(selection);
        corner = CPoint(bounds.left, std::max(bounds.top, bounds.bottom));
    }
    texts.position = PositionPaneText(corner, metric);
    texts.size = SizePaneText(bounds.Width(), bounds.Height(), metric);
    return texts;
}

#include "model/cmd/SelectionEdits.h"

#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

#include "model/cmd/AddCmd.h"
#include "model/cmd/OrderCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/cmd/ShapeEditCmd.h"
#include "model/cmd/TransformCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/shapes/FillShape.h"
#include "model/text/TextBox.h"
#include "model/undo/MultiCmd.h"
#include "platform/UserPrompt.h"

namespace {

constexpr DWORD kUniformBit = 0x1000000;
constexpr DWORD kDefaultBit = 0x2000000;
constexpr DWORD kColourMask = 0xFFFFFF;
// Where a new fill shape starts, before its outline sets its place.
const CRect kNewFillShapeRect(100, -200, 400, -600);

CDrawObj* NextObject(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

// Lines, arcs, polylines and wires: an open outline, which a bus is not.
bool IsOpenNonBus(const CDrawObj* object) {
    return (object->GetFlags() & kFlagOpen) && object->GetObjType() != kObjBus;
}

bool IsTextBox(const CDrawObj* object) {
    return dynamic_cast<const CTextBox*>(object) != nullptr;
}

bool AnyOfType(const CObList& selection, std::initializer_list<int> types) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const int type = NextObject(selection, pos)->GetObjType();
        for (int t : types) {
            if (t == type)
                return true;
        }
    }
    return false;
}

const char* ColourEditName(bool fill, ColourEdit edit) {
    if (edit == ColourEdit::kRemove)
        return fill ? "remove fill" : "remove outline";
    return fill ? "fill colour" : "line colour";
}

// Records the multi-command when it holds a step, else drops it.
BOOL Record(CDrawDoc& doc, std::unique_ptr<CMultiCmd> command) {
    if (command->IsEmpty())
        return FALSE;
    return doc.GetUndoList().Add(command.release());
}

void EditColourOf(CDrawObj* object, bool fill, ColourEdit edit, COLORREF colour) {
    switch (edit) {
        case ColourEdit::kSet:
            if (fill) {
                object->SetFillColor(colour);
                object->SetFlags(kFlagFilled, kFlagFilled);
            } else {
                object->SetLineColor(colour);
                if (!IsTextBox(object))
                    object->SetFlags(kFlagOutlined, kFlagOutlined);
            }
            break;
        case ColourEdit::kDefault:
            if (fill)
                object->SetFillColor(kDefaultColour);
            else
                object->SetLineColor(kDefaultColour);
            break;
        case ColourEdit::kRemove:
            object->SetFlags(0, fill ? kFlagFilled : kFlagOutlined);
            break;
    }
    object->Invalidate(nullptr);
}

COLORREF EffectiveColour(const CDrawObj* object, bool fill) {
    return fill ? object->GetBrush().lbColor : object->GetPen().lopnColor;
}

bool FollowsDefaultColour(const CDrawObj* object, bool fill) {
    if (fill) {
        const LOGBRUSH* own = object->GetOwnBrush();
        return !own || own->lbColor == kDefaultColour;
    }
    const LOGPEN* own = object->GetOwnPen();
    return !own || own->lopnColor == kDefaultColour;
}

// The pen's width in tenths of a point, rounded, times ten.
int WidthCode(const CDrawObj* object) {
    return static_cast<int>(std::floor(object->GetPen().lopnWidth.x * 0.72 + 0.5)) * 10;
}

int PenStyle(const CDrawObj* object) {
    const int style = static_cast<int>(object->GetPen().lopnStyle & 15);
    return style == PS_INSIDEFRAME ? PS_SOLID : style;
}

// The low byte of a value read as a signed byte.
int SignedByte(UINT value) {
    const int low = static_cast<int>(value & 0xFF);
    return low >= 0x80 ? low - 0x100 : low;
}

// A value that becomes -1 once another object differs.
void Merge(int& shared, int value) {
    if (shared != value)
        shared = -1;
}

void AddOrderEntries(COrderCmd& command, const CDrawDoc& doc, OrderMove move) {
    const CObList& objects = doc.GetObjects();
    const int last = objects.GetCount() - 1;
    const bool fromHead = move == OrderMove::kBack || move == OrderMove::kToFront;
    int index = fromHead ? 0 : last;
    for (POSITION pos = fromHead ? objects.GetHeadPosition() : objects.GetTailPosition(); pos;
         index += fromHead ? 1 : -1) {
        CDrawObj* object =
            static_cast<CDrawObj*>(fromHead ? objects.GetNext(pos) : objects.GetPrev(pos));
        if (!(object->GetFlags() & kFlagMark))
            continue;
        switch (move) {
            case OrderMove::kBack:
                command.Add(object, index == 0 ? 0 : index - 1);
                break;
            case OrderMove::kForward:
                command.Add(object, index == last ? last : index + 1);
                break;
            case OrderMove::kToFront:
                command.Add(object, last);
                break;
            case OrderMove::kToBack:
                command.Add(object, 0);
                break;
        }
    }
}

std::vector<const CObject*> OrderOf(const CObList& objects) {
    std::vector<const CObject*> order;
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        order.push_back(objects.GetNext(pos));
    return order;
}

}  // namespace

BOOL EditSelectionColour(CDrawDoc& doc, const CObList& selection, bool fill, ColourEdit edit,
                         COLORREF colour) {
    auto command = std::make_unique<CMultiCmd>(ColourEditName(fill, edit));
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CDrawObj* object = NextObject(selection, pos);
        // The line colour reaches every object; the rest passes open outlines by.
        const bool takesPart = (!fill && edit != ColourEdit::kRemove) || !IsOpenNonBus(object);
        if (!takesPart) {
            object->Invalidate(nullptr);
            continue;
        }
        command->Append(new CShapeEditCmd(object));
        EditColourOf(object, fill, edit, colour);
    }
    return Record(doc, std::move(command));
}

BOOL EditSelectionStyle(CDrawDoc& doc, const CObList& selection, bool fill, int value) {
    auto command = std::make_unique<CMultiCmd>(fill ? "fill hatch" : "line style");
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CDrawObj* object = NextObject(selection, pos);
        command->Append(new CShapeEditCmd(object));
        if (fill) {
            object->SetFillHatch(value);
            object->SetFlags(kFlagFilled, kFlagFilled);
        } else {
            object->SetLineStyle(value);
            object->SetFlags(kFlagOutlined, kFlagOutlined);
        }
        object->Invalidate(nullptr);
    }
    return Record(doc, std::move(command));
}

DWORD SelectionColourWord(const CObList& selection, bool fill) {
    if (selection.IsEmpty())
        return kUniformBit;
    bool first = true;
    COLORREF colour = 0;
    bool same = true;
    bool allDefault = true;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const CDrawObj* object = NextObject(selection, pos);
        if (fill && IsOpenNonBus(object))
            continue;
        const COLORREF own = EffectiveColour(object, fill);
        if (first)
            colour = own;
        same = same && own == colour;
        allDefault = allDefault && FollowsDefaultColour(object, fill);
        first = false;
    }
    return (colour & kColourMask) | (same ? kUniformBit : 0) | (allDefault ? kDefaultBit : 0);
}

SelectionBrush SelectionBrushOf(const CObList& selection) {
    SelectionBrush result;
    bool first = true;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const LOGBRUSH brush = NextObject(selection, pos)->GetBrush();
        const int style = SignedByte(brush.lbStyle);
        const int hatch = SignedByte(static_cast<UINT>(brush.lbHatch));
        if (first) {
            result = {style, hatch};
            first = false;
        }
        Merge(result.style, style);
        Merge(result.hatch, hatch);
    }
    return result;
}

DWORD SelectionPenWord(const CObList& selection) {
    int width = -1;
    int style = -1;
    bool first = true;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const CDrawObj* object = NextObject(selection, pos);
        if (first) {
            width = WidthCode(object);
            style = PenStyle(object);
            first = false;
        }
        Merge(width, WidthCode(object));
        Merge(style, PenStyle(object));
    }
    return (static_cast<DWORD>(width & 0xFFFF) << 16) | static_cast<DWORD>(style);
}

BOOL MoveSelectionInOrder(CDrawDoc& doc, const CObList& selection, OrderMove move) {
    for (POSITION pos = selection.GetHeadPosition(); pos;)
        NextObject(selection, pos)->SetFlags(kFlagMark, kFlagMark);
    auto command = std::make_unique<COrderCmd>();
    AddOrderEntries(*command, doc, move);
    doc.ClearObjectFlags(kFlagMark);
    const std::vector<const CObject*> before = OrderOf(doc.GetObjects());
    if (command->IsEmpty() || !command->Do(&doc))
        return FALSE;
    if (OrderOf(doc.GetObjects()) == before) {
        command->Undo(&doc);
        return FALSE;
    }
    return doc.GetUndoList().Add(command.release());
}

BOOL TransformSelection(CDrawDoc& doc, const CObList& selection, int kind, CPoint centre,
                        int angle) {
    if (selection.IsEmpty())
        return FALSE;
    auto command = std::make_unique<CTransformCmd>(&doc, selection, kind);
    command->Begin();
    if (kind == kTransformRotate)
        command->SetRotation(angle, centre);
    else
        command->SetMirror(centre);
    command->Apply();
    // Wires that followed a pin along their own line keep no elbow of the re-routing.
    command->TidyWires();
    return doc.GetUndoList().Add(command.release());
}

int RotationTenths(double degrees, bool clockwise) {
    const int tenths = static_cast<int>(std::floor(degrees * 10 + 0.5));
    return clockwise ? -tenths : tenths;
}

BOOL CreateFillShape(CDrawDoc& doc, const CObList& selection) {
    auto shape = std::make_unique<CFillShape>(kNewFillShapeRect);
    shape->SetDocument(&doc);
    if (!shape->BuildFromOutline(selection)) {
        AfxMessageBox("Error - could not resolve objects into a single shape.");
        return FALSE;
    }
    shape->RecalcBounds(nullptr);
    // The loop becomes a filled shape that keeps its outline.
    shape->SetFlags(kFlagFilled | kFlagOutlined, kFlagFilled | kFlagOutlined);
    auto command = std::make_unique<CMultiCmd>("create fill shape");
    command->Append(new CRemoveCmd(selection));
    command->Append(new CAddCmd(shape.release(), FALSE));
    return doc.GetUndoList().Execute(command.release());
}

bool CanEditLineColour(const CObList& selection) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const int type = NextObject(selection, pos)->GetObjType();
        if (type != kObjSymbol && type != kObjOle)
            return true;
    }
    return false;
}

bool CanEditFillColour(const CObList& selection) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const CDrawObj* object = NextObject(selection, pos);
        const int type = object->GetObjType();
        const bool closed =
            (type == kObjEllipse || type == kObjPoly) && !(object->GetFlags() & kFlagOpen);
        if (closed || type == kObjRect || type == kObjRoundRect || type == kObjText ||
            type == kObjBus || type == kObjFillShape)
            return true;
    }
    return false;
}

bool CanPickLineStyle(const CObList& selection) {
    return AnyOfType(selection,
                     {kObjPin, kObjWire, kObjRect, kObjRoundRect, kObjEllipse, kObjLine, kObjText,
                      kObjPoly, kObjBus, kObjBezier, 13, kObjFillShape, 15, kObjSpecSymbol});
}

bool CanPickFillStyle(const CObList& selection) {
    return AnyOfType(selection, {kObjRect, kObjRoundRect, kObjEllipse, kObjText, kObjPoly, kObjBus,
                                 13, kObjFillShape, 15, kObjSpecSymbol});
}

bool CanGroup(const CObList& selection) {
    return selection.GetCount() >= 2 &&
           !AnyOfType(selection, {kObjPin, kObjWire, kObjSymbol, kObjOle, kObjBus, 13});
}

bool CanRotate(const CObList& selection) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        if (NextObject(selection, pos)->CanRotate())
            return true;
    }
    return false;
}

bool CanCreateFillShape(const CObList& selection) {
    if (selection.GetCount() < 2)
        return false;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const CDrawObj* object = NextObject(selection, pos);
        const int type = object->GetObjType();
        const bool openCurve =
            (type == kObjEllipse || type == kObjPoly) && (object->GetFlags() & kFlagOpen);
        if (type != kObjLine && type != kObjBezier && !openCurve)
            return false;
    }
    return true;
}

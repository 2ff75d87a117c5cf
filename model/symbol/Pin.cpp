#include "model/symbol/Pin.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "model/cmd/AttrEditCmd.h"
#include "model/device/Device.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/geometry/PointTransforms.h"
#include "model/geometry/RectScaling.h"
#include "model/geometry/VectorAngle.h"
#include "model/net/Wire.h"
#include "model/object/AttrCheckCodes.h"
#include "model/object/FollowMap.h"
#include "model/object/SnapGrid.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/PinLabels.h"
#include "model/symbol/PinSheet.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/undo/ConnectionList.h"
#include "platform/Archive.h"
#include "platform/CollectionArchive.h"

IMPLEMENT_SERIAL(CPin, CDrawObj, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr const char* kTypeNames[kPinTypeCount] = {"Input Pin",
                                                   "Output Pin",
                                                   "I/O Pin",
                                                   "Undefined Pin",
                                                   "Passive Pin",
                                                   "Open Collector Pin",
                                                   "Open Emmitter Pin",
                                                   "Power Pin",
                                                   "3-State Output Pin",
                                                   "High Impedance Pin",
                                                   "User Defined",
                                                   "Input Port",
                                                   "Output Port",
                                                   "Bidirectional Port",
                                                   "Undefined Port",
                                                   "Input Sheet Entry",
                                                   "Output Sheet Entry",
                                                   "I/O Sheet Entry",
                                                   "Undefined Sheet Entry"};
constexpr int kLastPlainType = 3;

// A point this close to the hot end (in x and in y) snaps to it at once; farther ones go to
// the snapper, which looks this far.
constexpr LONG kSnapSquare = 30;
constexpr double kSnapLimit = 1000.0;
// A new "_ID" text sits this far beyond the body end.
constexpr double kIdTextGap = 20;
// Texts turned by less than this keep their upright placement.
constexpr int kMinTextRotation = 6;
constexpr int kTextSideDivisor = 6;
constexpr int kMaxTipLength = 259;
constexpr LONG kInvalidateMargin = 30;
constexpr int kPixelMargin = 5;
constexpr int kMaxDecorationSize = 0xFFFF;
constexpr int kDecorationHandle = 3;

const char* IdName() {
    return GetStdAttrName(kStdAttrId);
}
const char* NumberName() {
    return GetStdAttrName(kStdAttrNo);
}

bool HasLineBreakOrSeparator(const CString& value) {
    return value.Find('\n') >= 0 || value.Find('\x01') >= 0;
}

// The symbols of the pin's document (or the owner alone without one) that use device.
template <class Visit>
void ForSymbolsOfDevice(CDrawDoc* doc, CSymbol* owner, CDevice* device, Visit visit) {
    if (!doc) {
        visit(*owner);
        return;
    }
    for (POSITION pos = doc->GetObjects().GetHeadPosition(); pos;) {
        auto* symbol = dynamic_cast<CSymbol*>(doc->GetObjects().GetNext(pos));
        if (symbol && symbol->GetDevice() == device)
            visit(*symbol);
    }
}

}  // namespace

const char* GetPinTypeName(int type) {
    return type >= 0 && type < kPinTypeCount ? kTypeNames[type] : "";
}

CString MakePinName(const CObList& objects) {
    for (int number = 1;; ++number) {
        CString name;
        name.Format("Pin %d", number);
        bool used = false;
        for (POSITION pos = objects.GetHeadPosition(); pos && !used;) {
            auto* pin = dynamic_cast<CPin*>(objects.GetNext(pos));
            used = pin && pin->GetAttr(IdName()) == name;
        }
        if (!used)
            return name;
    }
}

// ---------------------------------------------------------------------------------------------
// Construction and record

CPin::CPin(CSymbol* owner) : m_owner(owner) {
    m_flags = kPinDefaultFlags;
}

CPin::CPin(const CPin& source, CDrawDoc* document)
    : CDrawObj(source, document),
      m_decorationSize(source.m_decorationSize),
      m_body(source.m_body),
      m_hot(source.m_hot) {
    m_attributes.CopyFrom(source.m_attributes);
}

CPin::~CPin() = default;

void CPin::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    SerializeStringMap(ar, m_attributes);
    SerializeObjectList(ar, m_attrTexts, RUNTIME_CLASS(CAttrText));
    if (ar.IsStoring()) {
        ar << WORD(m_decorationSize) << m_body.x << m_body.y << m_hot.x << m_hot.y;
        ar.WriteObject(m_wire);
        return;
    }
    WORD size = 0;
    ar >> size >> m_body.x >> m_body.y >> m_hot.x >> m_hot.y;
    m_decorationSize = size;
    m_wire = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
}

void CPin::OnEditProperties(IDocView* view) {
    if (view && m_document)
        EditPinProperties(*view, *m_document);
}

CDrawObj* CPin::Clone(CDrawDoc* document) {
    return new CPin(*this, document);
}

CDrawObj* CPin::Duplicate() {
    auto* copy = new CPin(m_owner);
    copy->m_position = m_position;
    copy->m_document = m_document;
    copy->m_flags = m_flags;
    copy->m_style = m_style;
    copy->m_decorationSize = m_decorationSize;
    copy->m_body = m_body;
    copy->m_hot = m_hot;
    return copy;
}

void CPin::CopyGeometryFrom(const CDrawObj* source) {
    CDrawObj::CopyGeometryFrom(source);
    if (const auto* pin = dynamic_cast<const CPin*>(source)) {
        m_body = pin->m_body;
        m_hot = pin->m_hot;
        m_decorationSize = pin->m_decorationSize;
    }
}

// ---------------------------------------------------------------------------------------------
// Types and accessors

int CPin::GetPinType() const {
    const int stored = static_cast<int>((m_flags & kPinTypeMask) >> kPinTypeShift);
    if (stored == kPinTypeUserDefined || !m_owner)
        return stored;
    const int plain = std::min(stored, kLastPlainType);
    switch (m_owner->GetKind()) {
        case kSymbolPort:
            return kPinTypeFirstPort + plain;
        case kSymbolSubCircuit:
            return kPinTypeFirstSheetEntry + plain;
        default:
            return stored;
    }
}

void CPin::SetPinType(int type) {
    SetFlags(static_cast<DWORD>(type) << kPinTypeShift, kPinTypeMask);
}

BOOL CPin::IsPortPin() const {
    return m_owner && m_owner->GetKind() == kSymbolPort;
}

CString CPin::GetTypeText() const {
    const int type = GetPinType();
    if (type != kPinTypeUserDefined)
        return GetPinTypeName(type);
    CString text;
    m_attributes.Lookup(GetStdAttrName(kStdAttrType), text);
    return text;
}

void CPin::SetEnds(CPoint body, CPoint hot) {
    m_body = body;
    m_hot = hot;
    RecalcBounds();
}

void CPin::SetDecorationSize(int size) {
    m_decorationSize = std::clamp(size, 0, kMaxDecorationSize);
}

const double* CPin::OwnerMatrix() const {
    return m_owner ? m_owner->GetMatrix() : nullptr;
}

CPoint CPin::GetConnectPoint() const {
    CPoint point = m_hot;
    MatrixTransformPoints(&point, 1, OwnerMatrix());
    return point;
}

CPoint CPin::GetSheetBodyEnd() const {
    CPoint point = m_body;
    MatrixTransformPoints(&point, 1, OwnerMatrix());
    return point;
}

CPoint CPin::GetNearestPoint(CPoint) {
    return GetConnectPoint();
}

void CPin::GetDirection(double& dx, double& dy, BOOL toSheet) const {
    double xs[2] = {double(m_body.x), double(m_hot.x)};
    double ys[2] = {double(m_body.y), double(m_hot.y)};
    if (toSheet)
        MatrixTransformDoubles(xs, ys, 2, OwnerMatrix());
    dx = xs[1] - xs[0];
    dy = ys[1] - ys[0];
    const double length = std::hypot(dx, dy);
    if (length < 1) {
        dx = 1;
        dy = 0;
        return;
    }
    dx /= length;
    dy /= length;
}

LOGPEN CPin::GetDefaultPen() const {
    return m_document ? m_document->m_pinPen : CDrawDoc::kDefaultPinPen;
}

LOGBRUSH CPin::GetDefaultBrush() const {
    return m_document ? m_document->m_pinBrush : CDrawDoc::kDefaultPinBrush;
}

CDrawDoc* CPin::ColourDocument() const {
    CDrawDoc* ownerDoc = m_owner ? m_owner->GetDocument() : nullptr;
    return ownerDoc ? ownerDoc : m_document;
}

CString CPin::ShownNumber() {
    CString number;
    if (!LookupAttr(NumberName(), number) || number.IsEmpty())
        number = "???";
    return number;
}

CString CPin::GetTipText() const {
    CString id;
    m_attributes.Lookup(IdName(), id);
    CString tip;
    tip.Format("Pin: %s\nType: %s", id.c_str(), GetTypeText().c_str());
    CString name;
    CString value;
    for (POSITION pos = m_attributes.GetStartPosition(); pos;) {
        m_attributes.GetNextAssoc(pos, name, value);
        if (name != IdName())
            tip += "\n" + name + " = " + value;
    }
    return tip.GetLength() > kMaxTipLength ? tip.Left(kMaxTipLength) : tip;
}

// ---------------------------------------------------------------------------------------------
// Attributes

void CPin::AddAttrTextsTo(CObList* list) {
    for (POSITION pos = list ? m_attrTexts.GetHeadPosition() : nullptr; pos;) {
        CObject* text = m_attrTexts.GetNext(pos);
        if (!list->Find(text))
            list->AddTail(text);
    }
}

// A pin keeps a name that no other pin of its scope has; pasted pins keep theirs.
int CPin::AssignId(int) {
    CString id = GetAttr(IdName());
    if (!id.IsEmpty() && CheckId(id) != kIdExists)
        return TRUE;
    CObList* scope = m_owner      ? &m_owner->GetPins()
                     : m_document ? &m_document->GetObjects()
                                  : nullptr;
    if (scope)
        SetAttr(IdName(), MakePinName(*scope), 0);
    return TRUE;
}

BOOL CPin::LookupAttr(const char* name, CString& value) {
    if (!name || std::strcmp(name, NumberName()) != 0)
        return CDrawObj::LookupAttr(name, value);
    CDevice* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!device)
        return CDrawObj::LookupAttr(name, value);
    return device->GetPinNumber(value, m_owner->GetAttr(GetStdAttrName(kStdAttrName)),
                                m_owner->GetAttr(GetStdAttrName(kStdAttrInst)),
                                GetAttr(IdName())) == 0;
}

const CString& CPin::GetId() const {
    static const CString kNone;
    const CString* id = m_attributes.PLookup(IdName());
    return id ? *id : kNone;
}

int CPin::CheckAttrValue(const char* name, CString& value) {
    const CString attribute(name);
    if (attribute == IdName())
        return CheckId(value);
    if (attribute == NumberName())
        return CheckNumber(value);
    return 0;
}

int CPin::CheckId(CString& value) {
    value.Trim();
    if (value.IsEmpty())
        return kIdMissing;
    if (HasLineBreakOrSeparator(value))
        return kInvalidCharacter;
    const CObList* scope = m_owner      ? &m_owner->GetPins()
                           : m_document ? &m_document->GetObjects()
                                        : nullptr;
    for (POSITION pos = scope ? scope->GetHeadPosition() : nullptr; pos;) {
        auto* other = dynamic_cast<CPin*>(scope->GetNext(pos));
        if (other && other != this && other->GetAttr(IdName()) == value)
            return kIdExists;
    }
    CDevice* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!device)
        return 0;
    return device->RenamePin(GetAttr(IdName()), value,
                             m_owner->GetAttr(GetStdAttrName(kStdAttrName)), kMapCheck);
}

int CPin::CheckNumber(CString& value) {
    value.Trim();
    if (value.IsEmpty())
        return kNumberMissing;
    CDevice* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!device)
        return kNoDevice;
    return device->SetPinNumber(m_owner->GetAttr(GetStdAttrName(kStdAttrName)),
                                m_owner->GetAttr(GetStdAttrName(kStdAttrInst)), GetAttr(IdName()),
                                value, kMapCheck);
}

int CPin::SetAttr(const char* name, const char* value, UINT flags) {
    if (!name || !value)
        return FALSE;
    if (flags & kSetAttrUndoable)
        return SetAttrRecorded(*this, name, value, flags);
    CString text(value);
    const CString attribute(name);
    const bool hasDevice = m_owner && m_owner->GetDevice();
    if (hasDevice && attribute == NumberName())
        return SetNumberThroughDevice(text, flags);
    if (!(flags & kSetAttrForce) && CheckAttrValue(name, text) != 0)
        return FALSE;
    if (hasDevice && attribute == IdName())
        return RenameThroughDevice(text, flags);
    m_attributes.SetAt(name, text);
    RefreshAttrTexts(name);
    // The rectangle holds the name and number painted along the line.
    if (attribute == IdName() || attribute == NumberName())
        RecalcBounds();
    return TRUE;
}

BOOL CPin::SetNumberThroughDevice(const CString& value, UINT flags) {
    if (HasLineBreakOrSeparator(value))
        return FALSE;
    CDevice* device = m_owner->GetDevice();
    const int mode = flags & kSetAttrForce ? kMapApply : kMapCheck | kMapApply;
    if (device->SetPinNumber(m_owner->GetAttr(GetStdAttrName(kStdAttrName)),
                             m_owner->GetAttr(GetStdAttrName(kStdAttrInst)), GetAttr(IdName()),
                             value, mode) != 0)
        return FALSE;
    ForSymbolsOfDevice(m_owner->GetDocument(), m_owner, device,
                       [](CSymbol& symbol) { symbol.RefreshPinTexts(NumberName()); });
    return TRUE;
}

// Every symbol drawn like the owner (same device, same name) renames the same pin, so that
// the device's map and the symbols agree.
BOOL CPin::RenameThroughDevice(const CString& value, UINT flags) {
    CDevice* device = m_owner->GetDevice();
    const CString oldName = GetAttr(IdName());
    const CString symbolName = m_owner->GetAttr(GetStdAttrName(kStdAttrName));
    const int mode = flags & kSetAttrForce ? kMapApply : kMapCheck | kMapApply;
    if (device->RenamePin(oldName, value, symbolName, mode) != 0)
        return FALSE;
    CDrawDoc* doc = m_owner->GetDocument();
    ForSymbolsOfDevice(doc, m_owner, device, [&](CSymbol& symbol) {
        if (symbol.GetAttr(GetStdAttrName(kStdAttrName)) != symbolName)
            return;
        for (POSITION pos = symbol.GetPins().GetHeadPosition(); pos;) {
            auto* pin = static_cast<CPin*>(symbol.GetPins().GetNext(pos));
            if (pin->GetAttr(IdName()) == oldName)
                pin->m_attributes.SetAt(IdName(), value);
        }
    });
    m_attributes.SetAt(IdName(), value);
    if (doc)
        device->UpdateSymbols(doc);
    else
        m_owner->RefreshAttrTexts(nullptr);
    return TRUE;
}

void CPin::SetNetConnectorName(const char* value) {
    if (m_owner && m_owner->GetKind() == kSymbolNetConnector)
        SetAttr(IdName(), value, kSetAttrForce);
}

// The text lies along the pin, read upright: "_ID" ends beyond the body end, other names
// start or end at the middle of the line, "_No" on one side of it and the rest on the other.
void CPin::PlaceAttrText(CAttrText* text) {
    if (!text)
        return;
    double dx = 0;
    double dy = 0;
    GetDirection(dx, dy, FALSE);
    const bool isId = text->GetName() == IdName();
    double anchorX = isId ? m_body.x - kIdTextGap * dx : (double(m_body.x) + m_hot.x) / 2;
    double anchorY = isId ? m_body.y - kIdTextGap * dy : (double(m_body.y) + m_hot.y) / 2;
    double xs[2] = {anchorX, anchorX + dx};
    double ys[2] = {anchorY, anchorY + dy};
    MatrixTransformDoubles(xs, ys, 2, OwnerMatrix());
    const CPoint anchor(RoundToLong(xs[0]), RoundToLong(ys[0]));
    int angle = AngleFromVector(ys[1] - ys[0], xs[1] - xs[0]);
    int side = 1;
    if (angle < -900 || angle > 900) {
        angle = NormalizedAngle(angle + 1800);
        side = -1;
    }
    text->SetRotation(0);
    CRect box = NormalizedRect(text->GetPosition());
    const LONG height = box.Height();
    const LONG gap = height / kTextSideDivisor;
    const bool numberSide = text->GetName() == NumberName();
    // Upright text on a pin pointing the other way reads towards the body end: "_ID" starts
    // at its anchor there, so that it stays beyond the body end.
    const WORD align = (side > 0) == isId ? 2 : 0;
    const LONG left = align == 2 ? anchor.x - box.Width() : anchor.x;
    LONG bottom = anchor.y - height / 2;  // box.top is the lower edge
    if (!isId)
        bottom = (numberSide ? side : -side) > 0 ? anchor.y + gap : anchor.y - gap - height;
    text->OffsetBy(CSize(WrapSub(left, box.left), WrapSub(bottom, box.top)));
    text->SetTextFlags(align, kTextAlignMask);
    if (std::abs(angle > 1800 ? angle - 3600 : angle) >= kMinTextRotation)
        text->Rotate(angle, anchor.x, anchor.y, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Geometry

void CPin::RecalcBounds() {
    CRect box(m_body, m_hot);
    box.NormalizeRect();
    const LONG grow = (GetPen().lopnWidth.x + 1) / 2;
    box.InflateRect(grow, grow);
    const LONG half = m_decorationSize / 2;
    UniteExtents(box, CRect(m_body.x - half, m_body.y - half, m_body.x + half, m_body.y + half));
    for (const PinTextQuad& quad : ShownTextQuads(m_body, m_hot)) {
        CRect textBox;
        PointsBoundingRect(quad.corners, 4, textBox);
        UniteExtents(box, textBox);
    }
    m_position = box;
}

BOOL CPin::Intersects(const CRect& rect) {
    if (!CDrawObj::Intersects(rect))
        return FALSE;
    const CRect query = NormalizedRect(rect);
    const auto band = PinBand(m_body, m_hot, m_decorationSize);
    if (PolygonMeetsRect(band.data(), 4, query, TRUE))
        return TRUE;
    for (const PinTextQuad& quad : ShownTextQuads(m_body, m_hot)) {
        if (PolygonMeetsRect(quad.corners, 4, query, TRUE))
            return TRUE;
    }
    return FALSE;
}

int CPin::GetHandleCount() const {
    const DWORD symbol = m_flags & kPinSymbolMask;
    return symbol == kPinNormal || symbol == kPinBus ? 2 : kDecorationHandle;
}

CPoint CPin::GetHandle(int n) const {
    CPoint handle;
    switch (n) {
        case 1:
            handle = m_hot;
            break;
        case 2:
            handle = m_body;
            break;
        case kDecorationHandle: {
            double dx = 0;
            double dy = 0;
            GetDirection(dx, dy, FALSE);
            const double across = (m_flags & kPinSymbolMask) == kPinInvertingOther ? -1 : 1;
            const double half = m_decorationSize / 2.0 * across;
            handle = CPoint(RoundToLong(m_body.x - dy * half), RoundToLong(m_body.y + dx * half));
            break;
        }
        default:
            return CDrawObj::GetHandle(n);
    }
    MatrixTransformPoints(&handle, 1, OwnerMatrix());
    return handle;
}

CursorId CPin::GetHandleCursor(int n) const {
    return n >= 1 && n <= kDecorationHandle ? CursorId::SizeAll : CDrawObj::GetHandleCursor(n);
}

void CPin::MoveHandleTo(int n, CPoint point, IDocView* view) {
    if (n < 1 || n > kDecorationHandle)
        return CDrawObj::MoveHandleTo(n, point, view);
    if (m_owner)
        m_owner->DocToLocal(&point, 1);
    if (n == kDecorationHandle) {
        const DWORD symbol = m_flags & kPinSymbolMask;
        if (symbol < kPinBubble || symbol > kPinInvertingOther)
            return;
    }
    Invalidate(view);
    if (n == 1)
        m_hot = point;
    else if (n == 2)
        m_body = point;
    else
        SetDecorationSize(2 * static_cast<int>(std::lround(std::hypot(
                                  double(point.x) - m_body.x, double(point.y) - m_body.y))));
    RecalcBounds();
    Invalidate(view);
}

// A rectangle of zero width or height cannot be scaled from: the ends move along that axis.
void CPin::MoveTo(const CRect& position, IDocView* view) {
    if (position == m_position)
        return;
    const CRect old = NormalizedRect(m_position);
    const CRect target = NormalizedRect(position);
    if (old.Width() == target.Width() && old.Height() == target.Height()) {
        OffsetBy(CSize(WrapSub(target.left, old.left), WrapSub(target.top, old.top)));
        return;
    }
    Invalidate(view);
    const CRect& from = m_position;
    for (CPoint* end : {&m_body, &m_hot}) {
        end->x = from.left == from.right ? WrapAdd(end->x, WrapSub(position.left, from.left))
                                         : ScaleCoordinate(end->x, from.left, from.right,
                                                           position.left, position.right);
        end->y = from.top == from.bottom ? WrapAdd(end->y, WrapSub(position.bottom, from.bottom))
                                         : ScaleCoordinate(end->y, from.bottom, from.top,
                                                           position.bottom, position.top);
    }
    m_position = position;
    Invalidate(view);
}

void CPin::OffsetBy(CSize delta) {
    Invalidate(nullptr);
    m_body.Offset(delta);
    m_hot.Offset(delta);
    m_position.OffsetRect(delta.cx, delta.cy);
    Invalidate(nullptr);
}

void CPin::Rotate(int angle, int centreX, int centreY, IDocView* view) {
    POINT ends[2] = {m_body, m_hot};
    RotatePointsAbout(ends, 2, angle, centreX, centreY);
    Invalidate(view);
    m_body = ends[0];
    m_hot = ends[1];
    RecalcBounds();
    Invalidate(view);
}

void CPin::Mirror(int x1, int y1, int x2, int y2) {
    POINT ends[2] = {m_body, m_hot};
    MirrorPoints(ends, 2, x1, y1, x2, y2);
    Invalidate(nullptr);
    m_body = ends[0];
    m_hot = ends[1];
    RecalcBounds();
    Invalidate(nullptr);
}

CDrawObj* CPin::SnapPoint(CPoint& point, ISnapGrid* grid, double& best) {
    if (std::abs(std::int64_t{point.x} - m_hot.x) <= kSnapSquare &&
        std::abs(std::int64_t{point.y} - m_hot.y) <= kSnapSquare)
        return AcceptSnap(point, best, m_hot, 0);
    if (!grid)
        return nullptr;
    CPoint candidate = point;
    const double distance = grid->TryPoint(candidate, m_hot.x, m_hot.y, kSnapLimit);
    return AcceptSnap(point, best, candidate, distance);
}

void CPin::Invalidate(IDocView* view) {
    if (!view)
        return CDrawObj::Invalidate(nullptr);
    CRect bounds;
    GetBoundingRect(bounds);
    CPoint corners[4] = {{bounds.left, bounds.top},
                         {bounds.right, bounds.top},
                         {bounds.right, bounds.bottom},
                         {bounds.left, bounds.bottom}};
    MatrixTransformPoints(corners, 4, OwnerMatrix());
    PointsBoundingRect(corners, 4, bounds);
    bounds.InflateRect(kInvalidateMargin, kInvalidateMargin);
    CRect pixels(view->DocToClient(bounds.TopLeft()), view->DocToClient(bounds.BottomRight()));
    pixels.NormalizeRect();
    pixels.InflateRect(kPixelMargin, kPixelMargin);
    view->InvalidateClientRect(pixels);
}

// ---------------------------------------------------------------------------------------------
// Links

int CPin::WireEnds() const {
    const auto* wire = dynamic_cast<const CWire*>(m_wire);
    if (!wire)
        return 0;
    return (wire->GetStartObject() == this ? 1 : 0) | (wire->GetEndObject() == this ? 2 : 0);
}

// A pin leaving the document takes the wire's end with it (record end 1 the start, 2 the
// end), so the wire never refers to a pin outside the document; coming back gives it back.
void CPin::Connect(const CConnectionRecord* record) {
    if (!record)
        return;
    m_wire = record->partner;
    auto* wire = dynamic_cast<CWire*>(m_wire);
    if (wire && (record->end & 1) && !wire->GetStartObject())
        wire->SetStartObject(this);
    if (wire && (record->end & 2) && !wire->GetEndObject())
        wire->SetEndObject(this);
}

void CPin::Disconnect(const CConnectionRecord*) {
    if (auto* wire = dynamic_cast<CWire*>(m_wire))
        wire->ReplaceEndObject(this, nullptr);
    m_wire = nullptr;
}

void CPin::CollectConnections(CConnectionList* list) {
    if (!list)
        return;
    if (m_wire && !(m_wire->GetFlags() & kFlagMark))
        list->Add({this, WireEnds(), m_wire, nullptr});
    int place = 0;
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos; ++place) {
        auto* text = static_cast<CDrawObj*>(m_attrTexts.GetNext(pos));
        if (!(text->GetFlags() & kFlagMark))
            list->Add({text, 0, this, nullptr, place});
    }
}

// The wire's end moves over to the other pin with the link.
void CPin::MoveLinks(CPin& to, bool attributes) {
    if (auto* wire = dynamic_cast<CWire*>(m_wire))
        wire->ReplaceEndObject(this, &to);
    to.m_wire = m_wire;
    m_wire = nullptr;
    if (attributes) {
        CString name;
        CString value;
        for (POSITION pos = m_attributes.GetStartPosition(); pos;) {
            m_attributes.GetNextAssoc(pos, name, value);
            to.m_attributes.SetAt(name, value);
        }
        m_attributes.RemoveAll();
    }
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos;) {
        auto* text = static_cast<CAttrText*>(m_attrTexts.GetNext(pos));
        text->Bind(&to, text->GetName());
        to.m_attrTexts.AddTail(text);
    }
    m_attrTexts.RemoveAll();
}

void CPin::GiveLinksTo(CDrawObj* replacing) {
    if (auto* pin = dynamic_cast<CPin*>(replacing))
        MoveLinks(*pin, true);
}

void CPin::TakeLinksFrom(CDrawObj* replaced) {
    if (auto* pin = dynamic_cast<CPin*>(replaced))
        pin->MoveLinks(*this, true);
}

void CPin::MoveLinksTo(CDrawObj* other) {
    if (auto* pin = dynamic_cast<CPin*>(other))
        MoveLinks(*pin, false);
}

int CPin::CollectConnected(CObList* list) {
    if (list && m_wire && !(m_wire->GetFlags() & kFlagCollected)) {
        m_wire->SetFlags(kFlagCollected, kFlagCollected);
        list->AddTail(m_wire);
    }
    return 0;
}

void CPin::NotifyAttached(IFollowMap* map) {
    CDrawObj* wire = map && m_wire ? map->Substitute(m_wire) : m_wire;
    if (auto* follower = dynamic_cast<CWire*>(wire))
        follower->FollowObject(this, map);
}

// The pin lets go of a wire that left the document or that no longer starts or ends on it.
void CPin::PurgeAttrTexts() {
    CDrawObj::PurgeAttrTexts();
    CDrawDoc* doc = m_owner ? m_owner->GetDocument() : m_document;
    if (!m_wire || !doc)
        return;
    const int type = doc->IsListed(m_wire) ? m_wire->GetObjType() : kObjBase;
    if (type != kObjWire && type != kObjBus) {
        m_wire = nullptr;
        return;
    }
    const auto* wire = static_cast<const CWire*>(m_wire);
    if (wire->GetStartObject() != this && wire->GetEndObject() != this)
        m_wire = nullptr;
}

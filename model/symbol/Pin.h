#pragma once
// CPin: a connection point of a symbol. A line runs from the body end (where the pin meets the
// symbol's body and its decoration sits) to the hot end (where a wire attaches); the pin has a
// type, a name ("_ID") and a number ("_No", taken from the owner's device when there is one)
// painted along the line, its own attributes and attribute texts, and at most one wire.
// Inside a symbol its coordinates are the symbol's local ones; in a symbol sheet it stands
// alone without owner.
//
// Record after the base record: attribute map, attribute-text list, WORD decoration size,
// body end and hot end (two 32-bit numbers each), the wire (an archived object, null
// allowed). The owner is not stored; the owning symbol sets it after loading.

#include <vector>

#include "model/object/DrawObj.h"
#include "model/symbol/PinLabels.h"
#include "model/symbol/PinStrokes.h"
#include "platform/Maps.h"
#include "platform/ObList.h"

class CSymbol;

// Flag bits of a pin.
constexpr DWORD kPinTypeMask = 0xF000;
constexpr int kPinTypeShift = 12;
constexpr DWORD kPinSymbolMask = 0xF00;
constexpr DWORD kPinShowName = 0x10000;
constexpr DWORD kPinShowNumber = 0x20000;
constexpr DWORD kPinExtraMark = 0x40000;
constexpr DWORD kPinHidden = 0x80000;
constexpr DWORD kPinDefaultFlags = kPinShowName | kPinShowNumber;

// Pin symbols (decorations) of kPinSymbolMask.
constexpr DWORD kPinNormal = 0x000;
constexpr DWORD kPinBubble = 0x100;
constexpr DWORD kPinInverting = 0x200;
constexpr DWORD kPinOpenCollector = 0x300;
constexpr DWORD kPinInvertingOther = 0x400;  // drawn like kPinInverting, handle on the other side
constexpr DWORD kPinBus = 0x500;

// Effective pin types that are not stored types.
constexpr int kPinTypeUserDefined = 10;
constexpr int kPinTypeFirstPort = 11;
constexpr int kPinTypeFirstSheetEntry = 15;
constexpr int kPinTypeCount = 19;

constexpr int kDefaultDecorationSize = 60;

// The name of an effective pin type ("Input Pin" ... "Undefined Sheet Entry"); empty outside
// the table.
const char* GetPinTypeName(int type);

// The first of "Pin 1", "Pin 2" ... that no pin of the list has as "_ID".
CString MakePinName(const CObList& objects);

class CPin : public CDrawObj {
    DECLARE_SERIAL(CPin)
public:
    explicit CPin(CSymbol* owner = nullptr);
    // Ends, decoration size and attributes; no wire, owner or texts.
    CPin(const CPin& source, CDrawDoc* document);
    ~CPin() override;

    void Serialize(CArchive& ar) override;

    // Types: the stored type 0-15, and the effective one, which turns the types of port and
    // sub-circuit pins into port and sheet-entry types.
    int GetPinType() const;
    void SetPinType(int type);
    BOOL IsPortPin() const;
    // The name of the effective type; "User Defined" gives the "_Type" attribute.
    CString GetTypeText() const;

    // The stored identifier ("_ID"), as GetAttr gives it, without a copy.
    const CString& GetId() const;
    CDrawObj* GetWire() const { return m_wire; }
    void SetWire(CDrawObj* wire) { m_wire = wire; }
    CSymbol* GetOwner() const { return m_owner; }
    void SetOwner(CSymbol* owner) { m_owner = owner; }
    CPoint GetBodyEnd() const { return m_body; }
    CPoint GetHotEnd() const { return m_hot; }
    // Sets both ends and recomputes the bounds.
    void SetEnds(CPoint body, CPoint hot);
    int GetDecorationSize() const { return m_decorationSize; }
    void SetDecorationSize(int size);
    // The hot end on the sheet (through the owner's placement).
    CPoint GetConnectPoint() const;
    // The body end on the sheet (through the owner's placement).
    CPoint GetSheetBodyEnd() const;
    // The unit vector from the body end to the hot end, on the sheet when toSheet is set.
    void GetDirection(double& dx, double& dy, BOOL toSheet) const;
    // The rectangle of the line, its decoration and the shown texts.
    void RecalcBounds();
    // A net connector's pin takes the connector's name.
    void SetNetConnectorName(const char* value);

    int GetObjType() const override { return kObjPin; }
    CString GetTipText() const override;
    CObList* GetAttrTextList() override { return &m_attrTexts; }
    CMapStringToString* GetAttrMap() override { return &m_attributes; }
    void AddAttrTextsTo(CObList* list) override;
    int AssignId(int number) override;
    BOOL LookupAttr(const char* name, CString& value) override;
    int SetAttr(const char* name, const char* value, UINT flags) override;
    int CheckAttrValue(const char* name, CString& value) override;
    void PlaceAttrText(CAttrText* text) override;

    LOGPEN GetDefaultPen() const override;
    LOGBRUSH GetDefaultBrush() const override;
    int GetHandleCount() const override;
    CPoint GetHandle(int n) const override;
    CursorId GetHandleCursor(int n) const override;
    void MoveHandleTo(int n, CPoint point, IDocView* view) override;
    void MoveTo(const CRect& position, IDocView* view) override;
    void OffsetBy(CSize delta) override;
    void Rotate(int angle, int centreX, int centreY, IDocView* view) override;
    void Mirror(int x1, int y1, int x2, int y2) override;
    BOOL CanRotate() const override { return TRUE; }
    BOOL Intersects(const CRect& rect) override;
    CDrawObj* SnapPoint(CPoint& point, ISnapGrid* grid, double& best) override;
    CPoint GetNearestPoint(CPoint point) override;

    void Draw(CDC* dc, const double* matrix) override;
    void DrawTracker(CDC* dc, int state, const double* matrix) override;
    void Invalidate(IDocView* view) override;
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;

    // The "Pin Properties" sheet on the pins of the view's selection.
    void OnEditProperties(IDocView* view) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    CDrawObj* Duplicate() override;
    void CopyGeometryFrom(const CDrawObj* source) override;

    // Links: the pin keeps its wire and its attribute texts. The wire's side of a link (its
    // start and end objects) is the wire's own.
    void Connect(const CConnectionRecord* record) override;
    void Disconnect(const CConnectionRecord* record) override;
    void CollectConnections(CConnectionList* list) override;
    void GiveLinksTo(CDrawObj* replacing) override;
    void TakeLinksFrom(CDrawObj* replaced) override;
    void MoveLinksTo(CDrawObj* other) override;
    int CollectConnected(CObList* list) override;
    void PurgeAttrTexts() override;
    // The pin moved: its wire follows.
    void NotifyAttached(IFollowMap* map) override;

private:
    // Which ends of the wire lie on this pin: 1 the start, 2 the end.
    int WireEnds() const;
    // The document whose pin colours and fonts apply: the owner's, else the pin's own.
    CDrawDoc* ColourDocument() const;
    // The owner's placement matrix, or null.
    const double* OwnerMatrix() const;
    // The pin's number as shown: the device's or the own "_No", or "???".
    CString ShownNumber();
    // The label of a text; empty when it is not shown.
    PinLabel ShownLabel(PinText which);
    // The font of the name and number, and its height.
    LOGFONT PinFont() const;
    // The quadrilaterals of the shown name and number for the ends given.
    std::vector<PinTextQuad> ShownTextQuads(POINT body, POINT hot);
    PinStrokes Strokes() const;
    // The line and decoration with the pen given; the filled bus outline and the unconnected
    // mark only when painting (not as a tracker).
    void PaintPin(CDC* dc, const double* matrix, const LOGPEN& pen, bool tracker);
    void PaintPinText(CDC* dc, const POINT* ends, PinText which);
    void PaintUnconnectedMark(CDC* dc, const double* matrix);
    BOOL SetNumberThroughDevice(const CString& value, UINT flags);
    BOOL RenameThroughDevice(const CString& value, UINT flags);
    int CheckId(CString& value);
    int CheckNumber(CString& value);
    void MoveLinks(CPin& to, bool attributes);

    CObList m_attrTexts{10};
    CMapStringToString m_attributes{10};
    int m_decorationSize = kDefaultDecorationSize;
    CPoint m_body{0, 0};
    CPoint m_hot{0, 0};
    CDrawObj* m_wire = nullptr;
    CSymbol* m_owner = nullptr;
};

#pragma once
// CDrawObj: the base of everything that lies on a schematic or symbol sheet. It keeps what
// every object has (document, position rectangle, flags, optional own pen and brush) and gives
// every operation of the drawing-object interface its base behaviour; subclasses override.

#include <cstdint>
#include <optional>
#include <vector>

#include "model/object/OwnPenBrush.h"
#include "platform/CString.h"
#include "platform/GdiTypes.h"
#include "platform/Geometry.h"
#include "platform/Object.h"

class CArchive;
class CAttrText;
class CConnectionList;
class CConnectionRecord;
class CDC;
class CDevice;
class CDrawDoc;
struct CLinkPlace;
class CMapStringToString;
class CNet;
class CObList;
class IDocView;
class IDxfSink;
class IFollowMap;
class IMenuBuilder;
class ISnapGrid;

// Type codes answered by GetObjType; an object filter mask selects code c with bit (1 << c).
enum ObjType : int {
    kObjBase = 0,
    kObjPin = 1,
    kObjWire = 2,
    kObjSymbol = 3,
    kObjRect = 4,
    kObjRoundRect = 5,
    kObjEllipse = 6,
    kObjLine = 7,
    kObjText = 8,
    kObjPoly = 9,
    kObjOle = 10,
    kObjBus = 11,
    kObjBezier = 12,
    kObjFillShape = 14,
    kObjSpecSymbol = 16
};
constexpr DWORD ObjTypeMask(int type) {
    return DWORD{1} << type;
}

// Flag bits of the base word.
enum ObjFlag : DWORD {
    kFlagFilled = 0x1,
    kFlagOutlined = 0x2,
    kFlagCollected = 0x4,     // run-time: gathered by a CollectConnected walk
    kFlagSnapExcluded = 0x8,  // run-time: being dragged, not a snap target
    kFlagOpen = 0x10,
    kFlagDrcError = 0x20,   // run-time
    kFlagHighlight = 0x40,  // run-time
    kFlagBezier = 0x1000,
    kFlagMark = 0x40000000,
    kFlagsKeptOnLoad = 0xFFFFFF93
};

// Sizing cursors chosen by GetHandleCursor; the shell maps them to its own cursors.
enum class CursorId { Arrow, SizeWE, SizeNESW, SizeNS, SizeNWSE, SizeAll };

// Both coordinates of the point GetAnchorPoint gives for "no anchor".
constexpr LONG kNoAnchor = 0x7FFFFFFF;

// An own pen or brush colour that follows the default pen or brush.
constexpr COLORREF kDefaultColour = 0xFFFFFFFF;

// Widths of pens read from a file are cut to this many sheet units.
constexpr LONG kMaxPenWidth = 10000;

// Tracker states of DrawTracker: 0 nothing, 1 and 2 selected, 3 the dominant selection.
constexpr int kTrackerNone = 0;
constexpr int kTrackerSelected = 1;
constexpr int kTrackerDominant = 3;
// Handle squares have a fixed size in window pixels: a repaint margin of this many pixels
// round an object's points holds them at any zoom.
constexpr int kHandleMargin = 5;

// Flags of SetAttr. What the user bit means is up to the object that sets the attribute.
constexpr UINT kSetAttrForce = 0x1;     // store without checking the value
constexpr UINT kSetAttrUndoable = 0x2;  // record the change as a "property edit"
constexpr UINT kSetAttrUser = 0x4;      // set as the user's own edit
constexpr UINT kSetAttrMerge = 0x8;     // with kSetAttrUndoable: join the last recorded step

// The record of GetConnectInfo: the kind of connector, the object types it may join and how
// many of its connectors are free.
struct ConnectInfo {
    int reserved = 0;
    int kind = 0;
    DWORD acceptedTypes = 0;
    int freeEnds = 0;
};

class CDrawObj : public CObject {
    DECLARE_SERIAL(CDrawObj)
public:
    CDrawObj();
    explicit CDrawObj(const CRect& position);
    CDrawObj(const CDrawObj& source, CDrawDoc* document);
    ~CDrawObj() override;
    CDrawObj& operator=(const CDrawObj&) = delete;

    static constexpr UINT kSchema = 1;
    void Serialize(CArchive& ar) override;

    // Flags
    virtual DWORD SetMark(BOOL mark);
    virtual DWORD SetFlags(DWORD value, DWORD mask);
    virtual CString GetTipText() const;
    virtual void ClearFlags(DWORD mask);
    virtual CDrawDoc* SetDocument(CDrawDoc* document);
    virtual CPoint GetNearestPoint(CPoint point);

    // Attributes
    virtual CObList* GetAttrTextList();
    virtual CMapStringToString* GetAttrMap();
    virtual void AddAttrTextsTo(CObList* list);
    virtual int AssignId(int number);
    // ShowAttrText, FindAttrText, PlaceAttrText, RefreshAttrTexts and PurgeAttrTexts work on
    // the attribute texts (CAttrText) of GetAttrTextList.
    virtual CAttrText* ShowAttrText(const char* name, BOOL show);
    virtual void AddContextMenu(IMenuBuilder* menu);
    virtual CNet* GetNet() const;
    virtual CDevice* GetDevice() const;
    // Stores the device and returns the one held before; reference counts are the caller's.
    virtual CDevice* SetDevice(CDevice* device);
    // The pins of a symbol, in order; null for objects without pins.
    virtual const CObList* GetPinList() const;
    virtual void GetAttrAt(int index, CString& key, CString& value);
    virtual CString GetAttr(const char* name);
    virtual CString GetStdAttr(int id);
    virtual BOOL LookupAttr(const char* name, CString& value);
    virtual int SetAttr(const char* name, const char* value, UINT flags);
    virtual int CheckAttrValue(const char* name, CString& value);
    virtual BOOL IsIdAttrAt(int index);
    virtual BOOL IsReadOnlyAttr(const char* name);
    virtual int GetAttrCount();
    virtual CAttrText* FindAttrText(const char* name);
    virtual void PlaceAttrText(CAttrText* text);
    virtual void RemoveAttr(const char* name);
    virtual void RefreshAttrTexts(const char* name);

    // Geometry and handles
    virtual int GetObjType() const;
    virtual int GetHandleCount() const;
    virtual CPoint GetHandle(int n) const;
    virtual CursorId GetHandleCursor(int n) const;
    virtual void LocalToDoc(CPoint* points, int count) const;
    virtual void DocToLocal(CPoint* points, int count) const;

    // Pens and brushes; the effective ones resolve colour -1 to the default's colour.
    virtual void SetLineColor(COLORREF colour);
    virtual void SetFillColor(COLORREF colour);
    virtual LOGPEN GetDefaultPen() const;
    virtual LOGBRUSH GetDefaultBrush() const;
    virtual LOGPEN GetPen() const;
    virtual LOGBRUSH GetBrush() const;
    virtual void SetPen(const LOGPEN* pen);
    virtual void SetBrush(const LOGBRUSH* brush);
    virtual CDrawDoc* GetDocument() const;
    virtual void GetBoundingRect(CRect& rect) const;

    // Drawing and editing; a matrix is a placement matrix (PlacementMatrix.h) or null.
    virtual void Draw(CDC* dc, const double* matrix);
    virtual void DrawTracker(CDC* dc, int state, const double* matrix);
    // Whether the tracker may draw inside the rectangle (sheet units): by default where the
    // object's bounds meet it.
    virtual bool TrackerMeets(const CRect& rect) const;
    virtual void MoveTo(const CRect& position, IDocView* view);
    virtual void OffsetBy(CSize delta);
    virtual void Rotate(int angle, int centreX, int centreY, IDocView* view);
    virtual void Mirror(int x1, int y1, int x2, int y2);
    virtual BOOL CanRotate() const;
    virtual int HitTest(CPoint point, IDocView* view, BOOL selected);
    virtual BOOL Intersects(const CRect& rect);
    virtual void MoveHandleTo(int n, CPoint point, IDocView* view);
    virtual void OnOpen(IDocView* view);
    virtual void OnEditProperties(IDocView* view);
    virtual CDrawObj* Clone(CDrawDoc* document);
    virtual void Remove();
    virtual void Invalidate(IDocView* view);
    virtual CPoint GetConnectionPoint(int n);
    virtual CDrawObj* SnapPoint(CPoint& point, ISnapGrid* grid, double& best);
    virtual void GetAnchorPoint(CPoint* point, int handle);
    virtual int GetConnectionCount();

    // Connections
    virtual void GetConnectInfo(int index, void* info);
    virtual int GetConnectorCount();
    virtual int ConnectWith(CDrawObj* other, void* info);
    virtual void PurgeAttrTexts();
    virtual void CollectConnections(CConnectionList* list);
    virtual void Disconnect(const CConnectionRecord* record);
    virtual void TakeLinksFrom(CDrawObj* replaced);
    virtual void Connect(const CConnectionRecord* record);
    // The ordered lists in which the link of the record, once remade, has a recorded place.
    virtual void GetLinkPlaces(const CConnectionRecord& record, std::vector<CLinkPlace>& places);
    virtual void GiveLinksTo(CDrawObj* replacing);
    virtual void MoveLinksTo(CDrawObj* other);
    virtual int CollectConnected(CObList* list);
    // The object moved within an edit: what is attached to it follows, through the edit's map
    // (null outside an edit).
    virtual void NotifyAttached(IFollowMap* map);
    virtual CDrawObj* Duplicate();
    virtual void CopyGeometryFrom(const CDrawObj* source);
    virtual void ExportDxf(IDxfSink* dxf, int kind, const double* matrix);

    // Not virtual. SetLineStyle takes a line style (> 0) or minus a width in points (<= 0);
    // SetFillHatch a hatch (>= 0) or solid (< 0). Both return 0 when nothing changed.
    int SetLineStyle(int value);
    int SetFillHatch(int hatch);
    CRect GetHandleRect(int n, IDocView* view) const;

    const CRect& GetPosition() const { return m_position; }
    // Gives back a position rectangle an undo record kept, laying nothing out: the object stands
    // as it stood, whatever the fonts of this machine would make of it now.
    void RestorePosition(const CRect& rect) { m_position = rect; }
    DWORD GetFlags() const { return m_flags; }
    // The marks the object paints on dc: the design-rule error mark, and the highlight, which
    // only a screen shows.
    DWORD PaintedMarks(const CDC* dc) const;
    // A number that no other drawing object of this run has or had, copies included: it tells
    // an object apart from one that later takes its freed address. Given on the first ask and
    // kept beside the objects, since few are ever asked.
    std::uint64_t GetSerial() const;
    // Whether the object was given that number (without giving it one).
    bool HasSerial(std::uint64_t serial) const;
    // The document's purge of its links right after a load marks the objects it lists with a
    // number of that purge (run-time only; never stored or copied).
    void SetListedMark(DWORD mark) { m_listedMark = mark; }
    DWORD GetListedMark() const { return m_listedMark; }
    const LOGPEN* GetOwnPen() const { return m_style.Pen() ? &*m_style.Pen() : nullptr; }
    const LOGBRUSH* GetOwnBrush() const { return m_style.Brush() ? &*m_style.Brush() : nullptr; }

protected:
    // Moves the position rectangle and invalidates the old and new places; FALSE when unchanged.
    BOOL ReplacePosition(const CRect& position, IDocView* view);
    // Takes the grid's answer for a snap candidate: a distance >= 0 makes it the best so far.
    CDrawObj* AcceptSnap(CPoint& point, double& best, const CPoint& candidate, double distance);
    // The base record; subclasses that need the stored schema read it from the archive and
    // pass it here instead of calling Serialize.
    void SerializeRecord(CArchive& ar, UINT schema);
    // Moves an attribute text of this object up (+y) until its bounding rectangle meets that
    // of no other text of GetAttrTextList, each step by the height of the text it met.
    void MoveClearOfOtherTexts(CDrawObj* text) const;

    CDrawDoc* m_document = nullptr;
    CRect m_position;
    DWORD m_flags = 0;

private:
    DWORD m_listedMark = 0;  // beside m_flags, which leaves no gap

protected:
    OwnPenBrush m_style;
};

// The rectangle with left <= right and top <= bottom.
CRect NormalizedRect(const CRect& rect);
// The sizing cursor for a direction on the sheet (y upward), by sectors of 45 degrees whose
// borders lie at 22.5 degrees plus multiples of 45.
CursorId CursorForDirection(double dx, double dy);

// The objects of a list of drawing objects, in list order.
std::vector<CDrawObj*> DrawObjectsOf(const CObList& list);

// TRUE when the list holds the object, or (for a pin) a symbol of the list holds it as one of
// its pins.
BOOL IsObjectInList(const CDrawObj* object, const CObList* list);

// The objects of a selection that the "Outline and Fill" page edits, appended to targets in
// selection order; returns the page's option mask.
DWORD CollectOutlineFillTargets(const CObList& selection, CObList& targets);

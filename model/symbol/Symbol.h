#pragma once
// CSymbol: a placed component. It owns its graphics and pins, kept in its own coordinates and
// placed on the sheet by a 2x3 matrix; it carries an attribute map, the attribute texts that
// show it (references: the texts belong to the document's list) and a shared, counted device
// that supplies pin numbers, part identifiers and device-wide attributes ("_Device." names).
//
// Record after the base record: the pins, the graphics, the attribute map, the attribute
// texts, the matrix (six little-endian doubles a, b, tx, c, d, ty) and the device (an
// archived object, null allowed, written once and referenced by the symbols after).

#include "model/object/DrawObj.h"
#include "platform/Maps.h"
#include "platform/ObList.h"

class CNet;
class CPin;
struct CPinMapLine;

// Kinds of symbol (flag bits 0x700).
constexpr DWORD kSymbolKindMask = 0x700;
constexpr DWORD kSymbolGraphical = 0x000;
constexpr DWORD kSymbolPort = 0x100;
constexpr DWORD kSymbolNetConnector = 0x200;
constexpr DWORD kSymbolSimulation = 0x300;
constexpr DWORD kSymbolDevice = 0x400;
constexpr DWORD kSymbolSubCircuit = 0x500;

// A net connector's attribute naming the document attribute ("Ground1" .. "Power4") of the rail
// it stands for: placed without an identifier, it takes that rail's net name as its own.
constexpr const char* kRailAttrName = "Rail";

// How the symbol shows its pins.
constexpr DWORD kSymbolShowHiddenPins = 0x10000;
constexpr DWORD kSymbolPinNamesMask = 0x60000;
constexpr DWORD kSymbolPinNamesAsPin = 0x20000;
constexpr DWORD kSymbolPinNamesAll = 0x40000;
constexpr DWORD kSymbolPinNumbersMask = 0x180000;
constexpr DWORD kSymbolPinNumbersAsPin = 0x80000;
constexpr DWORD kSymbolPinNumbersAll = 0x100000;
constexpr DWORD kSymbolDefaultFlags = kSymbolDevice | kSymbolPinNamesAsPin | kSymbolPinNumbersAsPin;

class CSymbol : public CDrawObj {
    DECLARE_SERIAL(CSymbol)
public:
    CSymbol();
    // A symbol of the document made of the objects (or of their clones).
    CSymbol(CDrawDoc* document, const CObList& objects, BOOL clone);
    // Shares the device (one more reference), copies the matrix and the attributes and clones
    // graphics and pins; no attribute texts.
    CSymbol(const CSymbol& source, CDrawDoc* document);
    ~CSymbol() override;

    void Serialize(CArchive& ar) override;

    // Pins go to the pin list (owned by this symbol), everything else to the graphics.
    void BuildFromObjects(const CObList& objects, BOOL clone);
    // Empties the pin and graphics lists without deleting what they held.
    void ReleaseChildren();

    DWORD GetKind() const { return m_flags & kSymbolKindMask; }
    const double* GetMatrix() const { return m_matrix; }
    void SetMatrix(const double* matrix);
    // The kind, the display flags and the matrix of source (its run-time marks stay its own).
    void CopyPlacementFrom(const CSymbol& source);
    CObList& GetPins() { return m_pins; }
    CObList& GetGraphics() { return m_graphics; }
    const CObList* GetPinList() const override { return &m_pins; }
    CPin* FindPin(const char* id);
    CPin* FindPinAt(const CRect& rect);
    // The union of the children's rectangles; FALSE when it did not change.
    BOOL RecalcBounds(IDocView* view);
    // Switches to another device: one reference taken on it, the identifier checked against
    // it, a "change device" step recorded, the texts refreshed, the old device released.
    BOOL ChangeDevice(CDevice* device);
    // The texts of every pin bound to name (all of them for null).
    void RefreshPinTexts(const char* name);
    // The file of the sub-circuit sheet: "_Subcct" with the path macros expanded, as a path of
    // this system, a relative one taken from the document's folder. FALSE with an empty path
    // when the expansion is longer than a path may be (the user is told).
    BOOL GetSubcircuitPath(CString& path);
    // Opens the sub-circuit's file: a schematic in this program, a program started (after the
    // user agreed, once per schematic and program) with "_Parameters" in "_Directory", any
    // other file with the desktop's program. FALSE, after telling the user, when nothing
    // opened.
    BOOL OpenSubcircuit();
    // "Save Sub-circuit As..": a new schematic with a port for each pin, saved under a name
    // the user chooses, which becomes "_Subcct". FALSE when cancelled or failed; a port that
    // cannot be made leaves nothing saved.
    BOOL SaveSubcircuitAs();
    // Appends a port symbol for each pin, in pin order, to ports: inputs and undefined pins
    // down the left, outputs and bidirectional pins down the right. FALSE when a port could not
    // be loaded; what was made so far stays in ports.
    BOOL BuildSubcircuitPorts(CDrawDoc* sheet, CObList& ports);
    // Places the port for pin as number n of its side, its pin named as the symbol's pin with
    // a text showing the name; the text is appended to ports.
    static void PlacePort(CSymbol* port, CPin* pin, int n, bool right, CObList& ports);
    // The port of the standard library for an effective pin type, or null after the user was
    // told why there is none.
    static CSymbol* LoadPortSymbol(int pinType, CDrawDoc* sheet);

    int GetObjType() const override { return kObjSymbol; }
    CString GetTipText() const override;
    DWORD SetMark(BOOL mark) override;
    DWORD SetFlags(DWORD value, DWORD mask) override;
    void ClearFlags(DWORD mask) override;
    CDrawDoc* SetDocument(CDrawDoc* document) override;

    CObList* GetAttrTextList() override { return &m_attrTexts; }
    CMapStringToString* GetAttrMap() override { return &m_attributes; }
    void AddAttrTextsTo(CObList* list) override;
    int AssignId(int number) override;
    CDevice* GetDevice() const override { return m_device; }
    CDevice* SetDevice(CDevice* device) override;
    BOOL LookupAttr(const char* name, CString& value) override;
    // The symbol's line of its device's pin map (CDevice::FindPartLine), did receiving "_DID"
    // as GetAttr gives it; null and empty without a device.
    CPinMapLine* GetPartLine(CString& did) const;
    int SetAttr(const char* name, const char* value, UINT flags) override;
    int CheckAttrValue(const char* name, CString& value) override;
    BOOL IsIdAttrAt(int index) override;
    BOOL IsReadOnlyAttr(const char* name) override;
    // A "_Device." name removes the device's attribute.
    void RemoveAttr(const char* name) override;
    void PlaceAttrText(CAttrText* text) override;
    void RefreshAttrTexts(const char* name) override;
    void PurgeAttrTexts() override;
    // The symbol's entries of the view's context menu.
    void AddContextMenu(IMenuBuilder* menu) override;
    // A sub-circuit opens its file; other symbols their properties.
    void OnOpen(IDocView* view) override;
    // Until the "Symbol Properties" sheet is built, a symbol's properties are edited in the
    // symbol editor.
    void OnEditProperties(IDocView* view) override;

    int GetHandleCount() const override { return 0; }
    void LocalToDoc(CPoint* points, int count) const override;
    void DocToLocal(CPoint* points, int count) const override;
    void MoveTo(const CRect& position, IDocView* view) override;
    void OffsetBy(CSize delta) override;
    void Rotate(int angle, int centreX, int centreY, IDocView* view) override;
    void Mirror(int x1, int y1, int x2, int y2) override;
    BOOL CanRotate() const override { return TRUE; }
    int HitTest(CPoint point, IDocView* view, BOOL selected) override;
    BOOL Intersects(const CRect& rect) override;
    CPoint GetNearestPoint(CPoint point) override;
    CDrawObj* SnapPoint(CPoint& point, ISnapGrid* grid, double& best) override;
    // Numbered from 1: the pins' hot ends, or without pins the centre, then the corners and
    // side midpoints of the rectangle clockwise from its left-top corner.
    int GetConnectionCount() override;
    CPoint GetConnectionPoint(int n) override;

    void Draw(CDC* dc, const double* matrix) override;
    void DrawTracker(CDC* dc, int state, const double* matrix) override;
    void Invalidate(IDocView* view) override;
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;

    CDrawObj* Clone(CDrawDoc* document) override;
    // The copy stands in for this symbol while an edit transforms it, and keeps its shape for
    // the edit's undo: it is of this symbol's class, with the placement, the flags, the pen and
    // brush and (one more reference) the device. The attributes and texts are handed over by
    // GiveLinksTo.
    CDrawObj* Duplicate() override;
    void CopyGeometryFrom(const CDrawObj* source) override;
    void Remove() override;

    void CollectConnections(CConnectionList* list) override;
    void GetConnectInfo(int index, void* info) override;
    int GetConnectorCount() override;
    int ConnectWith(CDrawObj* other, void* info) override;
    int CollectConnected(CObList* list) override;
    void NotifyAttached(IFollowMap* map) override;
    void GiveLinksTo(CDrawObj* replacing) override;
    void TakeLinksFrom(CDrawObj* replaced) override;
    void MoveLinksTo(CDrawObj* other) override;

protected:
    // Fills a new, empty symbol as Duplicate describes.
    void DuplicateInto(CSymbol& symbol) const;
    // The effective matrix of drawing: parent applied after the own one.
    void EffectiveMatrix(const double* parent, double* out) const;
    // Hands the texts (and with attributes, the attribute map) to another symbol.
    void MoveTextsTo(CSymbol& other, bool attributes);
    // Each pin with the pin display fields of this symbol applied for the visit.
    template <class Visit>
    void ForPinsAsShown(Visit visit);

private:
    int CheckOwnAttr(const CString& name, CString& value);
    int CheckDeviceAttr(const CString& rest, CString& value);
    int SetDeviceAttr(const CString& rest, const char* value, UINT flags);
    // The net of the wire at the first pin, or null.
    const CNet* FirstPinNet() const;
    // Another device of the document named name, or null.
    CDevice* FindDocumentDevice(const char* name) const;

    double m_matrix[6] = {1, 0, 0, 0, 1, 0};
    CObList m_pins{10};
    CObList m_graphics{10};
    CMapStringToString m_attributes{10};
    CObList m_attrTexts{10};
    CDevice* m_device = nullptr;
};

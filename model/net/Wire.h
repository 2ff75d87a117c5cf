#pragma once
// CWire: an electrical connection, a polyline whose ends may lie on pins, on other wires or on
// buses, carrying a shared net. Wires whose ends lie on each other form a group, and every
// wire of a group carries the same net. A wire lists in its junctions the wires and buses that
// start or end on it; the attribute texts it refers to show its net's attributes.
//
// Record after the polyline record: the junction list, the net (an object reference), the
// start object and the end object (references, null allowed), the attribute-text list.

#include <functional>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/shapes/DrawPoly.h"
#include "platform/ObList.h"

class CNet;
class IFollowMap;

// The connection search result of ConnectWith: the wire that ends on the other object, and
// the targets of its start and end.
struct WireConnectInfo {
    CDrawObj* wire = nullptr;
    CDrawObj* start = nullptr;
    CDrawObj* end = nullptr;
};

// Results of ConnectWith.
constexpr int kConnectNone = 0;
constexpr int kConnectFound = 1;
constexpr int kConnectWires = 3;

// Answers of a group walk's callback.
constexpr int kWalkStop = 0;
constexpr int kWalkSkip = 1;
constexpr int kWalkOn = 2;

// Flags of SetGroupNet.
constexpr UINT kGroupNetRecord = 0x2;  // as an undoable "net change"
constexpr UINT kGroupNetMerge = 0x8;   // joined to the last recorded step

// A flag of SetAttr for "_ID": the rename of a rail's own net, whose connectors stay with the
// rail whatever name the net passes through.
constexpr UINT kSetAttrRailRename = 0x10;

// The document-wide net-joining mark.
constexpr DWORD kFlagNetJoinMark = 0x80000000;

class CWire : public CDrawPoly {
    DECLARE_SERIAL(CWire)
public:
    CWire();
    // The polyline; shares the source's net; no links, no texts.
    CWire(const CWire& source, CDrawDoc* document);
    ~CWire() override;

    void Serialize(CArchive& ar) override;

    int GetObjType() const override { return kObjWire; }
    CString GetTipText() const override;
    CPoint GetNearestPoint(CPoint point) override;
    // The text stands on the middle of the first segment (the last one when only the start is
    // held, by something other than a bus), turned along it and never upside down.
    void PlaceAttrText(CAttrText* text) override;

    // Attributes: those of the net ("_ID" its name).
    CObList* GetAttrTextList() override { return &m_attrTexts; }
    CMapStringToString* GetAttrMap() override;
    void AddAttrTextsTo(CObList* list) override;
    int AssignId(int number) override;
    CNet* GetNet() const override { return m_net; }
    void GetAttrAt(int index, CString& key, CString& value) override;
    CString GetAttr(const char* name) override;
    BOOL LookupAttr(const char* name, CString& value) override;
    int SetAttr(const char* name, const char* value, UINT flags) override;
    int CheckAttrValue(const char* name, CString& value) override;
    BOOL IsIdAttrAt(int index) override;
    BOOL IsReadOnlyAttr(const char* name) override;
    int GetAttrCount() override;

    LOGPEN GetDefaultPen() const override;
    LOGBRUSH GetDefaultBrush() const override;
    void Draw(CDC* dc, const double* matrix) override;
    BOOL Intersects(const CRect& rect) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    CDrawObj* Duplicate() override;
    void Invalidate(IDocView* view) override;
    // The "Wire Properties" sheet over the wires of the view's selection.
    void OnEditProperties(IDocView* view) override;
    // "Show Identifier" and the "Connect To" popup of the rails and other nets.
    void AddContextMenu(IMenuBuilder* menu) override;

    // Connections
    void GetConnectInfo(int index, void* info) override;
    int GetConnectorCount() override { return 1; }
    // info: a WireConnectInfo.
    int ConnectWith(CDrawObj* other, void* info) override;
    void PurgeAttrTexts() override;
    void CollectConnections(CConnectionList* list) override;
    void Disconnect(const CConnectionRecord* record) override;
    void TakeLinksFrom(CDrawObj* replaced) override;
    void Connect(const CConnectionRecord* record) override;
    void GetLinkPlaces(const CConnectionRecord& record, std::vector<CLinkPlace>& places) override;
    void GiveLinksTo(CDrawObj* replacing) override;
    void MoveLinksTo(CDrawObj* other) override;
    int CollectConnected(CObList* list) override;
    // The wire moved: it follows its start and end objects, its junction wires follow it, and
    // its attribute texts keep their offsets to it.
    void NotifyAttached(IFollowMap* map) override;
    // The extra handles after the segment handles' numbers begin at a pin end: dragging the
    // first (last) segment when the start (end) lies on a pin keeps that end on the pin and
    // draws a stub square to the segment from it.
    void MoveHandleTo(int handle, CPoint point, IDocView* view) override;

    // Stores the net and returns the one held before; reference counts are the caller's.
    CNet* SetNet(CNet* net);
    // Reverses the points, swaps the end objects and the arrows.
    virtual void Reverse();
    // Gives the net to every wire of the group (flags kGroupNetRecord, kGroupNetMerge).
    virtual void SetGroupNet(CNet* net, UINT flags);
    // Whether the group may keep or take the net.
    virtual BOOL CanKeepNet(CNet* net);
    // Joins the nets of the group into one; FALSE only when the user cancelled.
    virtual BOOL JoinNets();

    // Routing and following
    // Removes repeated points, then middle points of straight runs; two points always stay. The
    // bounds follow when points went.
    void RemoveRedundantVertices();
    // While drawing: a doubled point before the last two collinear segments moves to the end
    // once the last segment is longer than 20.
    void MergeLastSegments();
    // An end on a wire or bus whose end segment runs along the target's nearest segment moves
    // back to where it first meets it.
    void AlignEndsOnWires();
    // While drawing: moves point count - 1 to point and chooses the elbow at count - 2 from
    // the obstacles (legs widened by a third of the grid spacing) and the direction so far.
    // When the elbow would look joined to what it is not joined to (a pin's end or line, a
    // wire's end, corner or segment), the other elbow takes its place, or else two elbows
    // across a grid line between the points that do not; a straight run steps aside to a grid
    // line beside it.
    // Returns the number (from 1) of the point now at point: count, or count + 1 when a second
    // elbow was put in.
    int RouteToPoint(int count, CPoint point, int gridSpacing, IDocView* view);
    // Re-shapes the wire after an object it is attached to (a pin, wire or bus) moved; the
    // wires ending on its moved segments follow in turn. Within an edit, the wires and texts
    // that follow are those the edit's map stands in the document.
    void FollowObject(CDrawObj* moved, IFollowMap* map = nullptr);
    // Moves the end (fromEnd 0 start, 1 end) by (dx, dy) with its first `moving` points,
    // keeping the segments orthogonal; adds to follow the junction wires on moved segments.
    void MoveEnd(int fromEnd, int moving, std::vector<CWire*>& follow, LONG dx, LONG dy);
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;
    // Ends the free end (the start when free) on a new rail or net-connector symbol of the
    // connector symbol source, turned to face the wire, and names the net netName in the same
    // step; the symbol's identifier follows the net. The symbol stands for the rail whose
    // document attribute is named rail ("Ground1" ..), for none without one. FALSE when nothing
    // was added.
    BOOL ConnectToPowerSymbol(const CString& symbolName, const CString& netName,
                              const char* rail = nullptr);

    // Ends and links
    void SetStart(int x, int y, CDrawObj* object);
    void SetEnd(int x, int y, CDrawObj* object);
    void SetStartObject(CDrawObj* object);
    void SetEndObject(CDrawObj* object);
    void AddJunction(CWire* wire);
    // An end attached to old is attached to replacing instead (a pin handing over its wire).
    void ReplaceEndObject(const CDrawObj* old, CDrawObj* replacing);
    CDrawObj* GetStartObject() const { return m_start; }
    CDrawObj* GetEndObject() const { return m_end; }
    const CObList& GetJunctions() const { return m_junctions; }
    // Point n counted from the first (fromEnd 0) or the last point (fromEnd 1).
    CPoint GetPointFromEnd(int fromEnd, int n) const;
    // TRUE when the point lies within a squared distance below 2 of a segment.
    BOOL PointOnWire(int x, int y) const;
    // Detaches the ends of the listed symbols' pins and wires that no longer lie on their
    // targets. Always TRUE.
    static BOOL DetachStrayEnds(const CObList& objects);

    // The group walk, depth first from this wire into the start and end objects and the
    // junctions that have this wire's type code, each wire once. The callback answers
    // kWalkStop (the walk ends with FALSE), kWalkSkip (not further from that wire) or kWalkOn.
    // visited, when given, receives the wires walked.
    BOOL WalkGroup(const std::function<int(CWire*)>& callback,
                   std::unordered_set<const CWire*>* visited = nullptr);

protected:
    // The object of an end changed (a bus's outline depends on it).
    virtual void EndsRelinked() {}
    // Breaks the link of one end to its object (pin, wire or bus).
    void Unlink(CDrawObj* object);
    // Makes the link of an end to its object.
    void Link(CDrawObj* object);
    // The end's object is linked to replacing instead of this wire.
    void HandOverEnd(CDrawObj* end, CWire* replacing);
    // This wire's place among the junctions of the wire or bus end, kNoLinkPlace on another
    // object.
    int PlaceOnEnd(CDrawObj* end) const;
    // The nets the group joins, before the filters: the wires' nets, and the document's nets
    // named by net connectors at the ends (also listed in byConnector). A connector that names
    // a net the document no longer has brings a new net of that name, kept in remembered.
    void CollectCandidateNets(std::vector<CNet*>& candidates, std::vector<CNet*>& byConnector,
                              std::vector<std::unique_ptr<CNet>>& remembered);
    // "_ID" of the wire: moves, splits or renames the net.
    int SetId(const char* value, UINT flags);
    // Other names, through the net.
    int SetNetAttr(const char* name, const char* value, UINT flags);

    CObList m_attrTexts{10};
    CObList m_junctions{10};
    CNet* m_net = nullptr;
    CDrawObj* m_start = nullptr;
    CDrawObj* m_end = nullptr;

private:
    void FollowObject(CDrawObj* moved, std::unordered_set<const CWire*>& followed, IFollowMap* map);
    // The attribute texts that the edit does not move itself keep their offsets to the wire:
    // each moves by how far the nearest point of the wire to it moved.
    void KeepTextOffsets(IFollowMap& map);
    // The direction in which the wire leaves its end (fromEnd 0: the start), a short jog at
    // the end passed over.
    CSize FreeEndDirection(int fromEnd) const;
    // Index of point n counted from the start (fromEnd 0) or the end.
    int IndexFromEnd(int fromEnd, int n) const { return fromEnd ? m_count - 1 - n : n; }
    CPoint& PointFromEnd(int fromEnd, int n) {
        return m_points[static_cast<size_t>(IndexFromEnd(fromEnd, n))];
    }
    void FollowWire(CWire& moved, int fromEnd, std::vector<CWire*>& follow);
    BOOL IsElbowFree(CPoint from, CPoint elbow, CPoint to, int grow) const;
    // Two elbows from q to p (horizontal or vertical leg first, across a grid line between
    // them, or beside them when they lie on one line) whose legs look joined to nothing they
    // are not joined to and do not turn back over w-q; none when there are none.
    std::optional<std::pair<CPoint, CPoint>> FindTwoElbows(std::optional<CPoint> w, CPoint q,
                                                           CPoint p, int gridSpacing) const;
    void PaintEnd(CDC* dc, const double* matrix, bool atEnd);
    // The entry lines of the end onto its bus, in sheet units; empty when the end is on none.
    std::vector<POINT> BusEntryAt(bool atEnd) const;
};

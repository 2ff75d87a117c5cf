#pragma once
// CBus: a wide connection carrying a group of signals, drawn as a filled band of its width
// around the centre polyline, with an arrow head at either end (flags 0x300 and 0xC00). It has
// a net of its own, named "D[0..7]" unless an end gives it a name, and never shares it with a
// copy. Wires end on buses through bus entries, buses on each other at their ends.
//
// Record: the wire record, then the width (DWORD).

#include <vector>

#include "model/net/Wire.h"

// Entries of wires ending on the bus slant the other way.
constexpr DWORD kBusReverseFlow = 0x10000;
constexpr DWORD kBusStartArrow = 0x300;
constexpr DWORD kBusEndArrow = 0xC00;
constexpr DWORD kBusNewFlags = 0xC13;
constexpr LONG kDefaultBusWidth = 30;

class CBus : public CWire {
    DECLARE_SERIAL(CBus)
public:
    // Width 30, flags 0xC13 and a new unnamed net.
    CBus();
    // The polyline and width; a new net copying the source's name, flags and attributes.
    CBus(const CBus& source, CDrawDoc* document);

    void Serialize(CArchive& ar) override;

    int GetObjType() const override { return kObjBus; }
    CString GetTipText() const override;
    int AssignId(int number) override;
    int SetAttr(const char* name, const char* value, UINT flags) override;
    void Draw(CDC* dc, const double* matrix) override;
    void MoveTo(const CRect& position, IDocView* view) override;
    void OffsetBy(CSize delta) override;
    BOOL Intersects(const CRect& rect) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    CDrawObj* Duplicate() override;
    // The "Bus Properties" sheet over the buses of the view's selection.
    void OnEditProperties(IDocView* view) override;
    CDrawObj* SnapPoint(CPoint& point, ISnapGrid* grid, double& best) override;
    // The outline's bounding box becomes the position.
    BOOL RecalcBounds(IDocView* view) override;
    void Reverse() override;
    void SetGroupNet(CNet* net, UINT flags) override;
    BOOL JoinNets() override;

    LONG GetWidth() const { return m_width; }
    void SetWidth(LONG width) { m_width = width; }
    // The closed outline of the band: the centre line offset by half the width to both sides
    // with mitre joins (bevelled where a mitre would reach beyond twice the width), squared ends
    // half a width beyond the end points, arrow heads one width long and two wide. Empty with
    // fewer than two distinct points.
    std::vector<POINT> BuildOutline() const;

protected:
    // An end on a bus pulls back from it: the outline, and with it the bounds, follow the links
    // made and broken.
    void EndsRelinked() override { RecalcBounds(nullptr); }

private:
    LONG m_width = kDefaultBusWidth;
};

// The lines of a wire's entry onto a bus: from the wire's neighbour point q towards its end p
// on the bus, then a 45-degree stroke; just q and p when no entry can be made.
std::vector<POINT> BusEntryPoints(const CPoint& q, const CPoint& p, const CBus& bus);

#pragma once
// CDrawOleObj: an embedded object placed on a schematic. It draws, and keeps the extent of,
// its client item (CDrawItem), which it owns.
//
// Record after the base record: the extent as two int32 (cx, cy), then the item as an
// archived object (its record follows on its first appearance).

#include <memory>

#include "model/object/DrawObj.h"

class CDrawItem;

class CDrawOleObj : public CDrawObj {
    DECLARE_SERIAL(CDrawOleObj)
public:
    CDrawOleObj();
    // The given rectangle, flags 0x2, no item, extent 0 x 0.
    explicit CDrawOleObj(const CRect& position);
    ~CDrawOleObj() override;

    void Serialize(CArchive& ar) override;
    int GetObjType() const override;

    void Draw(CDC* dc, const double* matrix) override;
    void DrawTracker(CDC* dc, int state, const double* matrix) override;
    // Embedded objects cannot be opened or edited here: a notice, and no undo step.
    void OnOpen(IDocView* view) override;
    void OnEditProperties(IDocView* view) override;
    // A copy with a deep copy of the item's object; extent 0 x 0.
    CDrawObj* Clone(CDrawDoc* document) override;
    // A copy of the geometry alone, without an item.
    CDrawObj* Duplicate() override;
    void GiveLinksTo(CDrawObj* replacing) override;
    void TakeLinksFrom(CDrawObj* replaced) override;

    CDrawItem* GetItem() const { return m_item.get(); }
    // Takes the item, which then serves this object.
    void SetItem(std::unique_ptr<CDrawItem> item);
    // The object's extent as last taken from its item (HIMETRIC).
    SIZE GetExtent() const { return m_extent; }
    void SetPositionAndExtent(const CRect& position, SIZE extent);

private:
    CDrawOleObj(const CDrawOleObj& source, CDrawDoc* document);

    std::unique_ptr<CDrawItem> m_item;
    SIZE m_extent{};
};

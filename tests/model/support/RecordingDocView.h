#pragma once
// A view that records what the document tells it, for the document's tests.

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "model/doc/DocView.h"
#include "platform/ObList.h"

namespace drawdoctest {

class RecordingDocView : public IDocView {
public:
    struct Update {
        int hint;
        CObject* object;
        CObList* list;
        std::vector<CObject*> listed;  // the list's objects when it was sent
    };

    void OnUpdate(IDocView* /*sender*/, int hint, CObject* hintObject, CObList* hintList) override {
        updates.push_back({hint, hintObject, hintList, {}});
        for (POSITION pos = hintList ? hintList->GetHeadPosition() : nullptr; pos;)
            updates.back().listed.push_back(hintList->GetNext(pos));
        if (onUpdate)
            onUpdate();
    }
    void SetPageSize(const SIZE& size) override { pageSizes.push_back(size); }
    CPoint DocToClient(const CPoint& point) const override { return point; }
    CPoint ClientToDoc(const CPoint& point) const override { return point; }
    void InvalidateClientRect(const CRect& rect) override { invalidated.push_back(rect); }
    const CObList& GetSelection() const override { return selection; }
    void ReplaceInSelection(const CObList& from, const CObList& to) override {
        for (POSITION a = from.GetHeadPosition(), b = to.GetHeadPosition(); a && b;) {
            CObject* replaced = from.GetNext(a);
            CObject* replacing = to.GetNext(b);
            if (POSITION at = selection.Find(replaced))
                selection.SetAt(at, replacing);
        }
    }
    bool ShowsTrackers() const override { return true; }
    // Points of a square grid of that spacing; every point without one.
    CPoint NearestGridPoint(const CPoint& point) const override {
        if (!grid)
            return point;
        const auto nearest = [this](LONG v) {
            return LONG(std::floor(double(v) / grid + 0.5)) * grid;
        };
        return CPoint(nearest(point.x), nearest(point.y));
    }
    void ShowFlaggedObjects(unsigned long) override {}
    void EditObjectProperties(CObList& objects, DWORD pageOptions) override {
        edited.push_back({objects.GetCount(), pageOptions});
    }

    std::vector<int> Hints() const {
        std::vector<int> hints;
        for (const Update& update : updates)
            hints.push_back(update.hint);
        return hints;
    }

    std::vector<Update> updates;
    std::vector<SIZE> pageSizes;
    std::vector<CRect> invalidated;
    std::vector<std::pair<int, DWORD>> edited;  // object count and page options
    std::function<void()> onUpdate;
    CObList selection;
    LONG grid = 0;
};

}  // namespace drawdoctest

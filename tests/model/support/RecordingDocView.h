#pragma once
// A view that records what the document tells it, for the document's tests.

#include <vector>

#include "model/DocView.h"
#include "platform/ObList.h"

namespace drawdoctest {

class RecordingDocView : public IDocView {
public:
    struct Update {
        int hint;
        CObject* object;
        CObList* list;
    };

    void OnUpdate(IDocView* /*sender*/, int hint, CObject* hintObject, CObList* hintList) override {
        updates.push_back({hint, hintObject, hintList});
    }
    void SetPageSize(const SIZE& size) override { pageSizes.push_back(size); }
    CPoint DocToClient(const CPoint& point) const override { return point; }
    CPoint ClientToDoc(const CPoint& point) const override { return point; }
    void InvalidateClientRect(const CRect& /*rect*/) override {}
    const CObList& GetSelection() const override { return selection; }
    bool ShowsTrackers() const override { return showTrackers; }
    void ShowFlaggedObjects(unsigned long flagMask) override { shownFlags.push_back(flagMask); }
    void EditObjectProperties(CObList& /*objects*/, DWORD /*pageOptions*/) override {}

    std::vector<Update> updates;
    std::vector<SIZE> pageSizes;
    std::vector<unsigned long> shownFlags;
    CObList selection;
    bool showTrackers = true;
};

}  // namespace drawdoctest

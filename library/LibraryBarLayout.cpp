#include "library/LibraryBarLayout.h"

#include "platform/Geometry.h"

namespace {

// Pixels a pane keeps when a splitter is dragged towards it.
constexpr int kMinPane = 50;
constexpr int kMinListBelowTree = 44;
constexpr int kShareScale = 1000;

int Available(int height) {
    return height - 2 * kSplitterHeight;
}

DWORD Pack(int low, int high) {
    return (static_cast<DWORD>(high) << 16) | (static_cast<DWORD>(low) & 0xFFFF);
}

}  // namespace

LibraryBarPanes LibraryBarLayout(int height, int treeShare, int previewShare) {
    const int available = Available(height);
    const int tree = MulDiv(available, treeShare, kShareScale);
    const int preview = MulDiv(available, previewShare, kShareScale);
    return {tree, available - tree - preview, preview};
}

DWORD SplitterRange(UINT splitter, int top, int bottom, const LibraryBarPanes& panes) {
    if (splitter == kTreeSplitter)
        return Pack(top + kMinPane, top + panes.tree + panes.list - kMinListBelowTree);
    return Pack(top + panes.tree + kMinPane, bottom - kMinPane);
}

void ApplySplitterDrag(UINT splitter, int delta, int height, const LibraryBarPanes& panes,
                       int& treeShare, int& previewShare) {
    const int available = Available(height);
    if (available <= 0)
        return;
    if (splitter == kTreeSplitter)
        treeShare = MulDiv(panes.tree + delta, kShareScale, available);
    else
        previewShare = MulDiv(panes.preview - delta, kShareScale, available);
}

#pragma once
// The panes of the library bar from top to bottom: folder tree, splitter, list, splitter,
// preview. The tree and the preview take shares (parts per thousand) of the height the
// splitters leave; the list takes the rest.

#include "platform/Types.h"

constexpr int kSplitterHeight = 6;
constexpr UINT kTreeSplitter = 145;     // between tree and list
constexpr UINT kPreviewSplitter = 146;  // between list and preview

struct LibraryBarPanes {
    int tree;
    int list;
    int preview;
};

LibraryBarPanes LibraryBarLayout(int height, int treeShare, int previewShare);

// How far a splitter may be dragged, in the bar's coordinates from top to bottom: the top
// limit in the low word, the bottom limit in the high word.
DWORD SplitterRange(UINT splitter, int top, int bottom, const LibraryBarPanes& panes);

// The shares after a splitter moved by delta pixels (down is positive).
void ApplySplitterDrag(UINT splitter, int delta, int height, const LibraryBarPanes& panes,
                       int& treeShare, int& previewShare);

// The panes of the library bar and the preview's layout and grid.

#include <gtest/gtest.h>

#include <memory>

#include "library/LibraryBarLayout.h"
#include "library/LibraryItemData.h"
#include "library/PreviewGrid.h"
#include "model/shapes/DrawRect.h"
#include "platform/RecordingDC.h"

namespace {

TEST(LibraryBarLayout, SharesSplitTheHeightLeftBySplitters) {
    const LibraryBarPanes panes = LibraryBarLayout(612, 333, 333);
    EXPECT_EQ(panes.tree, 200);
    EXPECT_EQ(panes.list, 200);
    EXPECT_EQ(panes.preview, 200);
    EXPECT_EQ(SplitterRange(kTreeSplitter, 0, 612, panes), (356u << 16) | 50u);
    EXPECT_EQ(SplitterRange(kPreviewSplitter, 0, 612, panes), (562u << 16) | 250u);
    int tree = 333;
    int preview = 333;
    ApplySplitterDrag(kTreeSplitter, 30, 612, panes, tree, preview);
    EXPECT_EQ(tree, 383);
    ApplySplitterDrag(kPreviewSplitter, 30, 612, panes, tree, preview);
    EXPECT_EQ(preview, 283);
}

TEST(PreviewLayout, AreasOfTheWindow) {
    const PreviewLayout layout = MakePreviewLayout(200, 150, 0);
    EXPECT_EQ(layout.inner, CRect(2, 2, 198, 148));
    EXPECT_EQ(layout.buttonRow, CRect(2, 135, 198, 148));
    EXPECT_EQ(layout.place, CRect(2, 135, 52, 148));
    EXPECT_EQ(layout.tabs, CRect(52, 135, 198, 148));
    EXPECT_EQ(layout.nameBand, CRect(2, 125, 198, 135));
    EXPECT_EQ(layout.image, CRect(5, 5, 195, 122));
    const PreviewLayout bare = MakePreviewLayout(200, 150, kPreviewNoPlace | kPreviewNoTabs);
    EXPECT_TRUE(bare.buttonRow.IsRectEmpty());
    EXPECT_EQ(bare.image, CRect(5, 5, 195, 135));
}

// A device item of two gates: "A" with three symbols, "B" with one, each symbol a rectangle.
void FillDevice(CLibraryItemData& item) {
    const char* gates[] = {"A", "A", "A", "B"};
    int n = 0;
    for (const char* gate : gates) {
        auto entry = std::make_unique<CDeviceSymbol>(gate, "S");
        entry->m_objects.AddTail(new CDrawRect(CRect(0, 0, 100 + n, -50)));
        item.m_deviceSymbols.push_back(std::move(entry));
        ++n;
    }
    item.m_rows = 1;
    item.m_columns = 2;
}

TEST(PreviewGrid, AlternativesStepAroundAndPlaceInRowOrder) {
    CLibraryItemData item;
    FillDevice(item);
    CPreviewGrid grid;
    grid.ShowItem(item);
    EXPECT_TRUE(item.m_deviceSymbols.empty());
    ASSERT_EQ(grid.Rows(), 1);
    ASSERT_EQ(grid.Columns(), 2);
    const CRect image(5, 5, 195, 122);
    EXPECT_EQ(grid.CellRect(image, 0, 1), CRect(100, 5, 195, 122));
    EXPECT_EQ(CPreviewGrid::CaptionOf(grid.CellAt(0, 0)).str(), "1 of 3");
    EXPECT_EQ(CPreviewGrid::CaptionOf(grid.CellAt(0, 1)).str(), "");

    const CPoint right(97, 118);
    const CPoint left(6, 118);
    const char* steps[] = {"2 of 3", "3 of 3", "1 of 3"};
    for (const char* expected : steps) {
        EXPECT_TRUE(grid.Click(image, right, 13));
        EXPECT_EQ(CPreviewGrid::CaptionOf(grid.CellAt(0, 0)).str(), expected);
    }
    EXPECT_TRUE(grid.Click(image, left, 13));
    EXPECT_EQ(CPreviewGrid::CaptionOf(grid.CellAt(0, 0)).str(), "3 of 3");
    EXPECT_FALSE(grid.Click(image, CPoint(50, 50), 13));

    CObList placed;
    grid.CollectShown(placed);
    ASSERT_EQ(placed.GetCount(), 2);
    EXPECT_EQ(placed.GetHead(), grid.CellAt(0, 0).alternatives[2]->GetHead());
    EXPECT_EQ(placed.GetTail(), grid.CellAt(0, 1).alternatives[0]->GetHead());
}

TEST(PreviewGrid, LowCellsTakeNoArrowClicksAndManyAlternativesStayReachable) {
    CLibraryItemData item;
    for (int i = 0; i < 20; ++i) {
        auto entry = std::make_unique<CDeviceSymbol>("A", "S");
        entry->m_objects.AddTail(new CDrawRect(CRect(0, 0, 10, -10)));
        item.m_deviceSymbols.push_back(std::move(entry));
    }
    item.m_rows = item.m_columns = 1;
    CPreviewGrid grid;
    grid.ShowItem(item);
    EXPECT_FALSE(grid.Click(CRect(0, 0, 100, 20), CPoint(97, 18), 13));
    const CRect image(0, 0, 100, 100);
    for (int i = 0; i < 17; ++i)
        grid.Click(image, CPoint(97, 95), 13);
    EXPECT_EQ(CPreviewGrid::CaptionOf(grid.CellAt(0, 0)).str(), "18 of 20");
}

TEST(PreviewGrid, DegenerateExtentStillMaps) {
    CObList objects;
    objects.AddTail(new CDrawRect(CRect(0, 0, 200, 0)));  // a horizontal line
    CPreviewGrid grid;
    grid.SetObjects(objects);
    EXPECT_TRUE(objects.IsEmpty());
    EXPECT_TRUE(grid.HasObjects());
    CObList shown;
    grid.CollectShown(shown);
    CRecordingDC dc;
    MapObjectsOntoCell(dc, shown, CRect(0, 0, 100, 50));
    POINT centre{100, 0};
    dc.LPtoDP(&centre);
    EXPECT_EQ(centre.x, 50);
    EXPECT_EQ(centre.y, 25);
}

}  // namespace

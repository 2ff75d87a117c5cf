#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "model/DocView.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "model/SnapGrid.h"
#include "model/app/SchematicApp.h"
#include "platform/Archive.h"
#include "platform/GdiArchive.h"
#include "platform/Maps.h"
#include "platform/MemFile.h"
#include "platform/ObList.h"
#include "platform/RecordingDC.h"
#include "support/TestSupport.h"

namespace {

// One sheet unit per pixel, window y downward.
class FakeView : public IDocView {
public:
    void OnUpdate(IDocView*, int hint, CObject* object, CObList* list) override {
        hints.push_back(hint);
        hintObjects.push_back(object);
        lastList.clear();
        for (POSITION pos = list ? list->GetHeadPosition() : nullptr; pos;)
            lastList.push_back(list->GetNext(pos));
    }
    void SetPageSize(const SIZE&) override {}
    CPoint DocToClient(const CPoint& p) const override { return CPoint(p.x / scale, -p.y / scale); }
    CPoint ClientToDoc(const CPoint& p) const override { return CPoint(p.x * scale, -p.y * scale); }
    void InvalidateClientRect(const CRect& rect) override { invalidated.push_back(rect); }
    const CObList& GetSelection() const override { return selection; }
    bool ShowsTrackers() const override { return true; }
    void ShowFlaggedObjects(unsigned long) override {}
    void EditObjectProperties(CObList& objects, DWORD pageOptions) override {
        editedCount = objects.GetCount();
        editedOptions = pageOptions;
    }

    int scale = 1;
    std::vector<int> hints;
    std::vector<CObject*> hintObjects;
    std::vector<CObject*> lastList;
    std::vector<CRect> invalidated;
    CObList selection;
    int editedCount = -1;
    DWORD editedOptions = 0;
};

// A drawing object answering a chosen type code, with an optional attribute map and text
// list, that counts the invalidations of all views.
class Probe : public CDrawObj {
public:
    explicit Probe(const CRect& r = CRect(), int type = kObjBase) : CDrawObj(r), type(type) {}
    int GetObjType() const override { return type; }
    int GetHandleCount() const override { return handles; }
    CMapStringToString* GetAttrMap() override { return withMap ? &map : nullptr; }
    CObList* GetAttrTextList() override { return &texts; }
    void Invalidate(IDocView* view) override {
        if (!view)
            ++invalidations;
        CDrawObj::Invalidate(view);
    }
    using CDrawObj::MoveClearOfOtherTexts;
    using CDrawObj::SerializeRecord;

    int type;
    int handles = 8;
    bool withMap = false;
    CMapStringToString map;
    CObList texts;
    int invalidations = 0;
};

class FakeGrid : public ISnapGrid {
public:
    double TryPoint(CPoint&, int, int, double) override { return -1; }
    double TrySegment(CPoint&, int, int, int, int, double) override { return -1; }
    double TryRect(CPoint& point, const CDrawObj*, double best) override {
        if (answer < 0 || answer > best)
            return -1;
        point = CPoint(7, 8);
        return answer;
    }
    double TryEllipse(CPoint&, const CDrawObj*, double) override { return -1; }
    double answer = -1;
};

std::vector<BYTE> Store(CDrawObj& object) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    object.Serialize(ar);
    ar.Close();
    return file.GetBytes();
}

// A stored object record: class tag for "CDrawObj" with the schema, then the base record.
std::vector<BYTE> ObjectRecord(WORD schema, const std::vector<BYTE>& record) {
    std::vector<BYTE> bytes{0xFF, 0xFF, BYTE(schema), BYTE(schema >> 8), 8, 0};
    for (char c : std::string("CDrawObj"))
        bytes.push_back(BYTE(c));
    bytes.insert(bytes.end(), record.begin(), record.end());
    return bytes;
}

void PutLong(std::vector<BYTE>& bytes, DWORD value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(BYTE(value >> (8 * i)));
}

std::vector<BYTE> BaseRecord(DWORD flags, bool shortFlags, const LOGPEN* pen,
                             const LOGBRUSH* brush) {
    std::vector<BYTE> bytes;
    for (DWORD v : {1u, 2u, 3u, 4u})
        PutLong(bytes, v);
    PutLong(bytes, flags);
    if (shortFlags)
        bytes.resize(bytes.size() - 2);
    bytes.insert(bytes.end(), {BYTE(pen ? 1 : 0), 0, BYTE(brush ? 1 : 0), 0});
    if (pen) {
        for (DWORD v : {DWORD(pen->lopnStyle), DWORD(pen->lopnWidth.x), DWORD(pen->lopnWidth.y),
                        pen->lopnColor})
            PutLong(bytes, v);
    }
    if (brush) {
        for (DWORD v : {DWORD(brush->lbStyle), brush->lbColor, DWORD(brush->lbHatch)})
            PutLong(bytes, v);
    }
    return bytes;
}

std::unique_ptr<CDrawObj> Load(const std::vector<BYTE>& bytes, CDrawDoc* document = nullptr) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = document;
    std::unique_ptr<CDrawObj> object(static_cast<CDrawObj*>(ar.ReadObject(nullptr)));
    EXPECT_EQ(file.GetPosition(), bytes.size());
    return object;
}

}  // namespace

TEST(DrawObjRecord, StoresTheFieldsInOrder) {
    CDrawObj object(CRect(1, 2, 3, 4));
    EXPECT_EQ(Store(object), BaseRecord(kFlagOutlined, false, nullptr, nullptr));
    const LOGPEN pen{PS_DASH, {5, 5}, kDefaultColour};
    const LOGBRUSH brush{BS_HATCHED, 0x123456, HS_CROSS};
    object.SetPen(&pen);
    object.SetBrush(&brush);
    EXPECT_EQ(Store(object), BaseRecord(kFlagOutlined, false, &pen, &brush));
    EXPECT_EQ(RUNTIME_CLASS(CDrawObj)->m_wSchema, 0x80000001u);
}

TEST(DrawObjRecord, LoadDropsRunTimeMarksAndCleansThePen) {
    CDrawDoc document;
    const LOGPEN pen{0x15, {8, 7}, 0xFF};
    auto object = Load(ObjectRecord(1, BaseRecord(0x4000006F, false, &pen, nullptr)), &document);
    EXPECT_EQ(object->GetFlags(), 0x40000003u);
    EXPECT_EQ(object->GetPosition(), CRect(1, 2, 3, 4));
    EXPECT_EQ(object->GetDocument(), &document);
    ASSERT_TRUE(object->GetOwnPen());
    EXPECT_EQ(object->GetOwnPen()->lopnStyle, 5u);
    EXPECT_EQ(object->GetOwnPen()->lopnWidth.x, 8);
    EXPECT_EQ(object->GetOwnPen()->lopnWidth.y, 0);
    EXPECT_FALSE(object->GetOwnBrush());
}

TEST(DrawObjRecord, SchemaZeroHasShortFlags) {
    const LOGBRUSH brush{BS_NULL, 0x10, 0};
    auto object = Load(ObjectRecord(0, BaseRecord(0x1234, true, nullptr, &brush)));
    EXPECT_EQ(object->GetFlags(), 0x1234u & kFlagsKeptOnLoad);
    ASSERT_TRUE(object->GetOwnBrush());
    EXPECT_EQ(object->GetOwnBrush()->lbStyle, BS_NULL);
}

TEST(DrawObjRecord, LoadRepairsUnknownBrushesAndHugePens) {
    const LOGPEN pen{PS_SOLID, {0x7FFFFFFF, 0}, 0};
    for (LOGBRUSH brush :
         {LOGBRUSH{BS_PATTERN, 0x55, 0}, LOGBRUSH{BS_HATCHED, 0x55, 6}, LOGBRUSH{77, 0x55, 1}}) {
        auto object = Load(ObjectRecord(1, BaseRecord(0, false, &pen, &brush)));
        EXPECT_EQ(object->GetOwnBrush()->lbStyle, BS_SOLID);
        EXPECT_EQ(object->GetOwnBrush()->lbColor, 0x55u);
        EXPECT_EQ(object->GetOwnPen()->lopnWidth.x, kMaxPenWidth);
    }
    const LOGBRUSH hatched{BS_HATCHED, 0x55, HS_DIAGCROSS};
    auto object = Load(ObjectRecord(1, BaseRecord(0, false, nullptr, &hatched)));
    EXPECT_EQ(object->GetOwnBrush()->lbStyle, BS_HATCHED);
    EXPECT_EQ(object->GetOwnBrush()->lbHatch, HS_DIAGCROSS);
}

TEST(DrawObjRecord, TruncatedRecordThrows) {
    const LOGPEN pen{};
    std::vector<BYTE> bytes = ObjectRecord(1, BaseRecord(0, false, &pen, nullptr));
    bytes.resize(bytes.size() - 3);
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    EXPECT_THROW(ar.ReadObject(nullptr), CArchiveException);
}

TEST(DrawObjPen, OwnColourMinusOneFollowsTheDocument) {
    CDrawDoc document;
    Probe object(CRect(0, 0, 10, 10));
    object.SetDocument(&document);
    const LOGPEN pen{PS_DOT, {20, 0}, kDefaultColour};
    object.SetPen(&pen);
    document.m_pen.lopnColor = 0x00FF00;
    EXPECT_EQ(object.GetPen().lopnColor, 0x00FF00u);
    EXPECT_EQ(object.GetPen().lopnStyle, PS_DOT);
    document.m_brush.lbColor = 0x0000FF;
    EXPECT_EQ(object.GetBrush().lbColor, 0x0000FFu);
}

TEST(DrawObjPen, SetLineColorDefaultOnlyTouchesAnOwnPen) {
    Probe object;
    object.SetLineColor(kDefaultColour);
    EXPECT_FALSE(object.GetOwnPen());
    EXPECT_EQ(object.invalidations, 0);
    object.SetLineColor(0x112233);
    ASSERT_TRUE(object.GetOwnPen());
    EXPECT_EQ(object.GetPen().lopnColor, 0x112233u);
    object.SetLineColor(kDefaultColour);
    ASSERT_TRUE(object.GetOwnPen());
    EXPECT_EQ(object.GetOwnPen()->lopnColor, kDefaultColour);
    EXPECT_EQ(object.GetPen().lopnColor, CDrawDoc::kDefaultPen.lopnColor);
    EXPECT_EQ(object.invalidations, 2);
    object.SetFillColor(0x445566);
    EXPECT_EQ(object.GetBrush().lbColor, 0x445566u);
    EXPECT_EQ(object.GetBrush().lbStyle, CDrawDoc::kDefaultBrush.lbStyle);
}

TEST(DrawObjPen, SetLineStyleWidthsInPoints) {
    Probe object;
    EXPECT_EQ(object.SetLineStyle(-1), 0);
    EXPECT_FALSE(object.GetOwnPen());
    EXPECT_NE(object.SetLineStyle(-72), 0);
    EXPECT_EQ(object.GetPen().lopnWidth.x, 10);
    EXPECT_EQ(object.GetPen().lopnWidth.y, 10);
    EXPECT_EQ(object.GetPen().lopnStyle, PS_SOLID);
    object.SetLineStyle(-25);
    EXPECT_EQ(object.GetPen().lopnWidth.x, 3);
    EXPECT_NE(object.SetLineStyle(PS_DASH), 0);
    EXPECT_EQ(object.GetPen().lopnStyle, PS_DASH);
    EXPECT_EQ(object.GetPen().lopnWidth.x, 0);
    object.SetLineStyle(-72);
    EXPECT_EQ(object.GetPen().lopnStyle, PS_SOLID);
    const LOGPEN frame{PS_INSIDEFRAME, {0, 0}, 0};
    object.SetPen(&frame);
    object.SetLineStyle(-72);
    EXPECT_EQ(object.GetPen().lopnStyle, PS_INSIDEFRAME);
    EXPECT_EQ(object.SetLineStyle(-72), 0);
}

TEST(DrawObjPen, SetFillHatch) {
    Probe object;
    EXPECT_EQ(object.SetFillHatch(-1), 0);
    EXPECT_FALSE(object.GetOwnBrush());
    EXPECT_NE(object.SetFillHatch(HS_CROSS), 0);
    EXPECT_EQ(object.GetBrush().lbStyle, BS_HATCHED);
    EXPECT_EQ(object.GetBrush().lbHatch, HS_CROSS);
    EXPECT_EQ(object.GetBrush().lbColor, CDrawDoc::kDefaultBrush.lbColor);
    EXPECT_NE(object.SetFillHatch(-3), 0);
    EXPECT_EQ(object.GetBrush().lbStyle, BS_SOLID);
    EXPECT_EQ(object.GetBrush().lbHatch, 0);
}

TEST(DrawObjGeometry, BoundingRectWidensByHalfThePen) {
    CDrawObj object(CRect(0, 0, 1000, -500));
    const LOGPEN pen{PS_SOLID, {10, 10}, 0};
    object.SetPen(&pen);
    CRect bounds;
    object.GetBoundingRect(bounds);
    EXPECT_EQ(bounds, CRect(-6, -506, 1006, 6));
    const LOGPEN frame{PS_INSIDEFRAME | 0x10, {10, 10}, 0};
    object.SetPen(&frame);
    object.GetBoundingRect(bounds);
    EXPECT_EQ(bounds, CRect(0, -500, 1000, 0));
}

TEST(DrawObjGeometry, HandlesAndMovingThem) {
    Probe object(CRect(-10, 7, 11, 20));
    EXPECT_EQ(object.GetHandle(2), CPoint(0, 7));
    EXPECT_EQ(object.GetHandle(4), CPoint(11, 13));
    EXPECT_EQ(object.GetHandle(0), CPoint(-10, 7));
    EXPECT_EQ(object.GetHandle(9), CPoint(-10, 7));
    object.MoveHandleTo(0, CPoint(-50, -60), nullptr);
    EXPECT_EQ(object.GetPosition(), CRect(-50, -60, 11, 20));
    object.MoveHandleTo(5, CPoint(70, 80), nullptr);
    EXPECT_EQ(object.GetPosition(), CRect(-50, -60, 70, 80));
    EXPECT_EQ(object.GetConnectionCount(), 9);
    EXPECT_EQ(object.GetConnectionPoint(9), CPoint(10, 10));
    EXPECT_EQ(object.GetConnectionPoint(6), CPoint(10, 80));
    EXPECT_FALSE(object.CanRotate());
}

TEST(DrawObjGeometry, HandleCursorSectors) {
    // Handle 5 lies at atan(h / 1000) from the centre.
    const auto cursorAt = [](int h, int n) {
        return CDrawObj(CRect(-1000, -h, 1000, h)).GetHandleCursor(n);
    };
    EXPECT_EQ(cursorAt(404, 5), CursorId::SizeWE);     // 22.0 degrees
    EXPECT_EQ(cursorAt(425, 5), CursorId::SizeNESW);   // 23.0 degrees
    EXPECT_EQ(cursorAt(425, 1), CursorId::SizeNESW);   // 203.0 degrees
    EXPECT_EQ(cursorAt(1000, 6), CursorId::SizeNS);    // 90 degrees
    EXPECT_EQ(cursorAt(1000, 7), CursorId::SizeNWSE);  // 135 degrees
    EXPECT_EQ(cursorAt(1000, 3), CursorId::SizeNWSE);  // 315 degrees
    EXPECT_EQ(cursorAt(1000, 8), CursorId::SizeWE);    // 180 degrees
}

TEST(DrawObjGeometry, NearestPoint) {
    Probe object(CRect(0, 0, 100, 100));
    EXPECT_EQ(object.GetNearestPoint(CPoint(90, 40)), CPoint(100, 50));
    EXPECT_EQ(object.GetNearestPoint(CPoint(50, 50)), CPoint(50, 0));  // first of equals
    object.handles = 0;
    EXPECT_EQ(object.GetNearestPoint(CPoint(50, 50)), CPoint(0, 50));
    EXPECT_EQ(object.GetNearestPoint(CPoint(60, 120)), CPoint(50, 100));
}

TEST(DrawObjGeometry, IntersectsAndHitTestUseThePenWidth) {
    CDrawObj object(CRect(0, 0, 100, -100));
    const LOGPEN pen{PS_SOLID, {20, 20}, 0};
    object.SetPen(&pen);
    EXPECT_TRUE(object.Intersects(CRect(110, 0, 130, 20)));
    EXPECT_FALSE(object.Intersects(CRect(125, 0, 130, 20)));
    EXPECT_TRUE(object.Intersects(CRect(130, -50, 50, -60)));  // given inverted
    EXPECT_EQ(object.HitTest(CPoint(-20, -120), nullptr, FALSE), 1);
    EXPECT_EQ(object.HitTest(CPoint(120, 0), nullptr, FALSE), 0);
    EXPECT_EQ(object.HitTest(CPoint(-21, 0), nullptr, FALSE), 0);
}

TEST(DrawObjGeometry, HitTestOfSelectedHandles) {
    FakeView view;
    view.scale = 10;  // handle squares reach 30 units each way
    Probe object(CRect(0, 0, 1000, -1000));
    EXPECT_EQ(object.HitTest(CPoint(1029, 0), &view, TRUE), 3);
    EXPECT_EQ(object.HitTest(CPoint(1030, 0), &view, TRUE), 0);
    EXPECT_EQ(object.HitTest(CPoint(0, 30), &view, TRUE), 1);
    EXPECT_EQ(object.HitTest(CPoint(0, -30), &view, TRUE), 0);
    EXPECT_EQ(object.HitTest(CPoint(500, -500), &view, TRUE), 0);
    Probe dot(CRect(5, 5, 5, 5));
    EXPECT_EQ(dot.HitTest(CPoint(5, 5), &view, TRUE), 8);
    EXPECT_EQ(dot.HitTest(CPoint(5, 5), nullptr, TRUE), 0);
}

TEST(DrawObjGeometry, MovingInvalidatesOnlyOnChange) {
    FakeView view;
    Probe object(CRect(0, 0, 1000, -500));
    object.MoveTo(CRect(0, 0, 1000, -500), &view);
    EXPECT_TRUE(view.invalidated.empty());
    object.MoveTo(CRect(10, 0, 1000, -500), &view);
    ASSERT_EQ(view.invalidated.size(), 2u);
    EXPECT_EQ(view.invalidated[0], CRect(-6, -6, 1006, 506));
    object.OffsetBy(CSize(5, -5));
    EXPECT_EQ(object.GetPosition(), CRect(15, -5, 1005, -505));
    EXPECT_EQ(object.invalidations, 2);
    object.CopyGeometryFrom(&object);
    EXPECT_EQ(object.GetPosition(), CRect(15, -5, 1005, -505));
}

TEST(DrawObjGeometry, InvalidateWithoutViewTellsTheDocument) {
    CDrawDoc document;
    FakeView view;
    document.AddView(&view);
    Probe object(CRect(0, 0, 10, 10));
    object.SetDocument(&document);
    object.ClearFlags(kFlagFilled);
    EXPECT_TRUE(view.hints.empty());
    object.ClearFlags(kFlagOutlined);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0], kHintObject);
    EXPECT_EQ(view.hintObjects[0], &object);
    document.RemoveView(&view);
}

TEST(DrawObjFlags, MarkAndMaskedUpdate) {
    CDrawObj object;
    EXPECT_EQ(object.SetMark(TRUE), kFlagMark);
    EXPECT_EQ(object.SetFlags(0xF0, 0x30), 0x30u);
    EXPECT_EQ(object.GetFlags(), kFlagMark | 0x30);
    EXPECT_EQ(object.SetMark(FALSE), 0x30u);
}

TEST(DrawObjSnap, AcceptsOnlyWhatTheGridAccepts) {
    Probe object(CRect(0, 0, 10, 10));
    FakeGrid grid;
    CPoint point(1, 1);
    double best = 100;
    EXPECT_EQ(object.SnapPoint(point, &grid, best), nullptr);
    EXPECT_EQ(point, CPoint(1, 1));
    grid.answer = 25;
    EXPECT_EQ(object.SnapPoint(point, &grid, best), &object);
    EXPECT_EQ(point, CPoint(7, 8));
    EXPECT_EQ(best, 25);
    CPoint anchor(1, 2);
    object.GetAnchorPoint(&anchor, 1);
    EXPECT_EQ(anchor, CPoint(kNoAnchor, kNoAnchor));
}

TEST(DrawObjAttributes, MapOperations) {
    Probe object;
    CString key("k"), value("v");
    object.GetAttrAt(0, key, value);
    EXPECT_EQ(object.GetAttrCount(), 0);
    object.withMap = true;
    object.map.SetAt("Alpha", "1");
    object.map.SetAt("Beta", "2");
    EXPECT_EQ(object.GetAttr("Beta"), CString("2"));
    EXPECT_TRUE(object.GetAttr("Gamma").IsEmpty());
    object.GetAttrAt(2, key, value);  // beyond the count: outputs untouched
    EXPECT_EQ(key, CString("k"));
    std::vector<CString> keys;
    for (int i = 0; i < object.GetAttrCount(); ++i) {
        object.GetAttrAt(i, key, value);
        keys.push_back(key);
    }
    POSITION pos = object.map.GetStartPosition();
    for (const CString& expected : keys) {
        CString k, v;
        object.map.GetNextAssoc(pos, k, v);
        EXPECT_EQ(k, expected);
    }
    object.RemoveAttr("Alpha");
    EXPECT_EQ(object.GetAttrCount(), 1);
    EXPECT_EQ(object.ShowAttrText("Beta", FALSE), nullptr);
}

TEST(DrawObjAttributes, TextsStackUpwardAndZeroHeightTextsEnd) {
    Probe owner;
    Probe first(CRect(0, 0, 100, 40)), second(CRect(0, 0, 100, 40)), third(CRect(0, 0, 100, 40));
    for (Probe* text : {&first, &second, &third})
        owner.texts.AddTail(text);
    owner.MoveClearOfOtherTexts(&second);
    owner.MoveClearOfOtherTexts(&third);
    EXPECT_EQ(second.GetPosition().top, 42);
    EXPECT_EQ(third.GetPosition().top, 84);

    const LOGPEN frame{PS_INSIDEFRAME, {0, 0}, 0};
    Probe flatA(CRect(0, 0, 100, 1)), flatB(CRect(0, 0, 100, 1));
    flatA.SetPen(&frame);
    flatB.SetPen(&frame);
    Probe flatOwner;
    flatOwner.texts.AddTail(&flatA);
    flatOwner.texts.AddTail(&flatB);
    flatOwner.MoveClearOfOtherTexts(&flatB);
    EXPECT_EQ(flatB.GetPosition().top, 1);
}

TEST(DrawObjProperties, OutlineFillTargetsAndOptions) {
    const auto run = [](std::initializer_list<int> types, int* count) {
        std::vector<std::unique_ptr<Probe>> objects;
        CObList selection, targets;
        for (int type : types) {
            objects.push_back(std::make_unique<Probe>(CRect(), type));
            selection.AddTail(objects.back().get());
        }
        const DWORD options = CollectOutlineFillTargets(selection, targets);
        *count = targets.GetCount();
        return options;
    };
    int count = 0;
    EXPECT_EQ(run({kObjRect}, &count), 0x9u);
    EXPECT_EQ(run({kObjWire, kObjEllipse}, &count), 0x4u);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(run({kObjSymbol, kObjOle, 13, kObjPoly, 15}, &count), 0xFu);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(run({kObjEllipse, kObjPin}, &count), 0u);

    FakeView view;
    Probe symbol(CRect(), kObjSymbol), bezier(CRect(), kObjBezier);
    view.selection.AddTail(&symbol);
    view.selection.AddTail(&bezier);
    symbol.OnOpen(&view);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0], kHintReplaceSelection);
    EXPECT_EQ(view.lastList, std::vector<CObject*>{&bezier});
    EXPECT_EQ(view.editedCount, 1);
    EXPECT_EQ(view.editedOptions, 0x4u);
}

TEST(DrawObjCopy, CopyKeepsOrReplacesTheDocument) {
    CDrawDoc first, second;
    Probe source(CRect(1, 2, 3, 4));
    source.SetDocument(&first);
    source.SetLineColor(0x123);
    const CDrawObj kept(source, nullptr);
    const CDrawObj moved(source, &second);
    EXPECT_EQ(kept.GetDocument(), &first);
    EXPECT_EQ(moved.GetDocument(), &second);
    EXPECT_EQ(moved.GetPosition(), CRect(1, 2, 3, 4));
    EXPECT_EQ(moved.GetFlags(), kFlagOutlined);
    ASSERT_TRUE(moved.GetOwnPen());
    EXPECT_NE(moved.GetOwnPen(), source.GetOwnPen());
    EXPECT_EQ(moved.GetOwnPen()->lopnColor, 0x123u);
}

TEST(DrawObjList, TypeMaskSearchAndMembership) {
    Probe wire(CRect(0, 0, 10, 10), kObjWire), bus(CRect(0, 0, 10, 10), kObjBus);
    Probe pin(CRect(0, 0, 10, 10), kObjPin), text(CRect(0, 0, 10, 10), kObjText), other;
    CObList list;
    for (Probe* object : {&wire, &pin, &bus, &text})
        list.AddTail(object);
    const CRect everywhere(-100, -100, 100, 100);
    CObjectSearch search(list, 0x804, everywhere);
    EXPECT_EQ(search.Next(), &wire);
    EXPECT_EQ(search.Next(), &bus);
    EXPECT_EQ(search.Next(), nullptr);
    EXPECT_EQ(CObjectSearch(list, 0, everywhere).Next(), nullptr);
    EXPECT_TRUE(IsObjectInList(&pin, &list));
    EXPECT_FALSE(IsObjectInList(&other, &list));
    EXPECT_FALSE(IsObjectInList(&pin, nullptr));
}

TEST(DrawObjTracker, HandleSquaresInPixels) {
    CRecordingDC dc;
    CDrawObj object(CRect(100, 100, 200, 300));
    object.DrawTracker(&dc, kTrackerNone, nullptr);
    EXPECT_TRUE(dc.Lines().empty());
    object.DrawTracker(&dc, kTrackerSelected, nullptr);
    ASSERT_EQ(dc.Lines().size(), 8u);
    EXPECT_EQ(dc.Lines()[0],
              "Rectangle 98,98,103,103 pen=solid/0/0xD77800 brush=solid/0xFFFFFF rop=13");
    EXPECT_EQ(dc.Lines()[3].substr(0, 27), "Rectangle 198,198,203,203 p");

    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings");
    const ScopedApp installed(app);
    app.SetSystemColours(0x112233, 0x445566);
    app.SelectColourD = 0x0000AA;
    dc.Clear();
    object.DrawTracker(&dc, kTrackerDominant, nullptr);
    EXPECT_EQ(dc.Lines()[0],
              "Rectangle 97,97,104,104 pen=solid/0/0x445566 brush=solid/0x0000AA rop=13");
}

TEST(DrawObjTracker, SquaresAtTheEndsOfTheRangeAreCut) {
    CRecordingDC dc;
    constexpr LONG kMin = std::numeric_limits<LONG>::min();
    constexpr LONG kMax = std::numeric_limits<LONG>::max();
    CDrawObj object(CRect(kMin, kMax, kMax, kMin));
    object.DrawTracker(&dc, kTrackerDominant, nullptr);
    ASSERT_EQ(dc.Lines().size(), 8u);
    EXPECT_EQ(dc.Lines()[0].substr(0, 54),
              "Rectangle -2147483648,2147483644,-2147483644,214748364");
}

TEST(DrawObjTracker, ObjectsWithoutHandlesMarkTheirCorners) {
    CRecordingDC dc;
    Probe object(CRect(0, 0, 10, 20));
    object.handles = 0;
    const double shift[] = {1, 0, 100, 0, 1, 50};
    object.DrawTracker(&dc, kTrackerDominant, shift);
    ASSERT_EQ(dc.Lines().size(), 4u);
    EXPECT_EQ(dc.Lines()[0],
              "Rectangle 97,47,104,54 pen=solid/0/0xFFFFFF brush=solid/0xC0C0C0 rop=13");
    EXPECT_EQ(dc.Lines()[2].substr(0, 27), "Rectangle 107,67,114,74 pen");
    dc.Clear();
    object.DrawTracker(&dc, kTrackerSelected, nullptr);
    EXPECT_EQ(dc.Lines()[0],
              "Rectangle -2,-2,3,3 pen=solid/0/0xD77800 brush=solid/0xFFFFFF rop=13");
}

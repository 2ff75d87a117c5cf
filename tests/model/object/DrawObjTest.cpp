#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/support/RecordingDocView.h"
#include "platform/Archive.h"
#include "platform/Maps.h"
#include "platform/MemFile.h"
#include "platform/ObList.h"
#include "platform/RecordingDC.h"
#include "support/TestSupport.h"

namespace {

// scale sheet units per pixel, window y downward.
class FlipView : public drawdoctest::RecordingDocView {
public:
    CPoint DocToClient(const CPoint& p) const override { return CPoint(p.x / scale, -p.y / scale); }
    CPoint ClientToDoc(const CPoint& p) const override { return CPoint(p.x * scale, -p.y * scale); }
    int scale = 1;
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

    int type;
    int handles = 8;
    bool withMap = false;
    CMapStringToString map;
    CObList texts;
    int invalidations = 0;
};

// "style width.x,width.y colour" and "style colour hatch", for one comparison each.
std::string Text(const LOGPEN& pen) {
    char text[48];
    std::snprintf(text, sizeof text, "%u %d,%d %06X", pen.lopnStyle, pen.lopnWidth.x,
                  pen.lopnWidth.y, pen.lopnColor);
    return text;
}
std::string Text(const LOGBRUSH& brush) {
    char text[40];
    std::snprintf(text, sizeof text, "%u %06X %d", brush.lbStyle, brush.lbColor, brush.lbHatch);
    return text;
}

std::vector<BYTE> Store(CDrawObj& object) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    object.Serialize(ar);
    ar.Close();
    return file.GetBytes();
}

void PutLongs(std::vector<BYTE>& bytes, std::initializer_list<DWORD> values) {
    for (DWORD value : values) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(BYTE(value >> (8 * i)));
    }
}

// The base record of position (1, 2, 3, 4): rect, flags, presence words, pen, brush.
std::vector<BYTE> BaseRecord(DWORD flags, const LOGPEN* pen, const LOGBRUSH* brush,
                             bool shortFlags = false) {
    std::vector<BYTE> bytes;
    PutLongs(bytes, {1, 2, 3, 4, flags});
    if (shortFlags)
        bytes.resize(bytes.size() - 2);
    bytes.insert(bytes.end(), {BYTE(pen ? 1 : 0), 0, BYTE(brush ? 1 : 0), 0});
    if (pen)
        PutLongs(bytes, {DWORD(pen->lopnStyle), DWORD(pen->lopnWidth.x), DWORD(pen->lopnWidth.y),
                         pen->lopnColor});
    if (brush)
        PutLongs(bytes, {DWORD(brush->lbStyle), brush->lbColor, DWORD(brush->lbHatch)});
    return bytes;
}

// Reads a stored object: the class tag for "CDrawObj" with the schema, then the base record.
std::unique_ptr<CDrawObj> Load(WORD schema, const std::vector<BYTE>& record,
                               CDrawDoc* document = nullptr) {
    std::vector<BYTE> bytes{0xFF, 0xFF, BYTE(schema), BYTE(schema >> 8), 8, 0};
    bytes.insert(bytes.end(), {'C', 'D', 'r', 'a', 'w', 'O', 'b', 'j'});
    bytes.insert(bytes.end(), record.begin(), record.end());
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = document;
    std::unique_ptr<CDrawObj> object(static_cast<CDrawObj*>(ar.ReadObject(nullptr)));
    EXPECT_EQ(file.GetPosition(), bytes.size());
    return object;
}

}  // namespace

// What is stored is what a load gives back: no run-time marks, and the pen's second width 0.
TEST(DrawObjRecord, StoresTheFieldsInOrder) {
    CDrawObj object(CRect(1, 2, 3, 4));
    EXPECT_EQ(Store(object), BaseRecord(kFlagOutlined, nullptr, nullptr));
    const LOGPEN pen{PS_DASH, {5, 5}, kDefaultColour};
    const LOGBRUSH brush{BS_HATCHED, 0x123456, HS_CROSS};
    object.SetPen(&pen);
    object.SetBrush(&brush);
    object.SetFlags(0x4000006F, 0xFFFFFFFF);
    const LOGPEN loaded{PS_DASH, {5, 0}, kDefaultColour};
    EXPECT_EQ(Store(object), BaseRecord(0x40000003, &loaded, &brush));
}

TEST(DrawObjRecord, LoadDropsRunTimeMarksAndCleansThePen) {
    CDrawDoc document;
    const LOGPEN pen{0x15, {8, 7}, 0xFF};
    auto object = Load(1, BaseRecord(0x4000006F, &pen, nullptr), &document);
    EXPECT_EQ(object->GetFlags(), 0x40000003u);
    EXPECT_EQ(object->GetPosition(), CRect(1, 2, 3, 4));
    EXPECT_EQ(object->GetDocument(), &document);
    ASSERT_TRUE(object->GetOwnPen());
    EXPECT_EQ(Text(*object->GetOwnPen()), "5 8,0 0000FF");
    EXPECT_FALSE(object->GetOwnBrush());

    const LOGBRUSH hollow{BS_NULL, 0x10, 0};  // schema 0 stores 16-bit flags
    object = Load(0, BaseRecord(0x1234, nullptr, &hollow, true));
    EXPECT_EQ(object->GetFlags(), 0x1234u & kFlagsKeptOnLoad);
    ASSERT_TRUE(object->GetOwnBrush());
    EXPECT_EQ(Text(*object->GetOwnBrush()), "1 000010 0");
}

TEST(DrawObjRecord, LoadRepairsUnknownBrushesAndHugePensAndRefusesTruncation) {
    const LOGPEN pen{PS_SOLID, {0x7FFFFFFF, 0}, 0};
    for (LOGBRUSH brush :
         {LOGBRUSH{BS_PATTERN, 0x55, 0}, LOGBRUSH{BS_HATCHED, 0x55, 6}, LOGBRUSH{77, 0x55, 1}}) {
        auto object = Load(1, BaseRecord(0, &pen, &brush));
        EXPECT_EQ(Text(*object->GetOwnBrush()).substr(0, 8), "0 000055");
        EXPECT_EQ(object->GetOwnPen()->lopnWidth.x, kMaxPenWidth);
    }
    const LOGBRUSH hatched{BS_HATCHED, 0x55, HS_DIAGCROSS};
    EXPECT_EQ(Text(*Load(1, BaseRecord(0, nullptr, &hatched))->GetOwnBrush()), "2 000055 5");

    std::vector<BYTE> truncated = BaseRecord(0, &pen, nullptr);
    truncated.resize(truncated.size() - 3);
    EXPECT_THROW(Load(1, truncated), CArchiveException);
}

TEST(DrawObjPen, ColoursMinusOneFollowTheDocument) {
    CDrawDoc document;
    Probe object;
    object.SetDocument(&document);
    const LOGPEN pen{PS_DOT, {20, 0}, kDefaultColour};
    object.SetPen(&pen);
    document.m_pen.lopnColor = 0x00FF00;
    document.m_brush.lbColor = 0x0000FF;
    EXPECT_EQ(Text(object.GetPen()), "2 20,0 00FF00");
    EXPECT_EQ(object.GetBrush().lbColor, 0x0000FFu);

    // Setting the default colour makes no own pen, but keeps -1 in an own one.
    Probe plain;
    plain.SetLineColor(kDefaultColour);
    EXPECT_FALSE(plain.GetOwnPen());
    EXPECT_EQ(plain.invalidations, 0);
    plain.SetLineColor(0x112233);
    plain.SetLineColor(kDefaultColour);
    ASSERT_TRUE(plain.GetOwnPen());
    EXPECT_EQ(plain.GetOwnPen()->lopnColor, kDefaultColour);
    EXPECT_EQ(plain.GetPen().lopnColor, CDrawDoc::kDefaultPen.lopnColor);
    EXPECT_EQ(plain.invalidations, 2);
    plain.SetFillColor(0x445566);
    EXPECT_EQ(Text(plain.GetBrush()), "0 445566 0");
}

// The own pen and brush are set and cleared apart; a copy keeps its own.
TEST(DrawObjPen, OwnPenAndBrushAreKeptApartAndCopied) {
    CDrawObj object;
    const LOGPEN pen{PS_DASH, {5, 5}, 0x123456};
    const LOGBRUSH brush{BS_SOLID, 0x654321, 0};
    object.SetPen(&pen);
    object.SetBrush(&brush);
    const CDrawObj copy(object, nullptr);
    object.SetPen(nullptr);
    EXPECT_FALSE(object.GetOwnPen());
    ASSERT_TRUE(object.GetOwnBrush());
    EXPECT_EQ(Text(*object.GetOwnBrush()), "0 654321 0");
    object.SetBrush(nullptr);
    EXPECT_FALSE(object.GetOwnBrush());
    ASSERT_TRUE(copy.GetOwnPen() && copy.GetOwnBrush());
    EXPECT_EQ(Text(*copy.GetOwnPen()), "1 5,5 123456");
    EXPECT_EQ(Text(*copy.GetOwnBrush()), "0 654321 0");
}

TEST(DrawObjPen, LineWidthsInPointsAndHatches) {
    Probe object;
    EXPECT_EQ(object.SetLineStyle(-1), 0);
    EXPECT_FALSE(object.GetOwnPen());
    EXPECT_NE(object.SetLineStyle(-72), 0);
    EXPECT_EQ(Text(object.GetPen()), "0 10,10 000000");
    object.SetLineStyle(-25);
    EXPECT_EQ(object.GetPen().lopnWidth.x, 3);
    EXPECT_NE(object.SetLineStyle(PS_DASH), 0);
    EXPECT_EQ(Text(object.GetPen()), "1 0,0 000000");
    const LOGPEN frame{PS_INSIDEFRAME, {0, 0}, 0};
    object.SetPen(&frame);
    object.SetLineStyle(-72);
    EXPECT_EQ(object.GetPen().lopnStyle, PS_INSIDEFRAME);
    EXPECT_EQ(object.SetLineStyle(-72), 0);

    EXPECT_EQ(object.SetFillHatch(-1), 0);
    EXPECT_FALSE(object.GetOwnBrush());
    EXPECT_NE(object.SetFillHatch(HS_CROSS), 0);
    EXPECT_EQ(Text(object.GetBrush()), "2 C0C0C0 4");
    EXPECT_NE(object.SetFillHatch(-3), 0);
    EXPECT_EQ(Text(object.GetBrush()), "0 C0C0C0 0");
}

TEST(DrawObjGeometry, BoundsAndHitsWidenByThePenUnlessInsideFrame) {
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

    CDrawObj wide(CRect(0, 0, 100, -100));
    const LOGPEN widePen{PS_SOLID, {20, 20}, 0};
    wide.SetPen(&widePen);
    EXPECT_TRUE(wide.Intersects(CRect(110, 0, 130, 20)));
    EXPECT_FALSE(wide.Intersects(CRect(125, 0, 130, 20)));
    EXPECT_TRUE(wide.Intersects(CRect(130, -50, 50, -60)));  // given inverted
    EXPECT_EQ(wide.HitTest(CPoint(-21, 0), nullptr, FALSE), 0);
}

TEST(DrawObjGeometry, HandlesAndMovingThem) {
    const CRect r(-10, 7, 11, 20);
    std::vector<CPoint> handles;
    for (int n = 1; n <= 9; ++n)  // unknown numbers act as handle 1
        handles.push_back(Probe(r).GetHandle(n));
    EXPECT_EQ(handles, (std::vector<CPoint>{{-10, 7},
                                            {0, 7},
                                            {11, 7},
                                            {11, 13},
                                            {11, 20},
                                            {0, 20},
                                            {-10, 20},
                                            {-10, 13},
                                            {-10, 7}}));
    // Each handle drags the edges it sits on.
    const CRect moved[] = {{100, 200, 11, 20}, {-10, 200, 11, 20}, {-10, 200, 100, 20},
                           {-10, 7, 100, 20},  {-10, 7, 100, 200}, {-10, 7, 11, 200},
                           {100, 7, 11, 200},  {100, 7, 11, 20}};
    for (int n = 1; n <= 8; ++n) {
        Probe object(r);
        object.MoveHandleTo(n, CPoint(100, 200), nullptr);
        EXPECT_EQ(object.GetPosition(), moved[n - 1]) << n;
    }
    EXPECT_EQ(Probe(r).GetConnectionCount(), 9);
    EXPECT_EQ(Probe(r).GetConnectionPoint(9), CPoint(0, 13));  // the centre
}

TEST(DrawObjGeometry, HandleCursorSectors) {
    // Handle 5 lies at atan(h / 1000) from the centre.
    const auto cursorAt = [](int h, int n) {
        return CDrawObj(CRect(-1000, -h, 1000, h)).GetHandleCursor(n);
    };
    EXPECT_EQ(cursorAt(404, 5), CursorId::SizeWE);     // 22.0 degrees
    EXPECT_EQ(cursorAt(425, 5), CursorId::SizeNESW);   // 23.0 degrees
    EXPECT_EQ(cursorAt(1000, 6), CursorId::SizeNS);    // 90 degrees
    EXPECT_EQ(cursorAt(1000, 7), CursorId::SizeNWSE);  // 135 degrees
}

TEST(DrawObjGeometry, NearestPoint) {
    Probe object(CRect(0, 0, 100, 100));
    EXPECT_EQ(object.GetNearestPoint(CPoint(90, 40)), CPoint(100, 50));
    EXPECT_EQ(object.GetNearestPoint(CPoint(50, 50)), CPoint(50, 0));  // first of equals
    object.handles = 0;
    EXPECT_EQ(object.GetNearestPoint(CPoint(50, 50)), CPoint(0, 50));
    EXPECT_EQ(object.GetNearestPoint(CPoint(60, 120)), CPoint(50, 100));
}

TEST(DrawObjGeometry, HitTestOfSelectedHandles) {
    FlipView view;
    view.scale = 10;  // handle squares reach 30 units each way
    Probe object(CRect(0, 0, 1000, -1000));
    EXPECT_EQ(object.HitTest(CPoint(1029, 0), &view, TRUE), 3);
    EXPECT_EQ(object.HitTest(CPoint(1030, 0), &view, TRUE), 0);
    Probe dot(CRect(5, 5, 5, 5));
    EXPECT_EQ(dot.HitTest(CPoint(5, 5), &view, TRUE), 8);
    EXPECT_EQ(dot.HitTest(CPoint(5, 5), nullptr, TRUE), 0);
}

TEST(DrawObjGeometry, MovingAndFlagChangesRepaintOnlyOnChange) {
    FlipView view;
    Probe object(CRect(0, 0, 1000, -500));
    object.MoveTo(CRect(0, 0, 1000, -500), &view);
    EXPECT_TRUE(view.invalidated.empty());
    object.MoveTo(CRect(10, 0, 1000, -500), &view);
    ASSERT_EQ(view.invalidated.size(), 2u);
    EXPECT_EQ(view.invalidated[0], CRect(-6, -6, 1006, 506));
    object.OffsetBy(CSize(5, -5));
    EXPECT_EQ(object.GetPosition(), CRect(15, -5, 1005, -505));
    EXPECT_EQ(object.invalidations, 2);

    // Without a view the document tells its views.
    CDrawDoc document;
    document.AddView(&view);
    object.SetDocument(&document);
    object.ClearFlags(kFlagFilled);
    EXPECT_TRUE(view.updates.empty());
    object.ClearFlags(kFlagOutlined);
    ASSERT_EQ(view.Hints(), std::vector<int>{kHintObject});
    EXPECT_EQ(view.updates[0].object, &object);
    document.RemoveView(&view);
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
    Probe flatOwner, flatA(CRect(0, 0, 100, 1)), flatB(CRect(0, 0, 100, 1));
    for (Probe* text : {&flatA, &flatB}) {
        text->SetPen(&frame);
        flatOwner.texts.AddTail(text);
    }
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

    drawdoctest::RecordingDocView view;
    Probe symbol(CRect(), kObjSymbol), bezier(CRect(), kObjBezier);
    view.selection.AddTail(&symbol);
    view.selection.AddTail(&bezier);
    symbol.OnOpen(&view);
    ASSERT_EQ(view.Hints(), std::vector<int>{kHintReplaceSelection});
    EXPECT_EQ(view.updates[0].listed, std::vector<CObject*>{&bezier});
    EXPECT_EQ(view.edited, (std::vector<std::pair<int, DWORD>>{{1, 0x4u}}));
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

    // At the ends of the coordinate range the squares are cut, not wrapped.
    constexpr LONG kMin = std::numeric_limits<LONG>::min();
    constexpr LONG kMax = std::numeric_limits<LONG>::max();
    dc.Clear();
    CDrawObj(CRect(kMin, kMax, kMax, kMin)).DrawTracker(&dc, kTrackerDominant, nullptr);
    ASSERT_EQ(dc.Lines().size(), 8u);
    EXPECT_EQ(dc.Lines()[0].substr(0, 54),
              "Rectangle -2147483648,2147483644,-2147483644,214748364");

    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings");
    const ScopedApp installed(app);
    app.SetSystemColours(0x112233, 0x445566);
    app.SelectColourD = 0x0000AA;
    dc.Clear();
    object.DrawTracker(&dc, kTrackerDominant, nullptr);
    EXPECT_EQ(dc.Lines()[0],
              "Rectangle 97,97,104,104 pen=solid/0/0x445566 brush=solid/0x0000AA rop=13");

    // Objects without handles mark the corners of their placed position.
    Probe corners(CRect(0, 0, 10, 20));
    corners.handles = 0;
    const double shift[] = {1, 0, 100, 0, 1, 50};
    dc.Clear();
    corners.DrawTracker(&dc, kTrackerDominant, shift);
    ASSERT_EQ(dc.Lines().size(), 4u);
    EXPECT_EQ(dc.Lines()[0],
              "Rectangle 97,47,104,54 pen=solid/0/0x445566 brush=solid/0xC0C0C0 rop=13");
    EXPECT_EQ(dc.Lines()[2].substr(0, 27), "Rectangle 107,67,114,74 pen");
}

// Serial numbers tell objects apart, copies and an object that takes a freed address included;
// asking whether an object has a number gives it none.
TEST(DrawObjSerial, EachObjectHasItsOwnNumberAndAFreedAddressANewOne) {
    // The objects are built in storage of the test's own, so that the second surely takes the
    // address of the first, whatever the allocator (or the address sanitizer) does with freed
    // memory.
    alignas(CDrawObj) std::byte storage[sizeof(CDrawObj)];
    auto* first = new (storage) CDrawObj(CRect(0, 0, 10, 10));
    const std::uint64_t serial = first->GetSerial();
    EXPECT_NE(serial, 0u);
    EXPECT_EQ(first->GetSerial(), serial);
    EXPECT_TRUE(first->HasSerial(serial));
    const CDrawObj copy(*first, nullptr);
    EXPECT_FALSE(copy.HasSerial(serial));
    EXPECT_NE(copy.GetSerial(), serial);

    first->~CDrawObj();
    auto* next = new (storage) CDrawObj(CRect(0, 0, 10, 10));
    ASSERT_EQ(static_cast<void*>(next), static_cast<void*>(first));
    EXPECT_FALSE(next->HasSerial(serial));
    const std::uint64_t nextSerial = next->GetSerial();
    EXPECT_NE(nextSerial, serial);
    EXPECT_NE(nextSerial, copy.GetSerial());
    next->~CDrawObj();
}

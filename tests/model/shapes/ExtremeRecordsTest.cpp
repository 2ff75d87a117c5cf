// Coordinates, roundness, scales and angles at the ends of their ranges, as a damaged file may
// hold them: every shape loads and every operation on it stays defined.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "ShapeTestSupport.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/SpecSymbol.h"
#include "model/shapes/SpecSymbolGlyph.h"

using namespace shapetest;

TEST(ShapeRecords, ExtremeValuesStaySafe) {
    const int low = std::numeric_limits<int>::min();
    const int high = std::numeric_limits<int>::max();
    const auto base = [&](DWORD flags) {
        return Concat(
            {Le32(low), Le32(high), Le32(high), Le32(low), Le32(flags), Le16(0), Le16(0)});
    };
    // Shape code, roundness (or scale) and rotation of the rectangle family.
    const auto family = [&](int shape) {
        return Concat({Le16(shape), Le32(low), Le32(high), Le32(low)});
    };
    const Bytes arc = Concat({Le16(36), Le16(0), Le32(2), Le32(high), Le32(low), Le32(low),
                              Le32(high), Le32(high), Le32(low), Le16(0xFFFF), Le16(0)});
    const Bytes run =
        Concat({Le16(28), Le16(0), Le32(1), Le32(low), Le32(high), Le32(1), Le32(high), Le32(low)});
    const Bytes line = Concat({Le16(16), Le16(0), Le32(0), Le32(low), Le32(high)});
    const Bytes blob = Concat({Le32(12 + 16 + 36 + 28), Le32(3), Le32(0), line, arc, run});

    std::vector<std::pair<std::string, Bytes>> records = {
        {"CDrawRect", Concat({base(3), family(5)})},
        {"CEllipse", Concat({base(3), family(5), Le32(high), Le32(low), Le32(low), Le32(high)})},
        {"CDrawPoly", Concat({base(0x1312), Le16(4), Le16(4), Le32(low), Le32(low), Le32(high),
                              Le32(high), Le32(low), Le32(high), Le32(high), Le32(low)})},
        {"CFillShape",
         Concat({base(0x1003), family(4), Le32(blob.size()), blob, Le32(high), Le32(low)})},
    };
    for (int kind = 1; kind <= kSpecSymbolKinds; ++kind)
        records.push_back({"CSpecSymbol", Concat({base(3), family(kind)})});

    const double mirror[] = {-1, 0, 0, 0, 1, 0};
    for (const auto& [name, record] : records) {
        SCOPED_TRACE(name);
        const auto object =
            LoadObject(Concat({NewClassTag(name), record}), CRuntimeClass::FromName(name.c_str()));
        auto* shape = dynamic_cast<CDrawObj*>(object.get());
        ASSERT_TRUE(shape);
        if (auto* rect = dynamic_cast<CDrawRect*>(shape); rect && name != "CFillShape") {
            EXPECT_EQ(rect->GetRotation(), low % 3600);
        }
        for (int handle = 1; handle <= shape->GetHandleCount(); ++handle) {
            CPoint point(high, low);
            shape->GetAnchorPoint(&point, handle);
        }
        CRect bounds;
        shape->GetBoundingRect(bounds);
        shape->Intersects(CRect(-10, -10, 10, 10));
        Record([&](CDC& dc) {
            shape->Draw(&dc, nullptr);
            shape->Draw(&dc, mirror);
        });
        if (auto* poly = dynamic_cast<CDrawPoly*>(shape))
            poly->InsertPoint(4, 0, 0);
        if (auto* symbol = dynamic_cast<CSpecSymbol*>(shape))
            symbol->PlaceAt(high, low, high);
        shape->MoveHandleTo(9, CPoint(0, 0), nullptr);
        shape->MoveHandleTo(5, CPoint(high, low), nullptr);
        shape->OffsetBy(CSize(high, low));
        shape->Rotate(900, high, low, nullptr);
        shape->Rotate(low, high, low, nullptr);
        shape->Mirror(0, 0, 1, 1);
        shape->Mirror(low, high, high, low);
        shape->MoveTo(CRect(low, high, high, low), nullptr);
    }
}

#pragma once
// Parts the schematic view's tests share: the tools installed for a test's life, a rectangle
// that counts its drawings, and a two-pin part.

#include <gtest/gtest.h>

#include <memory>

#include "drawtools/ToolManager.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

// The program's tools, current while the test lives.
struct WithTools {
    WithTools() : previous(SetToolManager(&tools)) { QtTestApp::ensure(); }
    ~WithTools() { SetToolManager(previous); }
    ToolManager tools;
    ToolManager* previous;
};

// A rectangle that counts how often it is drawn.
class CountingRect : public CDrawRect {
public:
    using CDrawRect::CDrawRect;
    void Draw(CDC* dc, const double* matrix) override {
        ++draws;
        CDrawRect::Draw(dc, matrix);
    }
    int draws = 0;
};

// A two-pin part at (x, y) with its identifier shown.
inline CSymbol* AddTwoPinPart(CDrawDoc& doc, LONG x, LONG y, const char* id) {
    auto symbol = std::make_unique<CSymbol>();
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(100, 50, 300, -50)));
    for (const LONG end : {0, 400}) {
        auto* pin = new CPin(symbol.get());
        pin->SetEnds(CPoint(end == 0 ? 100 : 300, 0), CPoint(end, 0));
        symbol->GetPins().AddTail(pin);
    }
    symbol->RecalcBounds(nullptr);
    symbol->SetAttr("_ID", id, kSetAttrForce);
    symbol->OffsetBy(CSize(x, y));
    CSymbol* part = symbol.get();
    EXPECT_TRUE(doc.AddObject(std::move(symbol)));
    doc.AddObject(std::unique_ptr<CDrawObj>(part->ShowAttrText("_ID", TRUE)));
    return part;
}

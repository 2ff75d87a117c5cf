#pragma once
// Parts the schematic view's tests share: the tools installed for a test's life, and a
// rectangle that counts its drawings.

#include "drawtools/ToolManager.h"
#include "gui/support/QtTestApp.h"
#include "model/shapes/DrawRect.h"

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

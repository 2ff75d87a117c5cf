// A move dragged with the select tool is painted from pictures taken at its first step: a step
// draws neither the moved objects nor those that stay again, and once the gesture ends or is
// taken back the window shows what a whole paint of a fresh window does.

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <QBackingStore>
#include <QTest>

#include "drawtools/ToolManager.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "shell/view/DrawView.h"
#include "shell/view/ViewTestParts.h"
#include "support/DocumentBytes.h"

namespace {

CPin* PinOf(CSymbol* part, bool second) {
    return static_cast<CPin*>(second ? part->GetPins().GetTail() : part->GetPins().GetHead());
}

// What the window shows: its backing store holds what the repaints left there.
QImage Shown(CDrawView& view) {
    const auto* screen = dynamic_cast<QImage*>(view.window()->backingStore()->paintDevice());
    if (!screen)
        return {};
    const QPoint corner = view.viewport()->mapTo(view.window(), QPoint(0, 0));
    return screen->copy(QRect(corner, view.viewport()->size()))
        .convertToFormat(QImage::Format_RGB32);
}

class MovePicturesTest : public ::testing::Test, protected WithTools {
protected:
    MovePicturesTest() {
        // Part 1 and a rectangle are moved; the wire to part 2 follows; part 2 and another
        // rectangle stay.
        moved = AddTwoPinPart(doc, 1000, -1000, "R1");
        CSymbol* staying = AddTwoPinPart(doc, 2400, -1000, "R2");
        auto wire = std::make_unique<CWire>();
        wire->AddPoint(PinOf(moved, true)->GetConnectPoint());
        wire->AddPoint(PinOf(staying, false)->GetConnectPoint());
        wire->SetStartObject(PinOf(moved, true));
        wire->SetEndObject(PinOf(staying, false));
        following = wire.get();
        EXPECT_TRUE(doc.AddObject(std::move(wire)));
        auto box = std::make_unique<CountingRect>(CRect(1000, -1600, 1400, -1900));
        movedBox = box.get();
        EXPECT_TRUE(doc.AddObject(std::move(box)));
        auto other = std::make_unique<CountingRect>(CRect(2400, -1600, 2800, -1900));
        stayingBox = other.get();
        EXPECT_TRUE(doc.AddObject(std::move(other)));
        Frame(*view);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->Select(moved, false);
        view->Select(movedBox, true);
        QApplication::processEvents();
    }
    // A zoom at which a grid step is not a whole number of pixels.
    static void Frame(CDrawView& window) {
        window.resize(800, 600);
        window.SetZoomFactor(0.55f);
        window.CenterOnPoint(POINT{1800, -1400});
    }
    QPoint PixelOf(CPoint sheet) const {
        const CPoint at = view->DocToClient(sheet);
        return QPoint(at.x, at.y);
    }
    // Presses on the outline of part 1's body.
    void Press() {
        press = PixelOf(CPoint(1200, -950));
        QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, press);
    }
    // Drags to each point in turn (window pixels from the press), letting the window repaint
    // after each.
    void Drag(const std::vector<QPoint>& steps) {
        for (const QPoint step : steps) {
            QTest::mouseMove(view->viewport(), press + step);
            QApplication::processEvents();
        }
    }
    // A whole paint of another window onto the sheet, framed as the view and selecting what it
    // selects, with the crosshair where the view has it.
    QImage FreshPaint(QPoint crosshair) {
        CDrawView fresh(doc);
        Frame(fresh);
        fresh.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fresh));
        CObList selection;
        selection.AddTail(const_cast<CObList*>(&view->GetSelection()));
        fresh.OnUpdate(nullptr, kHintReplaceSelection, nullptr, &selection);
        fresh.MoveCrosshair(crosshair.x(), crosshair.y());
        return fresh.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    CDrawDoc doc;
    std::unique_ptr<CDrawView> view = std::make_unique<CDrawView>(doc);
    CSymbol* moved = nullptr;
    CWire* following = nullptr;
    CountingRect* movedBox = nullptr;
    CountingRect* stayingBox = nullptr;
    QPoint press;
};

TEST_F(MovePicturesTest, AStepDrawsOnlyWhatFollowsAndTheEndShowsAWholePaint) {
    const std::size_t steps = doc.GetUndoList().FillUndoList().size();
    Press();
    Drag({QPoint(30, 0)});
    const CRect first = view->GetSelectionBounds();
    const int movedDraws = movedBox->draws;
    const int stayingDraws = stayingBox->draws;
    Drag({QPoint(63, 17), QPoint(97, 29)});
    ASSERT_NE(view->GetSelectionBounds().left, first.left);
    // The wire stands in for the one that follows, stretched to where part 1's pin has gone.
    const CWire* stretched = nullptr;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        if (auto* wire = dynamic_cast<const CWire*>(doc.GetObjects().GetNext(pos)))
            stretched = wire;
    }
    ASSERT_NE(stretched, nullptr);
    EXPECT_NE(stretched, following);
    EXPECT_NE(stretched->GetPoint(0), following->GetPoint(0));
    EXPECT_EQ(movedBox->draws, movedDraws);
    EXPECT_EQ(stayingBox->draws, stayingDraws);

    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, press + QPoint(97, 29));
    QApplication::processEvents();
    ASSERT_EQ(doc.GetUndoList().FillUndoList().size(), steps + 1);
    EXPECT_EQ(Shown(*view), FreshPaint(press + QPoint(97, 29)));
}

TEST_F(MovePicturesTest, EscMidDragLeavesTheDocumentAndAWholePaint) {
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    Press();
    Drag({QPoint(30, 0), QPoint(63, 17), QPoint(97, 29)});
    ASSERT_NE(testsupport::DocumentBytes(doc), before);
    QTest::keyClick(view->viewport(), Qt::Key_Escape);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, press + QPoint(97, 29));
    QApplication::processEvents();
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_EQ(Shown(*view), FreshPaint(press + QPoint(97, 29)));
}

}  // namespace

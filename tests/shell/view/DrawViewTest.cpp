#include "shell/view/DrawView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

#include "drawtools/ToolPrompts.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/SpiceSymbol.h"
#include "resources/CommandIds.h"
#include "shell/view/ViewTestParts.h"

namespace {

// The application exists before the view member.
struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class DrawViewTest : public ::testing::Test, WithApp {
protected:
    DrawViewTest() {
        m_view.resize(800, 600);
        m_view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    void Wheel(int delta, Qt::KeyboardModifiers keys, QPoint at) {
        QWheelEvent event(at, m_view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_view.viewport(), &event);
    }

    void AddShapes() {
        for (int i = 0; i < 6; ++i) {
            const int x = 600 + 1700 * i;
            m_doc.AddObject(std::make_unique<CDrawRect>(CRect(x, -700, x + 1200, -2500)));
        }
    }

    CDrawDoc m_doc;
    CDrawView m_view{m_doc};
};

TEST_F(DrawViewTest, TheZoomBoxTakesANumberInTheZoomRangeAndIgnoresTheRest) {
    struct Case {
        const char* text;
        float expected;
    };
    // "0" and "-5" would give no sheet at all; they are ignored like "abc".
    const Case cases[] = {{"150", 1.5f},  {"abc", 1.5f},   {"0", 1.5f}, {"-5", 1.5f},
                          {"75%", 0.75f}, {"1200", 0.75f}, {"30", 0.3f}};
    for (const Case& c : cases) {
        m_view.ApplyZoomText(c.text);
        EXPECT_FLOAT_EQ(m_view.ZoomFactor(), c.expected) << c.text;
    }
    CmdUI ui;
    m_view.Commands().Find(ID_ZOOM_BOX)->update(ui);
    EXPECT_EQ(ui.text, "30%");
}

// The paper is drawn from (-left margin, top margin); all of it is shown.
TEST_F(DrawViewTest, ZoomToFitShowsTheWholePaper) {
    m_view.SetZoomFactor(4.0f);
    m_doc.UpdateAllViews(nullptr, kHintZoomToFit);
    const CRect paper(-300, 300, 11393, -7968);
    const CPoint a = m_view.DocToClient(paper.TopLeft());
    const CPoint b = m_view.DocToClient(paper.BottomRight());
    const QRect client = m_view.viewport()->rect();
    EXPECT_TRUE(client.contains(QPoint(a.x, a.y))) << a.x << "," << a.y;
    // The far corner may fall on the pixel just past the window.
    EXPECT_TRUE(client.adjusted(0, 0, 1, 1).contains(QPoint(b.x, b.y))) << b.x << "," << b.y;
    EXPECT_LT(m_view.ZoomFactor(), 1.0f);
}

TEST_F(DrawViewTest, CtrlWheelZoomsAboutTheCursorAndTheOptionReversesIt) {
    CSchematicApp app(std::filesystem::path{});
    ScopedApp installed(app);
    m_view.SetZoomFactor(2.0f);
    m_view.CenterOnPoint(POINT{5800, -4100});
    const QPoint at(300, 200);
    const CPoint sheet = m_view.ClientToDoc(CPoint(at.x(), at.y()));
    Wheel(120, Qt::ControlModifier, at);
    EXPECT_FLOAT_EQ(m_view.ZoomFactor(), 1.6f);
    const CPoint back = m_view.DocToClient(sheet);
    EXPECT_NEAR(back.x, at.x(), 1);
    EXPECT_NEAR(back.y, at.y(), 1);
    app.Options |= kOptionWheelZoomReversed;
    Wheel(120, Qt::ControlModifier, at);
    EXPECT_FLOAT_EQ(m_view.ZoomFactor(), 2.0f);
    Wheel(120, Qt::ShiftModifier, at);
    EXPECT_FLOAT_EQ(m_view.ZoomFactor(), 2.0f);
}

// The cursor pane reads the sheet under the cursor in the chosen units, y growing down.
TEST_F(DrawViewTest, TheCursorPaneShowsTheSheetPointUnderTheCursorInTheUnits) {
    CSchematicApp app(std::filesystem::path{});
    ScopedApp installed(app);
    const QPoint at(300, 200);
    auto paneAfterMoveTo = [&] {
        QMouseEvent move(QEvent::MouseMove, at, m_view.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_view.viewport(), &move);
        CmdUI ui;
        m_view.Commands().Find(ID_INDICATOR_CURSOR)->update(ui);
        return ui.text.value_or("");
    };
    auto expected = [&](const char* format, double unit) {
        const CPoint sheet = m_view.ClientToDoc(CPoint(at.x(), at.y()));
        char text[64];
        std::snprintf(text, sizeof text, format, sheet.x / unit, -sheet.y / unit);
        return std::string(text);
    };
    m_view.SetZoomFactor(1.0f);
    m_view.CenterOnPoint(POINT{5800, -4100});
    const std::string atFull = paneAfterMoveTo();
    EXPECT_EQ(atFull, expected("%2.3f: %2.3f", 1000.0));
    m_view.SetZoomFactor(1.25f);
    const std::string zoomed = paneAfterMoveTo();
    EXPECT_EQ(zoomed, expected("%2.3f: %2.3f", 1000.0));
    EXPECT_NE(zoomed, atFull);
    app.Options |= kOptionMetric;
    EXPECT_EQ(paneAfterMoveTo(), expected("%3.2f: %3.2f", 393.701));
}

// Counts the paintings of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// At the zoom's limits a further step changes nothing, so the sheet is not painted again.
TEST_F(DrawViewTest, AZoomStepAtTheLimitRepaintsNothing) {
    AddShapes();
    PaintCounter counter(m_view.viewport());
    for (const float limit : {kMinZoom, kMaxZoom}) {
        m_view.SetZoomFactor(limit);
        QCoreApplication::processEvents();
        counter.paints = 0;
        if (limit == kMinZoom) {
            m_view.ZoomOut(kZoomStep);
            m_view.ZoomOutAt(POINT{2000, -2000}, kZoomStep);
        } else {
            m_view.ZoomIn(kZoomStep);
            m_view.ZoomInAt(POINT{2000, -2000}, kZoomStep);
        }
        QCoreApplication::processEvents();
        EXPECT_FLOAT_EQ(m_view.ZoomFactor(), limit);
        EXPECT_EQ(counter.paints, 0) << limit;
    }
    m_view.ZoomOut(kZoomStep);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(m_view.ZoomFactor(), kMaxZoom / kZoomStep);
    EXPECT_GT(counter.paints, 0);
}

TEST_F(DrawViewTest, SelectionFollowsTheHintsAndKeepsTheDominantObjectLast) {
    AddShapes();
    std::vector<CDrawObj*> shapes;
    for (POSITION pos = m_doc.GetObjects().GetHeadPosition(); pos;)
        shapes.push_back(static_cast<CDrawObj*>(m_doc.GetObjects().GetNext(pos)));
    // The list, which the view's answers to whether it selects a shape follow.
    auto selected = [&] {
        std::vector<CDrawObj*> objects;
        for (POSITION pos = m_view.GetSelection().GetHeadPosition(); pos;)
            objects.push_back(static_cast<CDrawObj*>(m_view.GetSelection().GetNext(pos)));
        for (CDrawObj* shape : shapes) {
            const bool listed = std::find(objects.begin(), objects.end(), shape) != objects.end();
            EXPECT_EQ(m_view.IsSelected(shape), listed);
        }
        return objects;
    };
    m_view.Select(shapes[0]);
    m_view.Select(shapes[1], true);
    m_view.Select(shapes[0], true);
    EXPECT_EQ(selected(), (std::vector<CDrawObj*>{shapes[1], shapes[0]}));
    m_view.Deselect(shapes[1]);
    EXPECT_EQ(selected(), (std::vector<CDrawObj*>{shapes[0]}));

    CObList list;
    list.AddTail(shapes[2]);
    list.AddTail(shapes[0]);
    m_doc.UpdateAllViews(nullptr, kHintAddToSelection, &list);
    EXPECT_EQ(selected(), (std::vector<CDrawObj*>{shapes[0], shapes[2]}));
    CObList removed;
    removed.AddTail(shapes[0]);
    m_doc.UpdateAllViews(nullptr, kHintRemoved, &removed);
    EXPECT_EQ(selected(), (std::vector<CDrawObj*>{shapes[2]}));
    m_doc.UpdateAllViews(nullptr, kHintReplaceSelection, &list);
    EXPECT_EQ(selected(), (std::vector<CDrawObj*>{shapes[2], shapes[0]}));
    // Copies standing in for objects take their places; the dominant one stays last.
    CObList from;
    CObList to;
    from.AddTail(shapes[0]);
    from.AddTail(shapes[1]);
    to.AddTail(shapes[3]);
    to.AddTail(shapes[4]);
    m_view.ReplaceInSelection(from, to);
    EXPECT_EQ(selected(), (std::vector<CDrawObj*>{shapes[2], shapes[3]}));
    m_doc.UpdateAllViews(nullptr, kHintDeselect);
    EXPECT_TRUE(selected().empty());

    // A rubber band over the first two shapes, in window pixels.
    const CPoint a = m_view.DocToClient(CPoint(500, -600));
    const CPoint b = m_view.DocToClient(CPoint(3600, -2600));
    m_view.SelectWithinRect(CRect(a, b), false);
    EXPECT_EQ(selected(), (std::vector<CDrawObj*>{shapes[0], shapes[1]}));
}

// The rail items of "Connect To" follow the last selected wire and show the rails' nets.
TEST_F(DrawViewTest, RailCommandsWantAWireWithAFreeEnd) {
    AddShapes();
    auto owned = std::make_unique<CWire>();
    CWire* wire = owned.get();
    wire->AddPoint(CPoint(600, -3000));
    wire->AddPoint(CPoint(2000, -3000));
    m_doc.AddObject(std::move(owned));
    m_doc.SetAttribute("Power2", "+24v", 0);
    const auto state = [this](UINT id) {
        CmdUI ui;
        ui.id = id;
        m_view.Commands().Find(id)->update(ui);
        return std::pair(ui.enabled, ui.text.value_or(""));
    };
    m_view.Select(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead()));
    EXPECT_EQ(state(ID_CONNECT_GROUND1), std::pair(false, std::string("GND")));
    m_view.Select(wire, true);
    EXPECT_EQ(state(ID_CONNECT_GROUND2), std::pair(true, std::string("AGND")));
    EXPECT_EQ(state(ID_CONNECT_POWER1 + 1), std::pair(true, std::string("+24v")));
    EXPECT_EQ(state(ID_CONNECT_POWER4), std::pair(true, std::string("-15v")));
}

// "Source Parameters.." is offered by a simulation source's menu and wants it selected last.
TEST_F(DrawViewTest, SourceParametersWantOneSimulationSource) {
    AddShapes();
    auto owned = std::make_unique<CSpiceSymbol>();
    CSpiceSymbol* source = owned.get();
    m_doc.AddObject(std::move(owned));
    const auto enabled = [this] {
        CmdUI ui;
        ui.id = ID_SPICE_SOURCE;
        m_view.Commands().Find(ID_SPICE_SOURCE)->update(ui);
        return ui.enabled;
    };
    m_view.Select(source);
    EXPECT_TRUE(enabled());
    m_view.Select(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead()), true);
    EXPECT_FALSE(enabled());
    const ToolMenu menu = ObjectMenu(*source);
    EXPECT_NE(std::find_if(menu.begin(), menu.end(),
                           [](const auto& entry) { return entry.id == ID_SPICE_SOURCE; }),
              menu.end());
}

// "Other Net.." asks for the net in "Select Net"; cancelled, the wire stays as it was.
TEST_F(DrawViewTest, OtherNetAsksForTheNetOfTheWiresFreeEnd) {
    auto owned = std::make_unique<CWire>();
    CWire* wire = owned.get();
    wire->AddPoint(CPoint(600, -3000));
    wire->AddPoint(CPoint(2000, -3000));
    m_doc.AddObject(std::move(owned));
    const CommandMap::Entry* entry = m_view.Commands().Find(ID_CONNECT_OTHER_NET);
    ASSERT_NE(entry, nullptr);
    m_view.Select(wire);
    CmdUI ui;
    entry->update(ui);
    EXPECT_TRUE(ui.enabled);
    QString opened;
    QTimer::singleShot(0, [&opened] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        opened = dialog->objectName();
        static_cast<QDialog*>(dialog)->reject();
    });
    entry->handler(ID_CONNECT_OTHER_NET);
    EXPECT_EQ(opened, "selectNetDlg");
    EXPECT_EQ(m_doc.GetObjects().GetCount(), 1);
}

TEST_F(DrawViewTest, DraggingWithTheMiddleButtonPansTheSheet) {
    m_view.SetZoomFactor(2.0f);
    m_view.CenterOnPoint(POINT{5800, -4100});
    const CPoint before = m_view.View().ScrollPos();
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, m_view.viewport()->mapToGlobal(at), Qt::MiddleButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_view.viewport(), &event);
    };
    send(QEvent::MouseButtonPress, QPoint(400, 300), Qt::MiddleButton);
    send(QEvent::MouseMove, QPoint(350, 280), Qt::MiddleButton);
    send(QEvent::MouseButtonRelease, QPoint(350, 280), Qt::NoButton);
    send(QEvent::MouseMove, QPoint(300, 200), Qt::NoButton);
    EXPECT_EQ(m_view.View().ScrollPos(), (POINT{before.x + 50, before.y + 20}));
}

// A pan moves what the window shows and paints only what comes into view: the window then
// shows what a whole repaint shows.
TEST_F(DrawViewTest, APannedWindowShowsWhatARepaintShows) {
    for (int i = 0; i < 40; ++i)
        m_doc.AddObject(std::make_unique<CDrawRect>(
            CRect(5000 + 37 * i, -4000 - 23 * i, 5100 + 41 * i, -4100 - 29 * i)));
    m_view.SetZoomFactor(2.0f);
    m_view.CenterOnPoint(POINT{5500, -4500});
    QApplication::processEvents();
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, m_view.viewport()->mapToGlobal(at), Qt::MiddleButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_view.viewport(), &event);
    };
    auto shown = [&] {
        QApplication::processEvents();
        return m_view.screen()->grabWindow(m_view.winId()).toImage();
    };
    send(QEvent::MouseButtonPress, QPoint(400, 300), Qt::MiddleButton);
    send(QEvent::MouseMove, QPoint(353, 271), Qt::MiddleButton);
    const QImage panned = shown();
    m_view.viewport()->update();
    const QImage repainted = shown();
    send(QEvent::MouseButtonRelease, QPoint(353, 271), Qt::NoButton);
    ASSERT_FALSE(panned.isNull());
    EXPECT_TRUE(panned == repainted);
}

TEST_F(DrawViewTest, ZoomToMarkedObjectsIsBoundedByTwoOrTheCurrentFactor) {
    auto tiny = std::make_unique<CDrawRect>(CRect(5000, -4000, 5010, -4010));
    auto huge = std::make_unique<CDrawRect>(CRect(-100000, 100000, 100000, -100000));
    CDrawObj* tinyShape = tiny.get();
    CDrawObj* hugeShape = huge.get();
    m_doc.AddObject(std::move(tiny));
    m_doc.AddObject(std::move(huge));
    tinyShape->SetFlags(kFlagHighlight, kFlagHighlight);
    m_view.ZoomToMarkedObjects(kFlagHighlight);
    EXPECT_FLOAT_EQ(m_view.ZoomFactor(), 2.0f);
    const CPoint centre = m_view.DocToClient(CPoint(5005, -4005));
    EXPECT_NEAR(centre.x, m_view.viewport()->width() / 2, 1);

    hugeShape->SetFlags(kFlagDrcError, kFlagDrcError);
    m_view.SetZoomFactor(5.0f);
    m_view.ZoomToMarkedObjects(kFlagDrcError);
    EXPECT_FLOAT_EQ(m_view.ZoomFactor(), kMinZoom);
    // Nothing marked: nothing happens.
    m_view.ZoomToMarkedObjects(0x100000);
    EXPECT_FLOAT_EQ(m_view.ZoomFactor(), kMinZoom);
}

TEST_F(DrawViewTest, SelectAllAndDeleteFollowTheSelection) {
    auto update = [&](UINT id) {
        CmdUI ui;
        m_view.Commands().Find(id)->update(ui);
        return ui.enabled;
    };
    EXPECT_FALSE(update(ID_EDIT_SELECT_ALL));
    AddShapes();
    m_view.Select(nullptr);
    EXPECT_TRUE(update(ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(update(ID_EDIT_CLEAR));
    m_view.Commands().Find(ID_EDIT_SELECT_ALL)->handler(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(m_view.GetSelection().GetCount(), 6);
    EXPECT_TRUE(update(ID_EDIT_CLEAR));
    m_view.Commands().Find(ID_EDIT_CLEAR)->handler(ID_EDIT_CLEAR);
    EXPECT_TRUE(m_view.GetSelection().IsEmpty());
    EXPECT_TRUE(m_doc.GetObjects().IsEmpty());
    m_doc.GetUndoList().Undo(1);
    EXPECT_EQ(m_doc.GetObjects().GetCount(), 6);
}

TEST_F(DrawViewTest, TheCrosshairInvertsALineThroughTheCursor) {
    m_doc.UpdateAllViews(nullptr, kHintZoomToFit);
    QImage before(m_view.viewport()->size(), QImage::Format_RGB32);
    m_view.viewport()->render(&before);
    ASSERT_EQ(before.pixel(100, 300), qRgb(255, 255, 255));
    m_view.MoveCrosshair(100, 50);
    QImage after(m_view.viewport()->size(), QImage::Format_RGB32);
    m_view.viewport()->render(&after);
    EXPECT_EQ(after.pixel(100, 300), qRgb(127, 127, 127));
    EXPECT_EQ(after.pixel(400, 50), qRgb(127, 127, 127));
    EXPECT_EQ(after.pixel(400, 300), qRgb(255, 255, 255));
}

TEST_F(DrawViewTest, OnlyObjectsMeetingTheExposedAreaAreDrawn) {
    auto near = std::make_unique<CountingRect>(CRect(600, -700, 1800, -2500));
    auto far = std::make_unique<CountingRect>(CRect(9000, -6000, 10000, -7000));
    CountingRect* nearShape = near.get();
    CountingRect* farShape = far.get();
    m_doc.AddObject(std::move(near));
    m_doc.AddObject(std::move(far));
    m_view.SetZoomFactor(2.0f);
    m_view.CenterOnPoint(POINT{1200, -1600});
    QImage image(m_view.viewport()->size(), QImage::Format_RGB32);
    m_view.viewport()->render(&image);
    EXPECT_EQ(nearShape->draws, 1);
    EXPECT_EQ(farShape->draws, 0);
}

// Screenshots at two zoom levels for a look at what the view paints.
TEST_F(DrawViewTest, PaintsThePaperBorderAndObjectsAtTwoZooms) {
    AddShapes();
    const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
    QDir().mkpath(dir);
    m_doc.UpdateAllViews(nullptr, kHintZoomToFit);
    const QImage page = m_view.viewport()->grab().toImage();
    page.save(dir + "/drawview-page.png");
    m_view.SetZoomFactor(2.5f);
    m_view.CenterOnPoint(POINT{1200, -1600});
    const QImage close = m_view.viewport()->grab().toImage();
    close.save(dir + "/drawview-zoomed.png");

    // The paper is white at the window centre; its left edge lies within the window when
    // zoomed into the sheet's top-left corner.
    EXPECT_EQ(page.pixel(400, 300), qRgb(255, 255, 255));
    const CPoint paperCorner = m_view.DocToClient(CPoint(-300, 300));
    EXPECT_GT(paperCorner.x, 0);
    EXPECT_EQ(close.pixel(paperCorner.x - 3, 300), m_view.palette().color(QPalette::Dark).rgb());
}

}  // namespace

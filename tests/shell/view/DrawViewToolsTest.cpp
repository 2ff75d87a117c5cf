// The schematic view hands its mouse and key events to the current drawing tool, chooses
// tools by command, and places objects for its callers.

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include <QBackingStore>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "drawtools/ToolManager.h"
#include "gui/dialogs/commands/NetsShortedDlg.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryItemData.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "model/undo/UndoList.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/ProtelFormat.h"
#include "resources/CommandIds.h"
#include "shell/view/DrawView.h"
#include "shell/view/InPlaceTextEdit.h"
#include "shell/view/ViewTestParts.h"
#include "support/DocumentBytes.h"
#include "support/StandardItems.h"

namespace {

class DrawViewToolsTest : public ::testing::Test, protected WithTools {
protected:
    DrawViewToolsTest() {
        view->resize(800, 600);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }
    void Run(UINT id) {
        const CommandMap::Entry* entry = view->Commands().Find(id);
        ASSERT_NE(entry, nullptr);
        entry->handler(id);
    }
    CmdUI Update(UINT id) {
        CmdUI ui;
        view->Commands().Find(id)->update(ui);
        return ui;
    }
    QWidget* Port() const { return view->viewport(); }
    QPoint PixelOf(CPoint sheet) const {
        const CPoint at = view->DocToClient(sheet);
        return QPoint(at.x, at.y);
    }
    CWire* AddWire(std::initializer_list<CPoint> points) {
        auto wire = std::make_unique<CWire>();
        for (const CPoint& point : points)
            wire->AddPoint(point);
        CWire* added = wire.get();
        EXPECT_TRUE(doc.AddObject(std::move(wire)));
        return added;
    }
    // Clicks with the wire tool at one pixel, then at the other; the wire drawn when the
    // second click ended it, else null (the open wire is taken back).
    CWire* DrawWire(QPoint from, QPoint to) {
        Run(ID_DRAW_WIRE);
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(Port(), to);
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, to);
        if (tools.CurrentTool()->HasOpenObject()) {
            QTest::keyClick(Port(), Qt::Key_Escape);
            return nullptr;
        }
        return static_cast<CWire*>(doc.GetObjects().GetTail());
    }
    // Whether a click at the pixel ends a new wire on the wire; the new wire is taken back.
    bool JoinsAt(QPoint pixel, CWire* wire) {
        CWire* drawn = DrawWire(pixel + QPoint(120, 80), pixel);
        const bool joined =
            drawn && drawn->GetEndObject() == wire && drawn->GetNet() == wire->GetNet();
        if (drawn)
            doc.GetUndoList().Undo();
        return joined;
    }

    CDrawDoc doc;
    std::unique_ptr<CDrawView> view = std::make_unique<CDrawView>(doc);
};

TEST_F(DrawViewToolsTest, ToolCommandsChooseTheShapeAndMarkIt) {
    Run(ID_DRAW_RECT);
    EXPECT_EQ(tools.state.currentShape, kToolRect);
    EXPECT_TRUE(Update(ID_DRAW_RECT).checked.value_or(false));
    EXPECT_FALSE(Update(ID_DRAW_SELECT).checked.value_or(true));
    EXPECT_FALSE(Update(ID_END_WIRE).enabled);
    Run(ID_DRAW_BUS);
    EXPECT_EQ(Update(ID_END_WIRE).text.value_or(""), "End Bus");
    Run(ID_ZOOM_AREA);
    EXPECT_EQ(tools.state.currentShape, kToolZoom);
}

TEST_F(DrawViewToolsTest, MouseEventsReachTheCurrentTool) {
    Run(ID_DRAW_RECT);
    QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(Port(), QPoint(300, 260));
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 260));
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
    EXPECT_EQ(view->GetSelection().GetCount(), 1);
}

TEST_F(DrawViewToolsTest, EscCancelsTheGesture) {
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_EQ(doc.GetObjects().GetCount(), 1);
    QTest::keyClick(Port(), Qt::Key_Escape);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
}

TEST_F(DrawViewToolsTest, EscTakesAWireBeingDrawnAwayWithItsTip) {
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(Port(), QPoint(300, 200));
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    QTest::mouseMove(Port(), QPoint(300, 300));
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_TRUE(QToolTip::text().startsWith("Wire")) << QToolTip::text().toStdString();
    QTest::keyClick(Port(), Qt::Key_Escape);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
}

TEST_F(DrawViewToolsTest, ANewTextIsTypedInPlaceThenTheSelectToolIsBack) {
    Run(ID_DRAW_TEXT);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    ASSERT_NE(view->TextEditor(), nullptr);
    QTest::keyClicks(view->TextEditor(), "R1");
    QTest::keyClick(view->TextEditor(), Qt::Key_Return);
    EXPECT_EQ(view->TextEditor(), nullptr);
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    EXPECT_EQ(static_cast<CTextBox*>(doc.GetObjects().GetHead())->GetText(), "R1");
    EXPECT_EQ(tools.state.currentShape, kToolSelect);

    // Esc in the editor keeps the text as it was.
    view->BeginTextEdit(static_cast<CTextBox*>(doc.GetObjects().GetHead()));
    QTest::keyClicks(view->TextEditor(), "00");
    Run(ID_CANCEL);
    EXPECT_EQ(view->TextEditor(), nullptr);
    EXPECT_EQ(static_cast<CTextBox*>(doc.GetObjects().GetHead())->GetText(), "R1");
}

TEST_F(DrawViewToolsTest, WithPlaceOnPasteThePastedObjectsFollowTheMouse) {
    CSchematicApp app(std::filesystem::path{});
    ScopedApp installed(app);
    auto rect = std::make_unique<CDrawRect>(CRect(0, 0, 400, -200));
    CDrawRect* copied = rect.get();
    ASSERT_TRUE(doc.AddObject(std::move(rect)));
    view->Select(copied);
    Run(ID_EDIT_COPY);

    Run(ID_EDIT_PASTE);
    EXPECT_EQ(tools.state.currentShape, kToolSelect) << "the option is off";
    app.Options |= kOptionPlaceOnPaste;
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(doc.GetObjects().GetCount(), 3);
    EXPECT_EQ(tools.state.currentShape, kToolPlace);
    QTest::keyClick(Port(), Qt::Key_Escape);
    EXPECT_EQ(doc.GetObjects().GetCount(), 2) << "Esc takes the carried paste away";
}

TEST_F(DrawViewToolsTest, PlacedObjectsFollowTheMouseUntilTheViewCloses) {
    CDrawRect rect(CRect(0, 0, 400, -200));
    CObList objects;
    objects.AddTail(&rect);
    ASSERT_TRUE(view->PlaceObjects(objects));
    EXPECT_EQ(tools.state.currentShape, kToolPlace);
    QTest::mouseMove(Port(), QPoint(300, 300));
    QTest::keyClick(Port(), Qt::Key_Space);
    view.reset();
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
}

// At 100 % a pixel covers ten sheet units, so a click cannot hit a point that lies a few units
// off the grid: what the wire's end looks joined to on the screen, it is joined to.
TEST_F(DrawViewToolsTest, AClickOnWhatAWireLooksJoinedToJoinsIt) {
    // A corner between grid points, its legs going left and down, away from the grid point.
    CWire* corner = AddWire({CPoint(2000, -3000), CPoint(2997, -3000), CPoint(2997, -4000)});
    const QPoint at = PixelOf(CPoint(2997, -3000));
    for (const QPoint by : {QPoint(0, 0), QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
        EXPECT_TRUE(JoinsAt(at + by, corner)) << "a pixel off by " << by.x() << ", " << by.y();

    // A wire off the grid, clicked where it is drawn, across a whole grid cell.
    CWire* off = AddWire({CPoint(4000, -2898), CPoint(7000, -2898)});
    const QPoint from = PixelOf(CPoint(5000, -2898));
    for (int x = 0; x <= 10; ++x)
        EXPECT_TRUE(JoinsAt(from + QPoint(x, 0), off)) << "at pixel " << x;
}

// Two resistors of the standard library side by side, their pins 600 units apart on one line.
class WireBesidePinsTest : public DrawViewToolsTest {
protected:
    WireBesidePinsTest() {
        CLibraryItemData item;
        EXPECT_TRUE(testsupport::ReadStandardItem(doc, "discrete.rlb", "RES", item));
        for (const CSize at : {CSize(2000, -2000), CSize(3000, -2000)}) {
            CObList copies;
            copies.AddTail(&item.m_objects);
            EXPECT_TRUE(doc.AddObjectCopies(&copies));
            for (POSITION pos = copies.GetHeadPosition(); pos;)
                static_cast<CDrawObj*>(copies.GetNext(pos))->OffsetBy(at);
            parts.push_back(static_cast<CSymbol*>(copies.GetHead()));
        }
    }
    CPin* PinOf(int part, const char* id) const { return parts[part]->FindPin(id); }
    std::string ProtelNetlist() {
        CProtelFormat writer;
        std::ostringstream out;
        std::ostringstream log;
        CNetNode top(doc.GetPathName());
        writer.WriteHeader(doc.m_netlist, out, log);
        doc.m_netlist.Build(top, writer, out, log);
        writer.WriteBody(doc.m_netlist, top, out, log);
        return out.str();
    }

    std::vector<CSymbol*> parts;
};

// A click a few pixels beside a pin's mark lands on the pin's end, the grid point nearest, and
// the wire is linked there: started on R1's right pin, ended on R2's left pin, one net.
TEST_F(WireBesidePinsTest, AWireClickedBesidePinsIsLinkedToThem) {
    struct Case {
        float zoom;
        QPoint besideStart;
        QPoint besideEnd;
    } cases[] = {{1.0f, QPoint(4, 0), QPoint(-3, -1)}, {1.5f, QPoint(5, 0), QPoint(-5, 1)}};
    CPin* start = PinOf(0, "2");
    CPin* end = PinOf(1, "1");
    ASSERT_TRUE(start && end);
    ASSERT_EQ(start->GetConnectPoint(), CPoint(2200, -2000));
    ASSERT_EQ(end->GetConnectPoint(), CPoint(2800, -2000));
    for (const Case& c : cases) {
        view->SetZoomFactor(c.zoom);
        view->CenterOnPoint(POINT{2500, -2000});
        CWire* wire = DrawWire(PixelOf(CPoint(2200, -2000)) + c.besideStart,
                               PixelOf(CPoint(2800, -2000)) + c.besideEnd);
        ASSERT_NE(wire, nullptr) << "the wire is not ended at zoom " << c.zoom;
        EXPECT_EQ(wire->GetStartObject(), start) << "zoom " << c.zoom;
        EXPECT_EQ(wire->GetEndObject(), end) << "zoom " << c.zoom;
        EXPECT_EQ(start->GetWire(), wire);
        EXPECT_EQ(end->GetWire(), wire);
        const std::string netlist = ProtelNetlist();
        EXPECT_NE(netlist.find("R1-2\nR2-1\n)"), std::string::npos) << netlist;
        ASSERT_TRUE(doc.GetUndoList().Undo());
    }
}

// A symbol of the standard library's basic.rlb placed from the library list, dropped with a
// click (the copy carried on taken back with Esc), and a wire drawn from its pin to an empty
// point, ended with a double click.
class LibraryRailTest : public DrawViewToolsTest {
protected:
    CSymbol* Drop(const char* name, CPoint at) {
        CLibraryItemData item;
        if (!testsupport::ReadStandardItem(doc, "basic.rlb", name, item) ||
            !view->PlaceObjects(item.m_objects))
            return nullptr;
        QTest::mouseMove(Port(), PixelOf(at));
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PixelOf(at));
        QTest::keyClick(Port(), Qt::Key_Escape);
        CSymbol* dropped = nullptr;
        for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
            auto* symbol = dynamic_cast<CSymbol*>(doc.GetObjects().GetNext(pos));
            if (symbol && symbol->GetAttr("_Name") == name)
                dropped = symbol;
        }
        return dropped;
    }
    CWire* WireFrom(CSymbol* symbol) {
        const CPoint end = static_cast<CPin*>(symbol->GetPins().GetHead())->GetConnectPoint();
        const QPoint to = PixelOf(end + CSize(1000, 0));
        Run(ID_DRAW_WIRE);
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PixelOf(end));
        QTest::mouseMove(Port(), to);
        QTest::mouseDClick(Port(), Qt::LeftButton, Qt::NoModifier, to);
        auto* wire = dynamic_cast<CWire*>(static_cast<CObject*>(doc.GetObjects().GetTail()));
        return wire && wire->GetStartObject() == symbol->GetPins().GetHead() ? wire : nullptr;
    }
};

// The ground stands for the sheet's first ground rail: its wire is on that rail's named net,
// as a wire ended on it by Connect Wire To > Ground 1 is, whatever the sheet calls it.
TEST_F(LibraryRailTest, AGroundFromTheLibraryPutsItsWireOnTheSheetsGround) {
    doc.SetAttribute("Ground1", "GND", 0);
    CSymbol* ground = Drop("Ground", CPoint(3000, -3000));
    ASSERT_NE(ground, nullptr);
    CWire* wire = WireFrom(ground);
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetNet()->GetName(), "GND");
    EXPECT_EQ(wire->GetNet()->GetFlags() & kNetNamed, kNetNamed);
    EXPECT_EQ(ground->GetAttr("_ID"), "GND");

    doc.SetAttribute("Ground1", "0V", 0);
    CSymbol* other = Drop("Ground", CPoint(3000, -5000));
    ASSERT_NE(other, nullptr);
    CWire* second = WireFrom(other);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetNet()->GetName(), "0V");
    EXPECT_NE(second->GetNet(), wire->GetNet());
}

// A ground dropped on the free end of a wire whose net the user named RET: the ground's rail and
// the user's name meet as two named nets do, in "Nets Shorted". GND chosen puts the wire on the
// rail; RET kept stays the sheet's own net, no supply, and is not asked about again.
TEST_F(LibraryRailTest, AGroundDroppedOnANamedWireAsksWhichNameStays) {
    CNetsShortedChooser chooser;
    ScopedInstall<INetChooser> installed(chooser);
    doc.SetAttribute("Ground1", "GND", 0);
    QStringList listed;
    QString kept;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CNetsShortedDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (int row = 0; row < dialog->list()->count(); ++row)
            listed << dialog->list()->item(row)->text();
        dialog->list()->setCurrentRow(int(listed.indexOf(kept)));
        dialog->accept();
    });
    answer.start(5);
    for (const LONG y : {-3000, -5000}) {
        kept = y == -3000 ? "GND" : "RET";
        SCOPED_TRACE(kept.toStdString());
        CWire* wire = AddWire({CPoint(1000, y), CPoint(3000, y)});
        ASSERT_TRUE(wire->SetAttr("_ID", "RET", kSetAttrUndoable | kSetAttrUser));
        listed.clear();
        CSymbol* ground = Drop("Ground", CPoint(3000, y - 90));
        ASSERT_NE(ground, nullptr);
        ASSERT_EQ(wire->GetEndObject(), ground->GetPins().GetHead());
        EXPECT_EQ(listed, (QStringList{"RET", "GND"}));
        EXPECT_EQ(wire->GetNet()->GetName(), kept.toStdString().c_str());
        EXPECT_EQ(ground->GetAttr("_ID"), "GND");
        const auto supplies = CDocNetlist(&doc).GetSupplyNetNames();
        EXPECT_EQ(std::count(supplies.begin(), supplies.end(), CString("RET")), 0);
        listed.clear();
        EXPECT_TRUE(doc.JoinNets());
        EXPECT_TRUE(listed.isEmpty());
    }
}

// The dot on a junction is a circle of radius 25 units: about two pixels each way at 100 %.
// Two wires showing their nets' names, renamed in place ALPHA and BETA; ALPHA's free end is
// drawn on to BETA's; BETA chosen in "Nets Shorted" wins, and the ALPHA wire's name text reads
// BETA. Undo gives back both names and texts.
TEST_F(DrawViewToolsTest, AJoinThatLetsOneNameWinShowsTheWinnerInTheOtherWiresText) {
    CNetsShortedChooser chooser;
    ScopedInstall<INetChooser> installed(chooser);
    CWire* wires[] = {AddWire({CPoint(1000, -1500), CPoint(2000, -1500)}),
                      AddWire({CPoint(1000, -2500), CPoint(2000, -2500)})};
    const char* const names[] = {"ALPHA", "BETA"};
    CAttrText* texts[2] = {};
    for (int i = 0; i < 2; ++i) {
        view->Select(wires[i], false);
        Run(ID_OBJECT_SHOW_ID);
        texts[i] = wires[i]->FindAttrText("_ID");
        ASSERT_NE(texts[i], nullptr);
        view->BeginTextEdit(texts[i]);
        ASSERT_NE(view->TextEditor(), nullptr);
        QTest::keyClicks(view->TextEditor(), names[i]);
        QTest::keyClick(view->TextEditor(), Qt::Key_Return);
        ASSERT_EQ(wires[i]->GetNet()->GetName(), names[i]);
    }
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    QStringList listed;
    QTimer answer;  // the dialog comes when the new wire ends
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CNetsShortedDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        for (int row = 0; row < dialog->list()->count(); ++row)
            listed << dialog->list()->item(row)->text();
        dialog->list()->setCurrentRow(int(listed.indexOf("BETA")));
        dialog->accept();
    });
    answer.start(5);
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PixelOf(CPoint(2000, -1500)));
    QTest::mouseMove(Port(), PixelOf(CPoint(2000, -2500)));
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PixelOf(CPoint(2000, -2500)));
    ASSERT_FALSE(tools.CurrentTool()->HasOpenObject());
    EXPECT_EQ(listed, (QStringList{"ALPHA", "BETA"}));
    for (int i = 0; i < 2; ++i) {
        CDrawObj* owner = texts[i]->GetOwnerObject();
        ASSERT_NE(owner, nullptr) << names[i];
        EXPECT_NE(doc.GetObjects().Find(owner), nullptr) << names[i];
        EXPECT_NE(doc.GetObjects().Find(texts[i]), nullptr) << names[i];
        EXPECT_EQ(owner->GetNet()->GetName(), "BETA");
        EXPECT_EQ(texts[i]->GetText(), "BETA");
    }
    doc.GetUndoList().Undo();
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_EQ(texts[0]->GetText(), "ALPHA");
}

TEST_F(DrawViewToolsTest, AJunctionDotIsAboutTwoPixelsRoundTheJunction) {
    CWire* through = AddWire({CPoint(1000, -2000), CPoint(3000, -2000)});
    CWire* ending = AddWire({CPoint(2000, -3000), CPoint(2000, -2000)});
    ending->SetEnd(2000, -2000, through);
    const QImage image = Port()->grab().toImage();
    const QPoint at = PixelOf(CPoint(2000, -2000));
    // The dark pixels round the junction, beside the wires' own row and column.
    QRect dot;
    for (int y = -5; y <= 5; ++y) {
        for (int x = -5; x <= 5; ++x) {
            if (x != 0 && y != 0 && qGray(image.pixel(at + QPoint(x, y))) < 128)
                dot |= QRect(at + QPoint(x, y), QSize(1, 1));
        }
    }
    EXPECT_TRUE(dot.adjusted(-1, -1, 1, 1).contains(at));
    EXPECT_GE(dot.width(), 4);
    EXPECT_LE(dot.width(), 5);
    EXPECT_GE(dot.height(), 4);
    EXPECT_LE(dot.height(), 5);
}

// A two-pin part at (x, y) with its identifier shown, joined by a wire to the part before it.
CSymbol* AddWiredPart(CDrawDoc& doc, LONG x, LONG y, CSymbol* previous) {
    CSymbol* part = AddTwoPinPart(doc, x, y, "R1");
    if (previous) {
        auto wire = std::make_unique<CWire>();
        CPin* from = static_cast<CPin*>(previous->GetPins().GetTail());
        CPin* to = static_cast<CPin*>(part->GetPins().GetHead());
        wire->AddPoint(from->GetConnectPoint());
        wire->AddPoint(to->GetConnectPoint());
        wire->SetStartObject(from);
        wire->SetEndObject(to);
        EXPECT_TRUE(doc.AddObject(std::move(wire)));
    }
    return part;
}

// What a drag shows is what the window holds after repainting only what changed: after each
// step it must equal a paint of the whole window, for a selection of parts, their texts with
// the links to them, a wire between them and a wire of its own. Handles keep their pixel size at
// every zoom, so at a small zoom they reach far beyond their objects in sheet units.
TEST_F(DrawViewToolsTest, EveryFrameOfADragShowsWhatAWholePaintWould) {
    CSymbol* first = AddWiredPart(doc, 1000, -1000, nullptr);
    AddWiredPart(doc, 1600, -1000, first);
    // The first part's identifier far above it: only its link spans the space between.
    first->FindAttrText("_ID")->OffsetBy(CSize(700, 1500));
    AddWire({CPoint(1000, -2000), CPoint(2000, -2000)});
    const CPoint press(1600 + 200, -1000 + 50);  // the outline of the second part's body
    view->SelectAll();
    CDrawTool* tool = tools.CurrentTool();
    for (const float zoom : {2.0f, 0.3f}) {
        // The same steps in window pixels at both zooms.
        const LONG scale = std::lround(2.0f / zoom);
        view->SetZoomFactor(zoom);
        view->CenterOnPoint(press);
        QApplication::processEvents();
        tool->OnLButtonDown(*view, kToolLeftButton, view->DocToClient(press));
        for (int step = 1; step <= 4; ++step) {
            const CSize reach(step * 110 * scale, step % 2 ? -230 * scale : 0);
            tool->OnMouseMove(*view, kToolLeftButton, view->DocToClient(press + reach));
            QApplication::processEvents();
            // The window's backing store holds what the repaints left on the screen.
            const auto* screen =
                dynamic_cast<QImage*>(view->window()->backingStore()->paintDevice());
            ASSERT_NE(screen, nullptr);
            const QPoint corner = Port()->mapTo(view->window(), QPoint(0, 0));
            const QImage shown =
                screen->copy(QRect(corner, Port()->size())).convertToFormat(QImage::Format_RGB32);
            const QImage whole = Port()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(shown, whole) << "zoom " << zoom << " step " << step;
        }
        tools.EndGesture(*view, GestureEnd::Cancel);
    }
}

// What a tool's right-click menu shows: each entry as it reads, "-" for a disabled one, a
// submenu's entries in brackets; the menu is closed unchosen.
std::string ShownContextMenu(CDrawView& view, QPoint at) {
    std::string shown;
    const std::function<void(const QMenu&)> read = [&shown, &read](const QMenu& menu) {
        for (const QAction* action : menu.actions()) {
            if (action->isSeparator())
                continue;
            shown += (action->isEnabled() ? "" : "-") + action->text().toStdString();
            if (action->menu()) {
                shown += " [";
                read(*action->menu());
                shown += "]";
            }
            shown += "; ";
        }
    };
    QTimer::singleShot(0, [&read] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            read(*menu);
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &event);
    return shown;
}

// A tool's right-click menu shows its commands as the main menu does: the wire's rails by
// their nets' names, and End Polygon greyed in a window where nothing is open.
TEST_F(DrawViewToolsTest, AToolsMenuShowsItsCommandsAsTheMainMenuDoes) {
    doc.SetAttribute("Power2", "+24v", 0);
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(Port(), QPoint(300, 200));
    ASSERT_TRUE(tools.CurrentTool()->HasOpenObject());
    EXPECT_EQ(ShownContextMenu(*view, QPoint(300, 200)),
              "&Cancel; &End Wire; Connect Wire &To [GND; AGND; +5v; +24v; +15v; -15v; "
              "&Other Net..; ]; ");
    QTest::keyClick(Port(), Qt::Key_Escape);

    // A Bezier open in another window of the document.
    CDrawView other(doc);
    other.resize(400, 300);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    Run(ID_DRAW_BEZIER);
    QTest::mouseClick(other.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(other.viewport(), QPoint(150, 120));
    ASSERT_TRUE(tools.CurrentTool()->HasOpenObject());
    EXPECT_EQ(ShownContextMenu(*view, QPoint(300, 200)), "&Cancel; -End Bezier; ");
}

// After each undo and redo the window shows what a paint of the whole window would, for an
// add, a delete, a move and a change of colour: what is redone is drawn, what is undone goes.
TEST_F(DrawViewToolsTest, UndoAndRedoRepaintWhatTheyChange) {
    const auto shownIsWhole = [this](const char* what) {
        QApplication::processEvents();
        const auto* screen = dynamic_cast<QImage*>(view->window()->backingStore()->paintDevice());
        ASSERT_NE(screen, nullptr);
        const QPoint corner = Port()->mapTo(view->window(), QPoint(0, 0));
        const QImage shown =
            screen->copy(QRect(corner, Port()->size())).convertToFormat(QImage::Format_RGB32);
        const QImage whole = Port()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, whole) << what;
    };
    const auto undoRedo = [&](const std::string& edit) {
        for (const UINT id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_UNDO, ID_EDIT_REDO}) {
            Run(id);
            shownIsWhole((edit + (id == ID_EDIT_UNDO ? ": undo" : ": redo")).c_str());
        }
    };
    // A wire drawn with the wire tool, the mouse then moved away.
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(Port(), QPoint(400, 300));
    QTest::mouseDClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    QTest::mouseMove(Port(), QPoint(600, 500));
    shownIsWhole("drawn");
    undoRedo("add");
    view->Select(nullptr, false);  // an undone object not selected goes too
    Run(ID_EDIT_UNDO);
    shownIsWhole("add, not selected: undo");
    Run(ID_EDIT_REDO);

    view->SelectAll();
    Run(ID_EDIT_CLEAR);
    shownIsWhole("deleted");
    undoRedo("delete");

    // A box moved by the select tool, then given another line colour.
    Run(ID_DRAW_RECT);
    QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 400));
    QTest::mouseMove(Port(), QPoint(200, 480));
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 480));
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    Run(ID_DRAW_SELECT);
    CDrawTool* select = tools.CurrentTool();
    select->OnLButtonDown(*view, kToolLeftButton, CPoint(125, 403));
    select->OnMouseMove(*view, kToolLeftButton, CPoint(250, 350));
    select->OnMouseMove(*view, kToolLeftButton, CPoint(300, 300));
    select->OnLButtonUp(*view, kToolLeftButton, CPoint(300, 300));
    ASSERT_STREQ(doc.GetUndoList().GetUndoName(), "move");
    shownIsWhole("moved");
    undoRedo("move");
    view->ApplyColour(ID_LINE_COLOUR, ColourCode::kColour, RGB(255, 0, 0));
    shownIsWhole("coloured");
    undoRedo("colour");
}

// The pins' ends of a part, in order.
std::vector<CPoint> PinEnds(CSymbol& part) {
    std::vector<CPoint> ends;
    for (int i = 1; i <= part.GetConnectionCount(); ++i)
        ends.push_back(part.GetConnectionPoint(i));
    return ends;
}

// A resistor of the standard library carried onto the sheet: Space turns it with its pins on the
// grid, and Space then Ctrl+Space (or two mirrors) give back exactly where the pins were.
TEST_F(DrawViewToolsTest, APartTurnedWhilePlacedKeepsItsPinsOnTheGrid) {
    CLibraryItemData item;
    ASSERT_TRUE(testsupport::ReadStandardItem(doc, "discrete.rlb", "RES", item));
    ASSERT_TRUE(view->PlaceObjects(item.m_objects));
    QTest::mouseMove(Port(), PixelOf(CPoint(3100, -2900)));
    auto* part = dynamic_cast<CSymbol*>(view->GetSelection().GetHead());
    ASSERT_NE(part, nullptr);
    const std::vector<CPoint> placed = PinEnds(*part);
    const auto onGrid = [](const std::vector<CPoint>& ends) {
        return std::all_of(ends.begin(), ends.end(),
                           [](CPoint p) { return p.x % 100 == 0 && p.y % 100 == 0; });
    };
    ASSERT_TRUE(onGrid(placed));
    const auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view.get(), key, modifiers);
    };
    press(Qt::Key_Space);
    const std::vector<CPoint> turned = PinEnds(*part);
    EXPECT_TRUE(onGrid(turned)) << turned[0].x << ", " << turned[0].y;
    EXPECT_NE(turned, placed);
    press(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(PinEnds(*part), placed);
    press(Qt::Key_Space);
    press(Qt::Key_Space);
    press(Qt::Key_Space);
    press(Qt::Key_Space);
    EXPECT_EQ(PinEnds(*part), placed);
    for (const Qt::Key key : {Qt::Key_X, Qt::Key_Y}) {
        press(key);
        EXPECT_TRUE(onGrid(PinEnds(*part)));
        press(key);
        EXPECT_EQ(PinEnds(*part), placed);
    }
}

// A gesture taken back by Esc leaves an unmodified document unmodified: a wire, a box being
// drawn, a set being placed and a wire's end picked up again.
TEST_F(DrawViewToolsTest, AGestureTakenBackLeavesTheDocumentUnmodified) {
    CWire* wire = AddWire({CPoint(1000, -1000), CPoint(2000, -1000)});
    const auto takenBack = [this](const char* what) {
        QTest::keyClick(Port(), Qt::Key_Escape);
        EXPECT_FALSE(tools.CurrentTool()->HasOpenObject()) << what;
        EXPECT_FALSE(doc.IsModified()) << what;
        EXPECT_EQ(doc.GetObjects().GetCount(), 1) << what;
    };
    doc.SetModifiedFlag(FALSE);
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    QTest::mouseMove(Port(), QPoint(400, 350));
    ASSERT_TRUE(tools.CurrentTool()->HasOpenObject());
    takenBack("wire");

    doc.SetModifiedFlag(FALSE);
    Run(ID_DRAW_RECT);
    QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    QTest::mouseMove(Port(), QPoint(400, 350));
    takenBack("box");

    doc.SetModifiedFlag(FALSE);
    CObList objects;
    objects.AddTail(new CDrawRect(CRect(0, 0, 500, -500)));
    ASSERT_TRUE(view->PlaceObjects(objects));
    delete objects.GetHead();
    QTest::mouseMove(Port(), QPoint(400, 350));
    takenBack("placing");

    doc.SetModifiedFlag(FALSE);
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PixelOf(wire->GetPoint(1)));
    QTest::mouseMove(Port(), PixelOf(CPoint(2500, -1500)));
    ASSERT_EQ(tools.state.currentShape, kToolWireDrag);
    takenBack("wire end");
}
// A part of a standard library placed with its origin at offset.
CSymbol* PlaceLibraryPart(CDrawDoc& doc, const char* library, const char* name, CSize offset) {
    CLibraryItemData item;
    EXPECT_TRUE(testsupport::ReadStandardItem(doc, library, name, item)) << name;
    CObList copies;
    copies.AddTail(&item.m_objects);
    EXPECT_TRUE(doc.AddObjectCopies(&copies));
    for (POSITION pos = copies.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(copies.GetNext(pos))->OffsetBy(offset);
    return static_cast<CSymbol*>(copies.GetHead());
}

// A wire from a transistor's emitter to a gate's upper input turns where its legs pass over no
// other pin's end and meet no pin's body end: the lower input's end stays off the wire, and so
// do the emitter's lead and the collector's body end above it.
TEST_F(DrawViewToolsTest, AWireDrawnToAnInputPassesNoOtherPinsEnd) {
    CSymbol* npn = PlaceLibraryPart(doc, "discrete.rlb", "NPN", CSize(6000, -3000));
    CSymbol* gate = PlaceLibraryPart(doc, "logic.rlb", "7400", CSize(8000, -3000));
    ASSERT_EQ(gate->FindPin("B")->GetConnectPoint(), CPoint(7800, -3100));
    view->SetZoomFactor(1.0f);
    view->CenterOnPoint(POINT{7000, -3000});
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PixelOf(CPoint(6100, -3200)));
    QTest::mouseMove(Port(), PixelOf(CPoint(7000, -3000)));
    QTest::mouseMove(Port(), PixelOf(CPoint(7800, -2900)));
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PixelOf(CPoint(7800, -2900)));
    auto* wire = static_cast<CWire*>(doc.GetObjects().GetTail());
    ASSERT_EQ(wire->GetObjType(), kObjWire);
    ASSERT_EQ(wire->GetEndObject(), gate->FindPin("A"));
    std::vector<CPoint> offWire{gate->FindPin("B")->GetConnectPoint()};
    for (POSITION pos = npn->GetPins().GetHeadPosition(); pos;)
        offWire.push_back(static_cast<CPin*>(npn->GetPins().GetNext(pos))->GetSheetBodyEnd());
    for (int i = 1; i < wire->GetPointCount(); ++i) {
        const CPoint a = wire->GetPoint(i - 1);
        const CPoint b = wire->GetPoint(i);
        for (const CPoint p : offWire) {
            const bool between = std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
                                 std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
            EXPECT_FALSE(between && (a.x == b.x || a.y == b.y))
                << "segment " << i << " passes (" << p.x << ", " << p.y << ")";
        }
    }
}

}  // namespace

// The view's commands that make objects, and its tooltips.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "gui/dialogs/commands/DlgConnectWire.h"
#include "gui/kit/StoredText.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryItemData.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/FillShape.h"
#include "model/undo/UndoList.h"
#include "netlist/writers/NetlistFormat.h"
#include "resources/CommandIds.h"
#include "shell/view/DrawView.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "support/StandardItems.h"
#include "support/TestSupport.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class DrawViewObjectsTest : public ::testing::Test, WithApp {
protected:
    DrawViewObjectsTest() {
        EXPECT_TRUE(m_doc.OnNewDocument());
        m_view.resize(800, 600);
        m_view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    CDrawRect* Line(int x1, int y1, int x2, int y2) {
        auto line = std::make_unique<CDrawRect>(CRect(x1, y1, x2, y2));
        line->SetShape(kShapeLine);
        line->SetFlags(0x12, 0xFFFFFFFF);
        CDrawRect* raw = line.get();
        m_doc.AddObject(std::move(line));
        return raw;
    }

    bool Enabled(UINT id) {
        CmdUI ui;
        m_view.Commands().Find(id)->update(ui);
        return ui.enabled;
    }

    size_t Steps() { return m_doc.GetUndoList().FillUndoList().size(); }

    // A 7400 of the standard library, with its hidden supply pins, beside a wire on net `name`;
    // the wire is selected.
    void SelectWireBesideAGate(const char* name, CNet*& net) {
        CLibraryItemData item;
        ASSERT_TRUE(testsupport::ReadStandardItem(m_doc, "logic.rlb", "7400", item));
        CObList copies;
        copies.AddTail(&item.m_objects);
        ASSERT_TRUE(m_doc.AddObjectCopies(&copies));
        auto wire = std::make_unique<CWire>();
        wire->AddPoint(CPoint(4000, -4000));
        wire->AddPoint(CPoint(5000, -4000));
        net = new CNet(name);
        net->AddRef();
        wire->SetNet(net);
        CWire* raw = wire.get();
        ASSERT_TRUE(m_doc.AddObject(std::move(wire)));
        m_view.Select(raw);
    }

    CDrawDoc m_doc;
    CDrawView m_view{m_doc};
    QString m_dir = QDir::tempPath() + "/vosk-view-objects";
};

TEST_F(DrawViewObjectsTest, ClosedLinesBecomeOneFillShapeInOneStep) {
    CDrawRect* a = Line(0, -1000, 1000, -1000);
    CDrawRect* b = Line(1000, -1000, 1000, -2000);
    m_view.Select(a);
    EXPECT_FALSE(Enabled(ID_EDIT_CREATE_FILL_SHAPE)) << "one piece is not enough";
    m_view.Select(b, true);
    ASSERT_TRUE(Enabled(ID_EDIT_CREATE_FILL_SHAPE));
    const size_t steps = Steps();
    testsupport::ScriptedPrompt prompt({IDOK});
    m_view.Commands()
        .Find(ID_EDIT_CREATE_FILL_SHAPE)
        ->handler(ID_EDIT_CREATE_FILL_SHAPE);  // two lines make no loop
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              CString("Error - could not resolve objects into a single shape."));
    EXPECT_EQ(m_doc.GetObjects().GetCount(), 2);
    EXPECT_EQ(Steps(), steps);

    m_view.Select(Line(1000, -2000, 0, -1000), true);
    m_view.Commands().Find(ID_EDIT_CREATE_FILL_SHAPE)->handler(ID_EDIT_CREATE_FILL_SHAPE);
    ASSERT_EQ(m_doc.GetObjects().GetCount(), 1);
    const auto* shape = static_cast<CDrawObj*>(m_doc.GetObjects().GetHead());
    EXPECT_EQ(shape->GetObjType(), kObjFillShape);
    EXPECT_EQ(shape->GetFlags() & (kFlagFilled | kFlagOutlined), DWORD(kFlagFilled | kFlagOutlined))
        << "a fill shape paints its inside with the brush and keeps its outline";
    ASSERT_EQ(m_view.GetSelection().GetCount(), 1) << "the new shape takes the pieces' place";
    EXPECT_EQ(m_view.GetSelection().GetHead(), m_doc.GetObjects().GetHead());
    ASSERT_EQ(Steps(), steps + 2);
    EXPECT_EQ(m_doc.GetUndoList().FillUndoList().front(), CString("1 - Create fill shape"));
    m_doc.GetUndoList().Undo(1);
    EXPECT_EQ(m_doc.GetObjects().GetCount(), 3);
}

TEST_F(DrawViewObjectsTest, APictureFileIsEmbeddedAtItsSizeAndOtherFilesAsPackages) {
    QDir().mkpath(m_dir);
    QImage picture(96, 48, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    ASSERT_TRUE(picture.save(m_dir + "/red.png"));

    ASSERT_TRUE(m_view.InsertObjectFromFile(m_dir + "/red.png"));
    auto* object = static_cast<CDrawOleObj*>(m_doc.GetObjects().GetTail());
    // One inch by half an inch, from the window's point (40, 40).
    const CRect at = object->GetPosition();
    EXPECT_EQ(at.TopLeft(), m_view.ClientToDoc(CPoint(40, 40)));
    EXPECT_EQ(at.Width(), 1000);
    EXPECT_EQ(at.Height(), -500);
    ASSERT_TRUE(object->GetItem()->GetPresentation().image);

    QFile notes(m_dir + "/notes.txt");
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("shield\n") == 7);
    notes.close();
    ASSERT_TRUE(m_view.InsertObjectFromFile(m_dir + "/notes.txt"));
    object = static_cast<CDrawOleObj*>(m_doc.GetObjects().GetTail());
    EXPECT_EQ(object->GetItem()->GetPresentation().userType, CString("Package"));
    EXPECT_EQ(object->GetPosition(),
              CRect(m_view.ClientToDoc(CPoint(40, 40)), m_view.ClientToDoc(CPoint(200, 100))));

    testsupport::ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(m_view.InsertObjectFromFile(m_dir + "/missing.bin"));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Failed to create object.  Make sure the object is "
                                              "entered in the system registry."));
    EXPECT_EQ(m_doc.GetObjects().GetCount(), 2);
}

TEST_F(DrawViewObjectsTest, TheTipShowsOnceTheMouseHasRested) {
    auto box = std::make_unique<CTextBox>(CRect(1000, -1000, 3000, -2000));
    const CTextBox* text = box.get();
    m_doc.AddObject(std::move(box));
    const CPoint centre = m_view.DocToClient(text->GetPosition().CenterPoint());
    const QPoint at(centre.x, centre.y);
    QMouseEvent move(QEvent::MouseMove, at, m_view.viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_view.viewport(), &move);
    QTest::qWait(150);
    EXPECT_FALSE(QToolTip::isVisible());
    QTest::qWait(400);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), FromStoredText(text->GetTipText().str()));
    QToolTip::hideText();
}

// A tip would cover the menu a button opens, and Esc comes as the Cancel command: each takes
// the shown tip away, and a button pressed before the tip shows keeps it from showing.
TEST_F(DrawViewObjectsTest, AButtonOrCancelTakesTheTipAway) {
    auto box = std::make_unique<CTextBox>(CRect(1000, -1000, 3000, -2000));
    const CTextBox* text = box.get();
    m_doc.AddObject(std::move(box));
    const CPoint centre = m_view.DocToClient(text->GetPosition().CenterPoint());
    const QPoint at(centre.x, centre.y);
    const auto send = [this, at](QEvent::Type type, Qt::MouseButton button) {
        QMouseEvent event(type, at, m_view.viewport()->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_view.viewport(), &event);
    };
    const auto rest = [&] {
        send(QEvent::MouseMove, Qt::NoButton);
        return QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000);
    };

    ASSERT_TRUE(rest());
    send(QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    send(QEvent::MouseButtonRelease, Qt::RightButton);

    ASSERT_TRUE(rest());
    m_view.Commands().Find(ID_CANCEL)->handler(ID_CANCEL);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));

    send(QEvent::MouseMove, Qt::NoButton);
    send(QEvent::MouseButtonPress, Qt::RightButton);
    send(QEvent::MouseButtonRelease, Qt::RightButton);
    QTest::qWait(600);
    EXPECT_FALSE(QToolTip::isVisible());
    QToolTip::hideText();
}

TEST_F(DrawViewObjectsTest, ConnectImplicitlyTiesTheDominantWiresNetToTheChosenPins) {
    auto* net = new CNet("VCC");
    net->SetAttr("_Implicit", "U1:VCC", 1);
    auto wire = std::make_unique<CWire>();
    net->AddRef();
    wire->SetNet(net);
    CWire* raw = wire.get();
    m_doc.GetObjects().AddTail(wire.release());
    EXPECT_FALSE(Enabled(ID_CONNECT_IMPLICIT));
    m_view.Select(raw);
    ASSERT_TRUE(Enabled(ID_CONNECT_IMPLICIT));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDlgConnectWire*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->list()->count(), 1);
        EXPECT_EQ(dialog->list()->item(0)->text(), "None available");
        dialog->list()->item(0)->setSelected(true);
        dialog->accept();
    });
    m_view.ConnectImplicitly();
    EXPECT_EQ(net->GetAttr("_Implicit"), CString("")) << "the placeholder is no pin";
}

// A 7400 of the standard library, with its hidden supply pins, beside a wire on net VCC: OK with
// no pin chosen changes no byte and records nothing; a pin chosen is one step, which undo takes
// back whole.
TEST_F(DrawViewObjectsTest, ConnectImplicitlyRecordsOnlyAChoiceMade) {
    CNet* net = nullptr;
    ASSERT_NO_FATAL_FAILURE(SelectWireBesideAGate("VCC", net));
    ASSERT_TRUE(Enabled(ID_CONNECT_IMPLICIT));
    const std::vector<BYTE> before = testsupport::DocumentBytes(m_doc);
    const size_t steps = Steps();
    const auto answer = [](bool choose) {
        QTimer::singleShot(0, [choose] {
            auto* dialog = qobject_cast<CDlgConnectWire*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ASSERT_GT(dialog->list()->count(), 0);
            EXPECT_NE(dialog->list()->item(0)->text(), "None available");
            dialog->list()->item(0)->setSelected(choose);
            dialog->accept();
        });
    };
    answer(false);
    m_view.Commands().Find(ID_CONNECT_IMPLICIT)->handler(ID_CONNECT_IMPLICIT);
    EXPECT_EQ(testsupport::DocumentBytes(m_doc), before);
    EXPECT_EQ(Steps(), steps);

    answer(true);
    m_view.Commands().Find(ID_CONNECT_IMPLICIT)->handler(ID_CONNECT_IMPLICIT);
    EXPECT_FALSE(net->GetAttr("_Implicit").IsEmpty());
    EXPECT_EQ(Steps(), steps + 1);
    ASSERT_TRUE(m_doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(m_doc), before);
}

// The road a user takes: a 7400 of the standard library beside a wire on net VDDA; Connect Wire
// Implicitly To.. with the gate's VCC chosen puts pin 14 on VDDA in the netlist, and undo puts
// it back on the device's supply.
TEST_F(DrawViewObjectsTest, AHiddenPinConnectedImplicitlyIsOnTheWiresNetInTheNetlist) {
    CNet* net = nullptr;
    ASSERT_NO_FATAL_FAILURE(SelectWireBesideAGate("VDDA", net));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDlgConnectWire*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const QList<QListWidgetItem*> vcc = dialog->list()->findItems(":VCC", Qt::MatchEndsWith);
        ASSERT_EQ(vcc.size(), 1);
        vcc[0]->setSelected(true);
        dialog->accept();
    });
    m_view.Commands().Find(ID_CONNECT_IMPLICIT)->handler(ID_CONNECT_IMPLICIT);
    testsupport::TempDir dir;
    const std::string file = (dir / "gates.net").string();
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const auto netlist = [&] {
        EXPECT_TRUE(m_doc.BuildNetlist(file.c_str(), formats[kFormatProtel].get()));
        return testsupport::ReadFileText(file);
    };
    EXPECT_NE(netlist().find("(\r\nVDDA\r\nU1-14\r\n)\r\n"), std::string::npos);
    ASSERT_TRUE(m_doc.GetUndoList().Undo());
    const std::string untied = netlist();
    EXPECT_EQ(untied.find("VDDA"), std::string::npos);
    EXPECT_NE(untied.find("U1-14"), std::string::npos);
}

}  // namespace

// A soak of seeded random edits, driven as the editor drives them: the view's commands, its
// drawing tools under the mouse, and the property sheets accepted untouched, on a wired sheet of
// parts of several devices, a bus, net labels and texts. After every step the pins and wire
// ends are linked both ways inside the document and every text showing an attribute of an
// object shows its value; a recorded step undoes to the bytes before it
// and redoes to the bytes after it; a step that records nothing changes no byte, and an
// untouched OK no netlist line either. At the end the whole history is rewound and replayed
// through every state it passed.
//
// VOSK_SOAK_SEED=n runs seed n alone, VOSK_SOAK_SEEDS=n the seeds 1 to n, VOSK_SOAK_STEPS=n
// that many steps of each. A failure names its seed and step and the steps that led to it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "drawtools/ToolManager.h"
#include "gui/dialogs/objects/PinSheetDlg.h"
#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "gui/support/QtTestApp.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/net/WireSheet.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/PinSheet.h"
#include "model/symbol/Symbol.h"
#include "model/symbol/SymbolSheet.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "model/undo/UndoList.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/ProtelFormat.h"
#include "platform/UserPrompt.h"
#include "resources/CommandIds.h"
#include "shell/view/DrawView.h"
#include "support/DocumentBytes.h"
#include "support/LinkAudit.h"
#include "support/ScriptedPrompt.h"

namespace {

using Bytes = std::vector<BYTE>;

// ---------------------------------------------------------------------------------------------
// The sheet

CDevice* MakeDevice(const char* name, const char* map, const char* footprint) {
    auto* device = new CDevice(name);
    std::string lines(map);
    for (char& ch : lines)
        ch = ch == '|' ? '\x01' : ch;
    device->SetMap(lines.c_str(), kMapApply);
    device->SetAttr("_Footprint", footprint, TRUE);
    return device;
}

struct PinPlace {
    const char* id;
    CPoint body;
    CPoint hot;
};

// A part named as in its device's map at (x, y), with a box for a body, its identifier and the
// device (held once more).
CSymbol* AddPart(CDrawDoc& doc, CDevice* device, const char* name, const char* id, CPoint at,
                 std::initializer_list<PinPlace> pins) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->SetFlags(kSymbolDefaultFlags, ~DWORD{0});
    symbol->SetAttr("_Name", name, kSetAttrForce);
    symbol->SetAttr("_ID", id, kSetAttrForce);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 100, 100, -100)));
    for (const PinPlace& place : pins) {
        auto* pin = new CPin(symbol);
        pin->SetEnds(place.body, place.hot);
        pin->SetAttr("_ID", place.id, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
    }
    const double matrix[6] = {1, 0, double(at.x), 0, 1, double(at.y)};
    symbol->SetMatrix(matrix);
    symbol->RecalcBounds(nullptr);
    if (device) {
        device->AddRef();
        symbol->SetDevice(device);
    }
    doc.GetObjects().AddTail(symbol);
    return symbol;
}

template <class T>
T* AddWire(CDrawDoc& doc, std::initializer_list<CPoint> points, const char* net) {
    auto* wire = new T;
    for (const CPoint& point : points)
        wire->AddPoint(point);
    wire->SetDocument(&doc);
    auto* named = new CNet(net);
    named->SetFlags(kNetNamed, kNetNamed);
    named->AddRef();
    if (CNet* old = wire->SetNet(named))
        old->Release();
    wire->RecalcBounds(nullptr);
    doc.GetObjects().AddTail(wire);
    return wire;
}

void AddText(CDrawDoc& doc, const CRect& place, const char* text) {
    auto* box = new CTextBox(place);
    box->SetDocument(&doc);
    box->SetText(text, FALSE);
    doc.GetObjects().AddTail(box);
}

// Two resistors, two gates of a 7400, a two-pin connector and a test point without a device,
// three of their pins wired, one wire running down onto a bus; two texts, a frame and a loose
// pin; the other pins are free.
void FillSheet(CDrawDoc& doc) {
    CDevice* res = MakeDevice("RES", "RES||1|1|2|2", "AXIAL0.4");
    CDevice* nand = MakeDevice("7400", "NAND|A|A|1|B|2|Y|3\nNAND|B|A|4|B|5|Y|6", "DIP14");
    CDevice* conn = MakeDevice("CONN2", "CONN||1|1|2|2", "SIP2");
    const std::initializer_list<PinPlace> twoPins = {{"1", {-100, 0}, {-200, 0}},
                                                     {"2", {100, 0}, {200, 0}}};
    const std::initializer_list<PinPlace> gatePins = {
        {"A", {-100, 50}, {-200, 50}}, {"B", {-100, -50}, {-200, -50}}, {"Y", {100, 0}, {200, 0}}};
    CSymbol* r1 = AddPart(doc, res, "RES", "R1", {1500, -1500}, twoPins);
    CSymbol* r2 = AddPart(doc, res, "RES", "R2", {1500, -2500}, twoPins);
    CSymbol* u1a = AddPart(doc, nand, "NAND", "U1A", {3000, -1500}, gatePins);
    CSymbol* u1b = AddPart(doc, nand, "NAND", "U1B", {3000, -2500}, gatePins);
    AddPart(doc, conn, "CONN", "J1", {4300, -3000}, twoPins);
    AddPart(doc, nullptr, "TP", "TP1", {4300, -700}, {{"1", {0, -100}, {0, -200}}});

    auto* in =
        AddWire<CWire>(doc, {{1700, -1500}, {2300, -1500}, {2300, -1450}, {2800, -1450}}, "IN");
    in->SetStartObject(r1->FindPin("2"));
    in->SetEndObject(u1a->FindPin("A"));
    auto* mid = AddWire<CWire>(
        doc,
        {{3200, -1500}, {3400, -1500}, {3400, -2000}, {2600, -2000}, {2600, -2450}, {2800, -2450}},
        "MID");
    mid->SetStartObject(u1a->FindPin("Y"));
    mid->SetEndObject(u1b->FindPin("A"));
    auto* bus = AddWire<CBus>(doc, {{1200, -3500}, {4000, -3500}}, "D[0..3]");
    auto* down = AddWire<CWire>(doc, {{1700, -2500}, {1700, -3500}}, "D0");
    down->SetStartObject(r2->FindPin("2"));
    down->SetEndObject(bus);

    AddText(doc, CRect(1200, -800, 2600, -1000), "Input stage");
    AddText(doc, CRect(3600, -1000, 4800, -1200), "Rev B");
    auto* frame = new CDrawRect(CRect(3800, -1700, 4600, -2300));
    frame->SetDocument(&doc);
    doc.GetObjects().AddTail(frame);
    auto* loose = new CPin();
    loose->SetDocument(&doc);
    loose->SetEnds(CPoint(4700, -3800), CPoint(4900, -3800));
    loose->SetAttr("_ID", "CLK", kSetAttrForce);
    loose->RecalcBounds();
    doc.GetObjects().AddTail(loose);
}

// ---------------------------------------------------------------------------------------------
// The soak

// Message boxes take their default answer; what they said goes into the step log.
class QuietPrompt : public IUserPrompt {
public:
    QuietPrompt() : m_previous(SetUserPrompt(this)) {}
    ~QuietPrompt() override { SetUserPrompt(m_previous); }
    QuietPrompt(const QuietPrompt&) = delete;
    QuietPrompt& operator=(const QuietPrompt&) = delete;
    int MessageBox(const CString& text, const CString&, UINT type) override {
        shown.push_back(text.str());
        return DefaultMessageBoxAnswer(type);
    }
    std::vector<std::string> shown;

private:
    IUserPrompt* m_previous;
};

struct SoakFailure {
    std::string what;
};

class EditSoak {
public:
    explicit EditSoak(unsigned seed)
        : m_seed(seed), m_random(seed), m_previousTools(SetToolManager(&m_tools)) {
        FillSheet(m_doc);
        m_view = std::make_unique<CDrawView>(m_doc);
        m_view->resize(900, 700);
        m_view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->ZoomToSheetRect(CRect(800, -500, 5200, -4000));
        // Whatever window a command opens is accepted as it stands.
        QObject::connect(&m_acceptor, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        m_acceptor.start(1);
    }
    ~EditSoak() {
        m_acceptor.stop();
        m_view.reset();
        SetToolManager(m_previousTools);
    }
    EditSoak(const EditSoak&) = delete;
    EditSoak& operator=(const EditSoak&) = delete;

    // The first fault in steps random steps and the rewind and replay after them, with the steps
    // that led to it; empty when none.
    std::string Run(int steps) {
        try {
            m_states.push_back(DocumentBytes());
            Edit("show the net names", [this] {
                m_view->Select(nullptr);
                for (CDrawObj* wire : ObjectsOfType({kObjWire, kObjBus}))
                    m_view->Select(wire, true);
                Command(ID_SHOW_IDENTIFIER);
            });
            for (m_step = 1; m_step <= steps; ++m_step)
                Step();
            RewindAndReplay();
        } catch (const SoakFailure& failure) {
            std::ostringstream text;
            text << "seed " << m_seed << ", step " << m_step << ": " << failure.what
                 << "\nreplay with VOSK_SOAK_SEED=" << m_seed << " VOSK_SOAK_STEPS=" << m_step
                 << "\nsteps:\n"
                 << m_log.str();
            return text.str();
        }
        return {};
    }

private:
    // -----------------------------------------------------------------------------------------
    // Steps

    void Step() {
        switch (Pick(13)) {
            case 0:
            case 1:
                Edit("move", [this] { DragSelection(); });
                break;
            case 2:
                Edit("rotate or mirror", [this] { TransformSelection(); });
                break;
            case 3:
                Edit("delete", [this] {
                    SelectSome(2);
                    Command(ID_EDIT_CLEAR);
                });
                break;
            case 4:
                Edit("copy and paste", [this] { CopyAndPaste(); });
                break;
            case 5:
                Edit("draw a wire", [this] { DrawWireBetweenFreePins(); });
                break;
            case 6:
            case 7:
                AcceptPropertiesUntouched();
                break;
            case 8:
                Edit("align", [this] { AlignSelection(); });
                break;
            case 9:
            case 10:
                UndoRun(ID_EDIT_UNDO);
                break;
            default:
                UndoRun(ID_EDIT_REDO);
                break;
        }
    }

    // The selection is dragged by one of its objects other than a wire, when it has one (the
    // whole selection moves); a wire is dragged by a segment (it is rerouted).
    void DragSelection() {
        SelectSome(3);
        std::vector<CDrawObj*> grips;
        for (CDrawObj* object : Selection()) {
            if (object->GetObjType() != kObjWire && object->GetObjType() != kObjBus)
                grips.push_back(object);
        }
        CDrawObj* grabbed = grips.empty() ? Dominant() : grips[Pick(grips.size())];
        if (!grabbed)
            return;
        const QPoint from = Pixel(GrabPoint(*grabbed));
        const CSize by(Between(-3, 3) * 100, Between(-3, 3) * 100);
        const QPoint to = Pixel(GrabPoint(*grabbed) + by);
        Log("drag from " + Describe(GrabPoint(*grabbed)) + " by " + Describe(CPoint(by.cx, by.cy)));
        QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(Port(), (from + to) / 2);
        QTest::mouseMove(Port(), to);
        QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, to);
    }

    // A wire is grabbed on one of its segments, anything else in its middle on the sheet.
    CPoint GrabPoint(CDrawObj& object) {
        if (auto* wire = dynamic_cast<CWire*>(&object); wire && wire->GetPointCount() >= 2) {
            const int segment = Between(0, wire->GetPointCount() - 2);
            const CPoint a = wire->GetPoint(segment);
            const CPoint b = wire->GetPoint(segment + 1);
            return CPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
        }
        CRect box = object.GetPosition();
        box.NormalizeRect();
        CPoint centre = box.CenterPoint();
        object.LocalToDoc(&centre, 1);
        return centre;
    }

    void TransformSelection() {
        static constexpr UINT kTransforms[] = {ID_EDIT_ROTATE_90, ID_EDIT_ROTATE_MINUS_90,
                                               ID_EDIT_MIRROR_HORZ, ID_EDIT_MIRROR_VERT};
        SelectSome(3);
        Command(kTransforms[Pick(4)]);
    }

    void CopyAndPaste() {
        SelectSome(3);
        Command(ID_EDIT_COPY);
        Command(ID_EDIT_PASTE);
    }

    void AlignSelection() {
        static constexpr UINT kAligns[] = {ID_ALIGN_TOP,  ID_ALIGN_VERTICAL,   ID_ALIGN_BOTTOM,
                                           ID_ALIGN_LEFT, ID_ALIGN_HORIZONTAL, ID_ALIGN_RIGHT};
        SelectSome(4);
        Command(kAligns[Pick(6)]);
    }

    void DrawWireBetweenFreePins() {
        std::vector<CPin*> free;
        for (CDrawObj* object : ObjectsOfType({kObjSymbol})) {
            CObList& pins = static_cast<CSymbol*>(object)->GetPins();
            for (POSITION pos = pins.GetHeadPosition(); pos;) {
                auto* pin = static_cast<CPin*>(pins.GetNext(pos));
                if (!pin->GetWire())
                    free.push_back(pin);
            }
        }
        if (free.size() < 2)
            return;
        CPin* from = free[Pick(free.size())];
        CPin* to = free[Pick(free.size())];
        if (from == to)
            return;
        Log("wire from " + Describe(from->GetConnectPoint()) + " to " +
            Describe(to->GetConnectPoint()));
        Command(ID_DRAW_WIRE);
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(from->GetConnectPoint()));
        QTest::mouseMove(Port(), Pixel(to->GetConnectPoint()));
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(to->GetConnectPoint()));
    }

    // The sheet of an object of a random kind, over it alone or with others, accepted as it
    // opened: no step, no byte and no netlist line may change.
    void AcceptPropertiesUntouched() {
        static constexpr int kKinds[] = {kObjSymbol, kObjWire, kObjBus,
                                         kObjPin,    kObjText, kObjRect};
        const int kind = kKinds[Pick(6)];
        const std::vector<CDrawObj*> candidates = ObjectsOfType({kind});
        if (candidates.empty())
            return;
        SelectSome(Pick(3));
        m_view->Select(candidates[Pick(candidates.size())], true);
        Log("properties of " + SelectionText());
        const Bytes before = DocumentBytes();
        const std::string netlist = ProtelNetlist();
        const CCommand* last = m_doc.GetUndoList().GetLastDone();
        const int count = m_doc.GetUndoList().GetCount();
        Command(ID_EDIT_PROPERTIES);
        BackToSelectTool();
        CheckLinks("after an untouched OK");
        const Bytes now = DocumentBytes();
        if (m_doc.GetUndoList().GetLastDone() != last || m_doc.GetUndoList().GetCount() != count)
            Fail("an untouched OK recorded the step \"" +
                 std::string(m_doc.GetUndoList().GetUndoName()) + "\"");
        if (now != before)
            Fail("an untouched OK changed the document: " + FirstDifference(now, before));
        const std::string after = ProtelNetlist();
        if (after != netlist)
            Fail("an untouched OK changed the netlist:\n" + netlist + "----\n" + after);
    }

    void UndoRun(UINT command) {
        const bool undo = command == ID_EDIT_UNDO;
        const int count = Between(1, 4);
        for (int i = 0; i < count; ++i) {
            CUndoList& list = m_doc.GetUndoList();
            if (undo ? !list.CanUndo() : !list.CanRedo())
                return;
            Log(std::string(undo ? "undo " : "redo ") +
                (undo ? list.GetUndoName() : list.GetRedoName()));
            Command(command);
            m_done += undo ? -1 : 1;
            ExpectState(undo ? "undo" : "redo");
        }
    }

    void RewindAndReplay() {
        m_log << "rewind and replay\n";
        while (m_doc.GetUndoList().CanUndo()) {
            Command(ID_EDIT_UNDO);
            --m_done;
            ExpectState("the rewind");
        }
        while (m_doc.GetUndoList().CanRedo()) {
            Command(ID_EDIT_REDO);
            ++m_done;
            ExpectState("the replay");
        }
        if (m_done + 1 != m_states.size())
            Fail("the replay ended short of the last state");
    }

    // -----------------------------------------------------------------------------------------
    // The checks of an edit

    // Runs an edit's gesture. When it recorded a step, that step's undo must give back the
    // bytes before and its redo the bytes after; when not, nothing may have changed.
    void Edit(const std::string& name, const std::function<void()>& gesture) {
        Log(name);
        const Bytes before = DocumentBytes();
        const CCommand* last = m_doc.GetUndoList().GetLastDone();
        gesture();
        BackToSelectTool();
        CheckLinks("after " + name);
        const Bytes after = DocumentBytes();
        CUndoList& list = m_doc.GetUndoList();
        if (list.GetLastDone() == last) {
            if (after != before)
                Fail(name + " changed the document without recording a step");
            // A step recorded and taken back at once (a wire begun and cancelled) still drops
            // the undone steps.
            if (!list.CanRedo())
                m_states.resize(m_done + 1);
            return;
        }
        Log(std::string("  recorded \"") + list.GetUndoName() + "\"");
        Record(after);
        Command(ID_EDIT_UNDO);
        --m_done;
        ExpectState("its undo");
        Command(ID_EDIT_REDO);
        ++m_done;
        ExpectState("its redo");
    }

    // The state after a new step: the undone states are dropped, and the oldest ones the
    // list no longer keeps.
    void Record(const Bytes& after) {
        m_states.resize(m_done + 1);
        m_states.push_back(after);
        ++m_done;
        while (m_states.size() > std::size_t(m_doc.GetUndoList().GetCount()) + 1) {
            m_states.erase(m_states.begin());
            --m_done;
        }
    }

    void ExpectState(const std::string& when) {
        CheckLinks("after " + when);
        const Bytes now = DocumentBytes();
        const Bytes& expected = m_states[m_done];
        if (now != expected)
            Fail("the bytes after " + when + " are not those of state " + std::to_string(m_done) +
                 " of the history: " + FirstDifference(now, expected));
    }

    static std::string FirstDifference(const Bytes& now, const Bytes& expected) {
        const auto [at, _] =
            std::mismatch(now.begin(), now.end(), expected.begin(), expected.end());
        return "they differ from byte " + std::to_string(at - now.begin()) + " of " +
               std::to_string(now.size()) + " (" + std::to_string(expected.size()) + " expected)";
    }

    // The links hold, and every text that shows an attribute of an object shows its value.
    void CheckLinks(const std::string& when) {
        const std::string broken = testsupport::FirstBrokenLink(m_doc);
        if (!broken.empty())
            Fail(when + ": " + broken);
        const CObList& objects = m_doc.GetObjects();
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            const auto* text = dynamic_cast<CAttrText*>(objects.GetNext(pos));
            CDrawObj* owner = text ? text->GetOwnerObject() : nullptr;
            if (owner && text->GetText() != owner->GetAttr(text->GetName()))
                Fail(when + ": a text shows \"" + text->GetText().str() + "\" for " +
                     text->GetName().str() + " \"" + owner->GetAttr(text->GetName()).str() + "\"");
        }
    }

    [[noreturn]] void Fail(const std::string& what) { throw SoakFailure{what}; }

    // -----------------------------------------------------------------------------------------
    // The editor's side

    void Command(UINT id) {
        const CommandMap::Entry* entry = m_view->Commands().Find(id);
        if (!entry)
            Fail("the view has no command " + std::to_string(id));
        CmdUI ui;
        ui.id = id;
        if (entry->update)
            entry->update(ui);
        else
            ui.Enable(static_cast<bool>(entry->handler));
        if (ui.enabled && entry->handler)
            entry->handler(id);
    }

    // Esc, as often as it takes, ends whatever tool a gesture left running.
    void BackToSelectTool() {
        for (int i = 0; i < 3 && (m_tools.state.currentShape != kToolSelect ||
                                  m_tools.CurrentTool()->HasOpenObject());
             ++i)
            QTest::keyClick(Port(), Qt::Key_Escape);
    }

    // Empties the selection and selects up to most random objects, each with its texts.
    void SelectSome(int most) {
        m_view->Select(nullptr);
        const CObList& objects = m_doc.GetObjects();
        const int count = Between(most > 0 ? 1 : 0, most);
        for (int i = 0; i < count && !objects.IsEmpty(); ++i)
            m_view->Select(static_cast<CDrawObj*>(objects.GetAt(objects.FindIndex(
                               static_cast<int>(Pick(std::size_t(objects.GetCount())))))),
                           true);
    }

    std::vector<CDrawObj*> Selection() const {
        std::vector<CDrawObj*> objects;
        const CObList& selection = m_view->GetSelection();
        for (POSITION pos = selection.GetHeadPosition(); pos;)
            objects.push_back(static_cast<CDrawObj*>(selection.GetNext(pos)));
        return objects;
    }

    CDrawObj* Dominant() const {
        const CObList& selection = m_view->GetSelection();
        return selection.IsEmpty() ? nullptr : static_cast<CDrawObj*>(selection.GetTail());
    }

    std::vector<CDrawObj*> ObjectsOfType(std::initializer_list<int> types) const {
        std::vector<CDrawObj*> found;
        const CObList& objects = m_doc.GetObjects();
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
            for (int type : types) {
                if (object->GetObjType() == type)
                    found.push_back(object);
            }
        }
        return found;
    }

    QWidget* Port() const { return m_view->viewport(); }
    QPoint Pixel(CPoint sheet) const {
        const CPoint at = m_view->DocToClient(sheet);
        return QPoint(at.x, at.y);
    }

    std::string ProtelNetlist() {
        CProtelFormat writer;
        std::ostringstream out;
        std::ostringstream log;
        CNetNode top(m_doc.GetPathName());
        writer.WriteHeader(m_doc.m_netlist, out, log);
        m_doc.m_netlist.Build(top, writer, out, log);
        writer.WriteBody(m_doc.m_netlist, top, out, log);
        return out.str();
    }

    Bytes DocumentBytes() { return testsupport::DocumentBytes(m_doc); }

    // -----------------------------------------------------------------------------------------
    // The seed's choices and the log

    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
    }
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }

    void Log(const std::string& line) {
        m_log << "  " << m_step << ": " << line << '\n';
        for (const std::string& message : m_prompt.shown)
            m_log << "    message \"" << message << "\"\n";
        m_prompt.shown.clear();
    }
    static std::string Describe(CPoint point) {
        return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
    }
    std::string SelectionText() const {
        std::string text;
        for (CDrawObj* object : Selection())
            text += (text.empty() ? "type " : ", ") + std::to_string(object->GetObjType());
        return text;
    }

    unsigned m_seed;
    std::mt19937 m_random;
    int m_step = 0;
    std::ostringstream m_log;
    testsupport::RecordingAppServices m_services;
    QuietPrompt m_prompt;
    CWireSheetRunner m_wireSheets;
    CPinSheetRunner m_pinSheets;
    CSymbolSheetRunner m_symbolSheets;
    ScopedInstall<IWireSheetRunner> m_installedWireSheets{m_wireSheets};
    ScopedInstall<IPinSheetRunner> m_installedPinSheets{m_pinSheets};
    ScopedInstall<ISymbolSheetRunner> m_installedSymbolSheets{m_symbolSheets};
    ToolManager m_tools;
    ToolManager* m_previousTools;
    CDrawDoc m_doc;
    std::unique_ptr<CDrawView> m_view;
    QTimer m_acceptor;
    // The document's bytes at each place of the undo list's cursor, and the cursor's place.
    std::vector<Bytes> m_states;
    std::size_t m_done = 0;
};

int EnvNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

TEST(EditSoak, SeededEditsKeepLinksUndoAndUntouchedSheets) {
    QtTestApp::ensure();
    const int steps = EnvNumber("VOSK_SOAK_STEPS", 100);
    std::vector<unsigned> seeds;
    if (const int seed = EnvNumber("VOSK_SOAK_SEED", 0))
        seeds.push_back(unsigned(seed));
    else
        for (int seed = 1; seed <= EnvNumber("VOSK_SOAK_SEEDS", 5); ++seed)
            seeds.push_back(unsigned(seed));
    for (unsigned seed : seeds) {
        EditSoak soak(seed);
        const std::string failure = soak.Run(steps);
        EXPECT_TRUE(failure.empty()) << failure;
    }
}

}  // namespace

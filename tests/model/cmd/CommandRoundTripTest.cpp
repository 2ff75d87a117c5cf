// Every command, done, undone and redone through the undo list, takes the document between the
// same two states: its archived bytes, its object order and the objects' flags.

#include <gtest/gtest.h>

#include <string>

#include "CmdTestSheet.h"
#include "model/cmd/AddCmd.h"
#include "model/cmd/ArrangeEdits.h"
#include "model/cmd/AttrEditCmd.h"
#include "model/cmd/AttrMapEditCmd.h"
#include "model/cmd/ChangeDeviceCmd.h"
#include "model/cmd/DeviceEditCmd.h"
#include "model/cmd/DocSettingsCmd.h"
#include "model/cmd/GroupCmd.h"
#include "model/cmd/NamedCmd.h"
#include "model/cmd/NetChangeCmd.h"
#include "model/cmd/NetPropCmd.h"
#include "model/cmd/ObjectEditCmd.h"
#include "model/cmd/OrderCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/cmd/RenumberCmd.h"
#include "model/cmd/RerouteCmd.h"
#include "model/cmd/SelectionEdits.h"
#include "model/cmd/SetDeviceCmd.h"
#include "model/cmd/ShapeEditCmd.h"
#include "model/cmd/SpiceSourceCmd.h"
#include "model/cmd/SymbolPropEditCmd.h"
#include "model/cmd/TextFormat.h"
#include "model/cmd/TextPropCmd.h"
#include "model/cmd/TransformCmd.h"
#include "model/device/MapText.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"

namespace {

// A command ready to be recorded: done already (the sheet was edited) or still to be done. No
// command when the edit recorded its own.
struct Prepared {
    CCommand* command;
    bool done;
};

struct RoundTripCase {
    const char* name;   // the test's name
    const char* label;  // the command's label
    Prepared (*prepare)(CmdTestSheet& sheet);
    // Completes the sheet before its first snapshot, for the commands that need more objects.
    void (*arrange)(CmdTestSheet& sheet) = nullptr;
};

Prepared AddOne(CmdTestSheet& sheet) {
    return {new CAddCmd(sheet.New(10), FALSE), false};
}

// Placed and linked by the caller before the command is recorded.
Prepared AddPlacedAndLinked(CmdTestSheet& sheet) {
    TestPart* x = sheet.Place(10);
    TestPart* y = sheet.Place(11);
    TestPart::Link(x, sheet.At(1));
    TestPart::Link(y, x);
    return {new CAddCmd(ObjectList{x, y}, TRUE), true};
}

Prepared RemoveOne(CmdTestSheet& sheet) {
    return {new CRemoveCmd(sheet.At(3)), false};
}

Prepared RemoveAll(CmdTestSheet& sheet) {
    return {new CRemoveCmd(ObjectList{sheet.At(6), sheet.At(1), sheet.At(3), sheet.At(2),
                                      sheet.At(5), sheet.At(4)}),
            false};
}

Prepared ShapeEdit(CmdTestSheet& sheet) {
    TestPart* object = sheet.At(1);
    auto* command = new CShapeEditCmd(object);
    const LOGPEN followsDefault{PS_DASH, {5, 0}, kDefaultColour};
    const LOGBRUSH brush{BS_HATCHED, 0x00FF00, 3};
    object->SetPen(&followsDefault);
    object->SetBrush(&brush);
    object->SetFlags(kFlagFilled, kFlagFilled);
    object->MoveTo(CRect(-50, -50, 50, 50), nullptr);
    return {command, true};
}

Prepared AttributeMapEdit(CmdTestSheet& sheet) {
    TestPart* object = sheet.At(2);
    auto* command = new CAttrMapEditCmd(object);
    object->SetAttr("Value", "2k2", 0);
    object->SetAttr("Tol", "5%", 0);
    object->RemoveAttr("_ID");
    EXPECT_TRUE(command->HasChanged());
    return {command, true};
}

Prepared NewDocumentAttribute(CmdTestSheet& sheet) {
    sheet.doc.SetAttribute("Rev", "B", 0);
    return {new CAttrEditCmd("Rev", "", TRUE), true};
}

Prepared ObjectAttribute(CmdTestSheet& sheet) {
    sheet.At(2)->SetAttr("Value", "2k2", 0);
    return {new CAttrEditCmd("Value", "1k", FALSE, sheet.At(2)), true};
}

// A multi-line text box after the six objects, wrapped to its width.
void PlaceTextBox(CmdTestSheet& sheet) {
    auto* box = new CTextBox(CRect(0, 0, 600, -300));
    box->SetDocument(&sheet.doc);
    box->SetTextFlags(kTextMultiLine, kTextMultiLine);
    box->SetText("Power supply", FALSE);
    sheet.doc.GetObjects().AddTail(box);
}

CTextBox* PlacedTextBox(CmdTestSheet& sheet) {
    return static_cast<CTextBox*>(sheet.doc.GetObjects().GetTail());
}

// A new own font, wrapped text and an outline: the layout moves the box's edges.
Prepared TextBoxProperties(CmdTestSheet& sheet) {
    CTextBox* box = PlacedTextBox(sheet);
    auto* command = new CTextPropCmd(box);
    LOGFONT font = CTextBox::kDefaultFont;
    font.lfHeight = -120;
    box->SetFont(&font);
    box->SetText("Amplifier stage of the supply", FALSE);
    box->SetFlags(kFlagOutlined, kFlagOutlined);
    EXPECT_TRUE(command->HasChanged());
    return {command, true};
}

Prepared OrderChange(CmdTestSheet& sheet) {
    auto* command = new COrderCmd;
    command->Add(sheet.At(6), 0);
    command->Add(sheet.At(1), 99);  // beyond the list: the tail
    command->Add(sheet.At(5), -3);  // before it: the head
    command->Add(sheet.At(3), 1);
    return {command, false};
}

Prepared Renumber(CmdTestSheet& sheet) {
    auto* command = new CRenumberCmd;
    command->Add("R1", sheet.At(2));
    command->Add("R2", sheet.At(3));
    sheet.At(2)->SetAttr("_ID", "R7", 0);
    sheet.At(3)->SetAttr("_ID", "R8", 0);
    return {command, true};
}

// Parts 2 and 3 are symbols of one shared resistor device.
void ShareResistor(CmdTestSheet& sheet) {
    sheet.At(2)->SetTestDevice("RES");
    sheet.At(2)->GetDevice()->SetAttr("_Value", "1k", TRUE);
    sheet.At(3)->UseDevice(sheet.At(2)->GetDevice());
}

// Gives the part a new device and identifier; the command keeps the old ones.
void GiveDevice(TestPart* part, CSetDeviceCmd& command, const char* name, const char* id) {
    CString had;
    command.Add(part, part->GetDevice(), part->LookupAttr("_ID", had) ? had.c_str() : nullptr);
    part->UseDevice(new CDevice(name));
    part->SetAttr("_ID", id, kSetAttrForce);
}

Prepared SetDevice(CmdTestSheet& sheet) {
    auto* command = new CSetDeviceCmd;
    GiveDevice(sheet.At(3), *command, "CAP", "C1");
    GiveDevice(sheet.At(4), *command, "CAP", "C2");  // had none
    return {command, true};
}

Prepared ChangeDevice(CmdTestSheet& sheet) {
    TestPart* symbol = sheet.At(2);
    CDevice* old = symbol->GetDevice();
    old->AddRef();  // as the symbol does while it changes devices
    symbol->UseDevice(new CDevice("RES(2)"));
    symbol->SetAttr("_ID", "R7", kSetAttrForce);
    auto* command = new CChangeDeviceCmd(symbol, old, "R1");
    old->Release();
    return {command, true};
}

Prepared DeviceEdit(CmdTestSheet& sheet) {
    CDevice* device = sheet.At(2)->GetDevice();
    auto* edited = new CDevice(*device);
    edited->SetAttr("_Value", "4k7", FALSE);
    edited->SetAttr("_Map", MapText("R||1|2").c_str(), FALSE);
    return {new CDeviceEditCmd(device, edited), false};
}

Prepared ObjectEdit(CmdTestSheet& sheet) {
    CDrawObj* copy = sheet.At(4)->Clone(&sheet.doc);
    copy->MoveTo(CRect(500, 500, 600, 600), nullptr);
    return {new CObjectEditCmd(sheet.At(4), copy), false};
}

Prepared NamedEdit(CmdTestSheet& sheet) {
    auto* command = new CNamedCmd;
    EXPECT_TRUE(
        command->BeginEdit(&sheet.doc, ObjectList{sheet.At(2), sheet.At(3)}, "object properties"));
    auto* copy = static_cast<TestPart*>(command->GetCopies().GetHead());
    copy->SetAttr("Value", "4k7", 0);
    copy->MoveTo(CRect(0, 0, 1, 1), nullptr);
    return {command, true};
}

Prepared DocumentSettings(CmdTestSheet& sheet) {
    DocSettings settings = DocSettings::Of(sheet.doc);
    settings.paperSize = {20000, -15000};
    settings.margins = {7000, 500, 7000, 500};
    settings.pen.lopnColor = 0x0000FF;
    settings.pinFont.lfHeight = 100;
    settings.firstPartNumber = 100;
    settings.border.m_flags = 0x10;
    return {new CDocSettingsCmd(settings, FALSE), false};
}

Prepared PrintOptions(CmdTestSheet& sheet) {
    DocSettings settings = DocSettings::Of(sheet.doc);
    settings.printSettings.m_scale = 2.0f;
    settings.printSettings.m_flags = CPrintSettings::kMonochrome;
    return {new CDocSettingsCmd(settings, TRUE), false};
}

// The last two parts go into a new symbol; undoing puts them back at the tail.
Prepared Group(CmdTestSheet& sheet) {
    auto* symbol = new CSymbol();
    return {new CGroupCmd(symbol, ObjectList{sheet.At(5), sheet.At(6)}), false};
}

// A symbol with one pin after the six parts.
void PlaceSymbol(CmdTestSheet& sheet) {
    auto* symbol = new CSymbol();
    auto* pin = new CPin(symbol);
    pin->SetEnds(CPoint(0, 0), CPoint(100, 0));
    symbol->GetPins().AddTail(pin);
    symbol->SetDocument(&sheet.doc);
    symbol->SetAttr("_ID", "U1", kSetAttrForce);
    symbol->SetAttr("_Value", "10k", kSetAttrForce);
    symbol->RecalcBounds(nullptr);
    sheet.doc.GetObjects().AddTail(symbol);
}

Prepared SymbolProperties(CmdTestSheet& sheet) {
    auto* symbol = static_cast<CSymbol*>(sheet.doc.GetObjects().GetTail());
    auto* command = new CSymbolPropEditCmd(symbol);
    symbol->SetAttr("_Value", "22k", kSetAttrForce);
    symbol->RemoveAttr("_ID");
    symbol->SetFlags(kSymbolPinNamesAll, kSymbolPinNamesMask);
    symbol->Rotate(900, 0, 0, nullptr);
    auto* device = new CDevice("R");
    device->AddRef();
    symbol->SetDevice(device);
    EXPECT_TRUE(command->HasChanged());
    return {command, true};
}

// A simulation source after the six parts, its PULSE set stored already.
void PlaceSpiceSource(CmdTestSheet& sheet) {
    auto* source = new CSpiceSymbol();
    source->SetDocument(&sheet.doc);
    source->SetAttr("_ID", "V1", kSetAttrForce);
    EXPECT_EQ(source->StoreSet(CSpiceSymbol::kPulse, {"0", "5", "0", "1n", "1n", "1u", "2u"}), -1);
    sheet.doc.GetObjects().AddTail(source);
}

// A sine from now on, and the pulse changed on the way.
Prepared SpiceSource(CmdTestSheet& sheet) {
    auto* source = static_cast<CSpiceSymbol*>(sheet.doc.GetObjects().GetTail());
    CSpiceSymbol::SourceState state = source->GetSourceState();
    state.kind = CSpiceSymbol::kSin;
    state.sets[CSpiceSymbol::kSin] = CString(
        "0\x01"
        "1\x01"
        "1k\x01"
        "0\x01"
        "0");
    state.sets[CSpiceSymbol::kPulse] = CString(
        "0\x01"
        "3\x01"
        "0\x01"
        "1n\x01"
        "1n\x01"
        "1u\x01"
        "2u");
    auto* command = new CSpiceSourceCmd(source, state);
    EXPECT_TRUE(command->HasChanged());
    return {command, false};
}

// Two wires after the six parts, each with a net of its own ("VCC" and "GND").
void PlaceWires(CmdTestSheet& sheet) {
    for (const char* name : {"VCC", "GND"}) {
        auto* wire = new CWire;
        wire->AddPoint(CPoint(0, 0));
        wire->AddPoint(CPoint(100, 0));
        wire->SetDocument(&sheet.doc);
        auto* net = new CNet(name);
        net->AddRef();
        wire->SetNet(net);
        sheet.doc.GetObjects().AddTail(wire);
    }
}

CWire* PlacedWire(CmdTestSheet& sheet, bool last) {
    CObList& objects = sheet.doc.GetObjects();
    return static_cast<CWire*>(last ? objects.GetTail() : objects.GetAt(objects.FindIndex(6)));
}

Prepared NetChange(CmdTestSheet& sheet) {
    return {new CNetChangeCmd({PlacedWire(sheet, false)}, PlacedWire(sheet, true)->GetNet()),
            false};
}

Prepared NetProperties(CmdTestSheet& sheet) {
    CNet* net = PlacedWire(sheet, true)->GetNet();
    auto* command = new CNetPropCmd(net);
    net->SetAttr("Freq", "10M", 0);
    return {command, true};
}

// The second wire ends on the first.
void PlaceJoinedWires(CmdTestSheet& sheet) {
    PlaceWires(sheet);
    CWire* main = PlacedWire(sheet, false);
    CWire* branch = PlacedWire(sheet, true);
    branch->SetEnd(50, 0, main);
}

Prepared Reroute(CmdTestSheet& sheet) {
    CWire* main = PlacedWire(sheet, false);
    CDrawObj* old[] = {main};
    CConnectionList before;
    before.Collect(old);
    before.Release();
    auto* copy = static_cast<CWire*>(main->Duplicate());
    copy->InsertPoint(2, 100, 500);
    PlacedWire(sheet, true)->SetEndObject(copy);
    CDrawObj* replacing[] = {copy};
    CConnectionList after;
    after.Collect(replacing);
    CObList& objects = sheet.doc.GetObjects();
    objects.SetAt(objects.Find(main), copy);
    return {new CRerouteCmd(main, copy, before, after), true};
}

// A wire from (1000, 0) to the pin of the symbol placed after the six parts.
void PlaceSymbolWithWire(CmdTestSheet& sheet) {
    PlaceSymbol(sheet);
    auto* symbol = static_cast<CSymbol*>(sheet.doc.GetObjects().GetTail());
    auto* wire = new CWire;
    wire->AddPoint(CPoint(1000, 0));
    wire->SetDocument(&sheet.doc);
    wire->SetEnd(100, 0, static_cast<CDrawObj*>(symbol->GetPins().GetHead()));
    auto* net = new CNet;
    net->AddRef();
    wire->SetNet(net);
    sheet.doc.GetObjects().AddTail(wire);
}

Prepared MoveWithWire(CmdTestSheet& sheet) {
    CObList& objects = sheet.doc.GetObjects();
    auto* symbol = static_cast<CDrawObj*>(objects.GetAt(objects.FindIndex(6)));
    auto* command = new CTransformCmd(&sheet.doc, ObjectList{symbol}, kTransformMove);
    command->Begin();
    command->SetMove(300, 500);
    command->Apply();
    return {command, true};
}

// The view's edits of a selection record their own steps.
Prepared LineColour(CmdTestSheet& sheet) {
    EditSelectionColour(sheet.doc, ObjectList{sheet.At(2), sheet.At(4)}, false, ColourEdit::kSet,
                        0x0000FF);
    return {nullptr, true};
}

void FillFirst(CmdTestSheet& sheet) {
    sheet.At(1)->SetFlags(kFlagFilled, kFlagFilled);
}

Prepared RemoveFill(CmdTestSheet& sheet) {
    EditSelectionColour(sheet.doc, ObjectList{sheet.At(1)}, true, ColourEdit::kRemove, 0);
    return {nullptr, true};
}

Prepared LineStyle(CmdTestSheet& sheet) {
    EditSelectionStyle(sheet.doc, ObjectList{sheet.At(3)}, false, -150);
    return {nullptr, true};
}

Prepared ToFront(CmdTestSheet& sheet) {
    MoveSelectionInOrder(sheet.doc, ObjectList{sheet.At(2), sheet.At(1)}, OrderMove::kToFront);
    return {nullptr, true};
}

Prepared TextFormat(CmdTestSheet& sheet) {
    ToggleTextFontStyle(sheet.doc, ObjectList{sheet.doc.GetObjects().GetTail()},
                        TextFontStyle::kBold);
    return {nullptr, true};
}

// Three lines of a triangle after the six parts.
void PlaceTriangle(CmdTestSheet& sheet) {
    for (const CRect& r : {CRect(0, 1000, 1000, 0), CRect(0, 0, 1000, 0), CRect(0, 0, 0, 1000)}) {
        auto* line = new CDrawRect(r);
        line->SetShape(kShapeLine);
        line->SetFlags(0x12, 0xFFFFFFFF);
        line->SetDocument(&sheet.doc);
        sheet.doc.GetObjects().AddTail(line);
    }
}

Prepared FillShape(CmdTestSheet& sheet) {
    CObList& objects = sheet.doc.GetObjects();
    ObjectList lines{objects.GetAt(objects.FindIndex(6)), objects.GetAt(objects.FindIndex(7)),
                     objects.GetTail()};
    EXPECT_TRUE(CreateFillShape(sheet.doc, lines));
    return {nullptr, true};
}

Prepared AlignLeft(CmdTestSheet& sheet) {
    EXPECT_TRUE(AlignSelection(sheet.doc, ObjectList{sheet.At(5), sheet.At(2)}, AlignMode::kLeft));
    return {nullptr, true};
}

void WidenLast(CmdTestSheet& sheet) {
    sheet.At(6)->MoveTo(CRect(6, 0, 106, 50), nullptr);
}

Prepared SameSize(CmdTestSheet& sheet) {
    EXPECT_TRUE(
        MakeSelectionSameSize(sheet.doc, ObjectList{sheet.At(3), sheet.At(6)}, SizeMode::kBoth));
    return {nullptr, true};
}

const RoundTripCase kCases[] = {
    {"Reroute", "wire re-route", Reroute, PlaceJoinedWires},
    {"MoveWithWire", "move", MoveWithWire, PlaceSymbolWithWire},
    {"NetChange", "net change", NetChange, PlaceWires},
    {"NetProperties", "net properties", NetProperties, PlaceWires},
    {"Group", "group objects", Group},
    {"SymbolProperties", "property edit", SymbolProperties, PlaceSymbol},
    {"SpiceSource", "property edit", SpiceSource, PlaceSpiceSource},
    {"AddOne", "add object", AddOne},
    {"AddPlacedAndLinked", "add objects", AddPlacedAndLinked},
    {"RemoveOne", "remove object", RemoveOne},
    {"RemoveAll", "remove objects", RemoveAll},
    {"ShapeEdit", "property edit", ShapeEdit},
    {"AttributeMapEdit", "property edit", AttributeMapEdit},
    {"NewDocumentAttribute", "property edit", NewDocumentAttribute},
    {"ObjectAttribute", "property edit", ObjectAttribute},
    {"TextBoxProperties", "text properties", TextBoxProperties, PlaceTextBox},
    {"OrderChange", "order change", OrderChange},
    {"Renumber", "renumber", Renumber},
    {"ObjectEdit", "object edit", ObjectEdit},
    {"SetDevice", "set device", SetDevice, ShareResistor},
    {"ChangeDevice", "change device", ChangeDevice, ShareResistor},
    {"DeviceEdit", "device edit", DeviceEdit, ShareResistor},
    {"NamedEdit", "object properties", NamedEdit},
    {"DocumentSettings", "document settings", DocumentSettings},
    {"PrintOptions", "print options", PrintOptions},
    {"LineColour", "line colour", LineColour},
    {"RemoveFill", "remove fill", RemoveFill, FillFirst},
    {"LineStyle", "line style", LineStyle},
    {"ToFront", "order change", ToFront},
    {"TextFormat", "text format", TextFormat, PlaceTextBox},
    {"CreateFillShape", "create fill shape", FillShape, PlaceTriangle},
    {"AlignLeft", "align left", AlignLeft},
    {"SameSize", "make same size", SameSize, WidenLast},
};

class CommandRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(CommandRoundTrip, UndoAndRedoReturnToTheSameStates) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    if (GetParam().arrange)
        GetParam().arrange(sheet);
    const DocSnapshot before = Snapshot(sheet.doc);
    const Prepared prepared = GetParam().prepare(sheet);
    if (prepared.command) {
        ASSERT_TRUE(prepared.done ? undo.Add(prepared.command) : undo.Execute(prepared.command));
    }
    ASSERT_EQ(undo.GetCount(), 1);
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_NE(after, before);
    EXPECT_STREQ(undo.GetUndoName(), GetParam().label);

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(sheet.doc), after);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandRoundTrip, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

#include "model/text/AttrText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/cmd/AttrTextToggles.h"
#include "model/doc/DrawDoc.h"
#include "model/support/EditSheet.h"
#include "model/support/TestPart.h"
#include "model/undo/ConnectionList.h"
#include "platform/Maps.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "tests/model/text/TextTestSupport.h"

using namespace texttest;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using ::testing::StartsWith;
using testsupport::ScriptedPrompt;

namespace {

// A drawing object with attributes and attribute texts, standing for symbols, pins and wires.
class Owner : public CDrawObj {
public:
    explicit Owner(const char* id = "U1") : CDrawObj(CRect(0, 0, 400, -300)) {
        attrs.SetAt("_ID", id);
    }
    ~Owner() override { texts.RemoveAll(); }
    int GetObjType() const override { return kObjSymbol; }
    CMapStringToString* GetAttrMap() override { return &attrs; }
    CObList* GetAttrTextList() override { return keepsTexts ? &texts : nullptr; }
    int SetAttr(const char* name, const char* value, UINT flags) override {
        if (refuses)
            return 0;
        attrs.SetAt(name, value);
        setFlags.push_back(flags);
        return 1;
    }
    int CheckAttrValue(const char* name, CString& value) override {
        return check ? check(name, value) : 0;
    }
    BOOL IsReadOnlyAttr(const char*) override { return readOnly; }
    int AssignId(int) override {
        attrs.SetAt("_ID", "U9");
        return 1;
    }

    CMapStringToString attrs;
    CObList texts;
    bool keepsTexts = true;
    std::vector<UINT> setFlags;
    std::function<int(const char*, CString&)> check;
    BOOL readOnly = FALSE;
    bool refuses = false;
};

// Symbols and their texts, owned by a document.
struct Sheet {
    CDrawDoc doc;
    Owner* Add(const char* id) {
        auto* owner = new Owner(id);
        owner->SetDocument(&doc);
        doc.GetObjects().AddTail(owner);
        return owner;
    }
    CAttrText* AddText(Owner& owner, const char* name) {
        auto* text = new CAttrText(CRect(0, 0, 300, -100));
        text->Bind(&owner, name);
        owner.texts.AddTail(text);
        text->SetDocument(&doc);
        doc.GetObjects().AddTail(text);
        return text;
    }
};

TEST(AttrTextTest, DisplayStylesShowTheValueTheNameOrALabel) {
    Sheet sheet;
    CAttrText* text = sheet.AddText(*sheet.Add("R1"), "_ID");
    const std::pair<WORD, const char*> styles[] = {{kAttrStyleValue, "R1"},
                                                   {kAttrStyleEquals, "_ID = R1"},
                                                   {kAttrStyleColon, "_ID : R1"},
                                                   {kAttrStyleTitleBlock, "R1"}};
    for (const auto& [style, shown] : styles) {
        text->SetTextFlags(style, kTextStyleMask);
        CString display;
        text->GetDisplayText(display);
        EXPECT_EQ(display, shown) << style;
    }
    // The label: the document's font and frame colour, at the top-left corner, unrotated.
    text->SetRotation(900);
    PaintDC dc;
    text->Draw(&dc, nullptr);
    EXPECT_EQ(dc.Lines().back(),
              "TextOut 0,0 \"_ID\" font=Arial/-111/0 color=0x800001 bk=transparent align=left,top");
}

TEST(AttrTextRecordTest, DocumentTextsSaveAFlagAndObjectTextsAReference) {
    CDrawDoc doc;
    CDrawDoc other;
    CAttrText text(CRect(0, 0, 1000, -500));
    const Bytes title = {0x05, 'T', 'i', 't', 'l', 'e'};
    text.Bind(&doc, "Title");
    EXPECT_EQ(HexDump(StoreRecord(&text, &doc)),
              HexDump(Concat({kRectangleRecord, kNewTextRecord, {1, 0, 0, 0}, title})));
    const auto loaded = LoadObject<CAttrText>(StoreObject(&text, &doc), &other);
    EXPECT_EQ(loaded->GetOwner(), &other);
    EXPECT_EQ(other.GetAttrTextList()->GetHead(), loaded.get());
    other.GetAttrTextList()->RemoveAll();
    // A text of another document is stored unlinked: a null reference.
    text.Bind(&other, "Title");
    EXPECT_EQ(HexDump(StoreRecord(&text, &doc)),
              HexDump(Concat({kRectangleRecord, kNewTextRecord, {0, 0, 0, 0, 0, 0}, title})));
    // An owner-is-document word other than 0 and 1 is refused.
    Bytes bytes = StoreObject(&text);
    bytes[bytes.size() - title.size() - 2 - 4] = 2;
    EXPECT_THROW(LoadObject<CAttrText>(bytes), CArchiveException);

    // An owner object is stored with the text and comes back by reference.
    CDrawRect rect(CRect(0, 0, 10, -10));
    text.Bind(&rect, "_ID");
    const auto back = LoadObject<CAttrText>(StoreObject(&text));
    const std::unique_ptr<CObject> owner(back->GetOwner());
    EXPECT_EQ(owner->GetRuntimeClass(), RUNTIME_CLASS(CDrawRect));
}

TEST(AttrTextEditTest, ValuesGoThroughTheOwnersCheck) {
    Sheet sheet;
    Owner* owner = sheet.Add("U1");
    CAttrText* text = sheet.AddText(*owner, "_Name");
    ScriptedPrompt prompt({IDOK, IDCANCEL, IDNO, IDCANCEL, IDYES, IDYES, IDOK});
    EXPECT_TRUE(text->SetText("10k", TRUE));
    EXPECT_TRUE(text->SetText("4k7", FALSE));
    EXPECT_TRUE(text->SetText("4\r\r\nk7", TRUE));  // unchanged
    EXPECT_EQ(owner->setFlags, (std::vector<UINT>{7, 5}));
    EXPECT_EQ(text->GetText(), "4k7");

    // Errors: OK goes on editing, Cancel gives up.
    owner->check = [](const char*, CString&) { return 3; };
    EXPECT_FALSE(text->SetText("x", TRUE));
    EXPECT_TRUE(text->SetText("x", TRUE));
    EXPECT_EQ(prompt.shown()[0].text, "Error: Property value invalid - x\nmust have a name.");
    EXPECT_EQ(prompt.shown()[0].type, UINT(MB_OKCANCEL | MB_ICONEXCLAMATION));
    // Warnings: No goes on editing, Cancel gives up, Yes sets the (rewritten) value.
    owner->check = [](const char*, CString& value) {
        value.MakeUpper();
        return -1;
    };
    EXPECT_FALSE(text->SetText("y", FALSE));
    EXPECT_TRUE(text->SetText("y", FALSE));
    EXPECT_EQ(owner->setFlags.size(), 2u);
    EXPECT_TRUE(text->SetText("y", FALSE));
    EXPECT_EQ(owner->GetAttr("_Name"), "Y");
    EXPECT_EQ(text->GetText(), "Y");
    EXPECT_EQ(prompt.shown().back().text,
              "Warning : device properties are locked.\nDo you wish to force property change?");
    EXPECT_EQ(prompt.shown().back().type, UINT(MB_YESNOCANCEL | MB_ICONEXCLAMATION));

    // A value the owner refuses after its check is told, and the text stays as it was.
    owner->refuses = true;
    EXPECT_FALSE(text->SetText("ab", TRUE));
    EXPECT_EQ(text->GetText(), "Y");
    EXPECT_EQ(prompt.shown().back().text, "Error: Property value invalid - ab");
    owner->refuses = false;

    // Read-only attributes open the properties instead of the editor.
    TextView view;
    owner->readOnly = 2;
    text->OnOpen(&view);
    EXPECT_EQ(view.edited, nullptr);
    EXPECT_EQ(view.propertiesCount, 0);
}

// A text that lost its owner keeps what is typed into it as any text does: in one step that
// undoes to its words.
TEST(AttrTextEditTest, AnOwnerlessTextRecordsItsEdit) {
    Sheet sheet;
    Owner* u1 = sheet.Add("U1");
    CAttrText* text = sheet.AddText(*u1, "_ID");
    u1->texts.RemoveAll();
    sheet.doc.GetObjects().RemoveAt(sheet.doc.GetObjects().Find(u1));
    text->PurgeAttrTexts();
    ASSERT_EQ(text->GetOwner(), nullptr);
    delete u1;
    const CString before = text->GetText();
    EXPECT_TRUE(text->SetText("ab", TRUE));
    EXPECT_EQ(text->GetText(), "ab");
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.CanUndo());
    EXPECT_STREQ(undo.GetUndoName(), "text edit");
    EXPECT_TRUE(undo.Undo());
    EXPECT_EQ(text->GetText(), before);
}

TEST(AttrTextEditTest, ATakenIdentifierIsDisplacedInOneUndoStep) {
    Sheet sheet;
    Owner* u1 = sheet.Add("R1");
    Owner* u2 = sheet.Add("R2");
    for (Owner* owner : {u1, u2}) {
        owner->check = [&sheet, owner](const char*, CString& value) {
            for (POSITION pos = sheet.doc.GetObjects().GetHeadPosition(); pos;) {
                auto* other = static_cast<CDrawObj*>(sheet.doc.GetObjects().GetNext(pos));
                if (other != owner && other->GetAttr("_ID") == value)
                    return 2;
            }
            return 0;
        };
    }
    CAttrText* text1 = sheet.AddText(*u1, "_ID");
    CAttrText* text2 = sheet.AddText(*u2, "_ID");
    ScriptedPrompt prompt({IDYES, IDNO, IDYES, IDOK});
    EXPECT_TRUE(text2->SetText("R1", TRUE));
    EXPECT_EQ(prompt.shown()[0].text,
              "Error: Property value invalid - R1ID already exists.\n\nDo you want to displace "
              "exisiting ID?\n");
    EXPECT_EQ(prompt.shown()[0].type, UINT(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(u2->GetAttr("_ID"), "R1");
    EXPECT_EQ(u1->GetAttr("_ID"), "U9");
    EXPECT_EQ(text1->GetText(), "U9");
    EXPECT_EQ(text2->GetText(), "R1");

    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_EQ(undo.GetCount(), 1);
    EXPECT_STREQ(undo.GetLastDone()->GetName(), "renumber");
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(u1->GetAttr("_ID"), "R1");
    EXPECT_EQ(u2->GetAttr("_ID"), "R2");
    EXPECT_EQ(text1->GetText(), "R1");
    // No: go on editing.
    EXPECT_FALSE(text1->SetText("R2", TRUE));
    EXPECT_EQ(u1->GetAttr("_ID"), "R1");
    // A clash that no other symbol carries is a plain error, and nothing is recorded.
    u1->check = [](const char*, CString&) { return 2; };
    const int recorded = undo.GetCount();
    EXPECT_FALSE(text1->SetText("R7", TRUE));
    EXPECT_EQ(prompt.shown().back().text, "Error: Property value invalid - R7\nID already exists.");
    EXPECT_EQ(u1->GetAttr("_ID"), "R1");
    EXPECT_EQ(undo.GetCount(), recorded);
}

TEST(AttrTextLinkTest, ObjectsShowPlaceFindAndRefreshTheirTexts) {
    Owner owner;
    owner.attrs.SetAt("Value", "10k");
    std::unique_ptr<CAttrText> value(owner.ShowAttrText("Value", TRUE));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(owner.ShowAttrText("Value", TRUE), nullptr);
    EXPECT_EQ(owner.ShowAttrText("Value", FALSE), value.get());
    EXPECT_EQ(value->GetText(), "10k");
    EXPECT_EQ(value->GetPosition(), CRect(0, 0, 5 + 3 * 67 + 5, 122));  // on the upper edge

    owner.attrs.SetAt("Value", "22k");
    owner.RefreshAttrTexts(nullptr);
    EXPECT_EQ(value->GetText(), "22k");
}

TEST(AttrTextLinkTest, PurgingRebindsOrUnlinksTexts) {
    Sheet sheet;
    Owner* u1 = sheet.Add("U1");
    CAttrText* text = sheet.AddText(*u1, "_ID");
    u1->texts.RemoveAll();
    text->PurgeAttrTexts();
    text->PurgeAttrTexts();
    EXPECT_EQ(u1->texts.GetCount(), 1);
    sheet.doc.GetObjects().RemoveAt(sheet.doc.GetObjects().Find(u1));
    text->PurgeAttrTexts();
    EXPECT_EQ(text->GetOwner(), nullptr);
    delete u1;

    text->Bind(&sheet.doc, "Title");
    text->PurgeAttrTexts();
    EXPECT_EQ(sheet.doc.GetAttrTextList()->GetCount(), 1);
    sheet.doc.GetAttrTextList()->RemoveAll();
    Owner* wire = sheet.Add("N1");
    wire->keepsTexts = false;
    text->Bind(wire, "_ID");
    text->PurgeAttrTexts();
    EXPECT_EQ(text->GetOwner(), nullptr);
}

TEST(AttrTextLinkTest, ConnectionsMoveTheLinkBetweenTexts) {
    Owner owner;
    CAttrText text(CRect(0, 0, 300, -100));
    text.Bind(&owner, "_ID");
    CConnectionList list;
    text.CollectConnections(&list);
    owner.SetMark(TRUE);
    text.CollectConnections(&list);  // a marked owner is left out
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0).partner, &owner);
    text.Disconnect(&list.GetAt(0));
    EXPECT_EQ(text.GetOwner(), nullptr);
    text.Connect(&list.GetAt(0));
    EXPECT_EQ(owner.texts.GetHead(), &text);

    // A copy starts unlinked with the same name and takes the link over.
    std::unique_ptr<CDrawObj> copy(text.Clone(nullptr));
    auto* copied = static_cast<CAttrText*>(copy.get());
    EXPECT_EQ(copied->GetName(), "_ID");
    EXPECT_EQ(copied->GetOwner(), nullptr);
    text.GiveLinksTo(copied);
    EXPECT_EQ(owner.texts.GetHead(), copied);
    text.TakeLinksFrom(copied);
    EXPECT_EQ(copied->GetOwner(), nullptr);
    EXPECT_EQ(owner.texts.GetHead(), &text);
    EXPECT_EQ(owner.texts.GetCount(), 1);
}

TEST(AttrTextLinkTest, TrackersAndRepaintsCoverTheLink) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    ScopedApp installed(app);
    Owner owner;
    CAttrText text(CRect(1000, -1000, 1300, -1100));
    text.Bind(&owner, "_ID");
    PaintDC dc;
    text.DrawTracker(&dc, kTrackerSelected, nullptr);
    // To the owner's handle nearest to the text's corner.
    EXPECT_EQ(dc.Lines()[0], "MoveTo 1000,-1100");
    EXPECT_THAT(dc.Lines()[1], StartsWith("LineTo 400,-300 "));
    TextView view;
    text.Invalidate(&view);
    view.selection.AddTail(&text);
    text.Invalidate(&view);
    EXPECT_THAT(view.invalidated, ElementsAre(CRect(994, 994, 1306, 1106),
                                              CRect(400 - 5, 299 - 5, 1300 + 5, 1100 + 5)));
}

// The view tells whether it selects the text, without a list to look through.
TEST(AttrTextLinkTest, TheViewTellsWhetherTheLinkIsRepainted) {
    struct TellingView : TextView {
        bool IsSelected(const CDrawObj*) const override { return selected; }
        bool selected = false;
    };
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    ScopedApp installed(app);
    Owner owner;
    CAttrText text(CRect(1000, -1000, 1300, -1100));
    text.Bind(&owner, "_ID");
    TellingView view;
    text.Invalidate(&view);
    view.selected = true;
    text.Invalidate(&view);
    EXPECT_THAT(view.invalidated, ElementsAre(CRect(994, 994, 1306, 1106),
                                              CRect(400 - 5, 299 - 5, 1300 + 5, 1100 + 5)));
}

// A paint of part of the sheet draws the trackers that reach into it: a selected text far
// away still shows its line to an owner inside the part; a text and owner both outside show
// nothing.
TEST(AttrTextLinkTest, APartialPaintDrawsTheLinksThatCrossIt) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    ScopedApp installed(app);
    Owner near;
    Owner far("U2");
    far.OffsetBy(CSize(30000, -30000));
    CAttrText linked(CRect(5000, -5000, 5300, -5100));
    linked.Bind(&near, "_ID");
    CAttrText away(CRect(31000, -31000, 31300, -31100));
    away.Bind(&far, "_ID");
    TextView view;
    view.selection.AddTail(&linked);
    view.selection.AddTail(&away);
    CDrawDoc doc;
    PaintDC dc;
    const CRect visible(0, -300, 400, 0);
    doc.Draw(&dc, &view, &visible);
    EXPECT_THAT(dc.Lines(), Contains("MoveTo 5000,-5100"));
    EXPECT_THAT(dc.Lines(), Not(Contains("MoveTo 31000,-31100")));
}

TEST(AttrTextDocumentTest, DocumentTextsFollowTheAttributesAndRefuseComputedOnes) {
    CDrawDoc doc;
    doc.SetAttribute("Engineer", "Ada", 0);
    EXPECT_EQ(doc.GetDocAttrText("Nobody", TRUE), nullptr);
    CAttrText* text = doc.GetDocAttrText("Engineer", TRUE);
    ASSERT_TRUE(doc.AddObject(std::unique_ptr<CDrawObj>(text)));
    EXPECT_EQ(doc.GetDocAttrText("Engineer", FALSE), text);
    EXPECT_EQ(text->GetText(), "Ada");
    // The wider of name and value plus 150, the taller plus 100, at (1000, -1000).
    EXPECT_EQ(text->GetPosition(), CRect(1000, -1000, 1000 + 8 * 67 + 150, -1000 - 212));
    doc.SetAttribute("Engineer", "Grace", 0);
    EXPECT_EQ(text->GetText(), "Grace");
    doc.RemoveAttribute("Engineer");
    EXPECT_EQ(text->GetText(), "");

    // Removing the text unlinks it; undoing the removal links it again.
    CObList removed;
    removed.AddTail(text);
    doc.RemoveObjects(&removed);
    EXPECT_EQ(text->GetOwner(), nullptr);
    EXPECT_TRUE(doc.GetAttrTextList()->IsEmpty());
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(text->GetOwner(), &doc);
    EXPECT_EQ(doc.GetAttrTextList()->GetCount(), 1);
    // Edits set the attribute as a property edit; undoing it refreshes the text.
    EXPECT_TRUE(text->SetText("Ada", TRUE));
    EXPECT_EQ(doc.GetAttribute("Engineer"), "Ada");
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(text->GetText(), "");

    // Computed attributes are edited in place and refused there; Cancel ends the edit.
    text->Bind(&doc, "Last Saved");
    TextView view;
    text->OnOpen(&view);
    EXPECT_EQ(view.edited, text);
    ScriptedPrompt prompt({IDCANCEL});
    EXPECT_TRUE(text->SetText("yesterday", TRUE));
    EXPECT_EQ(prompt.shown()[0].text,
              "Error: Property value invalid - yesterday\nproperty cannot be modified.");
    EXPECT_EQ(text->GetText(), "");
}

}  // namespace

// A pin name typed with spaces round it is the name the pin has: the edit changes nothing, not
// even the rectangle of a text whose sides were dragged across each other, and records no step.
TEST(AttrTextEditTest, AValueTheCheckBringsBackToTheShownOneChangesNoByte) {
    EditSheet sheet;
    CSymbol* symbol = sheet.Symbol("U1", nullptr, {"A"});
    ASSERT_TRUE(ToggleAttrTexts(sheet.doc, ObjectList{symbol}, AttrTextToggle::kPinNames));
    auto* pin = static_cast<CPin*>(symbol->GetPins().GetHead());
    CAttrText* text = pin->FindAttrText("_ID");
    ASSERT_NE(text, nullptr);
    const CRect laid = text->GetPosition();
    text->MoveTo(CRect(laid.right, laid.top, laid.left, laid.bottom), nullptr);
    const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);
    const int steps = sheet.Steps();

    EXPECT_TRUE(text->SetText(" A ", TRUE));
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
    EXPECT_EQ(sheet.Steps(), steps);
    EXPECT_EQ(text->GetText(), "A");
}

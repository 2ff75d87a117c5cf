// Drawing objects through the clipboard's bytes: the layout, copies between documents, the
// picture frame, pasted duplicates and damaged data.

#include <gtest/gtest.h>

#include <string>

#include "model/doc/DrawDoc.h"
#include "model/doc/ObjectListData.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "model/shapes/DrawRect.h"
#include "model/support/SampleSheet.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Prefix(const std::string& text, std::initializer_list<BYTE> head) {
    Bytes bytes(head);
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

Bytes Copy(CDrawDoc& doc, const CObList& objects) {
    return CopyObjectsToClipboard(doc, objects).data;
}

// Pastes data into doc as the view does: loaded, moved off duplicates, added as one step.
void Paste(CDrawDoc& doc, const ClipboardObjects& data, CObList& pasted) {
    PasteObjectsFromClipboard(doc, data.format, data.data, pasted);
    OffsetPastedDuplicates(doc.GetObjects(), pasted);
    CObList added;
    added.AddTail(&pasted);
    ASSERT_TRUE(doc.AddObjects(&added));
}

CDrawObj* Last(CDrawDoc& doc) {
    return static_cast<CDrawObj*>(doc.GetObjects().GetTail());
}

template <class T>
T* FirstOf(const CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        if (auto* found = dynamic_cast<T*>(objects.GetNext(pos)))
            return found;
    }
    return nullptr;
}

class ObjectListData : public ::testing::Test {
protected:
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

TEST_F(ObjectListData, OneObjectStartsWithItsClassTag) {
    doc.GetObjects().AddTail(new CDrawRect(CRect(0, 0, 100, -100)));
    const Bytes rect = Copy(doc, ObjectList{Last(doc)});
    EXPECT_EQ(Bytes(rect.begin(), rect.begin() + 17),
              Prefix("CDrawRect", {0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}));
    doc.GetObjects().AddTail(new CBus);
    Last(doc)->SetDocument(&doc);
    const Bytes bus = Copy(doc, ObjectList{Last(doc)});
    EXPECT_EQ(Bytes(bus.begin(), bus.begin() + 12),
              Prefix("CBus", {0x01, 0x00, 0xFF, 0xFF, 0x02, 0x00, 0x04, 0x00}));
}

// A pen drawn inside the frame keeps the bounding rectangle on the shape's rectangle.
TEST_F(ObjectListData, PictureFrameInHundredthsOfAMillimetre) {
    auto* rect = new CDrawRect(CRect(0, 0, 1000, -500));
    const LOGPEN inside{PS_INSIDEFRAME, {0, 0}, 0};
    rect->SetPen(&inside);
    doc.GetObjects().AddTail(rect);
    EXPECT_EQ(PictureFrame(doc.GetObjects()), CRect(-13, -13, 2553, 1283));
    EXPECT_EQ(PictureFrame(ObjectList{}), CRect(0, 0, 0, 0));
}

// The whole sample sheet, embedded object included, copied into an empty document gives the
// same objects; copied back into its own sheet, the devices and named nets are shared.
TEST_F(ObjectListData, CopiesBetweenDocumentsAndMergesByName) {
    samplesheet::Fill(doc);
    const ClipboardObjects data = CopyObjectsToClipboard(doc, doc.GetObjects());
    EXPECT_STREQ(data.format, kSchematicOleFormat);

    CDrawDoc other;
    CObList pasted;
    Paste(other, data, pasted);
    EXPECT_EQ(pasted.GetCount(), doc.GetObjects().GetCount());
    EXPECT_EQ(CopyObjectsToClipboard(other, other.GetObjects()).data, data.data);

    CObList again;
    Paste(doc, data, again);
    CSymbol* original = FirstOf<CSymbol>(doc.GetObjects());
    CSymbol* copy = FirstOf<CSymbol>(again);
    ASSERT_TRUE(original && copy && original != copy);
    EXPECT_EQ(copy->GetDevice(), original->GetDevice());
    EXPECT_EQ(doc.FindNet("CLK")->GetRefCount(), 2 * other.FindNet("CLK")->GetRefCount());
    auto* ole = FirstOf<CDrawOleObj>(again);
    ASSERT_TRUE(ole && ole->GetItem());
    EXPECT_EQ(testsupport::BytesOf(ole->GetItem()->GetStorage().Streams().front().Data()),
              Bytes(700, 0x42));
}

TEST_F(ObjectListData, PastedDuplicatesMoveOffEarlierSets) {
    doc.GetObjects().AddTail(new CDrawRect(CRect(0, 0, 1000, -500)));
    const ClipboardObjects data = CopyObjectsToClipboard(doc, doc.GetObjects());
    for (int n = 1; n <= 2; ++n) {
        CObList pasted;
        Paste(doc, data, pasted);
        EXPECT_EQ(Last(doc)->GetPosition(),
                  CRect(100 * n, -100 * n, 1000 + 100 * n, -500 - 100 * n));
    }
}

// A gate and a wire from its output labelled CLK, ending on a second gate or left free.
void AddLabelledClock(CDrawDoc& doc, bool freeEnd) {
    CDevice* nand = samplesheet::NandDevice("7400");
    CSymbol* first = samplesheet::AddGate(doc, nand, "U1A", 5000, -2000);
    CSymbol* second = samplesheet::AddGate(doc, nand, "U1B", 6000, -2000);
    auto* clock = new CNet("CLK");
    clock->SetFlags(kNetNamed, kNetNamed);
    auto* wire = samplesheet::AddWire<CWire>(doc, {{5200, -2000}, {5800, -1950}}, clock);
    wire->SetStartObject(first->FindPin("Y"));
    first->FindPin("Y")->SetWire(wire);
    if (!freeEnd) {
        wire->SetEndObject(second->FindPin("A"));
        second->FindPin("A")->SetWire(wire);
    }
    auto* label = new CAttrText(CRect(5400, -1900, 5600, -1960));
    label->Bind(wire, "_ID");
    wire->GetAttrTextList()->AddTail(label);
    label->SetDocument(&doc);
    doc.GetObjects().AddTail(label);
}

// The name the wire of each of three pastes into an empty sheet reads.
std::vector<CString> PastedClockNames(bool freeEnd) {
    CDrawDoc source;
    AddLabelledClock(source, freeEnd);
    const ClipboardObjects data = CopyObjectsToClipboard(source, source.GetObjects());
    CDrawDoc sheet;
    std::vector<CString> names;
    for (int n = 0; n < 3; ++n) {
        CObList pasted;
        Paste(sheet, data, pasted);
        auto* wire = FirstOf<CWire>(pasted);
        auto* label = wire ? dynamic_cast<CAttrText*>(wire->FindAttrText("_ID")) : nullptr;
        names.push_back(label && label->GetText() == wire->GetNet()->GetName() ? label->GetText()
                                                                               : CString("?"));
    }
    return names;
}

// Every paste follows one rule: the pasted wires join the sheet's net of their name; a group
// keeps that net only when it shows the name at a free end (or nothing else holds the net),
// else the name is taken and the group gets an automatic one.
TEST_F(ObjectListData, APastedNamedNetJoinsTheSheetsNetOfItsName) {
    EXPECT_EQ(PastedClockNames(true), (std::vector<CString>{"CLK", "CLK", "CLK"}));
    const std::vector<CString> between = PastedClockNames(false);
    EXPECT_EQ(between[0], "CLK");
    EXPECT_NE(between[1], "CLK");
    EXPECT_NE(between[2], "CLK");
    EXPECT_NE(between[1], between[2]);
}

// A pin (from a symbol's sheet) is no object of a schematic: it goes, and the wire that ended
// on it keeps no link to it.
TEST_F(ObjectListData, ObjectsTheDocumentRefusesLeaveNoLinksBehind) {
    auto* pin = new CPin;
    pin->SetEnds(CPoint(0, 0), CPoint(100, 0));
    auto* wire = new CWire;
    wire->AddPoint(CPoint(500, 0));
    wire->AddPoint(CPoint(100, 0));
    for (CDrawObj* object : {static_cast<CDrawObj*>(pin), static_cast<CDrawObj*>(wire)}) {
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
    }
    wire->SetEndObject(pin);
    const ClipboardObjects data = CopyObjectsToClipboard(doc, doc.GetObjects());
    CDrawDoc schematic;
    CObList pasted;
    PasteObjectsFromClipboard(schematic, data.format, data.data, pasted);
    ASSERT_EQ(pasted.GetCount(), 2);
    DropRefusedObjects(schematic, pasted);
    ASSERT_EQ(pasted.GetCount(), 1);
    auto* kept = dynamic_cast<CWire*>(pasted.GetHead());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->GetEndObject(), nullptr);
    EXPECT_TRUE(schematic.AddObjects(&pasted));
}

// A net or a device where a drawing object belongs is refused, and so is any damage; the
// document is left as it was (the sanitizers see that nothing leaks).
TEST_F(ObjectListData, DamagedDataLoadsNothing) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        auto* net = new CNet("N");
        ar.WriteCount(1);
        ar.WriteObject(net);
        ar.Close();
        delete net;
    }
    CObList out;
    EXPECT_THROW(PasteObjectsFromClipboard(doc, kSchematicFormat, file.GetBytes(), out),
                 CArchiveException);
    EXPECT_TRUE(out.IsEmpty());

    CDrawDoc sample;
    samplesheet::Fill(sample);
    const ClipboardObjects data = CopyObjectsToClipboard(sample, sample.GetObjects());
    const int texts = doc.GetAttrTextList()->GetCount();
    for (size_t cut = 0; cut < data.data.size(); cut += data.data.size() / 64 + 1) {
        for (const char* format : {kSchematicFormat, kSchematicOleFormat}) {
            const Bytes part(data.data.begin(), data.data.begin() + cut);
            try {
                PasteObjectsFromClipboard(doc, format, part, out);
                ADD_FAILURE() << "loaded a cut at " << cut;
            } catch (const std::exception&) {
            }
            EXPECT_TRUE(out.IsEmpty());
            EXPECT_EQ(doc.GetAttrTextList()->GetCount(), texts);
        }
    }
}

}  // namespace

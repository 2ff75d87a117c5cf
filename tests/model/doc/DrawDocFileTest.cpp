#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <initializer_list>
#include <memory>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/doc/SummaryInfo.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/object/DrawObj.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/SubcctSymbolBuilder.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/MemFile.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

void Load(CDrawDoc& doc, Bytes bytes) {
    CMemFile file(std::move(bytes));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
}

DWORD DwordAt(const Bytes& bytes, size_t offset) {
    DWORD value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + i);
    return value;
}

// Offsets in the stream of a document without objects and attributes.
constexpr size_t kBorderAt = 178;
constexpr size_t kPinFontAt = 288;
constexpr size_t kPrintSettingsAt = 360;

void Append(Bytes& to, std::initializer_list<int> bytes) {
    for (int b : bytes)
        to.push_back(static_cast<BYTE>(b));
}

void AppendZeros(Bytes& to, size_t count) {
    to.insert(to.end(), count, 0);
}

// A LOGFONT whose fields are zero but those given, with the face "Arial".
void AppendArialFont(Bytes& to, std::initializer_list<int> height,
                     std::initializer_list<int> weight, int outPrecision) {
    Append(to, height);
    AppendZeros(to, 12);
    Append(to, weight);
    Append(to, {0, 0, 0, 0, outPrecision, 0, 0, 0x20, 'A', 'r', 'i', 'a', 'l'});
    AppendZeros(to, 27);
}

TEST(DrawDocFile, EmptyDocumentStoresTheListedBytes) {
    Bytes expected;
    Append(expected, {0x51, 0x2A, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
    AppendArialFont(expected, {0xB0, 0xFF, 0xFF, 0xFF}, {0, 0, 0, 0}, 7);
    AppendZeros(expected, 16);                                              // pen
    Append(expected, {0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0});  // pin pen
    AppendZeros(expected, 16);                                              // wire pen
    for (int i = 0; i < 3; ++i)
        Append(expected, {0, 0, 0, 0, 0xC0, 0xC0, 0xC0, 0, 0, 0, 0, 0});
    Append(expected, {0xAD, 0x2D, 0, 0, 0xB4, 0xDF, 0xFF, 0xFF});
    for (int i = 0; i < 4; ++i)
        Append(expected, {0x2C, 0x01, 0, 0});
    ASSERT_EQ(expected.size(), kBorderAt);
    Append(expected, {0, 0, 0x7A, 0x44, 0x96, 0, 0xF7, 0, 0, 0, 0x70, 0x17, 0, 0, 0xE8, 3, 0, 0});
    AppendArialFont(expected, {0x9C, 0xFF, 0xFF, 0xFF}, {0xBC, 0x02, 0, 0}, 0);
    Append(expected, {0, 0, 0, 0, 0xFF, 0xFF, 0xE6, 0, 0, 0, 0, 0});
    Append(expected, {0, 0, 0, 0, 0xC8, 0xD6, 0xEA, 0, 0, 0, 0, 0});
    Append(expected, {1, 0, 0x80, 0, 0xC8, 0xD6, 0xEA, 0});
    ASSERT_EQ(expected.size(), kPinFontAt);
    AppendArialFont(expected, {0x50, 0, 0, 0}, {0x90, 0x01, 0, 0}, 0);
    Append(expected, {0x80, 0, 0, 0, 0, 0x80, 0, 0, 1, 0, 0, 0});
    ASSERT_EQ(expected.size(), kPrintSettingsAt);
    Append(expected, {0x14, 0, 0, 0, 0, 0, 0x80, 0x3F});
    AppendZeros(expected, 8 + 12);
    ASSERT_EQ(expected.size(), 388u);

    CDrawDoc doc;
    EXPECT_EQ(testsupport::DocumentBytes(doc), expected)
        << testsupport::HexDump(testsupport::DocumentBytes(doc));
}

TEST(DrawDocFile, SavedDocumentOpensWithItsContents) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string path = (dir / "sheet.sch").string();
    {
        CDrawDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetAttribute("Rev", "C", 0);
        doc.m_attributes.SetAt("Title", "shadow");  // never taken as a stored attribute
        doc.SetMargins(RECT{500, 400, 300, 200});
        doc.m_pinFont.lfHeight = 120;
        doc.m_printSettings.m_offsetX = 42;
        doc.m_printer.devMode = {1, 2, 3};
        doc.m_printer.devNames = {4, 5};
        doc.GetObjects().AddTail(new CDrawObj(CRect(0, 0, 100, -100)));
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    }
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_EQ(doc.GetAttribute("Rev"), "C");
    EXPECT_EQ(doc.m_attributes.GetCount(), 13);
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(500, 400, 300, 200));
    EXPECT_EQ(doc.m_pinFontV.Log().lfHeight, 120);
    EXPECT_EQ(doc.m_printSettings.m_offsetX, 42);
    EXPECT_EQ(doc.m_printer.devMode, (Bytes{1, 2, 3}));
    EXPECT_EQ(doc.m_printer.devNames, (Bytes{4, 5}));
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetHead());
    EXPECT_EQ(object->GetDocument(), &doc);
    EXPECT_EQ(object->GetPosition(), CRect(0, 0, 100, -100));
}

TEST(DrawDocFile, LoadedPinFontIsUpright) {
    CDrawDoc source;
    source.m_pinFont.lfEscapement = source.m_pinFont.lfOrientation = 450;
    CDrawDoc doc;
    Load(doc, testsupport::DocumentBytes(source));
    Bytes bytes = testsupport::DocumentBytes(doc);
    EXPECT_EQ(DwordAt(bytes, kPinFontAt + 8), 0u);   // escapement
    EXPECT_EQ(DwordAt(bytes, kPinFontAt + 12), 0u);  // orientation
    EXPECT_EQ(doc.m_pinFontV.Log().lfEscapement, 900);
}

TEST(DrawDocFile, OlderLayoutEndsAfterTheBorder) {
    CDrawDoc source;
    source.m_pinFont.lfHeight = 999;
    source.m_firstPartNumber = 50;
    source.m_printSettings.m_flags = 3;
    source.m_border.m_blockY = 2222;
    Bytes bytes = testsupport::DocumentBytes(source);
    bytes.resize(kPinFontAt);
    bytes[0] = 0x64;
    bytes[1] = 0x75;
    CDrawDoc doc;
    doc.m_printer.devNames = {9};
    Load(doc, bytes);
    EXPECT_EQ(doc.m_printer.devNames, Bytes{9});
    EXPECT_EQ(doc.m_border.m_blockY, 2222);
    EXPECT_EQ(doc.m_pinFont.lfHeight, 80);
    EXPECT_EQ(doc.m_firstPartNumber, 1);
    EXPECT_EQ(doc.m_printSettings.m_flags, 20u);
}

TEST(DrawDocFile, DamagedStreamsAreRefused) {
    CDrawDoc source;
    Bytes bytes = testsupport::DocumentBytes(source);

    Bytes badMagic = bytes;
    badMagic[0] = 0x52;
    CDrawDoc doc;
    EXPECT_THROW(Load(doc, badMagic), CArchiveException);

    Bytes shortStream(bytes.begin(), bytes.begin() + kBorderAt + 50);
    EXPECT_THROW(Load(doc, shortStream), CArchiveException);

    // A printer block longer than the rest of the stream allocates nothing.
    Bytes hugeBlock(bytes.begin(), bytes.begin() + kPrintSettingsAt + 16);
    for (BYTE b : {0xF0, 0xFF, 0xFF, 0x7F})
        hugeBlock.push_back(b);
    EXPECT_THROW(Load(doc, hugeBlock), CArchiveException);

    // An object listed twice would be owned twice.
    CDrawDoc twice;
    twice.GetObjects().AddTail(new CDrawObj(CRect(0, 0, 10, -10)));
    twice.GetObjects().AddTail(twice.GetObjects().GetHead());
    Bytes repeated = testsupport::DocumentBytes(twice);
    twice.GetObjects().RemoveTail();
    CDrawDoc loaded;
    EXPECT_THROW(Load(loaded, repeated), CArchiveException);
    EXPECT_EQ(loaded.GetObjects().GetCount(), 1);
}

TEST(DrawDocFile, ImpossiblePageFromAFileIsMadeSound) {
    CDrawDoc source;
    source.SetMargins(RECT{100, 200, 300, 400});
    Bytes bytes = testsupport::DocumentBytes(source);
    std::fill(bytes.begin() + kBorderAt - 24, bytes.begin() + kBorderAt - 16, 0);  // paper 0 x 0
    CDrawDoc doc;
    Load(doc, bytes);
    EXPECT_EQ(doc.GetPaperSize().cx, 11693);
    EXPECT_EQ(doc.GetPaperSize().cy, -8268);
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(100, 200, 300, 400));

    bytes = testsupport::DocumentBytes(source);
    for (size_t at = kBorderAt - 16; at < kBorderAt; at += 4)
        bytes[at + 1] = 0x7F;  // margins of 32 000 and more
    Load(doc, bytes);
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(3897, 2756, 3897, 2756));
}

CPin* AddPin(CSymbol& symbol, CDrawDoc& doc) {
    symbol.SetDocument(&doc);
    auto* pin = new CPin(&symbol);
    pin->SetEnds(CPoint(0, 0), CPoint(100, 0));
    symbol.GetPins().AddTail(pin);
    return pin;
}

CWire* AddWire(CDrawDoc& doc, CNet* net) {
    auto* wire = new CWire;
    wire->AddPoint(CPoint(100, 0));
    wire->AddPoint(CPoint(500, 0));
    wire->SetDocument(&doc);
    net->AddRef();
    if (CNet* old = wire->SetNet(net))
        old->Release();
    doc.GetObjects().AddTail(wire);
    return wire;
}

// Saving drops the links to objects that left the sheet and keeps those that did not.
TEST(DrawDocFile, SavingDropsLinksToObjectsOffTheSheet) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    auto* listed = new CSymbol();
    CPin* onSheet = AddPin(*listed, doc);
    CPin* leftWire = AddPin(*listed, doc);
    doc.GetObjects().AddTail(listed);
    CSymbol gone;
    CPin* offSheet = AddPin(gone, doc);
    CWire* kept = AddWire(doc, new CNet("A"));
    kept->SetStartObject(onSheet);
    CWire* cut = AddWire(doc, new CNet("B"));
    cut->SetEndObject(offSheet);
    CWire removed;
    leftWire->SetWire(&removed);
    auto* orphan = new CAttrText(CRect(0, 0, 100, -50));
    orphan->SetDocument(&doc);
    orphan->Bind(&gone, "_ID");
    doc.GetObjects().AddTail(orphan);

    testsupport::DocumentBytes(doc);
    EXPECT_EQ(kept->GetStartObject(), onSheet);
    EXPECT_EQ(onSheet->GetWire(), kept);
    EXPECT_EQ(cut->GetEndObject(), nullptr);
    EXPECT_EQ(leftWire->GetWire(), nullptr);
    EXPECT_EQ(orphan->GetOwner(), nullptr);
}

// The links between objects of the sheet come back from the file: a wire and a bus on pins of a
// symbol that also holds a graphic, and a wire ending on another wire.
TEST(DrawDocFile, LoadingKeepsTheLinksBetweenObjectsOfTheSheet) {
    testsupport::RecordingAppServices services;
    CDrawDoc source;
    auto* symbol = new CSymbol();
    AddPin(*symbol, source);
    AddPin(*symbol, source);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(0, 0, 100, -100)));
    source.GetObjects().AddTail(symbol);
    CWire* wire = AddWire(source, new CNet("A"));
    CWire* branch = AddWire(source, new CNet("A"));
    auto* bus = new CBus();
    bus->AddPoint(CPoint(100, 0));
    bus->AddPoint(CPoint(100, 500));
    bus->SetDocument(&source);
    source.GetObjects().AddTail(bus);
    wire->SetStartObject(static_cast<CDrawObj*>(symbol->GetPins().GetHead()));
    bus->SetStartObject(static_cast<CDrawObj*>(symbol->GetPins().GetTail()));
    branch->SetEndObject(wire);
    wire->AddJunction(branch);
    const Bytes bytes = testsupport::DocumentBytes(source);

    CDrawDoc doc;
    Load(doc, bytes);
    ASSERT_EQ(doc.GetObjects().GetCount(), 4);
    POSITION pos = doc.GetObjects().GetHeadPosition();
    auto* loaded = static_cast<CSymbol*>(doc.GetObjects().GetNext(pos));
    auto* firstPin = static_cast<CPin*>(loaded->GetPins().GetHead());
    auto* secondPin = static_cast<CPin*>(loaded->GetPins().GetTail());
    auto* loadedWire = static_cast<CWire*>(doc.GetObjects().GetNext(pos));
    auto* loadedBranch = static_cast<CWire*>(doc.GetObjects().GetNext(pos));
    auto* loadedBus = static_cast<CWire*>(doc.GetObjects().GetNext(pos));
    EXPECT_EQ(loadedWire->GetStartObject(), firstPin);
    EXPECT_EQ(firstPin->GetWire(), loadedWire);
    EXPECT_EQ(loadedBus->GetStartObject(), secondPin);
    EXPECT_EQ(secondPin->GetWire(), loadedBus);
    EXPECT_EQ(loadedBranch->GetEndObject(), loadedWire);
    ASSERT_EQ(loadedWire->GetJunctions().GetCount(), 1);
    EXPECT_EQ(loadedWire->GetJunctions().GetHead(), loadedBranch);

    // A second load of the same bytes gives objects of its own, linked among themselves.
    CDrawDoc again;
    Load(again, bytes);
    auto* againWire =
        static_cast<CWire*>(again.GetObjects().GetAt(again.GetObjects().FindIndex(1)));
    EXPECT_NE(againWire, loadedWire);
    EXPECT_EQ(static_cast<CPin*>(againWire->GetStartObject())->GetWire(), againWire);
}

// A wire that only a pin refers to, left out of the object list by damage, belongs to nothing:
// the load is refused and the wire freed with the rest.
TEST(DrawDocFile, ObjectOnlyLinkedToIsRefused) {
    testsupport::RecordingAppServices services;
    CDrawDoc source;
    auto* symbol = new CSymbol();
    CPin* pin = AddPin(*symbol, source);
    source.GetObjects().AddTail(symbol);
    AddWire(source, new CNet("A"))->SetStartObject(pin);
    Bytes bytes = testsupport::DocumentBytes(source);
    bytes[2] = 1;  // the object count: the symbol only
    CDrawDoc doc;
    EXPECT_THROW(Load(doc, bytes), CArchiveException);
}

// A net stored without a name gets an automatic one on loading, shown by its texts.
TEST(DrawDocFile, LoadingNamesUnnamedNetsAndShowsTheNames) {
    testsupport::RecordingAppServices services;
    CDrawDoc source;
    for (int i = 0; i < 2; ++i) {
        CWire* wire = AddWire(source, new CNet());
        auto* text = new CAttrText(CRect(0, 0, 100, -50));
        text->Bind(wire, "_ID");
        wire->GetAttrTextList()->AddTail(text);
        text->SetDocument(&source);
        source.GetObjects().AddTail(text);
    }
    CDrawDoc doc;
    Load(doc, testsupport::DocumentBytes(source));
    std::vector<CString> shown;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->GetNet())
            shown.push_back(object->GetNet()->GetName());
        else if (auto* text = dynamic_cast<CAttrText*>(object))
            text->GetDisplayText(shown.emplace_back());
    }
    EXPECT_EQ(shown, (std::vector<CString>{"n0001", "n0001", "n0002", "n0002"}));
}

// Damage can make two owning lists, or an object's own list, hold one object: such a stream
// is refused, and nothing is deleted twice.
TEST(DrawDocFile, ObjectHeldByTwoOwnersIsRefused) {
    testsupport::RecordingAppServices services;
    enum Case { kRectInSymbolFirst, kRectListedFirst, kPinInTwoSymbols };
    for (const Case shape : {kRectInSymbolFirst, kRectListedFirst, kPinInTwoSymbols}) {
        CDrawDoc source;
        auto* rect = new CDrawRect(CRect(0, 0, 100, -100));
        auto* symbol = new CSymbol();
        auto* other = new CSymbol();
        CPin* pin = AddPin(*symbol, source);
        if (shape == kRectListedFirst)
            source.GetObjects().AddTail(rect);
        source.GetObjects().AddTail(symbol);
        source.GetObjects().AddTail(other);
        CObList& shared = shape == kPinInTwoSymbols ? other->GetPins() : symbol->GetGraphics();
        shared.AddTail(shape == kPinInTwoSymbols ? static_cast<CObject*>(pin) : rect);
        if (shape == kRectInSymbolFirst)
            source.GetObjects().AddTail(rect);
        const Bytes bytes = testsupport::DocumentBytes(source);
        shared.RemoveTail();
        if (shape == kPinInTwoSymbols)
            delete rect;
        CDrawDoc doc;
        EXPECT_THROW(Load(doc, bytes), CArchiveException) << shape;
    }

    CSymbol symbol;
    symbol.GetGraphics().AddTail(&symbol);
    CMemFile file;
    CArchive store(&file, CArchive::store);
    store.WriteObject(&symbol);
    store.Close();
    symbol.GetGraphics().RemoveAll();
    file.SeekToBegin();
    CArchive load(&file, CArchive::load);
    EXPECT_THROW(load.ReadObject(RUNTIME_CLASS(CSymbol)), CArchiveException);
}

// A saved schematic opened, changed and saved again: the summary goes with it.
TEST(DrawDocFile, SummaryIsKeptAcrossOpenAndSave) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string path = (dir / "sheet.sch").string();
    FileTime created = 0;
    {
        CDrawDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetAttribute("Title", "Amplifier", 0);
        doc.SetAttribute("Drawn By", "ann", 0);
        doc.SetAttribute("Comments", "first cut", 0);
        created = doc.GetSummaryInfo()->GetCreateTimeValue();
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    }
    {
        CDrawDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
        const CSummaryInfo& summary = *doc.GetSummaryInfo();
        EXPECT_EQ(summary.GetTitle(), "Amplifier");
        EXPECT_EQ(summary.GetAuthor(), "ann");
        EXPECT_EQ(summary.GetComments(), "first cut");
        EXPECT_EQ(summary.GetCreateTimeValue(), created);
        EXPECT_EQ(summary.GetRevision(), "1");
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    }
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_EQ(doc.GetSummaryInfo()->GetRevision(), "2");
    EXPECT_EQ(doc.GetAttribute("Drawn By"), "ann");
}

// A save after a reopen writes the contents the first save wrote: a wizard block's body keeps
// the pen a load gives it, and marks of a design rule check, a highlight or a drag stay out.
TEST(DrawDocFile, ASaveAfterAReopenWritesTheSameContents) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string path = (dir / "sheet.sch").string();
    Bytes saved;
    {
        CDrawDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        CSymbol* block = BuildSubcctSymbol({{"IN", kSubcctInto}, {"OUT", kSubcctOut}}, {});
        block->SetDocument(&doc);
        doc.GetObjects().AddTail(block);
        auto* wire = new CWire;
        wire->AddPoint(CPoint(1000, -1000));
        wire->AddPoint(CPoint(2000, -1000));
        wire->SetDocument(&doc);
        auto* net = new CNet("N1");
        net->AddRef();
        wire->SetNet(net);
        doc.GetObjects().AddTail(wire);
        block->SetFlags(kFlagHighlight, kFlagHighlight);
        wire->SetFlags(kFlagDrcError | kFlagSnapExcluded, kFlagDrcError | kFlagSnapExcluded);
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
        saved = testsupport::DocumentBytes(doc);
    }
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_EQ(testsupport::DocumentBytes(doc), saved);
}

// The local time of the day 8 December 2026 as the summary keeps it.
FileTime OnTheEighth(int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 8;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    constexpr FileTime kSecondsFrom1601To1970 = 11644473600;
    return (static_cast<FileTime>(std::mktime(&local)) + kSecondsFrom1601To1970) * 10000000;
}

// The title block's "Last Saved" in the file, and on the sheet after the save, is the time of
// the save that wrote it, also when the file is opened and saved again.
TEST(DrawDocFile, TheTitleBlockShowsTheTimeOfTheSaveThatWroteIt) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string path = (dir / "sheet.sch").string();
    FileTime now = OnTheEighth(20, 0, 0);
    const auto lastSaved = [](CDrawDoc& doc) {
        POSITION pos = nullptr;
        const CAttrText* text = doc.FindAttrText("Last Saved", pos);
        return text ? text->GetText() : CString("no text");
    };
    {
        CDrawDoc doc;
        doc.SetClock([&now] { return now; });
        ASSERT_TRUE(doc.OnNewDocument());
        doc.GetObjects().AddTail(doc.GetDocAttrText("Last Saved", TRUE));
        now = OnTheEighth(20, 7, 28);
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
        now = OnTheEighth(20, 8, 16);
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
        EXPECT_EQ(lastSaved(doc), "12/8/2026 8:08:16 PM");
    }
    {
        CDrawDoc doc;
        doc.SetClock([&now] { return now; });
        ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
        EXPECT_EQ(lastSaved(doc), "12/8/2026 8:08:16 PM");
        now = OnTheEighth(20, 9, 5);
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    }
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_EQ(lastSaved(doc), "12/8/2026 8:09:05 PM");
    EXPECT_EQ(doc.GetSummaryInfo()->GetLastSaveTimeValue(), OnTheEighth(20, 9, 5));
}

TEST(DrawDocFile, ExternalReaderSeesTheSummary) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string path = (dir / "sheet.sch").string();
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetAttribute("Title", "Amplifier", 0);
    doc.SetAttribute("Drawn By", "ann", 0);
    doc.SetAttribute("Comments", "first cut", 0);
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    const std::string script =
        "import olefile, sys, datetime\n"
        "f = olefile.OleFileIO(sys.argv[1])\n"
        "print(sorted('/'.join(e) for e in f.listdir()))\n"
        "m = f.get_metadata()\n"
        "print(m.title, m.author, m.comments, m.revision_number, m.creating_application)\n"
        "print(m.codepage, m.num_pages)\n"
        "now = datetime.datetime.utcnow()\n"
        "print(abs((now - m.create_time).total_seconds()) < 60,\n"
        "      abs((now - m.last_saved_time).total_seconds()) < 60)\n";
    testsupport::WriteFileText(dir / "read.py", script);
    std::string output;
    ASSERT_EQ(testsupport::RunCommand(std::string(testsupport::kSystemPython) + " " +
                                          (dir / "read.py").string() + " " + path,
                                      &output),
              0)
        << output;
    EXPECT_EQ(output,
              "['\\x05SummaryInformation', 'Contents']\n"
              "b'Amplifier' b'ann' b'first cut' b'1' b'Vosk Schematic'\n"
              "-535 1\n"  // 65001, which the reader takes as a signed 16-bit number
              "True True\n");
}

TEST(DrawDocFile, RefusedFileIsNamedAndADamagedSummaryIsNot) {
    testsupport::RecordingAppServices services;
    testsupport::ScriptedPrompt prompt({IDOK});
    testsupport::TempDir dir;
    const std::string path = (dir / "odd.sch").string();
    CDrawDoc source;
    Bytes contents = testsupport::DocumentBytes(source);
    CompoundFile file;
    file.Root().WriteStream(kSummaryStreamName, {0xFE, 0xFF, 1});  // damaged
    file.Root().WriteStream("Contents", contents);
    file.SaveToFile(path);
    CDrawDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
    EXPECT_EQ(opened.GetSummaryInfo()->GetRevision(), "0");

    contents[0] = 0x34;
    contents[1] = 0x12;
    file.Root().WriteStream("Contents", contents);
    file.SaveToFile(path);
    CDrawDoc refused;
    EXPECT_FALSE(refused.OnOpenDocument(path.c_str()));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_NE(prompt.shown()[0].text.str().find(path), std::string::npos)
        << prompt.shown()[0].text.str();
}

}  // namespace

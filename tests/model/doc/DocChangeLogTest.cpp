// The change log of a document: the objects its recorded edits name, kept for the readers that
// follow the document, and what the undo list notes there as edits are done, undone and redone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/doc/DocChangeLog.h"
#include "model/doc/DrawDoc.h"
#include "model/net/NetTestSheet.h"
#include "model/net/Wire.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"

namespace {

using Objects = std::vector<CDocChangeLog::Object>;

// The objects noted after the first seen changes, or none at all (false).
std::optional<std::vector<const CDrawObj*>> Since(const CDocChangeLog& log, std::uint64_t seen) {
    Objects objects;
    if (!log.ObjectsSince(seen, objects))
        return std::nullopt;
    std::vector<const CDrawObj*> named;
    for (const auto& object : objects)
        named.push_back(object.object);
    return named;
}

using Named = std::vector<const CDrawObj*>;

TEST(DocChangeLog, AReaderGetsTheObjectsNotedSinceTheCountItSaw) {
    CDocChangeLog log;
    CSymbol symbol;
    CWire wire;
    log.Note({&symbol});
    log.Note({&wire, &symbol});
    EXPECT_EQ(log.Count(), 2u);

    Objects objects;
    ASSERT_TRUE(log.ObjectsSince(0, objects));
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].type, kObjSymbol);
    EXPECT_EQ(objects[1].type, kObjWire);
    EXPECT_EQ(Since(log, 1), (Named{&wire, &symbol}));
    EXPECT_EQ(Since(log, 2), Named{});
    // A count the log never reached is another log's.
    EXPECT_EQ(Since(log, 3), std::nullopt);

    // An edit that cannot name its objects hides everything before it.
    log.NoteUnknown();
    log.Note({&wire});
    EXPECT_EQ(Since(log, 2), std::nullopt);
    EXPECT_EQ(Since(log, 3), Named{&wire});
}

// A reader looks at everything after a change of many objects: the log does not keep their
// names, which would hold thousands of entries for each of its sixty-four changes.
TEST(DocChangeLog, AChangeOfMoreThanTheMostNamedObjectsNamesNone) {
    CDocChangeLog log;
    CSymbol symbol;
    log.Note(std::vector<CDrawObj*>(CDocChangeLog::kMostNamed, &symbol));
    EXPECT_EQ(Since(log, 0)->size(), CDocChangeLog::kMostNamed);
    log.Note(std::vector<CDrawObj*>(CDocChangeLog::kMostNamed + 1, &symbol));
    EXPECT_EQ(Since(log, 1), std::nullopt);
    log.Note({&symbol});
    EXPECT_EQ(log.Count(), 3u);
    EXPECT_EQ(Since(log, 2), Named{&symbol});
}

TEST(DocChangeLog, OnlyTheNewestSixtyFourChangesAreKept) {
    CDocChangeLog log;
    CSymbol symbol;
    for (int i = 0; i < 100; ++i)
        log.Note({&symbol});
    EXPECT_EQ(Since(log, 36)->size(), 64u);
    EXPECT_EQ(Since(log, 35), std::nullopt);
    EXPECT_EQ(Since(log, 0), std::nullopt);
}

TEST(DocChangeLog, TheUndoListNotesTheObjectsOfEachStepDoneUndoneOrRedone) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    const CDocChangeLog& log = doc.GetChangeLog();
    auto made = std::make_unique<CSymbol>();
    CSymbol* symbol = made.get();
    ASSERT_TRUE(doc.AddObject(std::move(made)));
    std::uint64_t seen = log.Count();
    EXPECT_GE(seen, 1u);
    EXPECT_EQ(Since(log, seen - 1), Named{symbol});

    symbol->SetAttr("Value", "10k", kSetAttrUndoable);
    EXPECT_EQ(Since(log, seen), Named{symbol});
    seen = log.Count();
    CObList removed;
    removed.AddTail(symbol);
    doc.RemoveObjects(&removed);
    EXPECT_EQ(Since(log, seen), Named{symbol});
    seen = log.Count();
    ASSERT_TRUE(doc.GetUndoList().Undo());
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(Since(log, seen), (Named{symbol, symbol}));

    // The document's own attributes are no object; every step comes with its notice.
    seen = log.Count();
    const size_t notices = services.notices().size();
    ASSERT_TRUE(doc.SetAttribute("Rev", "B", kAttrUndoable));
    EXPECT_EQ(log.Count(), seen + 1);
    EXPECT_EQ(Since(log, seen), Named{});
    EXPECT_EQ(services.notices().size(), notices + 1);

    struct Opaque : CCommand {};
    doc.GetUndoList().Add(new Opaque);
    EXPECT_EQ(Since(log, seen + 1), std::nullopt);
}

// The wires whose nets an edit changes are named, down to the joining of nets that follows
// adding and removing; an attribute edit of a wire is one of its net, which wires the edit does
// not know may carry, so it names none when recorded, and its undo the wires then carrying it.
TEST(DocChangeLog, NetEditsNameTheWiresWhoseNetsTheyChange) {
    nettest::NetSheet sheet;
    CDrawDoc& doc = sheet.doc;
    const CDocChangeLog& log = doc.GetChangeLog();
    const auto contains = [](const std::optional<Named>& named, const CDrawObj* object) {
        return named && std::find(named->begin(), named->end(), object) != named->end();
    };
    CWire* left = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    CWire* middle = sheet.Place({{1000, 0}, {2000, 0}});
    CWire* right = sheet.Place({{2000, 0}, {3000, 0}});
    nettest::NetSheet::Give(middle, left->GetNet());
    nettest::NetSheet::Give(right, left->GetNet());
    middle->SetStartObject(left);
    middle->SetEndObject(right);

    // Removing the middle wire gives the left one a new net, and a name for it.
    std::uint64_t seen = log.Count();
    CObList removed;
    removed.AddTail(middle);
    doc.RemoveObjects(&removed);
    ASSERT_NE(left->GetNet(), right->GetNet());
    EXPECT_EQ(log.Count(), seen + 3);
    EXPECT_TRUE(contains(Since(log, seen), middle));
    EXPECT_TRUE(contains(Since(log, seen + 1), left));
    EXPECT_EQ(Since(log, seen + 2), Named{left});
    seen = log.Count();
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_TRUE(contains(Since(log, seen), left));
    EXPECT_TRUE(contains(Since(log, seen), middle));

    // A wire drawn gets a new net and its name.
    seen = log.Count();
    auto drawn = std::make_unique<CWire>();
    drawn->AddPoint(CPoint(0, 500));
    drawn->AddPoint(CPoint(100, 500));
    CWire* wire = drawn.get();
    ASSERT_TRUE(doc.AddObject(std::move(drawn)));
    EXPECT_EQ(Since(log, seen), (Named{wire, wire, wire}));

    seen = log.Count();
    ASSERT_TRUE(wire->SetAttr("Class", "power", kSetAttrUndoable));
    EXPECT_EQ(Since(log, seen), std::nullopt);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Since(log, seen + 1), Named{wire});
}

}  // namespace

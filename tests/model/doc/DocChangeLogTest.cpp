// The change log of a document: the objects its recorded edits name, kept for the readers that
// follow the document, and what the undo list notes there as edits are done, undone and redone.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/doc/DocChangeLog.h"
#include "model/doc/DrawDoc.h"
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

}  // namespace

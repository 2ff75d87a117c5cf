// Library records whose objects cannot be loaded: the load frees what it read, and the readers
// of records tell which library and item failed and go on. Libraries whose records stop being
// readable part way: the readers that list records give those before the damage and tell where
// the library is damaged, and nothing is written where no walk could find it.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "LibraryTestBytes.h"
#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "library/LibraryItemProperties.h"
#include "library/LibraryItemsPaste.h"
#include "library/LibrarySearch.h"
#include "library/PartSource.h"
#include "library/ReplaceSymbol.h"
#include "library/ShellFileOps.h"
#include "library/ShellRows.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "platform/Archive.h"
#include "platform/DiskFile.h"
#include "platform/MemFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using librarytest::Archived;
using librarytest::Bytes;
using librarytest::DamagedRecordData;
using librarytest::DamagedRecordHeaders;
using librarytest::FileHeader;
using librarytest::Join;
using librarytest::Record;
using testsupport::ScriptedPrompt;
using testsupport::TempDir;

// Whether the boxes shown tell, in order, that each damaged record of library could not be
// loaded.
void ExpectEachDamagedRecordTold(const ScriptedPrompt& prompt, const std::string& library) {
    const auto damaged = DamagedRecordData();
    ASSERT_EQ(prompt.shown().size(), damaged.size());
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(damaged[i].what);
        EXPECT_TRUE(librarytest::TellsUnreadable(prompt.shown()[i].text, damaged[i].what, library));
        EXPECT_EQ(prompt.shown()[i].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    }
}

// A library on disk, opened for changes, of a good record, each damaged record as the given
// type, and a second good record.
class DamagedLibrary : public ::testing::Test {
protected:
    void Write(const Bytes& first, unsigned type, const Bytes& last) {
        const auto damaged = DamagedRecordData();
        Bytes records = first;
        for (const auto& record : damaged)
            records = Join({records, librarytest::Record(record.what, "", type, record.data)});
        testsupport::WriteFileBytes(
            path,
            Join({FileHeader("lib", static_cast<unsigned>(damaged.size() + 2)), records, last}));
        ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));
    }
    CString NameOf(int index) {
        CLibraryItem item;
        EXPECT_TRUE(library.SeekToItem(index, item));
        return item.m_name;
    }

    testsupport::TempDir dir;
    std::string path = (dir / "lib.rlb").string();
    CLibraryFile library;
};

// A symbol record's data: a resistor, the text that shows its value, and a text bound to the
// attributes of the document it was stored from.
Bytes SymbolWithTexts() {
    PartSources sources;
    std::istringstream in(
        "library t.rlb \"t\"\n"
        "symbol R \"resistor\" graphical\n"
        "attr Value 10k\n"
        "rect 0 0 200 -60\n"
        "pin 1 1 0 -30 -100 -30 passive\n"
        "show Value 0 100\n"
        "end\n");
    ReadPartSource(in, "test", sources);
    CObList objects;
    objects.AddTail(&sources.libraries.front().items.front()->objects);
    CDrawDoc source;
    CAttrText title(CRect(0, 0, 500, -100));
    title.Bind(&source, "Title");
    objects.AddTail(&title);
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &source;
    ar.WriteCount(static_cast<DWORD>(objects.GetCount()));
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        ar.WriteObject(objects.GetNext(pos));
    ar.Close();
    return file.GetBytes();
}

// The record read whole, then cut after every byte: each cut fails, the document's text list
// is as it was, and the sanitizer finds any object read and left behind (the text that shows
// the value above all).
TEST(DamagedRecords, ACutRecordFreesEverythingItRead) {
    const Bytes data = SymbolWithTexts();
    {
        CLibraryFile library;
        ASSERT_TRUE(library.OpenImage(Join({FileHeader("L", 1), Record("R", "", 0, data)})));
        CLibraryItemData item;
        ASSERT_TRUE(library.ReadItem(nullptr, 0, item));
        ASSERT_EQ(item.m_objects.GetCount(), 3);
    }
    for (size_t length = 0; length < data.size(); ++length) {
        SCOPED_TRACE(length);
        const Bytes cut(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
        CLibraryFile library;
        ASSERT_TRUE(library.OpenImage(Join({FileHeader("L", 1), Record("R", "", 0, cut)})));
        CDrawDoc document;
        CLibraryItemData item;
        EXPECT_THROW(library.ReadItem(&document, 0, item), CArchiveException);
        EXPECT_TRUE(item.m_objects.IsEmpty());
        EXPECT_EQ(document.GetAttrTextList()->GetCount(), 0);
    }
}

// Pasted records: each damaged one is told by name and left out, the others are pasted.
TEST(DamagedRecords, PasteTellsEachDamagedRecordAndPastesTheRest) {
    const std::string source = "/lib/src.rlb";
    Bytes image =
        Join({Record("BOX", "", kItemDevice, Archived({new CDrawRect(CRect(0, 0, 9, -9))}))});
    const auto damaged = DamagedRecordData();
    for (const auto& record : damaged)
        image = Join({image, Record(record.what, "", record.type, record.data)});
    image = Join({FileHeader(source, static_cast<unsigned>(damaged.size() + 2)), image,
                  Record("NOTE", "", kItemDevice, Archived({new CTextBox(CRect(0, 0, 9, -9))}))});

    ScriptedPrompt prompt;
    for (size_t i = 0; i < damaged.size(); ++i)
        prompt.Answer(IDOK);
    CDrawDoc document;
    CObList pasted;
    ASSERT_TRUE(LoadLibraryImageObjects(&document, image, pasted));
    ASSERT_EQ(pasted.GetCount(), 2);
    EXPECT_EQ(static_cast<CDrawObj*>(pasted.GetHead())->GetObjType(), kObjRect);
    EXPECT_EQ(static_cast<CDrawObj*>(pasted.GetTail())->GetObjType(), kObjText);
    DeleteListedObjects(pasted);
    ASSERT_EQ(prompt.shown().size(), damaged.size());
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(damaged[i].what);
        EXPECT_TRUE(librarytest::TellsUnreadable(prompt.shown()[i].text, damaged[i].what, source));
        EXPECT_EQ(prompt.shown()[i].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    }
}

// Replace Symbol passes over the damaged device records, telling each, and rewrites the
// devices around them.
TEST_F(DamagedLibrary, ReplaceSymbolTellsEachDamagedDeviceAndRewritesTheOthers) {
    const auto device = [](const char* name) {
        auto* made = new CDevice(name);
        made->SetAttr("_Map",
                      "OLD\x01\x01"
                      "1\x01"
                      "1",
                      TRUE);
        return Record(name, "", kItemDevice, Archived({made}));
    };
    Write(device("D1"), kItemDevice, device("D2"));
    ScriptedPrompt prompt;
    for (size_t i = 0; i < DamagedRecordData().size(); ++i)
        prompt.Answer(IDOK);
    const ReplaceSymbolCount count = ReplaceSymbolInDevices(library, "OLD", "NEW", {"1"}, {"A"});
    ExpectEachDamagedRecordTold(prompt, path);
    EXPECT_EQ(count.found, 2);
    EXPECT_EQ(count.modified, 2);
    const int records = library.GetItemCount();
    ASSERT_EQ(records, static_cast<int>(DamagedRecordData().size()) + 2);
    for (const int last : {records - 2, records - 1}) {
        CLibraryItem item;
        CObList objects;
        ASSERT_TRUE(library.SeekToItem(last, item));
        ASSERT_TRUE(library.ReadItemObjects(nullptr, item, objects));
        ASSERT_EQ(objects.GetCount(), 1);
        EXPECT_EQ(static_cast<CDevice*>(objects.GetHead())->GetAttr("_Map"),
                  "NEW\x01\x01"
                  "A\x01"
                  "1");
        delete objects.RemoveHead();
    }
}

// The properties of a damaged record tell it and show no dialog; the good records' still work.
TEST_F(DamagedLibrary, ItemPropertiesTellADamagedRecordAndChangeNothing) {
    const Bytes box = Archived({new CDrawRect(CRect(0, 0, 9, -9))});
    Write(Record("FIRST", "", kItemCircuit, box), kItemCircuit,
          Record("LAST", "", kItemCircuit, box));
    const Bytes before = testsupport::ReadFileBytes(path);
    ScriptedPrompt prompt;
    const auto rename = [](LibraryItemForm& form, CObList& objects) {
        EXPECT_EQ(objects.GetCount(), 1);
        form.name += "+";
        return true;
    };
    const int damaged = static_cast<int>(DamagedRecordData().size());
    for (int index = 1; index <= damaged; ++index) {
        prompt.Answer(IDOK);
        EXPECT_FALSE(EditItemProperties(library, index, [](LibraryItemForm&, CObList&) {
            ADD_FAILURE() << "the dialog was shown";
            return false;
        }));
    }
    ExpectEachDamagedRecordTold(prompt, path);
    EXPECT_EQ(testsupport::ReadFileBytes(path), before);
    ASSERT_TRUE(EditItemProperties(library, damaged + 1, rename));
    ASSERT_TRUE(EditItemProperties(library, 0, rename));
    EXPECT_EQ(NameOf(damaged), "LAST+");
    EXPECT_EQ(NameOf(damaged + 1), "FIRST+");
}

// A library of circuit records named A, B, C and D whose records can be read only in part.
struct PartlyReadable {
    std::string what;
    Bytes bytes;
    int readable;  // records before the damage
};

Bytes Circuit(const std::string& name) {
    return Record(name, std::string(40, '.'), kItemCircuit,
                  Archived({new CDrawRect(CRect(0, 0, 9, -9))}));
}

// A damaged record header first or third, and a library cut to half its length.
std::vector<PartlyReadable> PartlyReadableLibraries() {
    std::vector<PartlyReadable> libraries;
    for (const auto& [what, header] : DamagedRecordHeaders()) {
        libraries.push_back({std::string(what) + " first",
                             Join({FileHeader("lib", 3), header, Circuit("A"), Circuit("B")}), 0});
        libraries.push_back({std::string(what) + " third",
                             Join({FileHeader("lib", 3), Circuit("A"), Circuit("B"), header}), 2});
    }
    const Bytes whole =
        Join({FileHeader("lib", 4), Circuit("A"), Circuit("B"), Circuit("C"), Circuit("D")});
    // Four records of one size: the first half holds the first record whole.
    libraries.push_back(
        {"cut in half", Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2)), 1});
    return libraries;
}

std::vector<std::string> FirstNames(int count) {
    const std::vector<std::string> names = {"A", "B", "C", "D"};
    return {names.begin(), names.begin() + count};
}

// The Files page's list, the library's counts and the library search give the records before
// the damage; the counts tell where the library is damaged, the list and the search say so to
// their windows.
TEST(DamagedRecords, ReadersListTheRecordsBeforeTheDamageAndTellWhere) {
    for (const PartlyReadable& library : PartlyReadableLibraries()) {
        SCOPED_TRACE(library.what);
        TempDir dir;
        const std::string path = (dir / "lib.rlb").string();
        testsupport::WriteFileBytes(path, library.bytes);

        const std::optional<LibraryRows> listed = ListLibraryRows(path, ListSettings{});
        ASSERT_TRUE(listed);
        std::vector<std::string> names;
        for (const ShellRow& row : listed->rows)
            names.push_back(row.name);
        EXPECT_EQ(names, FirstNames(library.readable));
        EXPECT_EQ(listed->damagedAfter, library.readable);

        CLibraryFile file;
        ASSERT_TRUE(file.Open(path.c_str()));
        ScriptedPrompt prompt({IDOK});
        EXPECT_EQ(CountLibraryItems(file).circuits, library.readable);
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_TRUE(librarytest::TellsDamagedAfter(prompt.shown()[0].text, path, library.readable))
            << prompt.shown()[0].text.str();
        EXPECT_EQ(prompt.shown()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);

        const CLibrarySearchFilter all({}, false, true, true, true, false);
        CLibrarySearchWalk walk(all, false);
        std::error_code error;
        ASSERT_TRUE(walk.Start(path, error));
        while (walk.DoStep() != CLibrarySearchWalk::kDone) {
        }
        names.clear();
        for (const SearchResult& result : walk.Results())
            names.push_back(result.name.str());
        EXPECT_EQ(names, FirstNames(library.readable));
        ASSERT_EQ(walk.Damaged().size(), 1u);
        EXPECT_EQ(walk.Damaged()[0].library.str(), path);
        EXPECT_EQ(walk.Damaged()[0].readable, library.readable);
    }
}

// A record renamed, replaced or rewritten by Replace Symbol goes to the end of the library,
// where behind the damage no walk could find it again: the library is left as it is, and
// Replace Symbol tells why.
TEST(DamagedRecords, NothingIsWrittenBehindTheDamage) {
    for (const PartlyReadable& library : PartlyReadableLibraries()) {
        if (library.readable == 0)
            continue;
        SCOPED_TRACE(library.what);
        TempDir dir;
        const std::string path = (dir / "lib.rlb").string();
        testsupport::WriteFileBytes(path, library.bytes);
        CLibraryFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CDiskFile::modeReadWrite));

        ScriptedPrompt prompt({IDOK});
        const ReplaceSymbolCount count = ReplaceSymbolInDevices(file, "OLD", "NEW", {"1"}, {"A"});
        EXPECT_EQ(count.found, 0);
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_TRUE(librarytest::TellsDamagedAfter(prompt.shown()[0].text, path, library.readable));

        EXPECT_EQ(file.UpdateItem(0, CLibraryItem("Z", "", kItemCircuit), kUpdateName), 0);
        CMemFile data(Archived({new CDrawRect(CRect(0, 0, 5, -5))}));
        CLibraryItem replacing("A", "", kItemCircuit);
        EXPECT_FALSE(file.ReplaceItem(0, replacing, data, static_cast<UINT>(data.GetLength())));
        file.Close();
        EXPECT_EQ(testsupport::ReadFileBytes(path), library.bytes);
    }
}

// Renaming or re-describing a record in its properties, or renaming it in the list, is
// refused there too, and the user is told where the library is damaged.
TEST(DamagedRecords, RenamingOrRedescribingTellsTheDamage) {
    for (const PartlyReadable& library : PartlyReadableLibraries()) {
        if (library.readable == 0)
            continue;
        SCOPED_TRACE(library.what);
        TempDir dir;
        const std::string path = (dir / "lib.rlb").string();
        testsupport::WriteFileBytes(path, library.bytes);
        ScriptedPrompt prompt({IDOK, IDOK, IDOK});
        {
            CLibraryFile file;
            ASSERT_TRUE(file.Open(path.c_str(), CDiskFile::modeReadWrite));
            for (const bool rename : {true, false}) {
                EXPECT_FALSE(EditItemProperties(file, 0, [rename](LibraryItemForm& form, CObList&) {
                    (rename ? form.name : form.description) += "+";
                    return true;
                }));
            }
        }
        EXPECT_FALSE(RenameLibraryItem(path, 0, "Z"));
        ASSERT_EQ(prompt.shown().size(), 3u);
        for (const ScriptedPrompt::Shown& shown : prompt.shown())
            EXPECT_TRUE(librarytest::TellsDamagedAfter(shown.text, path, library.readable))
                << shown.text.str();
        EXPECT_EQ(testsupport::ReadFileBytes(path), library.bytes);
    }
}

}  // namespace

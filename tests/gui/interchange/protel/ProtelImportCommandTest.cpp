// The File menu's Protel import: the filter picks the reader, an unreadable file is reported
// without a document, an imported schematic is titled and dated after its file, and the
// library target can be cancelled.

#include "gui/interchange/protel/ProtelImportCommand.h"

#include <gtest/gtest.h>

#include <utime.h>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>

#include "gui/support/QtTestApp.h"
#include "interchange/protel/ProtelFileBuilder.h"
#include "library/LibraryFile.h"
#include "model/doc/DrawDoc.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using testsupport::TempDir;

void Write(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class ProtelImportCommand : public ::testing::Test {
protected:
    ProtelImportCommand() : settings(dir / "settings.ini") {
        QtTestApp::ensure();
        seams.documents.create = [this] {
            documents.push_back(std::make_unique<CDrawDoc>());
            return documents.back().get();
        };
        seams.documents.discard = [this](CDrawDoc&) { ++discarded; };
        seams.showLibraries = [this](const std::string& written) {
            ++shownLibraries;
            shownLibrary = written;
        };
        seams.chooseLibrary = [this](QWidget*, const std::string&) { return library; };
    }

    void Choose(const std::string& path, int filter) {
        seams.chooseFile = [path, filter](QWidget*, const std::string&, int) {
            return ProtelFileChoice{path, filter};
        };
    }

    TempDir dir;
    SettingsStore settings;
    ProtelImportSeams seams;
    std::vector<std::unique_ptr<CDrawDoc>> documents;
    std::string library;
    int discarded = 0;
    int shownLibraries = 0;
    std::string shownLibrary;  // the library the Files page was to select
    std::ostringstream log;
};

ProtelFileBuilder Schematic() {
    ProtelFileBuilder file;
    file.SchematicStart(0).SheetHeader(0).Wire({{0, 0}, {100, 0}}).End();
    return file;
}

ProtelFileBuilder Library() {
    ProtelFileBuilder file;
    file.LibraryStart({{"RES"}})
        .ComponentHead({"RES"}, "RESISTOR", "AXIAL0.4", "R?", 1)
        .PartStart();
    file.Pin(0, 0, 2, "1", "1").Pin(100, 0, 0, "2", "2").End().End().End();
    return file.LibraryTail("RES");
}

TEST_F(ProtelImportCommand, TheLibraryFilterReadsALibraryWhateverItsName) {
    const std::string path = (dir / "X.SCH").string();
    Write(path, Library().Bytes());
    library = (dir / "new.rlb").string();
    Choose(path, 2);
    RunProtelImport(nullptr, settings, log, seams);
    EXPECT_TRUE(documents.empty());
    EXPECT_EQ(shownLibraries, 1);
    EXPECT_EQ(shownLibrary, library) << "the library written is selected";
    ASSERT_GE(log.str().size(), 5u);
    EXPECT_EQ(log.str().substr(log.str().size() - 5), "\nOK.\n") << log.str();
    CLibraryFile file;
    ASSERT_TRUE(file.Open(library.c_str()));
    EXPECT_EQ(file.GetItemCount(), 2);  // the symbol and the device
}

// The library dialog starts in the user's library folder, stored with backslashes and handed
// over as a folder of this system.
TEST_F(ProtelImportCommand, TheLibraryDialogStartsInTheUsersLibraryFolder) {
    const std::string path = (dir / "GATES.LIB").string();
    Write(path, Library().Bytes());
    settings.WriteProfileString("Directories", "userlib", ToStoredPath((dir / "mine").string()));
    std::string folder = "not asked";
    seams.chooseLibrary = [&folder](QWidget*, const std::string& start) {
        folder = start;
        return std::string();
    };
    Choose(path, 2);
    RunProtelImport(nullptr, settings, log, seams);
    EXPECT_EQ(folder, (dir / "mine").string());
}

TEST_F(ProtelImportCommand, AnUnreadableFileIsReportedWithoutADocument) {
    const std::string path = (dir / "missing.sch").string();
    Choose(path, 1);
    RunProtelImport(nullptr, settings, log, seams);
    EXPECT_EQ(log.str(),
              "\fReading file " + path + "...\n\nError : Could not open file :\n" + path);
    EXPECT_TRUE(documents.empty());
}

TEST_F(ProtelImportCommand, ASchematicIsTitledAndDatedAfterItsFile) {
    const std::string path = (dir / "AMP.SCH").string();
    Write(path, Schematic().Bytes());
    std::tm when{};
    when.tm_year = 2003 - 1900, when.tm_mon = 6, when.tm_mday = 5, when.tm_hour = 14,
    when.tm_min = 9;
    when.tm_isdst = -1;
    const std::time_t stamp = std::mktime(&when);
    const utimbuf times{stamp, stamp};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
    Choose(path, 1);
    RunProtelImport(nullptr, settings, log, seams);
    ASSERT_EQ(documents.size(), 1u);
    CDrawDoc& doc = *documents.front();
    EXPECT_EQ(doc.GetTitle(), "AMP_vsch");
    EXPECT_EQ(doc.GetAttribute(".date"), "05/07/03");
    EXPECT_EQ(doc.GetAttribute(".time"), "14:09");
    EXPECT_EQ(log.str().substr(log.str().size() - 5), "\nOK.\n");
    EXPECT_EQ(settings.GetProfileInt("Settings", "ProtelFileType", 0), 1u);
    EXPECT_EQ(std::string(settings.GetProfileString("Directories", "Protel", "")),
              dir.path().string());
}

TEST_F(ProtelImportCommand, BadSchematicIsReportedAndItsDocumentDiscarded) {
    const std::string path = (dir / "BAD.S01").string();
    Write(path, {0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    Choose(path, 3);
    RunProtelImport(nullptr, settings, log, seams);
    EXPECT_EQ(discarded, 1);
    EXPECT_NE(log.str().find("Unknown record type 40 at file position 0.\n"
                             "\nError : File is corrupted or the wrong format.\n"),
              std::string::npos)
        << log.str();
}

TEST_F(ProtelImportCommand, CancellingTheLibraryTargetStillShowsTheLibraries) {
    const std::string path = (dir / "GATES.LIB").string();
    Write(path, Library().Bytes());
    Choose(path, 2);
    RunProtelImport(nullptr, settings, log, seams);
    EXPECT_EQ(shownLibraries, 1);
    EXPECT_EQ(shownLibrary, "") << "no library was written";
    EXPECT_EQ(log.str(), "\fReading file " + path + "...\n");
}

TEST_F(ProtelImportCommand, AFailedLibraryImportSelectsNoLibrary) {
    const std::string path = (dir / "BAD.LIB").string();
    Write(path, {0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    library = (dir / "new.rlb").string();
    Choose(path, 2);
    RunProtelImport(nullptr, settings, log, seams);
    EXPECT_EQ(shownLibraries, 1);
    EXPECT_EQ(shownLibrary, "");
    EXPECT_NE(log.str().find("\nError : File is corrupted or the wrong format.\n"),
              std::string::npos)
        << log.str();
}

}  // namespace

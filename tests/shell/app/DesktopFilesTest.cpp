#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TestSupport.h"

using testsupport::ReadFileText;
using testsupport::RunCommand;

namespace fs = std::filesystem;

namespace {

const fs::path kDesktopFolder = fs::path(VOSK_SOURCE_DIR) / "resources" / "desktop";

}  // namespace

TEST(DesktopFiles, DesktopEntryIsValidAndOpensAndPrintsSchematics) {
    const fs::path entry = kDesktopFolder / "vosk.desktop";
    std::string output;
    EXPECT_EQ(RunCommand("desktop-file-validate '" + entry.string() + "' 2>&1", &output), 0);
    EXPECT_EQ(output, "") << "no errors or warnings";
    const std::string text = ReadFileText(entry);
    EXPECT_NE(text.find("\nExec=vosk %F\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=vosk /p %f\n"), std::string::npos);
    EXPECT_NE(text.find("\nMimeType=application/x-vosksch-document;\n"), std::string::npos);
}

TEST(DesktopFiles, MimeTypeInstallsWithGlobAndMagic) {
    testsupport::TempDir dir;
    const fs::path mime = dir / "mime";
    fs::create_directories(mime / "packages");
    fs::copy_file(kDesktopFolder / "vosk-schematic.xml", mime / "packages" / "vosk-schematic.xml");
    std::string output;
    ASSERT_EQ(RunCommand("update-mime-database '" + mime.string() + "' 2>&1", &output), 0)
        << output;
    EXPECT_EQ(output.find("rror"), std::string::npos) << output;

    EXPECT_NE(ReadFileText(mime / "globs2").find("application/x-vosksch-document:*.sch"),
              std::string::npos);
    EXPECT_NE(ReadFileText(mime / "subclasses")
                  .find("application/x-vosksch-document application/x-ole-storage"),
              std::string::npos);
    const std::string magic = ReadFileText(mime / "magic");
    EXPECT_NE(magic.find("[40:application/x-vosksch-document]"), std::string::npos);
    EXPECT_NE(magic.find("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"), std::string::npos);
}

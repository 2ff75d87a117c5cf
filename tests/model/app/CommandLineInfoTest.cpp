#include "model/app/CommandLineInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineInfoTest, FilesAndPrintOptionsInAnyCaseAndOrder) {
    CommandLineInfo info = ParseCommandLine({});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FileNew);
    EXPECT_TRUE(info.showSplash);

    // An absolute path starts with '/' but is no option; later files are ignored.
    info = ParseCommandLine({"/home/me/amp.sch", "/home/me/second.sch"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FileOpen);
    EXPECT_EQ(info.fileName, "/home/me/amp.sch");
    EXPECT_TRUE(UnsupportedRequest(info).empty());

    info = ParseCommandLine({"a.sch", "-P"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FilePrint);
    EXPECT_EQ(info.fileName, "a.sch");
    EXPECT_TRUE(AsksToPrint(info));
    EXPECT_FALSE(info.showSplash);

    info = ParseCommandLine({"/pt", "a.sch", "Laser", "driver", "port", "extra"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FilePrintTo);
    EXPECT_EQ(info.fileName + info.printerName + info.driverName + info.portName,
              "a.schLaserdriverport");
}

TEST(CommandLineInfoTest, RequestsOfOtherProgramsAndUnknownOptionsAreRefusedWithAReason) {
    const std::pair<const char*, const char*> cases[] = {{"/Embedding", "/Embedding"},
                                                         {"-automation", "/Automation"},
                                                         {"/DDE", "/dde"},
                                                         {"/Unregserver", "/Unregister"},
                                                         {"-x", "\"-x\""},
                                                         {"--help", "\"--help\""}};
    for (const auto& [option, reason] : cases) {
        const CommandLineInfo info = ParseCommandLine({option, "a.sch"});
        EXPECT_NE(UnsupportedRequest(info).find(reason), std::string::npos) << option;
    }
    EXPECT_FALSE(ParseCommandLine({"/embedding"}).showSplash);
    EXPECT_TRUE(ParseCommandLine({"/dde"}).showSplash);
    // An unknown word after '/' is a path; after '-' an option.
    EXPECT_EQ(ParseCommandLine({"/nosuch"}).fileName, "/nosuch");
}

}  // namespace

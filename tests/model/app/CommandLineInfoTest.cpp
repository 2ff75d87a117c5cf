#include "model/app/CommandLineInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineInfoTest, NoArgumentsMakeANewDocumentAndAFileOpensIt) {
    CommandLineInfo info = ParseCommandLine({});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FileNew);
    EXPECT_TRUE(info.showSplash);
    EXPECT_TRUE(UnsupportedRequest(info).empty());

    // An absolute path starts with '/' but is no option.
    info = ParseCommandLine({"/home/me/amp.sch", "/home/me/second.sch"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FileOpen);
    EXPECT_EQ(info.fileName, "/home/me/amp.sch");
    EXPECT_TRUE(info.printerName.empty()) << "later files are ignored";
    EXPECT_TRUE(UnsupportedRequest(info).empty());
}

TEST(CommandLineInfoTest, PrintOptionsTakeTheirParametersInAnyCaseAndShowNoSplash) {
    CommandLineInfo info = ParseCommandLine({"-P", "a.sch"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FilePrint);
    EXPECT_EQ(info.fileName, "a.sch");
    EXPECT_TRUE(AsksToPrint(info));
    EXPECT_FALSE(info.showSplash);

    info = ParseCommandLine({"/pt", "a.sch", "Laser", "driver", "port", "extra"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FilePrintTo);
    EXPECT_EQ(info.fileName, "a.sch");
    EXPECT_EQ(info.printerName, "Laser");
    EXPECT_EQ(info.driverName, "driver");
    EXPECT_EQ(info.portName, "port");
    EXPECT_FALSE(info.showSplash);
    EXPECT_TRUE(UnsupportedRequest(info).empty());

    // The option may follow the file.
    info = ParseCommandLine({"a.sch", "/p"});
    EXPECT_EQ(info.shellCommand, CommandLineInfo::FilePrint);
    EXPECT_EQ(info.fileName, "a.sch");
}

TEST(CommandLineInfoTest, RequestsOfOtherProgramsAndUnknownOptionsAreRefusedWithAReason) {
    struct Case {
        const char* option;
        const char* reason;
    };
    const Case cases[] = {{"/Embedding", "/Embedding"},
                          {"-automation", "/Automation"},
                          {"/DDE", "/dde"},
                          {"/Unregserver", "/Unregister"},
                          {"-x", "\"-x\""},
                          {"--help", "\"--help\""}};
    for (const Case& c : cases) {
        const CommandLineInfo info = ParseCommandLine({c.option, "a.sch"});
        EXPECT_NE(UnsupportedRequest(info).find(c.reason), std::string::npos) << c.option;
    }
    EXPECT_FALSE(ParseCommandLine({"/embedding"}).showSplash);
    EXPECT_FALSE(ParseCommandLine({"/AUTOMATION"}).showSplash);
    EXPECT_TRUE(ParseCommandLine({"/dde"}).showSplash);
    // An unknown word after '/' is a path; after '-' an option.
    EXPECT_EQ(ParseCommandLine({"/nosuch"}).fileName, "/nosuch");
}

}  // namespace

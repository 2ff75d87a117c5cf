#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "drc/DrcRun.h"
#include "drc/support/DrcFixture.h"
#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

using drctest::EveryKindSheet;
using drctest::FakeDrcServices;

// Runs the queued checks to their end; the number of steps taken.
int RunToEnd(CDrcRun& run) {
    int steps = 0;
    while (run.OnIdle())
        ++steps;
    return steps;
}

void Notify(CDrcRun& run, int code, const void* document) {
    const DrcCheckRequest request{code, document};
    run.QueueCheck(&request);
}

// Takes the symbols and the wires that start on their pins out of the document and frees them.
void RemoveWithWires(CDrawDoc& doc, std::vector<CDrawObj*> doomed) {
    const std::vector<CDrawObj*> symbols = doomed;
    CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* wire = dynamic_cast<CWire*>(objects.GetNext(pos));
        const auto* start = wire ? static_cast<const CPin*>(wire->GetStartObject()) : nullptr;
        if (start && std::count(symbols.begin(), symbols.end(), start->GetOwner()))
            doomed.push_back(wire);
    }
    for (CDrawObj* object : doomed) {
        objects.RemoveAt(objects.Find(object));
        object->Remove();
    }
}

std::string Report(const CDrcRun& run) {
    return run.ReportText().str();
}

struct DrcRunTest : ::testing::Test {
    DrcRunTest() {
        services.open.push_back(&every.sheet.doc);
        run.SetReportObserver([this](const CString& text) { reports.push_back(text.str()); });
    }
    drctest::ShowingAppServices app;
    FakeDrcServices services;
    EveryKindSheet every;
    CDrcRun run;
    std::vector<std::string> reports;
};

TEST_F(DrcRunTest, CheckNowListsEveryKindOfFindingAndMarksItsObjects) {
    run.QueueCheck(nullptr);
    RunToEnd(run);
    EXPECT_EQ(Report(run), drctest::kEveryKindReport);
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(reports[0], "");
    EXPECT_EQ(reports[1], "Checking..");
    ASSERT_EQ(run.Findings().size(), 6u);
    EXPECT_EQ(run.Findings()[0].line, 1);
    EXPECT_EQ(run.Findings()[2].line, 7);
    EXPECT_EQ(run.Findings()[3].line, 10);
    EXPECT_EQ(run.FindingAtLine(4), &run.Findings()[1]);
    EXPECT_EQ(run.FindingAtLine(5), nullptr);
    // Every finding's objects carry the mark.
    for (const char* pin : {"A", "Y"})
        EXPECT_TRUE(every.u1->FindPin(pin)->GetFlags() & kFlagDrcError) << pin;
    EXPECT_TRUE(every.u2->FindPin("Y")->GetFlags() & kFlagDrcError);
    EXPECT_TRUE(every.n1->GetFlags() & kFlagDrcError);
    EXPECT_TRUE(every.r1->GetFlags() & kFlagDrcError);
    EXPECT_TRUE(every.u4->GetFlags() & kFlagDrcError);
    EXPECT_FALSE(every.u3->GetFlags() & kFlagDrcError);
}

TEST_F(DrcRunTest, ChecksChosenOffReportNothing) {
    services.rules.SetCheckFlags(0xFE & ~kDrcCheckEmptyNet & ~kDrcCheckSharedPin);
    run.QueueCheck(nullptr);
    RunToEnd(run);
    EXPECT_EQ(Report(run).find("Empty net"), std::string::npos);
    EXPECT_EQ(Report(run).find("shared pin"), std::string::npos);
    EXPECT_NE(Report(run).find("connects only one pin"), std::string::npos);
    services.rules.SetCheckFlags(0);
    run.QueueCheck(nullptr);
    RunToEnd(run);
    EXPECT_EQ(Report(run), "No errors found.");
}

TEST_F(DrcRunTest, AWireOnlyNetAloneGivesTheSummary) {
    nltest::Sheet amp("/work/amp.sch");
    drctest::LooseWire(amp, "N1");
    services.open = {&amp.doc};
    run.QueueCheck(nullptr);
    RunToEnd(run);
    EXPECT_EQ(Report(run),
              "Empty Nets :\r\nWarning: Empty net - N1\r\n\r\namp.sch\r\nErrors :  0\r\n"
              "Warnings :  1\r\n");
}

TEST_F(DrcRunTest, DoubleClickedFindingMarksAloneAndIsShown) {
    run.QueueCheck(nullptr);
    RunToEnd(run);
    const DrcListedFinding* shorted = run.FindingAtLine(13);
    ASSERT_NE(shorted, nullptr);
    EXPECT_EQ(shorted->kind, kDrcShortedSymbol);
    EXPECT_TRUE(run.ShowFinding(*shorted));
    EXPECT_TRUE(every.r1->GetFlags() & kFlagDrcError);
    EXPECT_FALSE(every.u1->FindPin("A")->GetFlags() & kFlagDrcError);
    EXPECT_FALSE(every.n1->GetFlags() & kFlagDrcError);
    ASSERT_EQ(app.shown.size(), 1u);
    EXPECT_EQ(app.shown[0], &every.sheet.doc);
    EXPECT_EQ(app.mask, 0x20u);
}

TEST_F(DrcRunTest, FindingsOfObjectsThatLeftAreNotShown) {
    run.QueueCheck(nullptr);
    RunToEnd(run);
    const DrcListedFinding finding = *run.FindingAtLine(13);
    CObList gone;
    gone.AddTail(every.r1);
    every.sheet.doc.RemoveObjects(&gone);
    EXPECT_FALSE(run.ShowFinding(finding));
    services.open.clear();
    Notify(run, kDocumentSetChanged, nullptr);
    run.OnIdle();
    EXPECT_TRUE(run.Findings().empty());
    EXPECT_TRUE(app.shown.empty());
}

TEST_F(DrcRunTest, ChangesQueueChecksOnlyWhileRunningWhileWorking) {
    const DrcCheckRequest changed{kDocumentContentChanged, &every.sheet.doc};
    run.QueueCheck(&changed);
    EXPECT_FALSE(run.OnIdle());
    run.SetRunWhileWorking(true);
    run.QueueCheck(&changed);
    run.QueueCheck(&changed);  // once is enough
    EXPECT_TRUE(run.OnIdle());
    RunToEnd(run);
    EXPECT_EQ(Report(run), drctest::kEveryKindReport);
    // A document that is not open is not checked.
    nltest::Sheet closed;
    Notify(run, kDocumentContentChanged, &closed.doc);
    RunToEnd(run);
    EXPECT_EQ(Report(run), drctest::kEveryKindReport);
}

TEST_F(DrcRunTest, AnEditDuringACheckStartsItAgain) {
    run.SetStepSize(1);
    run.QueueCheck(nullptr);
    run.OnIdle();
    run.OnIdle();
    EXPECT_TRUE(run.IsRunning());
    // The shorted resistor goes with its wires; the check starts over without them.
    RemoveWithWires(every.sheet.doc, {every.r1});
    Notify(run, kDocumentContentChanged, &every.sheet.doc);
    const size_t before = reports.size();
    RunToEnd(run);
    EXPECT_EQ(reports[before + 1], "Checking..");
    std::string expected = drctest::kEveryKindReport;
    const std::string shorted = "Symbol Shorted :\r\nWarning: Symbol R1 pins shorted.\r\n\r\n";
    expected.erase(expected.find(shorted), shorted.size());
    expected.replace(expected.find("Warnings :  5"), 13, "Warnings :  4");
    EXPECT_EQ(Report(run), expected);
}

TEST_F(DrcRunTest, ObjectsDeletedUnannouncedBetweenStepsAreNotTouched) {
    run.SetStepSize(1);
    run.QueueCheck(nullptr);
    run.OnIdle();
    // U2 and R1 leave with their wires and are freed, and no notice says so.
    RemoveWithWires(every.sheet.doc, {every.u2, every.r1});
    RunToEnd(run);
    EXPECT_FALSE(run.IsRunning());
    EXPECT_EQ(Report(run).find("R1"), std::string::npos);
    for (const DrcListedFinding& finding : run.Findings())
        EXPECT_TRUE(run.ShowFinding(finding)) << finding.text.str();
}

TEST_F(DrcRunTest, ClosingTheDocumentEndsItsCheckAndLetsTheNextRun) {
    auto other = std::make_unique<nltest::Sheet>("/x/b.sch");
    drctest::LooseWire(*other, "Q");
    drctest::LooseWire(*other, "R");
    services.open = {&other->doc, &every.sheet.doc};
    run.SetStepSize(1);
    run.SetRunWhileWorking(true);
    run.QueueCheck(nullptr);  // b.sch, the active one
    Notify(run, kDocumentContentChanged, &every.sheet.doc);
    run.OnIdle();
    EXPECT_TRUE(run.IsRunning());
    services.open = {&every.sheet.doc};
    other.reset();
    Notify(run, kDocumentSetChanged, nullptr);
    RunToEnd(run);
    EXPECT_EQ(Report(run), drctest::kEveryKindReport);
}

TEST_F(DrcRunTest, TheCheckStopsAtAHundredFindings) {
    nltest::Sheet many("/x/many.sch");
    for (int i = 0; i < 150; ++i)
        drctest::LooseWire(many, ("E" + std::to_string(i)).c_str());
    services.open = {&many.doc};
    run.QueueCheck(nullptr);
    RunToEnd(run);
    EXPECT_EQ(run.Findings().size(), 100u);
    EXPECT_NE(
        Report(run).find("\r\n\r\nError/Warnings count exceeds 100, stopping.\r\n\r\nmany.sch\r\n"
                         "Errors :  0\r\nWarnings :  100\r\n"),
        std::string::npos);
}

// One net of many Output pins conflicts pair by pair; the check stops at the cap within it.
TEST_F(DrcRunTest, OneNetOfTwoThousandOutputsStopsAtAHundredFindings) {
    nltest::Sheet bus("/x/bus.sch");
    for (int i = 0; i < 2000; ++i) {
        CSymbol* driver = bus.Part(("U" + std::to_string(i + 1)).c_str(), {"Y"}, nullptr, "BUF");
        drctest::SetPinType(driver, "Y", 1);
        bus.Wire(driver, "Y", "OUT");
    }
    services.open = {&bus.doc};
    run.QueueCheck(nullptr);
    RunToEnd(run);
    EXPECT_EQ(run.Findings().size(), 100u);
    EXPECT_NE(Report(run).find("Error: U1:Y Output Pin connected to U2:Y Output Pin\r\n"),
              std::string::npos);
    EXPECT_NE(Report(run).find("Error/Warnings count exceeds 100, stopping.\r\n\r\nbus.sch\r\n"
                               "Errors :  100\r\nWarnings :  0\r\n"),
              std::string::npos);
}

// The port IO of stage.sch lies on its "+5v" rail; the top wires X1's IO to its own "-15v" rail,
// and mid.sch does the same with its block Y1 of stage.sch, which the top uses as X2. Each port
// shorts two supplies, as the netlist build tells: errors that name the rails, the port and the
// instance from the top, on the top's block through which they are reached.
TEST_F(DrcRunTest, APortThatShortsTwoRailsIsAnErrorOnItsBlock) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/stage.sch", [](nltest::Sheet& stage) {
        stage.doc.SetAttribute("Power1", "+5v", 0);
        stage.Wire(stage.Add("P1", kSymbolPort, {"IO"}), "IO", "+5v");
    });
    opener.Serve("/d/mid.sch", [](nltest::Sheet& mid) {
        mid.doc.SetAttribute("Power2", "-15v", 0);
        mid.Wire(mid.Add("P1", kSymbolPort, {"P"}), "P", "Q");
        mid.Wire(mid.Block("Y1", "stage.sch", {"IO"}), "IO", "-15v");
    });
    nltest::Sheet top("/d/top.sch");
    top.doc.SetAttribute("Power2", "-15v", 0);
    CSymbol* x1 = top.Block("X1", "stage.sch", {"IO"});
    top.Wire(x1, "IO", "-15v");
    CSymbol* x2 = top.Block("X2", "mid.sch", {"P"});
    top.Wire(x2, "P", "Q");
    services.open = {&top.doc};
    run.QueueCheck(nullptr);
    RunToEnd(run);
    EXPECT_NE(Report(run).find("Rails Shorted :\r\n"
                               "Error: port 'IO' of X1 shorts rails '-15v' and '+5v'.\r\n"
                               "Error: port 'IO' of X2:Y1 shorts rails '-15v' and '+5v'.\r\n"),
              std::string::npos)
        << Report(run);
    EXPECT_TRUE(x1->GetFlags() & kFlagDrcError);
    EXPECT_TRUE(x2->GetFlags() & kFlagDrcError);
    // stage.sch, reached twice, is read once in the check.
    EXPECT_EQ(opener.opened, (std::map<std::string, int>{{"/d/mid.sch", 1}, {"/d/stage.sch", 1}}));
}

// amp.sch keeps the names GND and +5v for its first ground and power rails, which the top
// sheet renamed 0V and +3v3: a warning on the block X1 names the sheet, each rail and its two
// names, as the netlist build tells; the rails named alike pass unmentioned.
TEST_F(DrcRunTest, ASheetThatNamesARailOtherwiseIsAWarningOnItsBlock) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/amp.sch", [](nltest::Sheet& amp) {
        amp.doc.SetAttribute("Ground1", "GND", 0);
        amp.doc.SetAttribute("Ground2", "AGND", 0);
        amp.doc.SetAttribute("Power1", "+5v", 0);
        amp.Wire(amp.Add("P1", kSymbolPort, {"IN"}), "IN", "IN");
    });
    nltest::Sheet top("/d/top.sch");
    top.doc.SetAttribute("Ground1", "0V", 0);
    top.doc.SetAttribute("Ground2", "AGND", 0);
    top.doc.SetAttribute("Power1", "+3v3", 0);
    CSymbol* x1 = top.Block("X1", "amp.sch", {"IN"});
    top.Wire(x1, "IN", "SIG");
    services.open = {&top.doc};
    run.QueueCheck(nullptr);
    RunToEnd(run);
    EXPECT_NE(Report(run).find("Rails Named Otherwise :\r\n"
                               "Warning: sheet '/d/amp.sch' names rail Ground1 'GND' where the top "
                               "sheet names it '0V'.\r\n"
                               "Warning: sheet '/d/amp.sch' names rail Power1 '+5v' where the top "
                               "sheet names it '+3v3'.\r\n"),
              std::string::npos)
        << Report(run);
    EXPECT_EQ(Report(run).find("AGND"), std::string::npos) << Report(run);
    EXPECT_TRUE(x1->GetFlags() & kFlagDrcError);
}

}  // namespace

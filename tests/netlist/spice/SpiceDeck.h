#pragma once
// The Spice writer's tests: an application with settings of its own, scripted Spice windows
// and the deck of a sheet written in memory.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/app/SchematicApp.h"
#include "netlist/spice/SpiceFormat.h"
#include "netlist/spice/SpiceUi.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "support/TestSupport.h"

namespace spicetest {

// Answers the reference-net question with net (empty: Cancel) and counts the questions.
class ScriptedSpiceUi : public ISpiceUi {
public:
    BOOL EditOptions(CDocNetlist* /*walker*/) override { return optionsOk; }
    BOOL ChooseReferenceNet(CDocNetlist& /*walker*/, CString& chosen) override {
        ++asked;
        chosen = net;
        return net.IsEmpty() ? FALSE : TRUE;
    }

    CString net;
    BOOL optionsOk = TRUE;
    int asked = 0;
};

class SpiceTest : public testing::Test {
protected:
    SettingsStore& Settings() { return app.Settings(); }
    void Set(const char* key, const char* value) {
        Settings().WriteProfileString("Spice", key, value);
    }
    void Set(const char* key, int value) { Settings().WriteProfileInt("Spice", key, value); }

    // The deck of the sheet and its sub-circuit sheets; empty when the header refuses. The
    // body succeeds when the deck is complete.
    std::string Deck(CSpiceFormat& writer, nltest::Sheet& sheet, bool complete = true) {
        std::ostringstream out;
        CNetNode top(sheet.doc.GetPathName());
        if (!writer.WriteHeader(sheet.doc.m_netlist, out, log))
            return out.str();
        sheet.doc.m_netlist.Build(top, writer, out, log);
        EXPECT_EQ(writer.WriteBody(sheet.doc.m_netlist, top, out, log) != 0, complete);
        return out.str();
    }
    std::string Deck(nltest::Sheet& sheet) {
        CSpiceFormat writer;
        return Deck(writer, sheet);
    }
    // The lines between the main circuit's heading and the next part of the deck.
    static std::string Body(const std::string& deck) {
        const std::string heading = "* Main Circuit\n";
        const std::size_t start = deck.find(heading);
        if (start == std::string::npos)
            return deck;
        const std::size_t end = deck.find("\n.end\n", start);
        return deck.substr(start + heading.size(), end - start - heading.size());
    }
    // What follows the analyses heading, up to ".end".
    static std::string Analyses(const std::string& deck) {
        const std::size_t start = deck.find("\n* Analyses\n");
        if (start == std::string::npos)
            return std::string();
        return deck.substr(start + 12, deck.rfind("\n.end\n") - start - 12);
    }
    std::string Log() {
        std::string text = log.str();
        log.str("");
        // The walker names every sheet it prepares.
        std::string lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (line.find(".sch") == std::string::npos)
                lines += line + "\n";
        }
        return lines;
    }

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    ScopedApp installed{app};
    ScriptedSpiceUi ui;
    ScopedInstall<ISpiceUi> installedUi{ui};
    std::ostringstream log;
};

}  // namespace spicetest

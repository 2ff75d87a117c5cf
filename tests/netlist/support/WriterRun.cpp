#include "netlist/support/WriterRun.h"

#include <gtest/gtest.h>

#include <sstream>

#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"

namespace nltest {

WriterRun RunWriter(CNetlistFormat& writer, Sheet& sheet) {
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(sheet.doc.GetPathName());
    EXPECT_TRUE(writer.WriteHeader(sheet.doc.m_netlist, out, log));
    EXPECT_EQ(sheet.doc.m_netlist.Build(top, writer, out, log), kBuildOk);
    EXPECT_TRUE(writer.WriteBody(sheet.doc.m_netlist, top, out, log));
    return {out.str(), log.str()};
}

}  // namespace nltest

#include <gtest/gtest.h>

#include <string>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

TEST(SubcircuitPathTest, TheSheetFileIsAPathOfThisSystem) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    app.WriteProfileString("Directories", "user1", "/u");
    const ScopedApp scoped(app);
    const char* cases[][3] = {{"/d/top.sch", "sub.sch", "/d/sub.sch"},
                              {"/d/top.sch", "..\\x\\sub.sch", "/d/../x/sub.sch"},
                              {"/d/top.sch", "C:\\lib\\sub.sch", "/lib/sub.sch"},
                              {"/d/top.sch", "$(UserDir1)\\s.sch", "/u/s.sch"},
                              {"", "sub.sch", "sub.sch"},
                              {"/d/top.sch", "", ""}};
    for (const auto& [document, subcircuit, expected] : cases) {
        CDrawDoc doc;
        doc.SetPathName(document, FALSE);
        CSymbol symbol;
        symbol.SetDocument(&doc);
        symbol.SetAttr("_Subcct", subcircuit, kSetAttrForce);
        CString path;
        EXPECT_TRUE(symbol.GetSubcircuitPath(path));
        EXPECT_EQ(path, expected) << subcircuit;
    }
}

TEST(SubcircuitPathTest, APathTooLongIsRefused) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CSymbol symbol;
    symbol.SetAttr("_Subcct", std::string(300, 'a').c_str(), kSetAttrForce);
    CString path("old");
    EXPECT_FALSE(symbol.GetSubcircuitPath(path));
    EXPECT_EQ(path, "");
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Path name too long");
}

}  // namespace

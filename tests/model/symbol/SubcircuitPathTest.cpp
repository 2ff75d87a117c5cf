#include <gtest/gtest.h>

#include <string>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

struct PathCase {
    const char* document;
    const char* subcircuit;
    const char* expected;
};

class SubcircuitPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(SubcircuitPathTest, TheSheetFileIsAPathOfThisSystem) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    app.WriteProfileString("Directories", "user1", "/u");
    const ScopedApp scoped(app);
    CDrawDoc doc;
    doc.SetPathName(GetParam().document, FALSE);
    CSymbol symbol;
    symbol.SetDocument(&doc);
    symbol.SetAttr("_Subcct", GetParam().subcircuit, kSetAttrForce);
    CString path;
    EXPECT_TRUE(symbol.GetSubcircuitPath(path));
    EXPECT_EQ(path, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SubcircuitPathTest,
    testing::Values(PathCase{"/d/top.sch", "sub.sch", "/d/sub.sch"},
                    PathCase{"/d/top.sch", "..\\x\\sub.sch", "/d/../x/sub.sch"},
                    PathCase{"/d/top.sch", "C:\\lib\\sub.sch", "/lib/sub.sch"},
                    PathCase{"/d/top.sch", "$(UserDir1)\\s.sch", "/u/s.sch"},
                    PathCase{"", "sub.sch", "sub.sch"}, PathCase{"/d/top.sch", "", ""}));

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

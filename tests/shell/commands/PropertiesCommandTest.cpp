#include <gtest/gtest.h>

#include <QAction>

#include "gui/support/QtTestApp.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/text/TextBox.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandActions.h"
#include "shell/commands/CommandMap.h"
#include "shell/commands/CommandRouter.h"
#include "shell/commands/PropertiesCommand.h"

namespace {

struct PropertiesCommandTest : ::testing::Test {
    PropertiesCommandTest() {
        AddPropertiesCommand(
            commands, selection, [this] { return selectTool; }, [this] { ++runs; });
    }
    ~PropertiesCommandTest() override {
        for (POSITION pos = selection.GetHeadPosition(); pos;)
            delete selection.GetNext(pos);
    }
    CmdUI Update() {
        CmdUI ui;
        ui.id = ID_EDIT_PROPERTIES;
        commands.Find(ID_EDIT_PROPERTIES)->update(ui);
        return ui;
    }

    CommandMap commands;
    CObList selection;
    bool selectTool = true;
    int runs = 0;
};

TEST_F(PropertiesCommandTest, ItemIsNamedAfterTheLastSelectedObjectsSheet) {
    EXPECT_FALSE(Update().enabled);
    selection.AddTail(new CWire);
    EXPECT_TRUE(Update().enabled);
    EXPECT_EQ(Update().text, "Wire Properties\tAlt+Enter");
    selection.AddTail(new CTextBox(CRect(0, 0, 100, -100)));
    EXPECT_EQ(Update().text, "Text Properties\tAlt+Enter");
    selection.AddTail(new CDrawRect(CRect(0, 0, 100, -100)));
    EXPECT_EQ(Update().text, "Propertie&s\tAlt+Enter");
    selectTool = false;
    EXPECT_FALSE(Update().enabled);
    commands.Find(ID_EDIT_PROPERTIES)->handler(ID_EDIT_PROPERTIES);
    EXPECT_EQ(runs, 1);
}

}  // namespace

namespace {

// "Alt+Enter" answers the main Enter key as well as the keypad's.
TEST(PropertiesCommandKey, AltEnterTakesBothEnterKeys) {
    QtTestApp::ensure();
    CommandRouter router;
    CommandActions actions(router, nullptr);
    const QList<QKeySequence> keys = actions.Action(ID_EDIT_PROPERTIES)->shortcuts();
    EXPECT_TRUE(keys.contains(QKeySequence(Qt::ALT | Qt::Key_Enter)));
    EXPECT_TRUE(keys.contains(QKeySequence(Qt::ALT | Qt::Key_Return)));
}

}  // namespace

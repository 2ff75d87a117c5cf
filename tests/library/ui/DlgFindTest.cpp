// The "Find" dialog: its settings, and the commands its buttons send.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "library/ui/DlgFind.h"
#include "resources/CommandIds.h"
#include "shell/QtTestApp.h"

namespace {

QPushButton* Button(CDlgFind& dialog, const char* text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

TEST(DlgFind, ButtonsSendTheirCommandsAndEditingRestartsTheSearch) {
    QtTestApp::ensure();
    std::vector<UINT> sent;
    CDlgFind dialog([&sent](UINT id) { sent.push_back(id); });
    dialog.ShowFind();
    QTest::keyClicks(dialog.textEdit(), "r1");
    dialog.box("E&xact String")->setChecked(true);
    EXPECT_TRUE(dialog.HasText());
    EXPECT_EQ(dialog.Options().text, "r1");
    EXPECT_TRUE(dialog.Options().exact);

    dialog.Position().next = 5;
    Button(dialog, "&Find Next")->click();
    EXPECT_EQ(dialog.Position().next, 0);  // the text was edited
    dialog.Position().next = 5;
    Button(dialog, "&Find Next")->click();
    EXPECT_EQ(dialog.Position().next, 5);
    EXPECT_TRUE(dialog.isVisible());
    Button(dialog, "&Highlight All")->click();
    EXPECT_FALSE(dialog.isVisible());
    dialog.ShowFind();
    EXPECT_EQ(dialog.Position().next, 0);
    Button(dialog, "&Select All")->click();
    EXPECT_EQ(sent, (std::vector<UINT>{ID_EDIT_FIND_NEXT, ID_EDIT_FIND_NEXT, ID_FIND_HIGHLIGHT_ALL,
                                       ID_FIND_SELECT_ALL}));
}

}  // namespace

#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QPixmap>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "gui/support/QtTestApp.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "resources/MenuTable.h"
#include "resources/ToolbarTable.h"
#include "shell/commands/AcceleratorKeys.h"
#include "shell/commands/CommandActions.h"
#include "shell/commands/CommandRouter.h"
#include "shell/commands/TableMenus.h"

namespace {

void ForEachCommand(std::span<const MenuItem> items, const std::function<void(UINT)>& visit) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::kCommand)
            visit(item.id);
        else if (item.kind == MenuItem::kPopup)
            ForEachCommand(item.items, visit);
    }
}

// The letter after the text's single '&', upper case; none for a text without one ("&&" shows
// an '&').
std::optional<QChar> MenuLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return text[i + 1].toUpper();
        ++i;
    }
    return std::nullopt;
}

// Every menu as built, and each of its submenus, with the items whose letter another item of
// the same menu uses too.
void ExpectUniqueLetters(const QMenu& menu, const std::string& where) {
    std::map<QChar, QStringList> items;
    for (const QAction* action : menu.actions()) {
        if (const std::optional<QChar> letter = MenuLetter(action->text()))
            items[*letter].append(action->text());
        if (const QMenu* submenu = action->menu())
            ExpectUniqueLetters(*submenu, where + " > " + submenu->title().toStdString());
    }
    for (const auto& [letter, texts] : items)
        EXPECT_EQ(texts.size(), 1) << where << ": " << texts.join(", ").toStdString();
}

}  // namespace

TEST(CommandTables, EveryItemOfAMenuHasALetterOfItsOwn) {
    QtTestApp::ensure();
    CommandRouter router;
    CommandActions actions(router, nullptr);
    for (const MenuInfo& info : AllMenus()) {
        const std::unique_ptr<QMenu> menu(BuildMenu(QString(), info.items, actions, nullptr));
        ExpectUniqueLetters(*menu, "menu " + std::to_string(info.id));
    }
}

TEST(CommandTables, EveryCommandIsListedOnceWithAConsistentAccelerator) {
    std::set<UINT> ids;
    for (const CommandInfo& info : AllCommands()) {
        EXPECT_TRUE(ids.insert(info.id).second) << "listed twice: " << info.id;
        ASSERT_NE(info.text, nullptr);
        ASSERT_NE(info.prompt, nullptr);
        const std::string text = info.text;
        const std::string key = info.key;
        if (key.empty())
            continue;
        // The key is a valid key sequence, shown in the menu text after the tab.
        EXPECT_FALSE(AcceleratorOf(info).isEmpty()) << key;
        const auto tab = text.find('\t');
        ASSERT_NE(tab, std::string::npos) << text;
        EXPECT_EQ(text.substr(tab + 1), key) << info.id;
    }
    for (UINT id : PendingCommandIds())
        EXPECT_NE(FindCommandInfo(id), nullptr) << id;
    EXPECT_EQ(FindCommandInfo(1), nullptr);
}

TEST(CommandTables, KeysAreTheViewsUnlessCtrlOrAltOrAFunctionKeyIsInThem) {
    const std::pair<UINT, QKeySequence> keys[] = {
        {ID_OBJECT_MOVE_BACK, QKeySequence(Qt::Key_Minus)},
        {ID_OBJECT_MOVE_TO_FRONT, QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {ID_ZOOM_IN, QKeySequence(Qt::Key_PageUp)},
        {ID_ZOOM_OUT, QKeySequence(Qt::Key_PageDown)},
        {ID_EDIT_ROTATE_MINUS_90, QKeySequence(Qt::CTRL | Qt::Key_Space)}};
    for (const auto& [id, key] : keys)
        EXPECT_EQ(AcceleratorOf(*FindCommandInfo(id)), key) << id;
    for (UINT id : {ID_EDIT_ROTATE_90, ID_OBJECT_MOVE_FORWARD, ID_ZOOM_PAGE, ID_DRAW_ELLIPSE})
        EXPECT_TRUE(IsViewKey(AcceleratorOf(*FindCommandInfo(id)))) << id;
    for (UINT id : {ID_OBJECT_MOVE_TO_BACK, ID_EDIT_CLEAR, ID_EDIT_PROPERTIES, ID_HELP_FINDER})
        EXPECT_FALSE(IsViewKey(AcceleratorOf(*FindCommandInfo(id)))) << id;
}

// "Other Net.." ends the Object menu's Connect Wire To, which "Connect Wire Implicitly To.."
// follows; the frame's File menu sets up the DRC.
TEST(CommandTables, TheMenusOfferOtherNetsHiddenPinsAndTheDrcSetup) {
    const MenuInfo* schematic = FindMenu(IDR_SCHEMATIC);
    const auto object =
        std::find_if(schematic->items.begin(), schematic->items.end(),
                     [](const MenuItem& item) { return item.text == std::string("&Object"); });
    ASSERT_NE(object, schematic->items.end());
    ASSERT_GE(object->items.size(), 2u);
    const MenuItem& connect = object->items.end()[-2];
    EXPECT_EQ(std::string(connect.text), "Connect Wire To");
    EXPECT_EQ(object->items.back().id, ID_CONNECT_IMPLICIT);
    EXPECT_EQ(std::string(FindCommandInfo(ID_CONNECT_IMPLICIT)->text),
              "Connect Wire &Implicitly To..");
    EXPECT_EQ(connect.items.back().id, ID_CONNECT_OTHER_NET);
    EXPECT_EQ(std::string(FindCommandInfo(ID_CONNECT_OTHER_NET)->text), "&Other Net..");

    std::vector<std::string> setup;
    for (const MenuItem& item : FindMenu(IDR_MAINFRAME)->items.front().items) {
        if (item.kind == MenuItem::kCommand && item.id == ID_TOOLS_DRC_SETUP)
            setup.push_back(item.text ? item.text : FindCommandInfo(item.id)->text);
    }
    EXPECT_EQ(setup, std::vector<std::string>{"&Setup DRC.."});
}

TEST(CommandTables, EveryImageIsACompiledInPicture) {
    QtTestApp::ensure();
    Q_INIT_RESOURCE(resources);
    std::set<std::string> images = {
        ":/icons/vosk.svg",          ":/icons/document.svg",        ":/icons/rulers.svg",
        ":/icons/status-cursor.svg", ":/icons/status-position.svg", ":/icons/status-size.svg"};
    for (const CommandInfo& info : AllCommands()) {
        if (*info.image)
            images.insert(info.image);
    }
    for (const std::string& image : images) {
        const QImage picture = QIcon(QString::fromStdString(image)).pixmap(16, 16).toImage();
        ASSERT_FALSE(picture.isNull()) << image;
        bool drawn = false;  // not every pixel transparent
        for (int i = 0; i < picture.width() * picture.height() && !drawn; ++i)
            drawn = qAlpha(picture.pixel(i % picture.width(), i / picture.width())) != 0;
        EXPECT_TRUE(drawn) << image;
    }
}

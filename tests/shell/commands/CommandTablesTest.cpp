#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QPixmap>
#include <functional>
#include <set>
#include <string>

#include "gui/support/QtTestApp.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "resources/MenuTable.h"
#include "resources/ToolbarTable.h"

namespace {

void ForEachCommand(std::span<const MenuItem> items, const std::function<void(UINT)>& visit) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::kCommand)
            visit(item.id);
        else if (item.kind == MenuItem::kPopup)
            ForEachCommand(item.items, visit);
    }
}

}  // namespace

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
        EXPECT_FALSE(
            QKeySequence(QString::fromStdString(key), QKeySequence::PortableText).isEmpty())
            << key;
        const auto tab = text.find('\t');
        ASSERT_NE(tab, std::string::npos) << text;
        EXPECT_EQ(text.substr(tab + 1), key) << info.id;
    }
    for (UINT id : PendingCommandIds())
        EXPECT_NE(FindCommandInfo(id), nullptr) << id;
    EXPECT_EQ(FindCommandInfo(1), nullptr);
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

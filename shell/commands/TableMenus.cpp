#include "shell/commands/TableMenus.h"

#include <QAction>
#include <QMenu>

#include "shell/commands/CommandActions.h"

namespace {

constexpr const char kAnchorProperty[] = "voskDynamicMenuPart";

QString MenuObjectName(const QString& title) {
    QString name = title;
    name.remove('&').remove(' ');
    return "menu" + name;
}

void AddAnchor(QMenu* menu, MenuItem::Kind kind) {
    QAction* anchor = menu->addSeparator();
    anchor->setVisible(false);
    anchor->setProperty(kAnchorProperty, static_cast<int>(kind));
}

}  // namespace

QMenu* BuildMenu(const QString& title, std::span<const MenuItem> items, CommandActions& actions,
                 QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(MenuObjectName(title));
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::kCommand:
                if (item.text) {
                    // A text of its own: an action of this menu that runs the shared one.
                    QAction* shared = actions.Action(item.id);
                    QAction* own = menu->addAction(shared->icon(), QString::fromUtf8(item.text));
                    own->setStatusTip(shared->statusTip());
                    CommandActions::TagWithId(own, item.id);
                    QObject::connect(own, &QAction::triggered, shared, &QAction::trigger);
                    auto sync = [own, shared] {
                        own->setEnabled(shared->isEnabled());
                        own->setCheckable(shared->isCheckable());
                        own->setChecked(shared->isChecked());
                    };
                    sync();
                    QObject::connect(shared, &QAction::changed, own, sync);
                } else {
                    menu->addAction(actions.Action(item.id));
                }
                break;
            case MenuItem::kSeparator:
                menu->addSeparator();
                break;
            case MenuItem::kPopup:
                menu->addMenu(BuildMenu(QString::fromUtf8(item.text), item.items, actions, menu));
                break;
            case MenuItem::kRecentFiles:
            case MenuItem::kWindowList:
                AddAnchor(menu, item.kind);
                break;
        }
    }
    return menu;
}

std::vector<QMenu*> BuildMenuBar(const MenuInfo& menu, CommandActions& actions, QWidget* parent) {
    std::vector<QMenu*> popups;
    for (const MenuItem& item : menu.items) {
        if (item.kind == MenuItem::kPopup)
            popups.push_back(BuildMenu(QString::fromUtf8(item.text), item.items, actions, parent));
    }
    return popups;
}

QAction* FindDynamicAnchor(const QMenu* menu, MenuItem::Kind kind) {
    for (QAction* action : menu->actions()) {
        QVariant v = action->property(kAnchorProperty);
        if (v.isValid() && v.toInt() == static_cast<int>(kind))
            return action;
    }
    return nullptr;
}

#include "shell/toolbar/ToolbarBuilder.h"

#include <QAction>
#include <QComboBox>
#include <QToolBar>

#include "shell/commands/CommandActions.h"
#include "shell/toolbar/DropDownButton.h"

namespace {

// A button for a drop-down slot; its owner gives it its popup.
CDropDownButton* MakeDropDownButton(const ToolbarButton& button, CommandActions& actions,
                                    QToolBar* bar) {
    auto* tool = new CDropDownButton(actions.Action(button.id), bar);
    tool->setObjectName(QString("dropDown%1").arg(button.id));
    if (button.width > 0)
        tool->setFixedWidth(button.width);
    return tool;
}

QComboBox* MakeCombo(const ToolbarButton& button, CommandActions& actions, QToolBar* bar) {
    auto* combo = new QComboBox(bar);
    combo->setObjectName(QString("combo%1").arg(button.id));
    combo->setFixedWidth(button.width);
    combo->setToolTip(actions.Action(button.id)->toolTip());
    combo->setStatusTip(actions.Action(button.id)->statusTip());
    actions.AddControl(button.id, combo);
    return combo;
}

}  // namespace

QToolBar* BuildToolbar(const ToolbarInfo& info, CommandActions& actions, QWidget* parent) {
    auto* bar = new QToolBar(QString::fromUtf8(info.title), parent);
    bar->setObjectName(QString("toolbar%1").arg(info.windowId));
    bar->setIconSize(QSize(16, 16));
    for (const ToolbarButton& button : info.buttons) {
        switch (button.kind) {
            case ToolbarButton::kButton:
                bar->addAction(actions.Action(button.id));
                break;
            case ToolbarButton::kSeparator:
                bar->addSeparator();
                break;
            case ToolbarButton::kDropDown:
                bar->addWidget(MakeDropDownButton(button, actions, bar));
                break;
            case ToolbarButton::kCombo:
                bar->addWidget(MakeCombo(button, actions, bar));
                break;
        }
    }
    return bar;
}

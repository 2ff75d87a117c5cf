#include "shell/commands/CommandActions.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QWidget>

#include "resources/CommandTable.h"
#include "shell/commands/AcceleratorKeys.h"
#include "shell/commands/CommandRouter.h"

namespace {

constexpr const char kIdProperty[] = "voskCommandId";

void ApplyTableEntry(QAction* action, const CommandInfo& info) {
    action->setText(QString::fromUtf8(info.text));
    const QString prompt = QString::fromUtf8(info.prompt);
    const qsizetype newline = prompt.indexOf('\n');
    action->setStatusTip(newline < 0 ? prompt : prompt.left(newline));
    if (newline >= 0)
        action->setToolTip(prompt.mid(newline + 1));
    // The view's own keys are no shortcuts: the view runs them while it has the focus.
    if (const QList<QKeySequence> shortcuts = WindowShortcutsOf(info); !shortcuts.isEmpty())
        action->setShortcuts(shortcuts);
    if (*info.image)
        action->setIcon(QIcon(QString::fromUtf8(info.image)));
}

}  // namespace

CommandActions::CommandActions(const CommandRouter& router, QObject* parent)
    : QObject(parent), m_router(router) {}

QAction* CommandActions::Action(UINT id) {
    auto it = m_actions.find(id);
    if (it != m_actions.end())
        return it->second;
    auto* action = new QAction(this);
    TagWithId(action, id);
    if (const CommandInfo* info = FindCommandInfo(id))
        ApplyTableEntry(action, *info);
    else
        action->setText(QString::number(id));
    connect(action, &QAction::triggered, this, [this, id] {
        if (m_router.Execute(id))
            emit commandExecuted(id);
    });
    m_actions.emplace(id, action);
    return action;
}

void CommandActions::AddControl(UINT id, QWidget* control) {
    m_controls.emplace(id, control);
}

QWidget* CommandActions::Control(UINT id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CommandActions::Update(UINT id) {
    const CmdUI ui = m_router.Update(id);
    if (auto it = m_actions.find(id); it != m_actions.end()) {
        QAction* action = it->second;
        action->setEnabled(ui.enabled);
        if (ui.checked) {
            action->setCheckable(true);
            action->setChecked(*ui.checked);
        }
        if (ui.text)
            action->setText(QString::fromStdString(*ui.text));
    }
    auto [first, last] = m_controls.equal_range(id);
    for (auto it = first; it != last; ++it) {
        it->second->setEnabled(ui.enabled);
        // An edit box shows the text unless the user is typing into it.
        auto* combo = qobject_cast<QComboBox*>(it->second);
        if (ui.text && combo && combo->isEditable() && !combo->hasFocus()) {
            combo->setEditText(QString::fromStdString(*ui.text));
            m_shownTexts.TakeOn(combo);
        }
    }
}

bool CommandActions::TakeTypedText(UINT id) {
    QWidget* control = Control(id);
    if (!control)
        return false;
    const bool changed = m_shownTexts.IsChanged(control);
    m_shownTexts.TakeOn(control);
    return changed;
}

void CommandActions::UpdateAll() {
    for (const auto& [id, action] : m_actions)
        Update(id);
    for (auto it = m_controls.begin(); it != m_controls.end();
         it = m_controls.upper_bound(it->first)) {
        if (!m_actions.count(it->first))
            Update(it->first);
    }
}

UINT CommandActions::IdOf(const QAction* action) {
    return action ? action->property(kIdProperty).toUInt() : 0;
}

void CommandActions::TagWithId(QAction* action, UINT id) {
    action->setProperty(kIdProperty, id);
}

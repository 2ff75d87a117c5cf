#pragma once
// One QAction per command id, made from the command table and shared by the menus, toolbars
// and accelerators; triggering it routes the command. Toolbar controls (combo boxes) are
// registered under their ids so that updates enable and disable them too.

#include <QObject>
#include <map>

#include "gui/kit/ChangedFields.h"
#include "platform/Types.h"

class CommandRouter;
class QAction;
class QWidget;

class CommandActions : public QObject {
    Q_OBJECT
public:
    CommandActions(const CommandRouter& router, QObject* parent);

    // The action of id, made on first use with the table's text, prompt, key and image.
    QAction* Action(UINT id);
    // Every action made so far, in id order.
    const std::map<UINT, QAction*>& Actions() const { return m_actions; }
    void AddControl(UINT id, QWidget* control);
    QWidget* Control(UINT id) const;

    // Applies the routed state of id (enabled, check mark, text) to its action and controls.
    void Update(UINT id);
    // Whether the user changed the text of id's edit box since it was last shown (by Update, or
    // by this call): a text the box was given to show is none of the user's.
    bool TakeTypedText(UINT id);
    void UpdateAll();

    // The command id an action was made for, 0 for other actions.
    static UINT IdOf(const QAction* action);
    // Marks an action of a single menu that runs the shared action of id.
    static void TagWithId(QAction* action, UINT id);

signals:
    // After a command ran through an action.
    void commandExecuted(UINT id);

private:
    const CommandRouter& m_router;
    std::map<UINT, QAction*> m_actions;
    std::multimap<UINT, QWidget*> m_controls;
    CChangedFields m_shownTexts;  // of the edit boxes among the controls
};

#pragma once
// "DRC Options": the rule matrix of a rule set (a copy the sheet owns), with the user's pin
// types added and removed, the built-in rules restored and the rules stored in the settings.

#include "gui/kit/PropertySheet.h"

class CDrcMatrixWnd;
class CDrcRules;
class QPushButton;
class SettingsStore;

class CDlgDRC : public CPropertyPage {
    Q_OBJECT
public:
    CDlgDRC(CDrcRules& rules, SettingsStore& store, QWidget* parent = nullptr);

    CDrcMatrixWnd* Matrix() const { return m_matrix; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* DefaultsButton() const { return m_defaults; }

    // A new type of that name; an empty name, one that exists (in any case) or one with a line
    // break is refused with a message. True when it was added.
    bool AddType(const QString& name);
    // Removes the selected type when it is one of the user's.
    void RemoveSelectedType();

private:
    void OnSelectionChanged(int type);
    void AskNewType();
    void RestoreDefaults();
    void UpdateButtons();

    CDrcRules& m_rules;
    SettingsStore& m_store;
    CDrcMatrixWnd* m_matrix;
    QPushButton* m_add;
    QPushButton* m_remove;
    QPushButton* m_save;
    QPushButton* m_defaults;
};

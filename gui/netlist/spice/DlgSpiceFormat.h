#pragma once
// The pages of the "Spice Netlist Options" sheet. "Format": the sub-format (a list the user
// extends with "Add.."), the net that becomes node 0 and whether net names become numbers.
// "Extra Commands": free text written at the end of every deck. Both keep their values in
// section "Spice" of the settings.

#include "gui/kit/PropertySheet.h"

class CDocNetlist;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;
class SettingsStore;

class CDlgSpiceFormat : public CPropertyPage {
    Q_OBJECT
public:
    // walker (may be null) offers the document's nets as reference nets.
    CDlgSpiceFormat(SettingsStore& settings, CDocNetlist* walker, QWidget* parent = nullptr);

    QComboBox* subFormatBox() const { return m_subFormat; }
    QComboBox* refNetBox() const { return m_refNet; }
    QCheckBox* substituteBox() const { return m_substitute; }
    QPushButton* addButton() const { return m_add; }

protected:
    void OnLoad() override;
    void OnApply() override;

private:
    // Adds the typed sub-format to the list unless it is there (case ignored).
    void AddSubFormat();

    SettingsStore& m_settings;
    CDocNetlist* m_walker;
    QComboBox* m_subFormat;
    QComboBox* m_refNet;
    QCheckBox* m_substitute;
    QPushButton* m_add;
};

class CDlgSpiceExtra : public CPropertyPage {
    Q_OBJECT
public:
    explicit CDlgSpiceExtra(SettingsStore& settings, QWidget* parent = nullptr);

    QPlainTextEdit* extraEdit() const { return m_extra; }

protected:
    void OnLoad() override;
    void OnApply() override;

private:
    SettingsStore& m_settings;
    QPlainTextEdit* m_extra;
};

// The sheet with both pages, not yet shown.
CPropertySheet* NewSpiceOptionsSheet(SettingsStore& settings, CDocNetlist* walker,
                                     QWidget* parent = nullptr);

#pragma once
// The "Design Rule Check Setup" sheet: "DRC Setup Options" over the rule set's check flags, then
// "DRC Options" over a copy of the rule set. OK gives the rule set the edited copy and then the
// chosen flags, which are stored in the settings; Cancel leaves the rule set as it was
// ("Save Settings" may have stored the copy meanwhile).

#include "drc/DrcRules.h"
#include "gui/kit/PropertySheet.h"

class CDlgDRC;
class CDlgDRCSetup;

class CDrcSetupSheet : public CPropertySheet {
    Q_OBJECT
public:
    CDrcSetupSheet(const CDrcRules& rules, SettingsStore& store, QWidget* parent = nullptr);

    CDlgDRC* OptionsPage() const { return m_options; }
    CDlgDRCSetup* SetupPage() const { return m_setup; }
    // After OK: rules take the edited copy, then the check flags, which are stored.
    void ApplyTo(CDrcRules& rules, SettingsStore& store) const;

private:
    CDrcRules m_copy;
    DWORD m_flags;
    CDlgDRC* m_options;
    CDlgDRCSetup* m_setup;
};

// Runs the sheet over rules; true when the user chose OK.
bool EditDrcRules(CDrcRules& rules, SettingsStore& store, QWidget* parent);

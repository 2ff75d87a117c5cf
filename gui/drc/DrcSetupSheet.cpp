#include "gui/drc/DrcSetupSheet.h"

#include "gui/drc/DlgDRC.h"
#include "gui/drc/DlgDRCSetup.h"

CDrcSetupSheet::CDrcSetupSheet(const CDrcRules& rules, SettingsStore& store, QWidget* parent)
    : CPropertySheet("Design Rule Check Setup", parent),
      m_copy(rules),
      m_flags(rules.GetCheckFlags()),
      m_options(new CDlgDRC(m_copy, store)),
      m_setup(new CDlgDRCSetup(m_flags)) {
    AddPage(m_setup);
    AddPage(m_options);
}

// The flags come after the rules, which bring flags of their own.
void CDrcSetupSheet::ApplyTo(CDrcRules& rules, SettingsStore& store) const {
    rules = m_copy;
    rules.SetCheckFlags(m_flags);
    rules.SaveCheckFlags(store);
}

bool EditDrcRules(CDrcRules& rules, SettingsStore& store, QWidget* parent) {
    CDrcSetupSheet sheet(rules, store, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    sheet.ApplyTo(rules, store);
    return true;
}

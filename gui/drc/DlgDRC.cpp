#include "gui/drc/DlgDRC.h"

#include <QGridLayout>
#include <QPushButton>

#include "drc/DrcRules.h"
#include "gui/drc/DlgNewPinType.h"
#include "gui/drc/DrcMatrixWnd.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"

CDlgDRC::CDlgDRC(CDrcRules& rules, SettingsStore& store, QWidget* parent)
    : CPropertyPage("DRC Options", nullptr, parent),
      m_rules(rules),
      m_store(store),
      m_matrix(new CDrcMatrixWnd(this)),
      m_add(new QPushButton("Add New Type", this)),
      m_remove(new QPushButton("Remove Type", this)),
      m_save(new QPushButton("Save Settings", this)),
      m_defaults(new QPushButton("Restore Defaults", this)) {
    m_matrix->setMinimumSize(480, 360);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_matrix, 0, 0, 1, 4);
    layout->addWidget(m_add, 1, 0);
    layout->addWidget(m_remove, 1, 1);
    layout->addWidget(m_save, 1, 2);
    layout->addWidget(m_defaults, 1, 3);
    m_matrix->SetRules(&m_rules);
    connect(m_matrix, &CDrcMatrixWnd::selectionChanged, this, &CDlgDRC::OnSelectionChanged);
    connect(m_add, &QPushButton::clicked, this, &CDlgDRC::AskNewType);
    connect(m_remove, &QPushButton::clicked, this, &CDlgDRC::RemoveSelectedType);
    connect(m_save, &QPushButton::clicked, this, [this] { m_rules.Save(m_store); });
    connect(m_defaults, &QPushButton::clicked, this, &CDlgDRC::RestoreDefaults);
    UpdateButtons();
}

void CDlgDRC::OnSelectionChanged(int /*type*/) {
    UpdateButtons();
}

// Remove only for one of the user's types; Add while the set has room.
void CDlgDRC::UpdateButtons() {
    const int selected = m_matrix->Selection();
    m_remove->setEnabled(selected >= m_rules.GetFirstCustomType() &&
                         selected < m_rules.GetTypeCount());
    m_add->setEnabled(m_rules.GetTypeCount() < kDrcMaxTypes);
}

void CDlgDRC::AskNewType() {
    CDlgNewPinType dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        AddType(dialog.Name());
}

bool CDlgDRC::AddType(const QString& name) {
    const QByteArray bytes = name.toUtf8();
    if (bytes.isEmpty()) {
        AfxMessageBox("Pin type name is empty!", MB_OK);
        return false;
    }
    // The stored form ends the name at a line feed.
    if (bytes.contains('\n') || bytes.contains('\r')) {
        AfxMessageBox("Pin type name may not hold a line break!", MB_OK);
        return false;
    }
    if (m_rules.FindType(bytes.constData()) >= 0) {
        AfxMessageBox("Pin type name already exists!", MB_OK);
        return false;
    }
    if (!m_rules.AddType(bytes.constData()))
        return false;
    m_matrix->UpdateLayout();
    UpdateButtons();
    return true;
}

// The selection then names no type, so a second click removes nothing unseen.
void CDlgDRC::RemoveSelectedType() {
    const int selected = m_matrix->Selection();
    if (selected < m_rules.GetFirstCustomType() || selected >= m_rules.GetTypeCount())
        return;
    m_rules.RemoveType(selected);
    m_matrix->SetSelection(-1);
    m_matrix->UpdateLayout();
    UpdateButtons();
}

void CDlgDRC::RestoreDefaults() {
    m_rules.SetDefaults();
    m_matrix->SetSelection(-1);
    m_matrix->UpdateLayout();
    UpdateButtons();
}

#include "gui/netlist/spice/DlgSpiceFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/kit/PlainTextEdit.h"
#include "gui/kit/StoredText.h"
#include "model/net/Net.h"
#include "netlist/walker/DocNetlist.h"
#include "platform/SettingsStore.h"

namespace {

constexpr const char* kSection = "Spice";

QString Shown(const CString& text) {
    return FromStoredText(text.str());
}

CString Stored(const QString& text) {
    return CString(text.toUtf8().toStdString());
}

QComboBox* NewEditableBox() {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

}  // namespace

CDlgSpiceFormat::CDlgSpiceFormat(SettingsStore& settings, CDocNetlist* walker, QWidget* parent)
    : CPropertyPage("Format", nullptr, parent),
      m_settings(settings),
      m_walker(walker),
      m_subFormat(NewEditableBox()),
      m_refNet(NewEditableBox()),
      m_substitute(new QCheckBox("Subsititute Net Names with Numbers")),
      m_add(new QPushButton("Add..")) {
    auto* subFormatRow = new QHBoxLayout;
    subFormatRow->addWidget(m_subFormat, 1);
    subFormatRow->addWidget(m_add);
    auto* form = new QFormLayout;
    form->addRow("Sub-Format", subFormatRow);
    form->addRow("Net to use as 0 (Spice Reference)", m_refNet);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_substitute);
    layout->addStretch();
    connect(m_add, &QPushButton::clicked, this, &CDlgSpiceFormat::AddSubFormat);
}

void CDlgSpiceFormat::OnLoad() {
    const int count = static_cast<int>(m_settings.GetProfileInt(kSection, "Formats", 0));
    for (int i = 1; i <= count; ++i) {
        const CString name =
            m_settings.GetProfileString(kSection, ("Format" + std::to_string(i)).c_str());
        if (!name.IsEmpty())
            m_subFormat->addItem(Shown(name));
    }
    m_subFormat->setEditText(Shown(m_settings.GetProfileString(kSection, "SubFormat")));
    m_substitute->setChecked(m_settings.GetProfileInt(kSection, "SubsNets", 1) != 0);
    if (!m_walker)
        return;
    POSITION pos = m_walker->GetFirstNet();
    while (pos)
        m_refNet->addItem(Shown(m_walker->GetNextNet(pos)->GetName()));
    m_refNet->setEditText(Shown(m_settings.GetProfileString(kSection, "RefNet")));
}

void CDlgSpiceFormat::AddSubFormat() {
    const QString typed = m_subFormat->currentText();
    if (m_subFormat->findText(typed, Qt::MatchFixedString) < 0)
        m_subFormat->addItem(typed);
    m_subFormat->setEditText(typed);
}

void CDlgSpiceFormat::OnApply() {
    const int count = m_subFormat->count();
    for (int i = 0; i < count; ++i)
        m_settings.WriteProfileString(kSection, ("Format" + std::to_string(i + 1)).c_str(),
                                      Stored(m_subFormat->itemText(i)));
    m_settings.WriteProfileInt(kSection, "Formats", count);
    m_settings.WriteProfileString(kSection, "SubFormat", Stored(m_subFormat->currentText()));
    m_settings.WriteProfileString(kSection, "RefNet", Stored(m_refNet->currentText()));
    m_settings.WriteProfileInt(kSection, "SubsNets", m_substitute->isChecked() ? 1 : 0);
}

CDlgSpiceExtra::CDlgSpiceExtra(SettingsStore& settings, QWidget* parent)
    : CPropertyPage("Extra Commands", nullptr, parent),
      m_settings(settings),
      m_extra(new CPlainTextEdit) {
    m_extra->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_extra);
}

void CDlgSpiceExtra::OnLoad() {
    m_extra->setPlainText(Shown(m_settings.GetProfileString(kSection, "Extra")));
}

void CDlgSpiceExtra::OnApply() {
    m_settings.WriteProfileString(kSection, "Extra", Stored(m_extra->toPlainText()));
}

CPropertySheet* NewSpiceOptionsSheet(SettingsStore& settings, CDocNetlist* walker,
                                     QWidget* parent) {
    auto* sheet = new CPropertySheet("Spice Netlist Options", parent);
    sheet->AddPage(new CDlgSpiceFormat(settings, walker));
    sheet->AddPage(new CDlgSpiceExtra(settings));
    return sheet;
}

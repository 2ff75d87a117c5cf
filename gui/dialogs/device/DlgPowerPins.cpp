#include "gui/dialogs/device/DlgPowerPins.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/kit/StoredText.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kMaxText = 80;

QString Shown(const CString& text) {
    return FromStoredText(text.str());
}

CString Stored(const QString& text) {
    return CString(text.toUtf8().constData());
}

}  // namespace

CDlgPowerPins::CDlgPowerPins(CDevice& device, QWidget* parent)
    : QDialog(parent), m_device(device), m_pins(LoadPowerPins(device)) {
    setObjectName("powerPinsDlg");
    setWindowTitle("Device Power Pins");
    m_list = new QListWidget;
    m_net = new QComboBox;
    m_net->setEditable(true);
    m_net->setInsertPolicy(QComboBox::NoInsert);
    m_net->lineEdit()->setMaxLength(kMaxText);
    m_net->addItems({"Ground1", "Ground2", "Power1", "Power2", "Power3", "Power4"});
    m_net->setCurrentIndex(-1);
    m_name = new QLineEdit;
    m_name->setMaxLength(kMaxText);
    m_number = new QLineEdit;
    m_number->setMaxLength(kMaxText);
    auto* add = new QPushButton("&Add >>");
    auto* remove = new QPushButton("<< &Remove");
    auto* fields = new QFormLayout;
    fields->addRow("Pin &Name", m_name);
    fields->addRow("Pin N&umber", m_number);
    fields->addRow("Automatic N&et", m_net);
    fields->addRow(add);
    fields->addRow(remove);
    auto* pins = new QVBoxLayout;
    auto* caption = new QLabel("&Power Pins");
    caption->setBuddy(m_list);
    pins->addWidget(caption);
    pins->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QGridLayout(this);
    layout->addLayout(fields, 0, 0);
    layout->addLayout(pins, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    connect(add, &QPushButton::clicked, this, &CDlgPowerPins::Add);
    connect(remove, &QPushButton::clicked, this, &CDlgPowerPins::Remove);
    connect(m_list, &QListWidget::currentRowChanged, this, &CDlgPowerPins::OnPinChosen);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgPowerPins::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgPowerPins::reject);
    ShowList(-1);
}

void CDlgPowerPins::ShowList(int current) {
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const PowerPin& pin : m_pins)
        m_list->addItem(Shown(pin.name));
    m_list->setCurrentRow(current);
}

void CDlgPowerPins::OnPinChosen(int row) {
    if (row < 0 || row >= int(m_pins.size()))
        return;
    const PowerPin& pin = m_pins[size_t(row)];
    m_name->setText(Shown(pin.name));
    m_number->setText(Shown(pin.number));
    m_net->setCurrentIndex(-1);
    m_net->setEditText(Shown(pin.net));
}

void CDlgPowerPins::Add() {
    const PowerPin pin{Stored(m_name->text().trimmed()), Stored(m_number->text().trimmed()),
                       Stored(m_net->currentText())};
    bool inNumber = false;
    if (const char* problem = PowerPinProblem(pin, inNumber)) {
        AfxMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
        (inNumber ? m_number : m_name)->setFocus();
        return;
    }
    ShowList(AddPowerPin(m_pins, pin));
}

void CDlgPowerPins::Remove() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= int(m_pins.size()))
        return;
    m_pins.erase(m_pins.begin() + row);
    ShowList(-1);
}

void CDlgPowerPins::accept() {
    ApplyPowerPins(m_device, m_pins);
    QDialog::accept();
}

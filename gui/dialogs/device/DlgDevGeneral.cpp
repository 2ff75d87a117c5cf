#include "gui/dialogs/device/DlgDevGeneral.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "gui/dialogs/device/DlgDevice.h"
#include "gui/kit/ChosenRow.h"
#include "gui/kit/StoredText.h"
#include "library/LibraryPicker.h"
#include "model/device/Device.h"
#include "model/device/DeviceForm.h"
#include "model/doc/DrawDoc.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Symbol.h"
#include "platform/UserPrompt.h"

namespace {

constexpr const char* kKinds[6] = {"Graphical Only",  "Port",
                                   "Net Connector",   "Simulation Block",
                                   "Physical Device", "Sub-circuit Block"};
constexpr int kDeviceKind = 4;
constexpr int kSubcircuitKind = 5;
constexpr const char* kNoDevice = "No device";

QCheckBox* Check(const char* text, int state) {
    auto* box = new QCheckBox(text);
    box->setTristate(state == DevGeneralForm::kCheckMixed);
    box->setCheckState(state == DevGeneralForm::kCheckMixed ? Qt::PartiallyChecked
                       : state                              ? Qt::Checked
                                                            : Qt::Unchecked);
    return box;
}

int CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return DevGeneralForm::kCheckMixed;
        default:
            return 0;
    }
}

QComboBox* PinCombo(int value) {
    auto* combo = new QComboBox;
    combo->addItems({"None", "By Pin", "All"});
    combo->setCurrentIndex(value);
    return combo;
}

bool IsSchematicFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension == ".sch";
}

}  // namespace

CDlgDevGeneral::CDlgDevGeneral(CDrawDoc& doc, std::vector<CSymbol*> symbols,
                               std::vector<CDevice*> devices, QWidget* parent)
    : CPropertyPage("General", "General", parent),
      m_doc(doc),
      m_symbols(std::move(symbols)),
      m_devices(std::move(devices)),
      m_form(DevGeneralForm::Load(m_symbols)) {
    setObjectName("devGeneralPage");
    // Until the page is read, it writes nothing.
    m_form.edited = 0;
    if (m_form.device)
        m_form.device->AddRef();
    auto* grid = new QGridLayout(this);
    m_kinds = new QListWidget;
    for (const char* kind : kKinds)
        m_kinds->addItem(kind);
    m_kinds->setCurrentRow(m_form.kind);
    auto* kindLabel = new QLabel("&Type");
    kindLabel->setBuddy(m_kinds);
    grid->addWidget(kindLabel, 0, 0);
    grid->addWidget(m_kinds, 1, 0, 3, 1);

    m_name = new QLineEdit(FromStoredText(m_form.name.str()));
    m_name->setMaxLength(80);
    m_id = new QLineEdit(FromStoredText(m_form.id.str()));
    m_value = new QLineEdit(FromStoredText(m_form.value.str()));
    m_device = new QComboBox;
    m_device->setEditable(true);
    m_deviceLabel = new QLabel("Device");
    m_browse = new QPushButton("..");
    m_new = new QPushButton("Ne&w..");
    auto* fields = new QFormLayout;
    fields->addRow("N&ame", m_name);
    fields->addRow("&Identifier", m_id);
    fields->addRow("&Value", m_value);
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addWidget(m_device, 1);
    deviceRow->addWidget(m_browse);
    deviceRow->addWidget(m_new);
    fields->addRow(m_deviceLabel, deviceRow);
    m_pinNames = PinCombo(m_form.pinNames);
    m_pinNumbers = PinCombo(m_form.pinNumbers);
    fields->addRow("&Pin Names", m_pinNames);
    fields->addRow("Pin &Numbers", m_pinNumbers);
    grid->addLayout(fields, 1, 1);

    m_showId = Check("Identi&fier", m_form.showId);
    m_showValue = Check("Va&lue", m_form.showValue);
    m_showDevice = Check("&Device Name", m_form.showDeviceName);
    m_hiddenPins = Check("&Hidden Pins", m_form.hiddenPins);
    auto* checks = new QHBoxLayout;
    for (QCheckBox* box : {m_showId, m_showValue, m_showDevice, m_hiddenPins})
        checks->addWidget(box);
    grid->addLayout(checks, 2, 1);

    if (m_form.multiple)
        m_id->setEnabled(false);
    UpdateKindControls();
    connect(m_kinds, &QListWidget::itemSelectionChanged, this, &CDlgDevGeneral::UpdateKindControls);
    connect(m_device, qOverload<int>(&QComboBox::activated), this,
            &CDlgDevGeneral::OnSelChangeDevice);
    connect(m_new, &QPushButton::clicked, this, &CDlgDevGeneral::OnNew);
    connect(m_browse, &QPushButton::clicked, this, &CDlgDevGeneral::OnBrowse);
}

CDlgDevGeneral::~CDlgDevGeneral() {
    if (m_form.device)
        m_form.device->Release();
}

void CDlgDevGeneral::SetDevice(CDevice* device) {
    if (device)
        device->AddRef();
    if (m_form.device)
        m_form.device->Release();
    m_form.ChooseDevice(device);
}

CString CDlgDevGeneral::ShownName() const {
    return ToStoredText(m_name->text(), m_form.name);
}

// A field the user left keeps the value loaded.
void CDlgDevGeneral::ReadFields() {
    m_form.edited = 0;
    const auto read = [this](const QWidget* field, DevGeneralForm::Field bit, auto& value,
                             auto shown) {
        if (!IsChanged(field))
            return;
        value = shown;
        m_form.edited |= bit;
    };
    read(m_kinds, DevGeneralForm::kKindField, m_form.kind, ChosenRow(*m_kinds));
    read(m_name, DevGeneralForm::kNameField, m_form.name, ShownName());
    read(m_id, DevGeneralForm::kIdField, m_form.id, ToStoredText(m_id->text(), m_form.id));
    read(m_value, DevGeneralForm::kValueField, m_form.value,
         ToStoredText(m_value->text(), m_form.value));
    read(m_device, DevGeneralForm::kDeviceField, m_form.deviceText,
         ToStoredText(m_device->currentText(), m_form.deviceText));
    read(m_showId, DevGeneralForm::kShowIdField, m_form.showId, CheckValue(m_showId));
    read(m_showValue, DevGeneralForm::kShowValueField, m_form.showValue, CheckValue(m_showValue));
    read(m_showDevice, DevGeneralForm::kShowDeviceNameField, m_form.showDeviceName,
         CheckValue(m_showDevice));
    read(m_hiddenPins, DevGeneralForm::kHiddenPinsField, m_form.hiddenPins,
         CheckValue(m_hiddenPins));
    read(m_pinNames, DevGeneralForm::kPinNamesField, m_form.pinNames, m_pinNames->currentIndex());
    read(m_pinNumbers, DevGeneralForm::kPinNumbersField, m_form.pinNumbers,
         m_pinNumbers->currentIndex());
}

void CDlgDevGeneral::OnApply() {
    ReadFields();
}

// The compatibility tests see the kind and name chosen so far.
void CDlgDevGeneral::ApplyKindAndName() {
    const CString name = ShownName();
    for (CSymbol* symbol : m_symbols)
        WriteKindAndName(symbol, m_form.multiple, ChosenRow(*m_kinds), name);
}

void CDlgDevGeneral::UpdateKindControls() {
    const int kind = ChosenRow(*m_kinds);
    const bool device = kind == kDeviceKind;
    const bool subcircuit = kind == kSubcircuitKind;
    if (device) {
        FillDeviceList(true);
        m_deviceLabel->setText("Device");
        m_showDevice->setText("Device name");
        m_showDevice->setEnabled(m_form.device != nullptr);
        m_new->setEnabled(true);
    } else if (subcircuit) {
        FillSubcircuitList();
        m_deviceLabel->setText("Subcircuit File Name");
        m_showDevice->setText("Sub-circuit name");
        m_showDevice->setEnabled(true);
        m_new->setEnabled(!m_form.multiple);
    } else {
        m_new->setEnabled(false);
    }
    for (QWidget* widget : {static_cast<QWidget*>(m_deviceLabel), static_cast<QWidget*>(m_device),
                            static_cast<QWidget*>(m_browse)})
        widget->setEnabled(device || subcircuit);
}

void CDlgDevGeneral::FillDeviceList(bool select) {
    ApplyKindAndName();
    m_device->clear();
    m_device->addItem(kNoDevice, QVariant::fromValue<void*>(nullptr));
    for (CDevice* device : m_devices) {
        const bool fits = std::all_of(m_symbols.begin(), m_symbols.end(),
                                      [&](CSymbol* s) { return device->IsCompatibleWith(s); });
        if (fits)
            m_device->addItem(FromStoredText(device->GetStdAttr(kStdAttrName).str()),
                              QVariant::fromValue<void*>(device));
    }
    if (!select)
        return;
    int chosen = -1;
    if (m_form.device)
        chosen = m_device->findData(QVariant::fromValue<void*>(m_form.device));
    else if (!m_form.multiple)
        chosen = 0;
    m_device->setCurrentIndex(chosen);
    if (chosen < 0)
        m_device->setEditText(FromStoredText(m_form.deviceText.str()));
}

void CDlgDevGeneral::FillSubcircuitList() {
    m_device->clear();
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(m_doc.GetPathName().str()).parent_path();
    std::error_code error;
    if (!folder.empty()) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
            if (entry.is_regular_file(error) && IsSchematicFile(entry.path()))
                m_device->addItem(QString::fromStdString(entry.path().filename().string()));
        }
    }
    const QString loaded = FromStoredText(m_form.subcircuit.str());
    m_device->setCurrentIndex(m_device->findText(loaded));
    m_device->setEditText(loaded);
}

void CDlgDevGeneral::OnSelChangeDevice() {
    if (ChosenRow(*m_kinds) != kDeviceKind)
        return;
    SetDevice(static_cast<CDevice*>(m_device->currentData().value<void*>()));
    m_device->setEditText(m_form.device ? FromStoredText(m_form.deviceText.str()) : kNoDevice);
    if (!m_form.device)
        m_showDevice->setChecked(false);
    m_showDevice->setEnabled(m_form.device != nullptr);
}

void CDlgDevGeneral::OnNew() {
    const int kind = ChosenRow(*m_kinds);
    if (kind == kDeviceKind) {
        OnNewDevice();
    } else if (kind == kSubcircuitKind && OnKillActive()) {
        if (auto* sheet = qobject_cast<QDialog*>(window()))
            sheet->done(kNewSubcircuit);
    }
}

void CDlgDevGeneral::OnNewDevice() {
    std::unique_ptr<CDevice> device(m_form.device ? new CDevice(*m_form.device)
                                                  : NewDeviceFor(m_symbols, ShownName()));
    if (!device) {
        AfxMessageBox(kNewDeviceLayoutError, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString unique;
    m_doc.MakeUniqueDeviceName(unique, device->GetStdAttr(kStdAttrName));
    device->SetStdAttr(kStdAttrName, unique, TRUE);
    CDlgDevice dialog(*device, DeviceForm::Load(*device), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SetDevice(device.release());  // the page's reference is the only one
    FillDeviceList(true);
    m_showDevice->setEnabled(true);
}

void CDlgDevGeneral::OnBrowse() {
    if (ChosenRow(*m_kinds) == kSubcircuitKind)
        BrowseSubcircuit();
    else
        PickLibraryDevice();
}

void CDlgDevGeneral::BrowseSubcircuit() {
    QFileDialog dialog(this, "Select File", m_device->currentText(),
                       "Schematic Files (*.sch);;All Files (*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix("sch");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_device->setEditText(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

// A device record of the libraries whose device fits every symbol; the document's equal
// device stands in for it when there is one.
void CDlgDevGeneral::PickLibraryDevice() {
    ApplyKindAndName();
    const auto fitsAll = [this](const CDevice& device) {
        return std::all_of(m_symbols.begin(), m_symbols.end(),
                           [&](CSymbol* symbol) { return device.IsCompatibleWith(symbol); });
    };
    CDevice* picked = ::PickLibraryDevice(fitsAll, kDevGeneralLibraryTexts);
    if (!picked)
        return;
    SetDevice(m_doc.FindSharedDevice(picked));
    picked->Release();
    FillDeviceList(true);
    m_showDevice->setEnabled(true);
}

bool CDlgDevGeneral::Refuse(const std::string& message, QWidget* field) {
    if (message != "-")
        AfxMessageBox(message.c_str(), MB_OK | MB_ICONEXCLAMATION);
    field->setFocus();
    return false;
}

bool CDlgDevGeneral::OnKillActive() {
    ReadFields();
    ApplyKindAndName();
    const std::string nameProblem =
        DevGeneralNameProblem(m_form.multiple, m_form.kind, m_form.name);
    if (!nameProblem.empty())
        return Refuse(nameProblem, m_name);
    if (m_form.kind == kDeviceKind && m_form.device) {
        for (CSymbol* symbol : m_symbols) {
            if (!m_form.device->IsCompatibleWith(symbol))
                return Refuse("Currently selected device not compatible with symbol(s)", m_device);
        }
    }
    if (m_form.multiple || m_form.kind < 3)
        return true;
    CDevice* device = m_form.kind == kDeviceKind ? m_form.device : nullptr;
    const std::string idProblem =
        DevGeneralIdProblem(m_doc, m_symbols.front(), device, m_form.id, [](const std::string& q) {
            return AfxMessageBox(q.c_str(), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
        });
    m_id->setText(FromStoredText(m_form.id.str()));
    return idProblem.empty() || Refuse(idProblem, m_id);
}

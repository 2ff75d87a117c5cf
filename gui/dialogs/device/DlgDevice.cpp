#include "gui/dialogs/device/DlgDevice.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/device/DlgPowerPins.h"
#include "gui/dialogs/objects/DlgOtherAttr.h"
#include "gui/kit/EditListCtrl.h"
#include "gui/kit/StoredText.h"
#include "gui/kit/UserLibraryFolder.h"
#include "library/LibraryBarServices.h"
#include "library/LibraryFile.h"
#include "library/LibraryPicker.h"
#include "model/device/Device.h"
#include "model/object/StdAttrNames.h"
#include "platform/DiskFile.h"
#include "platform/File.h"
#include "platform/UserPrompt.h"

namespace {

constexpr const char* kFieldLabels[kDeviceFieldCount] = {
    "&Name", "Identifier Prefi&x", "&Description", "P&CB Footprint", "&Symbol Library or Folder"};
constexpr char kLibraryFilter[] = "Library Files (*.rlb);;All Files (*.*)";
constexpr DWORD kSymbolRow = 1;
constexpr DWORD kHiddenPinsRow = 0;

CString Bytes(const QString& text) {
    return CString(text.toUtf8().constData());
}

// The Other Attributes page's check of a device attribute: "_Map" belongs to the symbol map;
// the device judges the rest, and a doubtful value is taken when the user says so.
int CheckAttribute(const CDevice& device, const CString& name, const CString& value) {
    if (name == GetStdAttrName(kStdAttrMap)) {
        CString message;
        message.Format("Use the Device Properties dialog box to set the %s attribute.",
                       name.c_str());
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    const int code = device.CheckAttrValue(name, value);
    if (code > 0) {
        CString message("Error: Property value invalid - ");
        message += DeviceCheckReason(code);
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return code;
    }
    if (code < 0) {
        CString message("Warning : ");
        message += DeviceCheckQuestion(code);
        return AfxMessageBox(message, MB_YESNO | MB_ICONEXCLAMATION) == IDYES ? 0 : code;
    }
    return 0;
}

QString ChooseLibrary(QWidget* parent) {
    QFileDialog dialog(parent, "Select Library", UserLibraryFolder(), kLibraryFilter);
    dialog.setDefaultSuffix("rlb");
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

enum class DeviceStore { kStored, kDeclined, kFailed };

// Stores the device as a device record of the open library. A record of the same name is
// replaced when the user agrees.
DeviceStore StoreDevice(CLibraryFile& library, CDevice& device, const CString& name,
                        const CString& description) {
    CLibraryItem existing;
    const int replacing = library.FindItem(existing, name);
    if (replacing != kItemNotFound &&
        AfxMessageBox(library.ReplaceQuestion(name), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return DeviceStore::kDeclined;
    CObList objects;
    objects.AddTail(&device);
    CLibraryItem item(name, description, kItemDevice);
    return library.AddObjectList(objects, item, FALSE, replacing) ? DeviceStore::kStored
                                                                  : DeviceStore::kFailed;
}

}  // namespace

CDlgDevice::CDlgDevice(CDevice& device, const DeviceForm& form, QWidget* parent)
    : QDialog(parent),
      m_device(device),
      m_work(device),
      m_map(new CEditListCtrl(kListKeepEmptyRow | kListRowsGrow, this)) {
    setWindowTitle("Device Properties");
    setObjectName("deviceProperties");
    auto* addToLibrary = new QPushButton("Add to &Library...", this);
    connect(addToLibrary, &QPushButton::clicked, this, &CDlgDevice::ChooseLibraryToAddTo);
    auto* attributes = new QPushButton("&Attributes...", this);
    connect(attributes, &QPushButton::clicked, this, &CDlgDevice::EditAttributes);
    auto* powerPins = new QPushButton("Po&wer Pins...", this);
    connect(powerPins, &QPushButton::clicked, this, &CDlgDevice::EditPowerPins);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(attributes, QDialogButtonBox::ActionRole);
    buttons->addButton(powerPins, QDialogButtonBox::ActionRole);
    buttons->addButton(addToLibrary, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgDevice::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* mapLabel = new QLabel("Symbol &Map", this);
    mapLabel->setBuddy(m_map);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFields());
    layout->addWidget(mapLabel);
    layout->addWidget(m_map, 1);
    layout->addWidget(buttons);
    ShowFields(form);
    FillMap(form);
    resize(560, 420);
}

QWidget* CDlgDevice::BuildFields() {
    auto* fields = new QWidget(this);
    auto* form = new QFormLayout(fields);
    form->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kDeviceFieldCount; ++i)
        m_fields[i] = new QLineEdit(fields);
    m_fields[kDeviceFieldFootprint]->setMaxLength(kMaxFootprintLength);
    m_fields[kDeviceFieldDescription]->setMaxLength(kMaxDescriptionLength);
    auto* browse = new QPushButton("&Browse..", fields);
    connect(browse, &QPushButton::clicked, this, &CDlgDevice::Browse);
    auto* search = new QPushButton("S&earch...", fields);
    connect(search, &QPushButton::clicked, this, &CDlgDevice::SearchFootprint);
    for (int i = 0; i < kDeviceFieldCount; ++i) {
        QPushButton* button = i == kDeviceFieldPath        ? browse
                              : i == kDeviceFieldFootprint ? search
                                                           : nullptr;
        if (!button) {
            form->addRow(kFieldLabels[i], m_fields[i]);
            continue;
        }
        auto* row = new QHBoxLayout;
        row->addWidget(m_fields[i], 1);
        row->addWidget(button);
        auto* label = new QLabel(kFieldLabels[i], fields);
        label->setBuddy(m_fields[i]);
        form->addRow(label, row);
    }
    return fields;
}

void CDlgDevice::SearchFootprint() {
    const CString footprint = PickLibraryFootprint();
    if (!footprint.IsEmpty())
        m_fields[kDeviceFieldFootprint]->setText(FromStoredText(footprint.str()));
}

// Each row has one empty cell more than it holds, for the next pin to be typed into.
void CDlgDevice::FillMap(const DeviceForm& form) {
    for (int i = 0; i < int(form.rows.size()); ++i) {
        std::vector<CString> cells = form.rows[i];
        cells.resize(std::max<std::size_t>(cells.size(), 2));
        cells.emplace_back();
        m_map->AppendRow(i == 0 ? kHiddenPinsRow : kSymbolRow, int(cells.size()));
        m_map->SetRowCells(i, cells);
    }
    m_map->AppendRow(kSymbolRow, 1);
}

void CDlgDevice::ShowFields(const DeviceForm& form) {
    m_shownFields = form.fields;
    for (int i = 0; i < kDeviceFieldCount; ++i)
        m_fields[i]->setText(FromStoredText(m_shownFields[i].str()));
}

// A field that still shows the bytes it was filled from gives them back as they are.
CString CDlgDevice::FieldBytes(int index) const {
    const QString text = m_fields[index]->text();
    return text == FromStoredText(m_shownFields[index].str()) ? m_shownFields[index]
                                                              : Bytes(text.trimmed());
}

DeviceForm CDlgDevice::Form() const {
    DeviceForm form;
    for (int i = 0; i < kDeviceFieldCount; ++i)
        form.fields[i] = FieldBytes(i);
    form.rows.clear();
    for (int row = 0; row < m_map->rowCount(); ++row)
        form.rows.push_back(m_map->RowCells(row));
    return form;
}

void CDlgDevice::ShowProblem(const DeviceFormProblem& problem) {
    AfxMessageBox(problem.message, MB_OK | MB_ICONEXCLAMATION);
    if (problem.field >= 0) {
        m_fields[problem.field]->setFocus();
        m_fields[problem.field]->selectAll();
    } else if (problem.row >= 0) {
        m_map->setFocus();
        if (!m_map->EditCell(problem.row, problem.column))
            m_map->SelectOnly(problem.row);
    }
}

void CDlgDevice::accept() {
    const DeviceForm form = Form();
    unsigned forced = 0;
    while (std::optional<DeviceFormProblem> problem = form.Check(m_work, forced)) {
        if (!problem->question) {
            ShowProblem(*problem);
            return;
        }
        if (AfxMessageBox(problem->message, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            m_fields[problem->field]->setFocus();
            return;
        }
        forced |= 1u << problem->field;
    }
    if (const std::optional<DeviceFormProblem> moved = form.HiddenPinNetChanges(m_device, m_work)) {
        if (AfxMessageBox(moved->message, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            m_map->setFocus();
            m_map->EditCell(moved->row, moved->column);
            return;
        }
    }
    form.Store(m_work, forced);
    StoreEdited();
    QDialog::accept();
}

void CDlgDevice::StoreEdited() {
    std::vector<CString> gone;
    for (int i = 0; i < m_device.GetAttrCount(); ++i) {
        CString name;
        CString value;
        m_device.GetAttrAt(i, name, value);
        if (!m_work.Lookup(name, value))
            gone.push_back(name);
    }
    for (const CString& name : gone)
        m_device.RemoveAttr(name);
    for (int i = 0; i < m_work.GetAttrCount(); ++i) {
        CString name;
        CString value;
        m_work.GetAttrAt(i, name, value);
        CString present;
        if (!m_device.Lookup(name, present) || present != value)
            m_device.SetAttr(name, value, TRUE);
    }
}

// The hidden pins row of the map and the dialog edit the same pins: the row as typed goes to
// the edited copy first, and comes back from it after.
void CDlgDevice::EditPowerPins() {
    CString implicit;
    CString map;
    if (const std::optional<DeviceFormProblem> problem = Form().BuildTexts(implicit, map)) {
        ShowProblem(*problem);
        return;
    }
    DeviceForm::StoreImplicit(m_work, implicit);
    CDlgPowerPins dialog(m_work, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::vector<CString> cells = DeviceForm::Load(m_work).rows[0];
    cells.emplace_back();
    m_map->SetRowCells(0, cells);
}

void CDlgDevice::EditAttributes() {
    // The fields as typed go to the edited copy first, and come back from it after.
    Form().StoreFields(m_work, ~0u);
    CAttrMerge merge;
    merge.SetObjectCount(1);
    for (int i = 0; i < m_work.GetAttrCount(); ++i) {
        CString name;
        CString value;
        m_work.GetAttrAt(i, name, value);
        if (name == GetStdAttrName(kStdAttrMap))
            continue;
        const int kind = CDevice::GetAttributeFlags(name);
        merge.AddAttribute(
            (kind & kDeviceAttrReadOnly ? kAttrReserved : 0) | (kind & 0x2 ? kAttrValueLocked : 0),
            name, value);
    }
    auto* page = new CDlgOtherAttr("Other Attributes", merge, 1, nullptr);
    page->SetNameTable({{"Category", GetStdAttrName(kStdAttrCat)}});
    page->SetCheck([this](const CString& name, const CString& value) {
        return CheckAttribute(m_work, name, value);
    });
    CPropertySheet sheet("Device Properties", this);
    sheet.AddPage(page);
    if (sheet.exec() != QDialog::Accepted)
        return;
    for (const auto& [name, record] : page->Merge().GetRecords()) {
        if (record.flags & kAttrDeleted)
            m_work.RemoveAttr(name.c_str());
        else if (!(record.flags & (kAttrValueMixed | kAttrValueLocked)))
            m_work.SetAttr(name.c_str(), record.value, TRUE);
    }
    ShowFields(DeviceForm::Load(m_work));
}

void CDlgDevice::Browse() {
    const QString path = ChooseLibrary(this);
    if (!path.isEmpty())
        m_fields[kDeviceFieldPath]->setText(path);
}

void CDlgDevice::ChooseLibraryToAddTo() {
    const QString path = ChooseLibrary(this);
    if (!path.isEmpty())
        AddToLibrary(path);
}

bool CDlgDevice::AddToLibrary(const QString& path) {
    const DeviceForm form = Form();
    CDevice device(m_work);
    if (std::optional<DeviceFormProblem> problem = form.Check(device, 0)) {
        ShowProblem(*problem);
        return false;
    }
    form.Store(device, 0);
    CLibraryFile library;
    const QByteArray file = path.toUtf8();
    DeviceStore stored = DeviceStore::kFailed;
    try {
        if (library.Open(file.constData(), CDiskFile::modeReadWrite))
            stored = StoreDevice(library, device, form.fields[kDeviceFieldName],
                                 form.fields[kDeviceFieldDescription]);
    } catch (const CFileException&) {
        stored = DeviceStore::kFailed;
    }
    library.Close();
    if (stored == DeviceStore::kFailed)
        AfxMessageBox("The device could not be added to the library.", MB_OK | MB_ICONEXCLAMATION);
    if (stored != DeviceStore::kStored)
        return false;
    GetLibraryBarServices().RefreshLibraryList();
    return true;
}

void CreateNewDevice(QWidget* parent) {
    CDevice device;
    CDlgDevice dialog(device, DeviceForm::NewDevice(), parent);
    dialog.exec();
}

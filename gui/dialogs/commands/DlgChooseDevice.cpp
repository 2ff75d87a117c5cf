#include "gui/dialogs/commands/DlgChooseDevice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include "gui/kit/StoredText.h"
#include "library/LibraryPicker.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/DocNetlist.h"

namespace {

bool FitsOneOf(const CDevice& device, const CObList& selection) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(selection.GetNext(pos));
        if (device.IsCompatibleWith(object))
            return true;
    }
    return false;
}

}  // namespace

CDlgChooseDevice::CDlgChooseDevice(CDrawDoc& doc, const CObList& selection, QWidget* parent)
    : QDialog(parent), m_selection(selection), m_devices(new QComboBox(this)) {
    setObjectName("chooseDeviceDlg");
    setWindowTitle("Choose Device");
    CDocNetlist& walker = doc.m_netlist;
    for (POSITION pos = walker.GetFirstPart(nullptr); pos;) {
        CSymbol* part = walker.GetNextPart(pos, nullptr, nullptr);
        CDevice* device = part ? part->GetDevice() : nullptr;
        if (!device || !FitsOneOf(*device, selection))
            continue;
        device->AddRef();
        m_devices->addItem(FromStoredText(device->GetAttr("_Name").str()),
                           QVariant::fromValue(static_cast<void*>(device)));
    }
    m_devices->model()->sort(0);
    m_devices->setCurrentIndex(m_devices->count() > 0 ? 0 : -1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(m_devices->currentIndex() >= 0);
    m_search = buttons->addButton("Search Libraries..", QDialogButtonBox::ActionRole);
    auto* layout = new QFormLayout(this);
    layout->addRow("&Device", m_devices);
    layout->addRow(buttons);
    connect(m_devices, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_ok->setEnabled(index >= 0); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgChooseDevice::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_search, &QPushButton::clicked, this, &CDlgChooseDevice::SearchLibraries);
}

CDlgChooseDevice::~CDlgChooseDevice() {
    for (int i = 0; i < m_devices->count(); ++i)
        DeviceAt(i)->Release();
    if (m_chosen)
        m_chosen->Release();
}

CDevice* CDlgChooseDevice::DeviceAt(int index) const {
    return static_cast<CDevice*>(m_devices->itemData(index).value<void*>());
}

void CDlgChooseDevice::SearchLibraries() {
    CDevice* device =
        PickLibraryDevice([this](const CDevice& found) { return FitsOneOf(found, m_selection); },
                          kChooseDeviceLibraryTexts);
    if (!device)
        return;
    const QVariant data = QVariant::fromValue(static_cast<void*>(device));
    m_devices->addItem(FromStoredText(device->GetAttr("_Name").str()), data);
    m_devices->model()->sort(0);
    m_devices->setCurrentIndex(m_devices->findData(data));
}

void CDlgChooseDevice::accept() {
    const int index = m_devices->currentIndex();
    if (index < 0)
        return;
    if (m_chosen)
        m_chosen->Release();
    m_chosen = DeviceAt(index);
    m_chosen->AddRef();
    QDialog::accept();
}

CDevice* CDlgChooseDevice::TakeChosen() {
    return std::exchange(m_chosen, nullptr);
}

#pragma once
// "Device Properties": a device's name, identifier prefix, PCB footprint, description, symbol
// library or folder, and its symbol map (row 0 the hidden pins, then one row per symbol:
// name, instance, then pairs of pin name and number). OK checks everything and only then
// stores it all in the device; "&Attributes..." edits the device's other attributes, kept with
// the dialog until OK; "Add to &Library..." puts the device into a library.

#include <QDialog>

#include "model/device/Device.h"
#include "model/device/DeviceForm.h"

class CEditListCtrl;
class QLineEdit;
class QPushButton;

class CDlgDevice : public QDialog {
    Q_OBJECT
public:
    CDlgDevice(CDevice& device, const DeviceForm& form, QWidget* parent);

    // The form as the fields and the list now hold it.
    DeviceForm Form() const;
    // OK: the checks, a question whether to force a doubted value, then everything stored.
    void accept() override;
    // Adds the device to the library at path (a device record named after it); false after
    // a message when the library cannot take it.
    bool AddToLibrary(const QString& path);
    // "&Attributes...": the "Device Properties" sheet with the Other Attributes page over the
    // device's attributes but "_Map"; its changes are kept until OK.
    void EditAttributes();
    // "Po&wer Pins...": the "Device Power Pins" dialog over the device as edited so far; its
    // changes are kept until OK as well.
    void EditPowerPins();
    // The device as edited so far.
    const CDevice& Edited() const { return m_work; }

    QLineEdit* field(int index) const { return m_fields[index]; }
    CEditListCtrl* map() const { return m_map; }

private:
    QWidget* BuildFields();
    void ShowFields(const DeviceForm& form);
    CString FieldBytes(int index) const;
    void FillMap(const DeviceForm& form);
    void Browse();
    // "S&earch...": a footprint item picked from the libraries names the footprint.
    void SearchFootprint();
    void ChooseLibraryToAddTo();
    void ShowProblem(const DeviceFormProblem& problem);
    // Gives the device every attribute of the edited copy, removing those the copy lacks.
    void StoreEdited();

    CDevice& m_device;
    CDevice m_work;
    QLineEdit* m_fields[kDeviceFieldCount];
    // The bytes each field was last filled from.
    std::array<CString, kDeviceFieldCount> m_shownFields;
    CEditListCtrl* m_map;
};

// Edit > Create New Device: the dialog over a new device.
void CreateNewDevice(QWidget* parent);

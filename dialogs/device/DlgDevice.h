#pragma once
// "Device Properties": a device's name, identifier prefix, PCB footprint, description, symbol
// library or folder, and its symbol map (row 0 the hidden pins, then one row per symbol:
// name, instance, then pairs of pin name and number). OK checks everything and only then
// stores it all in the device; "Add to &Library..." puts the device into a library.

#include <QDialog>

#include "model/device/DeviceForm.h"

class CDevice;
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

    QLineEdit* field(int index) const { return m_fields[index]; }
    CEditListCtrl* map() const { return m_map; }

private:
    QWidget* BuildFields();
    void FillMap(const DeviceForm& form);
    void Browse();
    void ChooseLibraryToAddTo();
    void ShowProblem(const DeviceFormProblem& problem);

    CDevice& m_device;
    QLineEdit* m_fields[kDeviceFieldCount];
    CEditListCtrl* m_map;
};

// Edit > Create New Device: the dialog over a new device.
void CreateNewDevice(QWidget* parent);

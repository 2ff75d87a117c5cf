#pragma once
// "Device Power Pins": the hidden power pins of a device, each with a pin name, a number and
// an automatic net. OK writes them into the device.

#include <QDialog>
#include <vector>

#include "model/device/PowerPins.h"

class CDevice;
class QComboBox;
class QLineEdit;
class QListWidget;

class CDlgPowerPins : public QDialog {
    Q_OBJECT
public:
    explicit CDlgPowerPins(CDevice& device, QWidget* parent = nullptr);

    QListWidget* pinList() const { return m_list; }
    QComboBox* netBox() const { return m_net; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* numberEdit() const { return m_number; }
    void Add();
    void Remove();

    void accept() override;

private:
    void ShowList(int current);
    void OnPinChosen(int row);

    CDevice& m_device;
    std::vector<PowerPin> m_pins;
    QListWidget* m_list = nullptr;
    QComboBox* m_net = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_number = nullptr;
};

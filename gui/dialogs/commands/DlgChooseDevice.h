#pragma once
// The "Choose Device" dialog: a device for the selected symbols, from the devices of the
// document's parts that fit at least one of them, or from the libraries ("Search
// Libraries.."). Each entry holds a reference to its device while the dialog lives; OK takes
// one more for the device chosen.

#include <QDialog>

class CDevice;
class CDrawDoc;
class CObList;
class QComboBox;
class QPushButton;

class CDlgChooseDevice : public QDialog {
    Q_OBJECT
public:
    CDlgChooseDevice(CDrawDoc& doc, const CObList& selection, QWidget* parent = nullptr);
    ~CDlgChooseDevice() override;

    // The device chosen with OK, with one reference that the caller takes over; null before
    // OK or after Cancel.
    CDevice* TakeChosen();
    QComboBox* deviceBox() const { return m_devices; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* searchButton() const { return m_search; }

    void accept() override;

private:
    CDevice* DeviceAt(int index) const;
    // A device record of the libraries that fits one of the symbols joins the list, chosen.
    void SearchLibraries();

    const CObList& m_selection;
    QComboBox* m_devices;
    QPushButton* m_ok;
    QPushButton* m_search;
    CDevice* m_chosen = nullptr;
};

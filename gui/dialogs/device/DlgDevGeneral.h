#pragma once
// The "General" page of the Symbol Properties sheet: the kind of the selected symbols, their
// identifier, name and value, which attribute texts they show and how they show pins, and the
// device of a Physical Device (chosen among the document's compatible devices, or made anew
// from the selection) or the file of a Sub-circuit Block. The page works on the clones of the
// selected symbols that stand in the document while the sheet is open.

#include <vector>

#include "gui/kit/PropertySheet.h"
#include "model/symbol/DevGeneralForm.h"

class CDevice;
class CDrawDoc;
class CSymbol;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CDlgDevGeneral : public CPropertyPage {
    Q_OBJECT
public:
    // The sheet ends with this code for "Ne&w.." on a Sub-circuit Block.
    static constexpr int kNewSubcircuit = 214;

    // devices: those already used in the document.
    CDlgDevGeneral(CDrawDoc& doc, std::vector<CSymbol*> symbols, std::vector<CDevice*> devices,
                   QWidget* parent = nullptr);
    ~CDlgDevGeneral() override;

    // The page as applied, with the fields the user changed as edited (none when the page was
    // never shown); ApplyTo writes those into each symbol.
    const DevGeneralForm& Form() const { return m_form; }

    QListWidget* kindList() const { return m_kinds; }
    QComboBox* deviceCombo() const { return m_device; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* idEdit() const { return m_id; }
    QLineEdit* valueEdit() const { return m_value; }
    QPushButton* newButton() const { return m_new; }
    QPushButton* browseButton() const { return m_browse; }
    // "Ne&w..": a new device for a Physical Device (Device Properties opens on it), the end of
    // the sheet for a Sub-circuit Block.
    void OnNew();

protected:
    bool OnKillActive() override;
    void OnApply() override;

private:
    void UpdateKindControls();
    void FillDeviceList(bool select);
    void FillSubcircuitList();
    void OnSelChangeDevice();
    void OnNewDevice();
    // "..": a sub-circuit file, or a device picked from the libraries.
    void OnBrowse();
    void BrowseSubcircuit();
    void PickLibraryDevice();
    // The name typed, as it is to be stored.
    CString ShownName() const;
    void ReadFields();
    void ApplyKindAndName();
    void SetDevice(CDevice* device);
    bool Refuse(const std::string& message, QWidget* field);

    CDrawDoc& m_doc;
    std::vector<CSymbol*> m_symbols;
    std::vector<CDevice*> m_devices;
    DevGeneralForm m_form;
    QListWidget* m_kinds = nullptr;
    QLabel* m_deviceLabel = nullptr;
    QComboBox* m_device = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_new = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_id = nullptr;
    QLineEdit* m_value = nullptr;
    QCheckBox* m_showId = nullptr;
    QCheckBox* m_showValue = nullptr;
    QCheckBox* m_showDevice = nullptr;
    QCheckBox* m_hiddenPins = nullptr;
    QComboBox* m_pinNames = nullptr;
    QComboBox* m_pinNumbers = nullptr;
};

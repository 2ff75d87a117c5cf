#pragma once
// The "Pin Properties" page (remembered as "General"): type, pin symbol, custom type, name
// and four display flags of one or more pins. Fields where the pins differ show no choice or a
// third state and leave each pin's own value.

#include "gui/kit/PropertySheet.h"
#include "model/symbol/PinPropForm.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

class CDlgPinProp : public CPropertyPage {
    Q_OBJECT
public:
    // checkName: the first pin's attribute check of a name.
    CDlgPinProp(const PinPropForm& form, PinPropForm::NameCheck checkName,
                QWidget* parent = nullptr);

    // What OK writes into each pin.
    const PinPropForm& Form() const { return m_form; }
    QListWidget* typeList() const { return m_types; }
    QListWidget* symbolList() const { return m_symbols; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* customTypeEdit() const { return m_customType; }
    QCheckBox* checkBox(int index) const { return m_checks[index]; }

protected:
    bool OnKillActive() override;

private:
    // The type chosen in the list (its effective type), or -1.
    int ChosenType() const;
    void OnTypeChosen();

    PinPropForm m_form;
    PinPropForm::NameCheck m_checkName;
    QListWidget* m_types = nullptr;
    QListWidget* m_symbols = nullptr;
    QLineEdit* m_customType = nullptr;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_checks[4] = {};
};

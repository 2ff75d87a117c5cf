#pragma once
// The "Sheet Size" page: the paper's width and height from a list of standard sizes or typed,
// in inches or millimetres, portrait or landscape. OK writes the paper size it was given.

#include "gui/kit/PropertySheet.h"
#include "model/doc/SheetSizeForm.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

class CDlgSheetSize : public CPropertyPage {
    Q_OBJECT
public:
    // metric: the application shows lengths in metric units.
    CDlgSheetSize(SIZE& paper, bool metric, QWidget* parent = nullptr);

    QListWidget* paperList() const { return m_list; }
    QLineEdit* sizeEdit(SheetSizeForm::Axis axis) const { return m_edits[axis]; }
    QRadioButton* mmButton() const { return m_mm; }
    QRadioButton* landscapeButton() const { return m_landscape; }

protected:
    bool OnKillActive() override;
    void OnApply() override;

private:
    QWidget* CreateUnitsGroup();
    QWidget* CreateOrientationGroup();
    void OnEdited(SheetSizeForm::Axis axis);
    void OnUnits();
    void OnOrientation();
    void OnPaperChosen(int row);
    // The values that are not being typed, and the orientation picture.
    void ShowForm();

    SIZE& m_paper;
    SheetSizeForm m_form;
    QListWidget* m_list = nullptr;
    QLineEdit* m_edits[2] = {};
    QRadioButton* m_inches = nullptr;
    QRadioButton* m_mm = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QLabel* m_picture = nullptr;
};

#pragma once
// "Title Block Size and Alignment": the title block's width and height in inches,
// centimetres or percent of the sheet, and where it sits: stretched, left, right or centred.
// OK reads only the sizes the user changed; a changed size keeps its length when the unit
// changes.

#include <QDialog>

#include "gui/kit/ChangedFields.h"
#include "model/doc/FrameForm.h"

class QLineEdit;
class QRadioButton;

class CDlgTitleBlockSize : public QDialog {
    Q_OBJECT
public:
    CDlgTitleBlockSize(const TitleBlockSizeForm& form, bool cm, QWidget* parent = nullptr);

    const TitleBlockSizeForm& Form() const { return m_form; }
    QLineEdit* sizeEdit(TitleBlockSizeForm::Axis axis) const { return m_edits[axis]; }
    QRadioButton* unitsButton(TitleBlockSizeForm::Units units) const { return m_units[units]; }
    QRadioButton* alignmentButton(int alignment) const { return m_alignments[alignment]; }

    void accept() override;

private:
    TitleBlockSizeForm::Units Units() const;
    // The sizes in the unit chosen.
    void ChangeUnits();

    TitleBlockSizeForm m_form;
    TitleBlockSizeForm::Units m_shownUnits = TitleBlockSizeForm::kInches;
    CChangedFields m_changed;  // the size fields
    QLineEdit* m_edits[2] = {};
    QRadioButton* m_units[3] = {};
    QRadioButton* m_alignments[4] = {};
};

#pragma once
// "Title Block Size and Alignment": the title block's width and height in inches,
// centimetres or percent of the sheet, and where it sits: stretched, left, right or centred.

#include <QDialog>

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
    // The values the user has not changed, in the unit chosen.
    void ShowSizes();

    TitleBlockSizeForm m_form;
    QLineEdit* m_edits[2] = {};
    QRadioButton* m_units[3] = {};
    QRadioButton* m_alignments[4] = {};
};

#pragma once
// The "Page Margins" page: the four sheet margins in inches or centimetres. A margin typed
// outside 0.1 to 4 inches keeps the page; OK writes the margins it was given, with those the
// user changed. A changed margin keeps its length when the unit changes.

#include "gui/kit/PropertySheet.h"
#include "model/doc/PageMarginsForm.h"

class QLineEdit;
class QRadioButton;

class CDlgPageMargins : public CPropertyPage {
    Q_OBJECT
public:
    explicit CDlgPageMargins(RECT& margins, QWidget* parent = nullptr);

    QLineEdit* marginEdit(PageMarginsForm::Side side) const { return m_edits[side]; }
    QRadioButton* inchesButton() const { return m_inches; }
    QRadioButton* cmButton() const { return m_cm; }

protected:
    bool OnKillActive() override;
    void OnApply() override;

private:
    // The margins in the unit chosen.
    void ChangeUnits();

    RECT& m_margins;
    PageMarginsForm m_form;
    QLineEdit* m_edits[PageMarginsForm::kSides] = {};
    QRadioButton* m_inches = nullptr;
    QRadioButton* m_cm = nullptr;
    bool m_shownCm = false;  // the unit the fields show
};

#pragma once
// The text "General" page: the text, its alignment, "Multi-line" and "Auto Size", and the four
// margins in millimetres or inches. It edits a TextGeneralState loaded from the texts.

#include "gui/kit/PropertySheet.h"
#include "model/text/TextGeneralState.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class CDlgTextGeneral : public CPropertyPage {
    Q_OBJECT
public:
    // metric shows the margins in millimetres at first.
    CDlgTextGeneral(const TextGeneralState& state, bool metric, QWidget* parent);

    const TextGeneralState& State() const { return m_state; }
    bool IsApplied() const { return m_applied; }

    QPlainTextEdit* text() const { return m_text; }
    QComboBox* alignment() const { return m_alignment; }
    QCheckBox* multiLine() const { return m_multiLine; }
    QCheckBox* autoSize() const { return m_autoSize; }
    QLineEdit* margin(int index) const { return m_margins[index]; }
    QButtonGroup* units() const { return m_units; }

protected:
    void OnLoad() override;
    bool OnKillActive() override;
    void OnApply() override;

private:
    // Reads the margins shown in the unit they are shown in; false after a message.
    bool ReadMargins();
    void ShowMargins();
    void SwitchUnits(int unit);

    TextGeneralState m_state;
    MarginUnit m_shownUnit;
    bool m_applied = false;
    QPlainTextEdit* m_text;
    QComboBox* m_alignment;
    QCheckBox* m_multiLine;
    QCheckBox* m_autoSize;
    QLineEdit* m_margins[4];
    QButtonGroup* m_units;
};

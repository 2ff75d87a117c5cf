#pragma once
// The "Outline and Fill" page (remembered as "Style"): the outline's default, style, weight,
// colour and inside-frame state; the fill's default, hatch and colour, or the line's arrows;
// "No Outline", "No Fill" and "Closed Curve". It edits an OutlineFillState that the caller
// loaded from the objects and applies to them after OK: the fields the user changed, with what
// the state says each implies.

#include "gui/kit/PropertySheet.h"
#include "model/object/OutlineFillState.h"

class CArrowCombo;
class CColourButton;
class CHatchCombo;
class CLineStyleCombo;
class CWeightSpin;
class QCheckBox;
class QGroupBox;
class QLabel;

class CDlgOutlineFill : public CPropertyPage {
    Q_OBJECT
public:
    // title names the tab ("Outline and Fill", or "Line Style" in the pin, wire and bus sheets).
    CDlgOutlineFill(const QString& title, const OutlineFillState& state, QWidget* parent);

    // The page's values; complete once the page has been applied.
    const OutlineFillState& State() const { return m_state; }
    // Whether OK applied the page (it was shown and its values are to be written).
    bool IsApplied() const { return m_applied; }

    QCheckBox* outlineDefault() const { return m_outlineDefault; }
    QCheckBox* noOutline() const { return m_noOutline; }
    QCheckBox* insideFrame() const { return m_insideFrame; }
    QCheckBox* closedCurve() const { return m_closed; }
    QCheckBox* fillDefault() const { return m_fillDefault; }
    QCheckBox* noFill() const { return m_noFill; }
    CLineStyleCombo* style() const { return m_style; }
    CWeightSpin* weight() const { return m_weight; }
    CHatchCombo* hatch() const { return m_hatch; }
    CArrowCombo* startArrow() const { return m_startArrow; }
    CArrowCombo* endArrow() const { return m_endArrow; }
    CColourButton* penColour() const { return m_penColour; }
    CColourButton* brushColour() const { return m_brushColour; }
    QGroupBox* outlineGroup() const { return m_outlineGroup; }
    QGroupBox* fillGroup() const { return m_fillGroup; }
    QGroupBox* arrowGroup() const { return m_arrowGroup; }

protected:
    void OnLoad() override;
    bool OnKillActive() override;
    void OnApply() override;

private:
    QGroupBox* BuildOutline();
    QGroupBox* BuildFill();
    QGroupBox* BuildArrows();
    void Connect();
    // Shows the state in every control but the weight's text while it is being typed.
    void ShowState(bool withWeight = true);
    void ShowLayout();
    void ShowEnabling();

    OutlineFillState m_state;
    bool m_applied = false;
    bool m_showing = false;

    QGroupBox* m_outlineGroup;
    QCheckBox* m_outlineDefault;
    QCheckBox* m_noOutline;
    CLineStyleCombo* m_style;
    QLabel* m_styleLabel;
    CWeightSpin* m_weight;
    QLabel* m_weightLabel;
    CColourButton* m_penColour;
    QLabel* m_penLabel;
    QCheckBox* m_insideFrame;
    QCheckBox* m_closed;
    QGroupBox* m_fillGroup;
    QCheckBox* m_fillDefault;
    QCheckBox* m_noFill;
    CHatchCombo* m_hatch;
    QLabel* m_hatchLabel;
    CColourButton* m_brushColour;
    QLabel* m_brushLabel;
    QGroupBox* m_arrowGroup;
    CArrowCombo* m_startArrow;
    CArrowCombo* m_endArrow;
};

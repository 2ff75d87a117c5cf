#pragma once
// Step 3 of the sub-circuit wizard: the pins in order, the side each stands on, the drawing
// style and the body's colours, with a preview of the symbol. Style and colours are
// remembered in "Settings".

#include <QWizardPage>

#include "model/symbol/SubcctSymbolBuilder.h"

enum class ColourCode;
class CColourButton;
class CObjectPreview;
class CSubcctWizard;
class QComboBox;
class QListWidget;

class CDlgScctWiz3 : public QWizardPage {
    Q_OBJECT
public:
    explicit CDlgScctWiz3(CSubcctWizard& wizard);

    const SubcctLook& Look() const { return m_look; }
    QListWidget* PinList() const { return m_pins; }
    QComboBox* SideCombo() const { return m_side; }
    QComboBox* StyleCombo() const { return m_style; }
    CColourButton* OutlineButton() const { return m_outline; }
    CColourButton* FillButton() const { return m_fill; }
    CObjectPreview* Preview() const { return m_preview; }

    void initializePage() override;
    int nextId() const override { return -1; }

private:
    void Refill();
    void Rebuild();
    void OnSelection();
    void ChooseSide(int side);
    void ChooseStyle(int style);
    void ChooseColour(SubcctBodyPart part, ColourCode code, COLORREF colour);
    void PaintButtons();

    CSubcctWizard& m_wizard;
    SubcctLook m_look;
    QListWidget* m_pins;
    QComboBox* m_side;
    QComboBox* m_style;
    CColourButton* m_outline;
    CColourButton* m_fill;
    CObjectPreview* m_preview;
};

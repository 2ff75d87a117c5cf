#pragma once
// Step 1 of the sub-circuit wizard: what to make, and from which schematic file or symbol.

#include <QWizardPage>

class CSubcctWizard;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CDlgScctWiz1 : public QWizardPage {
    Q_OBJECT
public:
    explicit CDlgScctWiz1(CSubcctWizard& wizard);

    QRadioButton* ModeButton(int mode) const { return m_modes[mode]; }
    QLineEdit* FileEdit() const { return m_file; }
    QComboBox* SymbolCombo() const { return m_symbols; }

    void initializePage() override;
    bool validatePage() override;
    // Step 2, or step 3 for a schematic's symbol; none (Finish) for a symbol's schematic.
    int nextId() const override;

private:
    void ChooseMode(int mode);
    void Browse();

    CSubcctWizard& m_wizard;
    QRadioButton* m_modes[3];
    QLineEdit* m_file;
    QPushButton* m_browse;
    QComboBox* m_symbols;
};

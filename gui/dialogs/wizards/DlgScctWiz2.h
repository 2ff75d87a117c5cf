#pragma once
// Step 2 of the sub-circuit wizard: the signals that connect the sub-circuit to its parent,
// each with a direction.

#include <QWizardPage>

class CSubcctWizard;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class CDlgScctWiz2 : public QWizardPage {
    Q_OBJECT
public:
    explicit CDlgScctWiz2(CSubcctWizard& wizard);

    QLineEdit* NameEdit() const { return m_name; }
    QComboBox* DirectionCombo() const { return m_direction; }
    QCheckBox* BusCheck() const { return m_bus; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }
    QListWidget* List() const { return m_list; }

    void initializePage() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refill();
    void Add();
    void Remove();
    void OnSelection();

    CSubcctWizard& m_wizard;
    QLineEdit* m_name;
    QComboBox* m_direction;
    QCheckBox* m_bus;
    QPushButton* m_add;
    QPushButton* m_remove;
    QListWidget* m_list;
};

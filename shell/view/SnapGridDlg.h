#pragma once
// The "Snap Grid Settings" sheet: a "Spacing" page (spacing, units, colour, the preset menu of
// "Set" and the snap option boxes) and a "Snap To Objects" page with one box per kind of
// object. OK with a spacing not above 0 is refused with a message.

#include <QDialog>
#include <vector>

#include "shell/view/SnapGridSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

class CSnapGridDlg : public QDialog {
    Q_OBJECT
public:
    CSnapGridDlg(const SnapGridSettings& settings, QWidget* parent = nullptr);

    SnapGridSettings Settings() const;
    QLineEdit* spacingEdit() const { return m_spacing; }
    QCheckBox* objectBox(int index) const { return m_objectBoxes[size_t(index)]; }
    QToolButton* presetButton() const { return m_presets; }

    void accept() override;

private:
    QWidget* CreateSpacingPage();
    QWidget* CreateObjectsPage();
    void FillPresets();
    void ChooseColour();

    SnapGridSettings m_settings;
    QLineEdit* m_spacing = nullptr;
    QLineEdit* m_vertical = nullptr;
    QCheckBox* m_independent = nullptr;
    QComboBox* m_units = nullptr;
    QPushButton* m_colour = nullptr;
    QToolButton* m_presets = nullptr;
    QCheckBox* m_snapToGrid = nullptr;
    QCheckBox* m_snapToObjects = nullptr;
    QCheckBox* m_snapToGuides = nullptr;
    QCheckBox* m_showGrid = nullptr;
    QCheckBox* m_dynamic = nullptr;
    std::vector<QCheckBox*> m_objectBoxes;
};

class CSchematicApp;
class CSnapGrid;

// Runs the sheet over grid and the application's snap options; on OK both change and the grid
// is saved to "SymbGrid" (symbolGrid) or "Grid". Returns IDOK or IDCANCEL.
int EditSnapGridSettings(CSnapGrid& grid, CSchematicApp& app, bool symbolGrid, QWidget* parent);

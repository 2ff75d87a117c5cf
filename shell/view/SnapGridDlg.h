#pragma once
// The "Snap Grid Settings" sheet: a "Spacing" page (spacing, units, colour, the preset menu of
// "Set" and the snap option boxes) and a "Snap To Objects" page with one box per kind of
// object. The Spacing page cannot be left with a spacing not above 0.

#include <vector>

#include "gui/kit/PropertySheet.h"
#include "shell/view/SnapGridSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

class CSnapSpacingPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CSnapSpacingPage(const SnapGridSettings& settings);

    // Writes the fields of the page into settings.
    void ReadInto(SnapGridSettings& settings) const;
    QLineEdit* spacingEdit() const { return m_spacing; }
    QToolButton* presetButton() const { return m_presets; }

protected:
    bool OnKillActive() override;

private:
    void FillPresets();
    void ChooseColour();

    COLORREF m_colour;
    QLineEdit* m_spacing = nullptr;
    QLineEdit* m_vertical = nullptr;
    QCheckBox* m_independent = nullptr;
    QComboBox* m_units = nullptr;
    QToolButton* m_presets = nullptr;
    QCheckBox* m_snapToGrid = nullptr;
    QCheckBox* m_snapToObjects = nullptr;
    QCheckBox* m_snapToGuides = nullptr;
    QCheckBox* m_showGrid = nullptr;
    QCheckBox* m_dynamic = nullptr;
};

class CSnapObjectsPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CSnapObjectsPage(const SnapGridSettings& settings);

    // Writes the object bits of the boxes into settings.
    void ReadInto(SnapGridSettings& settings) const;
    QCheckBox* objectBox(int index) const { return m_boxes[size_t(index)]; }

private:
    std::vector<QCheckBox*> m_boxes;
};

class CSnapGridDlg : public CPropertySheet {
    Q_OBJECT
public:
    CSnapGridDlg(const SnapGridSettings& settings, QWidget* parent = nullptr);

    // The settings as the pages show them.
    SnapGridSettings Settings() const;
    QLineEdit* spacingEdit() const { return m_spacingPage->spacingEdit(); }
    QCheckBox* objectBox(int index) const { return m_objectsPage->objectBox(index); }
    QToolButton* presetButton() const { return m_spacingPage->presetButton(); }

private:
    SnapGridSettings m_settings;
    CSnapSpacingPage* m_spacingPage;
    CSnapObjectsPage* m_objectsPage;
};

class CSchematicApp;
class CSnapGrid;

// Runs the sheet over grid and the application's snap options; on OK both change and the grid
// is saved to "SymbGrid" (symbolGrid) or "Grid". Returns IDOK or IDCANCEL.
int EditSnapGridSettings(CSnapGrid& grid, CSchematicApp& app, bool symbolGrid, QWidget* parent);

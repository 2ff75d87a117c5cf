#pragma once
// The options of the bill of materials: the "Options" page over the stored "BOM" settings,
// and the "Bill of Materials" sheet that shows it for the writer.

#include <utility>
#include <vector>

#include "gui/kit/PropertySheet.h"
#include "netlist/writers/BomOptions.h"

class QButtonGroup;
class QCheckBox;
class SettingsStore;

class CDlgBOM : public CPropertyPage {
    Q_OBJECT
public:
    explicit CDlgBOM(SettingsStore& settings, QWidget* parent = nullptr);

protected:
    // The stored options, sorted by identifier unless stored otherwise.
    void OnLoad() override;
    // Writes every option.
    void OnApply() override;

private:
    QCheckBox* Box(const char* text, const char* name, DWORD bit);

    SettingsStore& m_settings;
    QCheckBox* m_group;
    QCheckBox* m_quantity;
    QButtonGroup* m_sortBy;
    QButtonGroup* m_format;
    std::vector<std::pair<QCheckBox*, DWORD>> m_boxes;  // each box and its option bit
};

// Shows the sheet over the application's settings.
class CBomOptionsWindow : public IBomOptionsUi {
public:
    bool EditBomOptions() override;
};

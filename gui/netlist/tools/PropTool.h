#pragma once
// CPropTool: the page that sets up the tools of one settings section ("Tools" for the custom
// tools, "Simulator" for the simulators). A combo box chooses the tool; beside it the report
// the tool writes first (format, options, file) and the program it starts (command,
// arguments, initial folder), each edit with a browse button and a macro menu. OK writes
// every tool back.

#include <vector>

#include "gui/kit/PropertySheet.h"
#include "netlist/tools/ToolEntry.h"
#include "netlist/writers/NetlistFormat.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SettingsStore;

struct ToolPageSetup {
    const char* sectionName = "Tools";
    const char* nameLabel = "Tool Name";
    bool fixedTools = true;  // the first two tools are the PCB Editor and PLD Compiler
    int initialTool = 0;
};

class CPropTool : public CPropertyPage {
    Q_OBJECT
public:
    CPropTool(SettingsStore& settings, const ToolPageSetup& setup, QWidget* parent = nullptr);

    QComboBox* toolBox() const { return m_tool; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QCheckBox* reportCheck() const { return m_generate; }
    QComboBox* reportTypeBox() const { return m_reportType; }
    QPushButton* optionsButton() const { return m_options; }
    QLineEdit* reportFileEdit() const { return m_reportFile; }
    QCheckBox* executeCheck() const { return m_execute; }
    QLineEdit* commandEdit() const { return m_command; }
    QLineEdit* argsEdit() const { return m_args; }
    QLineEdit* directoryEdit() const { return m_directory; }
    QCheckBox* redirectCheck() const { return m_redirect; }

    // Appends a tool of that name and shows it, as Add.. does after its dialog.
    void AddTool(const QString& name);
    // Removes the tool shown, unless it is a fixed one, and shows none.
    void RemoveTool();

protected:
    void OnLoad() override;
    void OnApply() override;

private:
    QWidget* MakeReportGroup();
    QWidget* MakeCommandGroup();
    // An edit with its browse button and macro button, in a row.
    QWidget* EditRow(QLineEdit* edit, QPushButton* browse);
    void OnToolChosen(int index);
    void ShowTool(int index);
    void StoreShownTool();
    void UpdateControls();
    void OnAdd();
    void OnOptions();
    void BrowseReportFile();
    void BrowseCommand();
    void BrowseArgs();
    void BrowseDirectory();
    QString FormatFilters() const;

    SettingsStore& m_settings;
    ToolPageSetup m_setup;
    std::vector<CToolEntry> m_tools;
    CNetlistFormatList m_formats;
    int m_shown = -1;

    QComboBox* m_tool;
    QPushButton* m_add;
    QPushButton* m_remove;
    QCheckBox* m_generate;
    QComboBox* m_reportType;
    QPushButton* m_options;
    QLineEdit* m_reportFile;
    QPushButton* m_browseReport;
    QCheckBox* m_execute;
    QLineEdit* m_command;
    QPushButton* m_browseCommand;
    QLineEdit* m_args;
    QPushButton* m_browseArgs;
    QLineEdit* m_directory;
    QPushButton* m_browseDirectory;
    QCheckBox* m_redirect;
    std::vector<QWidget*> m_reportControls;
    std::vector<QWidget*> m_commandControls;
};

enum class ToolSetupKind { kCustomTools, kSimulators };

// The "Custom Tools Setup" sheet (section "Tools", tool initialTool shown first) or the
// "Simulation Tools Setup" sheet (section "Simulator", no fixed tools), not yet shown.
CPropertySheet* NewToolSetupSheet(SettingsStore& settings, ToolSetupKind kind, int initialTool,
                                  QWidget* parent);

#include "gui/netlist/tools/PropTool.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/kit/ArrowButton.h"
#include "gui/kit/StoredText.h"
#include "gui/netlist/tools/MacroMenu.h"
#include "gui/netlist/tools/NewToolDlg.h"
#include "platform/SettingsStore.h"

namespace {

QString Shown(const CString& text) {
    return FromStoredText(text.str());
}

CString Stored(const QString& text) {
    return CString(text.toUtf8().constData());
}

}  // namespace

CPropTool::CPropTool(SettingsStore& settings, const ToolPageSetup& setup, QWidget* parent)
    : CPropertyPage("Options", nullptr, parent),
      m_settings(settings),
      m_setup(setup),
      m_tool(new QComboBox),
      m_add(new QPushButton("Add..")),
      m_remove(new QPushButton("Remove")),
      m_generate(new QCheckBox("Generate Report")),
      m_reportType(new QComboBox),
      m_options(new QPushButton("Options..")),
      m_reportFile(new QLineEdit),
      m_browseReport(new QPushButton("...")),
      m_execute(new QCheckBox("Execute Command")),
      m_command(new QLineEdit),
      m_browseCommand(new QPushButton("...")),
      m_args(new QLineEdit),
      m_browseArgs(new QPushButton("...")),
      m_directory(new QLineEdit),
      m_browseDirectory(new QPushButton("...")),
      m_redirect(new QCheckBox("Redirect Console I/O")) {
    FillReportFormatList(m_formats);
    m_tool->setMinimumContentsLength(16);
    m_tool->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* toolRow = new QHBoxLayout;
    toolRow->addWidget(new QLabel(m_setup.nameLabel));
    toolRow->addWidget(m_tool, 1);
    toolRow->addWidget(m_add);
    toolRow->addWidget(m_remove);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toolRow);
    layout->addWidget(MakeReportGroup());
    layout->addWidget(MakeCommandGroup());
    layout->addStretch();

    connect(m_tool, &QComboBox::currentIndexChanged, this, &CPropTool::OnToolChosen);
    connect(m_add, &QPushButton::clicked, this, &CPropTool::OnAdd);
    connect(m_remove, &QPushButton::clicked, this, &CPropTool::RemoveTool);
    connect(m_options, &QPushButton::clicked, this, &CPropTool::OnOptions);
    connect(m_generate, &QCheckBox::toggled, this, &CPropTool::UpdateControls);
    connect(m_execute, &QCheckBox::toggled, this, &CPropTool::UpdateControls);
    connect(m_reportType, &QComboBox::currentIndexChanged, this, &CPropTool::UpdateControls);
    connect(m_browseReport, &QPushButton::clicked, this, &CPropTool::BrowseReportFile);
    connect(m_browseCommand, &QPushButton::clicked, this, &CPropTool::BrowseCommand);
    connect(m_browseArgs, &QPushButton::clicked, this, &CPropTool::BrowseArgs);
    connect(m_browseDirectory, &QPushButton::clicked, this, &CPropTool::BrowseDirectory);
}

QWidget* CPropTool::MakeReportGroup() {
    for (const auto& format : m_formats)
        m_reportType->addItem(QString::fromLatin1(format->GetName()));
    auto* group = new QGroupBox;
    auto* grid = new QGridLayout(group);
    grid->addWidget(m_generate, 0, 0, 1, 2);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(m_reportType, 1);
    typeRow->addWidget(m_options);
    auto* typeLabel = new QLabel("Report Type");
    auto* fileLabel = new QLabel("Report File");
    grid->addWidget(typeLabel, 1, 0);
    grid->addLayout(typeRow, 1, 1);
    grid->addWidget(fileLabel, 2, 0);
    QWidget* fileRow = EditRow(m_reportFile, m_browseReport);
    grid->addWidget(fileRow, 2, 1);
    m_reportControls = {typeLabel, m_reportType, fileLabel, fileRow};
    return group;
}

QWidget* CPropTool::MakeCommandGroup() {
    auto* group = new QGroupBox;
    auto* grid = new QGridLayout(group);
    grid->addWidget(m_execute, 0, 0, 1, 2);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Command", EditRow(m_command, m_browseCommand)},
        {"Arguments", EditRow(m_args, m_browseArgs)},
        {"Initial Directory", EditRow(m_directory, m_browseDirectory)}};
    int row = 1;
    for (const auto& [text, edits] : rows) {
        auto* label = new QLabel(text);
        grid->addWidget(label, row, 0);
        grid->addWidget(edits, row++, 1);
        m_commandControls.push_back(label);
        m_commandControls.push_back(edits);
    }
    grid->addWidget(m_redirect, row, 0, 1, 2);
    m_commandControls.push_back(m_redirect);
    return group;
}

QWidget* CPropTool::EditRow(QLineEdit* edit, QPushButton* browse) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* macros = new CArrowButton;
    QMenu* menu = NewMacroMenu(edit, macros);
    connect(macros, &QToolButton::clicked, menu,
            [macros, menu] { menu->exec(macros->mapToGlobal(macros->rect().topRight())); });
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance('x') * 36);
    browse->setMaximumWidth(browse->fontMetrics().horizontalAdvance("....") + 16);
    layout->addWidget(edit, 1);
    layout->addWidget(browse);
    layout->addWidget(macros);
    return row;
}

void CPropTool::OnLoad() {
    m_tools = LoadToolList(m_settings, m_setup.sectionName, m_setup.fixedTools);
    const QSignalBlocker blocker(m_tool);
    for (const CToolEntry& tool : m_tools)
        m_tool->addItem(Shown(tool.name));
    const int count = static_cast<int>(m_tools.size());
    const int initial = count ? std::clamp(m_setup.initialTool, 0, count - 1) : -1;
    m_tool->setCurrentIndex(initial);
    ShowTool(initial);
}

void CPropTool::OnApply() {
    StoreShownTool();
    SaveToolList(m_settings, m_setup.sectionName, m_tools);
}

void CPropTool::OnToolChosen(int index) {
    StoreShownTool();
    ShowTool(index);
}

void CPropTool::ShowTool(int index) {
    m_shown = index;
    const CToolEntry none;
    const CToolEntry& tool = index >= 0 ? m_tools[static_cast<size_t>(index)] : none;
    {
        const QSignalBlocker blockGenerate(m_generate);
        const QSignalBlocker blockExecute(m_execute);
        m_generate->setChecked(tool.flags & kToolGenerateReport);
        m_execute->setChecked(tool.flags & kToolExecuteCommand);
    }
    m_redirect->setChecked(tool.flags & kToolRedirectConsole);
    m_reportType->setCurrentIndex(tool.reportType < m_reportType->count() ? tool.reportType : -1);
    m_reportFile->setText(Shown(tool.reportFile));
    m_command->setText(Shown(tool.command));
    m_args->setText(Shown(tool.args));
    m_directory->setText(Shown(tool.directory));
    UpdateControls();
}

void CPropTool::StoreShownTool() {
    if (m_shown < 0 || m_shown >= static_cast<int>(m_tools.size()))
        return;
    CToolEntry& tool = m_tools[static_cast<size_t>(m_shown)];
    tool.flags = (m_generate->isChecked() ? kToolGenerateReport : 0) |
                 (m_redirect->isChecked() ? kToolRedirectConsole : 0) |
                 (m_execute->isChecked() ? kToolExecuteCommand : 0);
    if (m_reportType->currentIndex() >= 0)
        tool.reportType = m_reportType->currentIndex();
    tool.reportFile = Stored(m_reportFile->text());
    tool.command = Stored(m_command->text());
    tool.args = Stored(m_args->text());
    tool.directory = Stored(m_directory->text());
}

void CPropTool::UpdateControls() {
    const bool shown = m_shown >= 0;
    const bool fixed = m_setup.fixedTools && m_shown < kFixedTools;
    m_add->setEnabled(static_cast<int>(m_tools.size()) < kMaxTools);
    m_remove->setEnabled(shown && !fixed);
    m_generate->setEnabled(shown);
    m_execute->setEnabled(shown);
    const bool report = shown && m_generate->isChecked();
    for (QWidget* control : m_reportControls)
        control->setEnabled(report);
    const int type = m_reportType->currentIndex();
    m_options->setEnabled(report && type >= 0 &&
                          m_formats[static_cast<size_t>(type)]->HasOptions());
    const bool command = shown && m_execute->isChecked();
    for (QWidget* control : m_commandControls)
        control->setEnabled(command);
}

void CPropTool::OnAdd() {
    CNewToolDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        AddTool(dialog.Name());
}

void CPropTool::AddTool(const QString& name) {
    if (static_cast<int>(m_tools.size()) >= kMaxTools)
        return;
    StoreShownTool();
    CToolEntry tool;
    tool.index = static_cast<int>(m_tools.size());
    tool.name = Stored(name);
    m_tools.push_back(tool);
    m_shown = -1;  // the new entry is shown, not stored over
    m_tool->addItem(name);
    m_tool->setCurrentIndex(m_tool->count() - 1);
}

void CPropTool::RemoveTool() {
    if (m_shown < 0 || (m_setup.fixedTools && m_shown < kFixedTools))
        return;
    m_tools.erase(m_tools.begin() + m_shown);
    for (size_t k = 0; k < m_tools.size(); ++k)
        m_tools[k].index = static_cast<int>(k);
    const int removed = m_shown;
    m_shown = -1;
    const QSignalBlocker blocker(m_tool);
    m_tool->removeItem(removed);
    m_tool->setCurrentIndex(-1);
    ShowTool(-1);
}

void CPropTool::OnOptions() {
    const int type = m_reportType->currentIndex();
    if (type >= 0)
        m_formats[static_cast<size_t>(type)]->EditOptions(nullptr);
}

QString CPropTool::FormatFilters() const {
    QStringList filters;
    for (const auto& format : m_formats)
        filters << QString("%1 Files (*.%2)").arg(format->GetName(), format->GetExtension());
    filters << "All Files (*)";
    return filters.join(";;");
}

void CPropTool::BrowseReportFile() {
    const QString file =
        QFileDialog::getSaveFileName(this, "Save As..", m_reportFile->text(), FormatFilters());
    if (!file.isEmpty())
        m_reportFile->setText(file);
}

void CPropTool::BrowseCommand() {
    const QString file = QFileDialog::getOpenFileName(this, "Browse Files", m_command->text(),
                                                      "Executable Files (*);;All Files (*)");
    if (!file.isEmpty())
        m_command->setText(file);
}

void CPropTool::BrowseArgs() {
    QFileDialog dialog(this, "Browse Files", QString(), FormatFilters());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("sch");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The arguments are split at blanks: a path with blanks stays one argument in quotes.
    const QString file = dialog.selectedFiles().front();
    m_args->setText(file.contains(' ') ? '"' + file + '"' : file);
}

void CPropTool::BrowseDirectory() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, "Select Folder", m_directory->text());
    if (!folder.isEmpty())
        m_directory->setText(folder);
}

CPropertySheet* NewToolSetupSheet(SettingsStore& settings, ToolSetupKind kind, int initialTool,
                                  QWidget* parent) {
    const bool custom = kind == ToolSetupKind::kCustomTools;
    ToolPageSetup setup;
    if (!custom) {
        setup.sectionName = "Simulator";
        setup.nameLabel = "Simulator";
        setup.fixedTools = false;
    }
    setup.initialTool = initialTool;
    auto* sheet =
        new CPropertySheet(custom ? "Custom Tools Setup" : "Simulation Tools Setup", parent);
    sheet->AddPage(new CPropTool(settings, setup));
    return sheet;
}

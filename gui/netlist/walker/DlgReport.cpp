#include "gui/netlist/walker/DlgReport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>

#include "gui/kit/StoredText.h"
#include "model/app/SchematicApp.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/ReportFile.h"
#include "platform/UserPrompt.h"
#include "platform/WriteAccess.h"

namespace {

constexpr const char* kSection = "Netlist";
constexpr const char* kFormatEntry = "Format";

QString ToQt(const CString& text) {
    return FromStoredText(text.c_str());
}

CString FromQt(const QString& text) {
    return CString(text.toUtf8().constData());
}

// The entries of a filter "name|pattern|name|pattern||" as the save dialog shows them.
QStringList FilterEntries(const CString& filter) {
    QStringList entries;
    const QStringList parts = ToQt(filter).split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].isEmpty())
            entries << parts[i];
    return entries;
}

QString AskSaveFile(QWidget* parent, const CDlgReport::SaveRequest& request) {
    QFileDialog dialog(parent, "Save As..");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // OK of the report dialog asks before a file is replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(request.filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
        dialog.selectNameFilter(request.filters[request.selectedFilter]);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.file);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

}  // namespace

CDlgReport::CDlgReport(const CNetlistFormatList& formats, CDocNetlist* walker, QWidget* parent)
    : QDialog(parent),
      m_formats(formats),
      m_walker(walker),
      m_promptSave(AskSaveFile),
      m_screen(new QRadioButton("Screen", this)),
      m_file(new QRadioButton("File", this)),
      m_name(new QLineEdit(this)),
      m_browse(new QPushButton("Browse..", this)),
      m_format(new QComboBox(this)),
      m_options(new QPushButton("Options..", this)) {
    setWindowTitle("Generate Report");
    setObjectName("reportDialog");
    m_screen->setObjectName("screen");
    m_file->setObjectName("file");
    m_name->setObjectName("fileName");
    m_browse->setObjectName("browse");
    m_format->setObjectName("format");
    m_options->setObjectName("options");
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 40);

    auto* target = new QGroupBox("Target", this);
    auto* targetLayout = new QHBoxLayout(target);
    targetLayout->addWidget(m_screen);
    targetLayout->addWidget(m_file);
    auto* file = new QGroupBox("Filename", this);
    auto* fileLayout = new QHBoxLayout(file);
    fileLayout->addWidget(m_name, 1);
    fileLayout->addWidget(m_browse);
    auto* type = new QGroupBox("Report Type / Format", this);
    auto* typeLayout = new QHBoxLayout(type);
    typeLayout->addWidget(m_format, 1);
    typeLayout->addWidget(m_options);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(target);
    layout->addWidget(file);
    layout->addWidget(type);
    layout->addWidget(buttons);

    for (const auto& format : m_formats)
        m_format->addItem(QString::fromUtf8(format->GetName()));
    connect(m_format, &QComboBox::currentIndexChanged, this, [this] { OnFormatChanged(); });
    connect(m_screen, &QRadioButton::toggled, this, [this] { OnTargetChanged(); });
    connect(m_browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(m_options, &QPushButton::clicked, this, [this] { OnOptions(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgReport::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FillControls();
}

int CDlgReport::GetSelectedIndex() const {
    return m_format->currentIndex();
}

CNetlistFormat* CDlgReport::GetSelectedFormat() const {
    const int index = GetSelectedIndex();
    return index < 0 || index >= static_cast<int>(m_formats.size())
               ? nullptr
               : m_formats[static_cast<size_t>(index)].get();
}

int CDlgReport::exec() {
    FillControls();
    return QDialog::exec();
}

void CDlgReport::FillControls() {
    m_name->setText(ToQt(m_fileName));
    (m_target == kScreen ? m_screen : m_file)->setChecked(true);
    OnTargetChanged();
    int stored = 0;
    if (CSchematicApp* app = GetApp())
        stored = static_cast<int>(app->GetProfileInt(kSection, kFormatEntry, 0));
    const QSignalBlocker quiet(m_format);
    m_format->setCurrentIndex(stored >= 0 && stored < m_format->count() ? stored : 0);
    OnFormatChanged();
}

void CDlgReport::OnFormatChanged() {
    const CNetlistFormat* format = GetSelectedFormat();
    if (!format)
        return;
    if (!m_name->isModified())
        m_name->setText(ToQt(ReportFileName(DocPath(), format->GetExtension())));
    m_options->setEnabled(format->HasOptions());
}

void CDlgReport::OnTargetChanged() {
    const bool toFile = !m_screen->isChecked();
    m_name->setEnabled(toFile);
    m_browse->setEnabled(toFile);
}

void CDlgReport::OnBrowse() {
    const CNetlistFormat* format = GetSelectedFormat();
    const CString current = ResolveReportPath(FromQt(m_name->text()), DocPath());
    const std::filesystem::path path(current.c_str());
    SaveRequest request;
    request.file = QString::fromStdString((path.parent_path() / path.stem()).string());
    request.filters = FilterEntries(ReportFileFilter(m_formats));
    request.selectedFilter = GetSelectedIndex();
    request.defaultSuffix = format ? QString::fromUtf8(format->GetExtension()) : QString();
    const QString chosen = m_promptSave(this, request);
    if (chosen.isEmpty())
        return;
    m_name->setText(chosen);
    m_name->setModified(true);
}

void CDlgReport::OnOptions() {
    if (CNetlistFormat* format = GetSelectedFormat())
        format->EditOptions(m_walker);
}

void CDlgReport::accept() {
    m_target = m_screen->isChecked() ? kScreen : kFile;
    m_fileName = FromQt(m_name->text());
    if (CSchematicApp* app = GetApp())
        app->WriteProfileInt(kSection, kFormatEntry, GetSelectedIndex());
    if (m_target == kFile && !CheckFile())
        return;
    QDialog::accept();
}

bool CDlgReport::CheckFile() {
    if (m_fileName.IsEmpty()) {
        AfxMessageBox("Must enter a name for the file", MB_OK | MB_ICONEXCLAMATION);
        RefocusFileName();
        return false;
    }
    m_fileName = ResolveReportPath(m_fileName, DocPath());
    // A folder is no file to replace: the build refuses it and says why.
    const QFileInfo file(ToQt(m_fileName));
    if (!file.exists() || file.isDir())
        return true;
    if (AfxMessageBox("The specified file already exists.\nOverwrite?",
                      MB_YESNO | MB_ICONQUESTION) != IDYES) {
        RefocusFileName();
        return false;
    }
    if (file.isFile() && !IsWriteProtected(m_fileName.str()))
        return true;
    AfxMessageBox("Cannot write to the specified file.", MB_OK | MB_ICONEXCLAMATION);
    RefocusFileName();
    return false;
}

void CDlgReport::RefocusFileName() {
    m_name->setFocus();
    m_name->selectAll();
}

CString CDlgReport::DocPath() const {
    return m_walker ? m_walker->GetPathName() : CString();
}

#include "gui/library/DlgSearchLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/kit/StoredText.h"
#include "library/LibraryFile.h"
#include "library/LibraryFolders.h"
#include "library/LibraryItem.h"
#include "model/app/PathMacros.h"
#include "model/app/SchematicApp.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kStepsPerTick = 100;
// The dialog opens wide enough for the button column at its right limit, with the results'
// item and description columns in view.
constexpr QSize kOpeningSize(600, 420);
constexpr const char* kStandardLibraries = "Standard libraries";
constexpr const char* kUserLibraries = "User libraries";

// Look-in rows: a folder of the system (its path as data), the two library folders, or a
// location searched before.
enum LookInKind { kLookInHistory = 0, kLookInFolder = 1, kLookInUser = 4, kLookInStandard = 8 };

constexpr int kKindRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kIndexRole = Qt::UserRole;
constexpr int kItemKindRole = Qt::UserRole + 1;

QString IconOfKind(int kind) {
    switch (kind) {
        case kItemSymbol:
            return ":/icons/palette-gate.svg";
        case kItemCircuit:
            return ":/icons/document.svg";
        case kItemDevice:
            return ":/icons/tree-device.svg";
        default:
            return ":/icons/tree-pin.svg";
    }
}

// A result row; rows sort by name without regard to case, then as typed.
class ResultRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QString a = text(column);
        const QString b = other.text(column);
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    }
};

QByteArray Bytes(const QString& text) {
    return text.toUtf8();
}

// A chooser that lists folders and files and returns the folder or the file chosen: a folder
// is chosen by selecting it and accepting, and entered by a double click.
class FolderOrFileChooser : public QFileDialog {
public:
    FolderOrFileChooser(QWidget* parent, const QString& start)
        : QFileDialog(parent, "Select Folder or Library", start) {
        setOption(QFileDialog::DontUseNativeDialog);
        setFileMode(QFileDialog::ExistingFile);
    }
    QString Chosen() const { return m_chosen; }

    void accept() override {
        const QStringList selected = selectedFiles();
        if (selected.size() != 1)
            return;
        m_chosen = selected.front();
        if (QFileInfo(m_chosen).isDir())
            QDialog::accept();
        else
            QFileDialog::accept();
    }

private:
    QString m_chosen;
};

}  // namespace

CDlgSearchLib::CDlgSearchLib(QWidget* parent, CSchematicApp& app, UINT options,
                             CLibrarySearchFilter::CallerFilter filter)
    : QDialog(parent), m_app(app), m_options(options), m_callerFilter(std::move(filter)) {
    setWindowTitle("Search Libraries");
    setMinimumSize(300, 250);
    BuildControls();
    resize(kOpeningSize);
    FillLookIn();
    const std::pair<QCheckBox*, UINT> kinds[] = {
        {m_symbols, kSearchSymbols}, {m_devices, kSearchDevices}, {m_circuits, kSearchCircuits}};
    for (const auto& [box, bit] : kinds) {
        box->setChecked(m_options & bit);
        box->setEnabled(m_options & bit);
    }
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CDlgSearchLib::RunBatch);
    SetSearching(false);
}

CDlgSearchLib::~CDlgSearchLib() = default;

void CDlgSearchLib::BuildControls() {
    m_tabs = new QTabWidget;
    auto* searchIn = new QWidget;
    auto* grid = new QGridLayout(searchIn);
    m_searchText = new QLineEdit("*");
    m_searchText->setObjectName("searchText");
    m_subfolders = new QCheckBox("Search S&ub-directories");
    m_subfolders->setChecked(true);
    m_lookIn = new QComboBox;
    m_lookIn->setObjectName("lookIn");
    m_lookIn->setEditable(true);
    m_lookIn->setMinimumContentsLength(QString(kStandardLibraries).size());
    m_lookIn->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_browse = new QPushButton("&Browse..");
    auto* searchLabel = new QLabel("&Search for:");
    searchLabel->setBuddy(m_searchText);
    auto* lookInLabel = new QLabel("&Look In");
    lookInLabel->setBuddy(m_lookIn);
    grid->addWidget(searchLabel, 0, 0);
    grid->addWidget(m_searchText, 0, 1, 1, 2);
    grid->addWidget(m_subfolders, 1, 1, 1, 2);
    grid->addWidget(lookInLabel, 2, 0);
    grid->addWidget(m_lookIn, 2, 1);
    grid->addWidget(m_browse, 2, 2);
    grid->setColumnStretch(1, 1);
    m_tabs->addTab(searchIn, "Search In");

    auto* findWhat = new QWidget;
    auto* kinds = new QVBoxLayout(findWhat);
    m_symbols = new QCheckBox("S&ymbols");
    m_devices = new QCheckBox("&Devices");
    m_circuits = new QCheckBox("&Circuits");
    for (QCheckBox* box : {m_symbols, m_devices, m_circuits})
        kinds->addWidget(box);
    kinds->addStretch();
    m_tabs->addTab(findWhat, "Find What");

    m_findNow = new QPushButton("F&ind Now");
    m_findNow->setDefault(true);
    m_stop = new QPushButton("Sto&p Search");
    m_close = new QPushButton("Close");
    m_busy = new QProgressBar;
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    auto* buttons = new QVBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(m_findNow), static_cast<QWidget*>(m_stop),
                            static_cast<QWidget*>(m_close), static_cast<QWidget*>(m_busy)})
        buttons->addWidget(widget);
    buttons->addStretch();

    m_results = new QTreeWidget;
    m_results->setObjectName("results");
    m_results->setHeaderLabels({"Item", "Description", "Library"});
    m_results->setColumnWidth(0, 120);
    m_results->setColumnWidth(1, 300);
    m_results->setColumnWidth(2, 180);
    // Wide enough for the three columns beside a vertical scroll bar.
    m_results->setMinimumWidth(m_results->header()->length() + 2 * m_results->frameWidth() +
                               m_results->verticalScrollBar()->sizeHint().width());
    m_results->setRootIsDecorated(false);
    m_results->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_results->setSortingEnabled(true);
    m_results->sortByColumn(0, Qt::AscendingOrder);
    m_status = new QLabel;
    m_status->setObjectName("status");

    auto* top = new QHBoxLayout;
    top->addWidget(m_tabs, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel("Search Results"));
    layout->addWidget(m_status);
    layout->addWidget(m_results, 1);

    connect(m_browse, &QPushButton::clicked, this, &CDlgSearchLib::OnBrowse);
    connect(m_findNow, &QPushButton::clicked, this, &CDlgSearchLib::OnFindNow);
    connect(m_stop, &QPushButton::clicked, this, [this] { StopSearch(CountText()); });
    connect(m_close, &QPushButton::clicked, this, &CDlgSearchLib::reject);
    connect(m_results, &QTreeWidget::itemDoubleClicked, this, &CDlgSearchLib::reject);
}

void CDlgSearchLib::FillLookIn() {
    const QIcon folder(":/icons/tree-folder.svg");
    m_lookIn->addItem(folder, kStandardLibraries, kLookInStandard);
    m_lookIn->addItem(folder, kUserLibraries, kLookInUser);
    QStringList places{"/", QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !places.contains(volume.rootPath()))
            places << volume.rootPath();
    }
    for (const QString& place : places) {
        m_lookIn->addItem(folder, place, kLookInFolder);
        m_lookIn->setItemData(m_lookIn->count() - 1, place, kPathRole);
    }
    for (const CString& location : SearchHistory(m_app.Settings()))
        m_lookIn->addItem(folder, FromStoredText(location.str()), kLookInHistory);
    m_lookIn->setCurrentIndex(0);
}

void CDlgSearchLib::OnBrowse() {
    bool remembered = false;
    QString start = FromStoredText(LookInPath(remembered).str());
    if (start.endsWith('/') && start.size() > 1)
        start.chop(1);
    FolderOrFileChooser chooser(this, start);
    if (chooser.exec() != QDialog::Accepted)
        return;
    m_lookIn->setCurrentIndex(-1);
    m_lookIn->setEditText(chooser.Chosen());
}

CString CDlgSearchLib::LookInPath(bool& remembered) const {
    const QString text = m_lookIn->currentText();
    const int row = m_lookIn->currentIndex();
    const bool chosenRow = row >= 0 && m_lookIn->itemText(row) == text;
    const int kind = chosenRow ? m_lookIn->itemData(row, kKindRole).toInt() : kLookInHistory;
    remembered = false;
    if (kind == kLookInFolder)
        return CString(Bytes(m_lookIn->itemData(row, kPathRole).toString()).toStdString());
    if (kind == kLookInStandard || text == kStandardLibraries)
        return ExpandedPath("$(StdLibDir)", m_app.Settings());
    if (kind == kLookInUser || text == kUserLibraries)
        return ExpandedPath("$(UserLibDir)", m_app.Settings());
    remembered = true;
    return CString(Bytes(text).toStdString());
}

void CDlgSearchLib::OnFindNow() {
    if (IsSearching()) {
        StopSearch(CountText());
        return;
    }
    StartSearch();
}

bool CDlgSearchLib::StartSearch() {
    const bool matchCase = m_options & kSearchMatchCase;
    m_filter = std::make_unique<CLibrarySearchFilter>(
        SplitSearchWords(CString(Bytes(m_searchText->text()).toStdString()), matchCase), matchCase,
        m_symbols->isChecked(), m_devices->isChecked(), m_circuits->isChecked(),
        (m_options & kSearchFootprints) != 0, m_callerFilter);
    m_results->clear();
    m_shown = 0;
    m_told = 0;
    bool remembered = false;
    const CString path = LookInPath(remembered);
    m_walk = std::make_unique<CLibrarySearchWalk>(*m_filter, m_subfolders->isChecked());
    std::error_code error;
    if (path.IsEmpty() || !m_walk->Start(path.str(), error)) {
        CString text;
        text.Format("Path invalid - %s\n%s", path.c_str(),
                    error ? error.message().c_str() : "No such file or directory");
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        m_walk.reset();
        return false;
    }
    m_options = (m_options & ~kSearchFolderMode) | (m_walk->IsFolderMode() ? kSearchFolderMode : 0);
    if (remembered)
        AddToSearchHistory(m_app.Settings(), path);
    SetSearching(true);
    m_timer.start();
    return true;
}

void CDlgSearchLib::RunBatch() {
    if (!m_walk)
        return;
    for (int i = 0; i < kStepsPerTick; ++i) {
        const CLibrarySearchWalk::Step step = m_walk->DoStep();
        if (step == CLibrarySearchWalk::kDone) {
            ShowNewResults();
            StopSearch(CountText());
            TellDamagedLibraries();
            return;
        }
        if (step == CLibrarySearchWalk::kLibraryRead)
            break;
    }
    ShowNewResults();
    TellDamagedLibraries();
    if (m_results->topLevelItemCount() > kMaxSearchRows) {
        StopSearch("Items exceed 20000, search stopped");
        return;
    }
    m_status->setText(FromStoredText((m_walk->CurrentFolder() + m_walk->CurrentEntry()).str()));
}

void CDlgSearchLib::TellDamagedLibraries() {
    const std::vector<DamagedLibrary>& damaged = m_walk->Damaged();
    if (m_told >= damaged.size())
        return;
    // No step of the search runs while the user reads.
    const bool searching = m_timer.isActive();
    m_timer.stop();
    for (; m_told < damaged.size(); ++m_told)
        AfxMessageBox(DamagedLibraryText(damaged[m_told].library, damaged[m_told].readable),
                      MB_ICONEXCLAMATION);
    if (searching)
        m_timer.start();
}

void CDlgSearchLib::ShowNewResults() {
    const std::vector<SearchResult>& results = m_walk->Results();
    QList<QTreeWidgetItem*> rows;
    for (; m_shown < results.size(); ++m_shown) {
        const SearchResult& result = results[m_shown];
        auto* row = new ResultRow(QStringList{FromStoredText(result.name.str()),
                                              FromStoredText(result.description.str()),
                                              FromStoredText(result.library.str())});
        row->setIcon(0, QIcon(IconOfKind(result.kind)));
        row->setData(0, kIndexRole, result.index);
        row->setData(0, kItemKindRole, result.kind);
        row->setData(1, Qt::UserRole, QByteArray::fromStdString(result.name.str()));
        row->setData(2, Qt::UserRole, QByteArray::fromStdString(result.library.str()));
        rows << row;
    }
    m_results->addTopLevelItems(rows);
}

CString CDlgSearchLib::CountText() const {
    const auto found = [this](int kind) { return m_walk ? m_walk->Found(kind) : 0; };
    return SearchCountText(found(kItemSymbol), found(kItemDevice), found(kItemCircuit),
                           m_results->topLevelItemCount());
}

void CDlgSearchLib::StopSearch(const CString& status) {
    const bool wasSearching = IsSearching();
    m_timer.stop();
    if (wasSearching)
        m_status->setText(FromStoredText(status.str()));
    SetSearching(false);
}

void CDlgSearchLib::SetSearching(bool searching) {
    for (QWidget* input : {static_cast<QWidget*>(m_tabs), static_cast<QWidget*>(m_browse)})
        input->setEnabled(!searching);
    m_findNow->setEnabled(!searching);
    m_stop->setEnabled(searching);
    m_busy->setVisible(searching);
}

bool CDlgSearchLib::Choose() {
    QList<QTreeWidgetItem*> selected;
    for (int i = 0; i < m_results->topLevelItemCount(); ++i) {
        if (m_results->topLevelItem(i)->isSelected())
            selected << m_results->topLevelItem(i);
    }
    if ((m_options & kSearchSingleChoice) && selected.size() > 1) {
        AfxMessageBox("Please select no more than one item.", MB_ICONEXCLAMATION);
        return false;
    }
    m_choices.clear();
    for (QTreeWidgetItem* row : selected) {
        if (static_cast<int>(m_choices.size()) >= kMaxSearchChoices)
            break;
        m_choices.push_back(
            SearchChoice{CString(row->data(2, Qt::UserRole).toByteArray().toStdString()),
                         CString(row->data(1, Qt::UserRole).toByteArray().toStdString()),
                         row->data(0, kIndexRole).toInt(), row->data(0, kItemKindRole).toInt()});
    }
    StopSearch(CountText());
    return true;
}

void CDlgSearchLib::reject() {
    if (Choose())
        QDialog::reject();
}

#include "gui/library/DlgReplaceSymbol.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "gui/kit/StoredText.h"
#include "gui/library/PreviewWnd.h"
#include "library/LibraryBarServices.h"
#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "library/LibraryItemData.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "platform/DiskFile.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kPreviewSize = 160;

struct SymbolRecord {
    CString name;
    int index;
};

// The symbol records of the library, in PinNameBefore order; with tell, a damaged library is
// told.
std::vector<SymbolRecord> SymbolRecords(const CString& path, bool tell) {
    std::vector<SymbolRecord> records;
    CLibraryFile library;
    if (!library.Open(path))
        return records;
    const auto visit = [&records](int index, const CLibraryItem& item) {
        if (item.m_type == kItemSymbol)
            records.push_back({item.m_name, index});
    };
    tell ? library.VisitItemHeadersOrReport(visit) : library.VisitItemHeaders(visit);
    std::stable_sort(records.begin(), records.end(),
                     [](const auto& a, const auto& b) { return PinNameBefore(a.name, b.name); });
    return records;
}

CSymbol* FirstSymbol(const CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = dynamic_cast<CDrawObj*>(objects.GetNext(pos));
        if (object && object->GetObjType() == kObjSymbol)
            return static_cast<CSymbol*>(object);
    }
    return nullptr;
}

CString Stored(const QString& text) {
    return CString(text.toUtf8().toStdString());
}

}  // namespace

CDlgReplaceSymbol::CDlgReplaceSymbol(QWidget* parent, const CString& path, int selected)
    : QDialog(parent), m_path(path) {
    setWindowTitle("Replace Symbol");
    m_source = new QComboBox;
    m_source->setObjectName("source");
    m_replacement = new QComboBox;
    m_replacement->setObjectName("replacement");
    // Single drawings: no Place button, no description tab.
    m_sourcePreview = new CPreviewWnd(kPreviewNoPlace | kPreviewNoTabs);
    m_replacementPreview = new CPreviewWnd(kPreviewNoPlace | kPreviewNoTabs);
    for (CPreviewWnd* preview : {m_sourcePreview, m_replacementPreview})
        preview->setMinimumSize(kPreviewSize, kPreviewSize);
    m_sourceList = new QListWidget;
    m_sourceList->setObjectName("sourcePins");
    m_replacementList = new QListWidget;
    m_replacementList->setObjectName("replacementPins");
    auto* replace = new QPushButton("Replace");
    auto* reorder = new QPushButton("Re-order List");
    auto* close = new QPushButton("Close");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Replace Symbol..."), 0, 0);
    grid->addWidget(new QLabel("With Symbol..."), 0, 1);
    grid->addWidget(m_source, 1, 0);
    grid->addWidget(m_replacement, 1, 1);
    grid->addWidget(m_sourcePreview, 2, 0);
    grid->addWidget(m_replacementPreview, 2, 1);
    grid->addWidget(new QLabel("Source symbol pins"), 3, 0);
    grid->addWidget(new QLabel("Replacement pins"), 3, 1);
    grid->addWidget(m_sourceList, 4, 0);
    grid->addWidget(m_replacementList, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(replace);
    buttons->addWidget(reorder);
    buttons->addStretch();
    buttons->addWidget(close);
    grid->addLayout(buttons, 5, 0, 1, 2);

    connect(m_source, &QComboBox::currentIndexChanged, this, &CDlgReplaceSymbol::OnSourceChanged);
    connect(m_replacement, &QComboBox::currentIndexChanged, this,
            &CDlgReplaceSymbol::OnReplacementChanged);
    connect(m_sourceList, &QListWidget::currentRowChanged, this, &CDlgReplaceSymbol::OnSourcePin);
    connect(m_replacementList, &QListWidget::itemClicked, this,
            &CDlgReplaceSymbol::OnReplacementPin);
    connect(reorder, &QPushButton::clicked, this, &CDlgReplaceSymbol::OnReorder);
    connect(replace, &QPushButton::clicked, this, &CDlgReplaceSymbol::OnReplace);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    FillSources(selected);
}

CDlgReplaceSymbol::~CDlgReplaceSymbol() = default;

void CDlgReplaceSymbol::FillSources(int selected) {
    m_filling = true;
    for (const SymbolRecord& record : SymbolRecords(m_path, true)) {
        m_source->addItem(FromStoredText(record.name.str()), record.index);
        if (record.index == selected)
            m_source->setCurrentIndex(m_source->count() - 1);
    }
    m_filling = false;
    OnSourceChanged();
}

bool CDlgReplaceSymbol::ReadPins(int index, CPreviewWnd* preview, std::vector<CString>& pins) {
    CLibraryFile library;
    CLibraryItemData item;
    if (!library.Open(m_path) || !library.ReadItemOrReport(nullptr, index, item))
        return false;
    CSymbol* symbol = FirstSymbol(item.m_objects);
    if (!symbol) {
        AfxMessageBox("Symbol not found in library item", MB_ICONEXCLAMATION);
        return false;
    }
    symbol->SetFlags(kSymbolShowHiddenPins | kSymbolPinNamesAll,
                     kSymbolShowHiddenPins | kSymbolPinNamesAll | kSymbolPinNamesAsPin);
    CObList& symbolPins = symbol->GetPins();
    for (POSITION pos = symbolPins.GetHeadPosition(); pos;)
        pins.push_back(static_cast<CPin*>(symbolPins.GetNext(pos))->GetAttr("_ID"));
    if (preview)
        preview->ShowItem(item);
    return true;
}

void CDlgReplaceSymbol::OnSourceChanged() {
    if (m_filling || m_source->currentIndex() < 0)
        return;
    m_sourcePins.clear();
    m_sourceList->clear();
    if (!ReadPins(m_source->currentData(kIndexRole).toInt(), m_sourcePreview, m_sourcePins))
        return;
    // The replacements: the symbols with as many pins.
    m_filling = true;
    m_replacement->clear();
    for (const SymbolRecord& record : SymbolRecords(m_path, false)) {
        std::vector<CString> pins;
        if (ReadPins(record.index, nullptr, pins) && pins.size() == m_sourcePins.size())
            m_replacement->addItem(FromStoredText(record.name.str()), record.index);
    }
    m_filling = false;
    m_replacement->setCurrentIndex(0);
    OnReplacementChanged();
}

void CDlgReplaceSymbol::OnReplacementChanged() {
    if (m_filling || m_replacement->currentIndex() < 0)
        return;
    std::vector<CString> pins;
    if (!ReadPins(m_replacement->currentData(kIndexRole).toInt(), m_replacementPreview, pins))
        return;
    m_pairing = std::make_unique<CPinPairing>(m_sourcePins, pins);
    m_sourceList->clear();
    for (const CString& pin : m_pairing->OldPins())
        m_sourceList->addItem(FromStoredText(pin.str()));
    ShowPairing();
    m_sourceList->setCurrentRow(0);
}

void CDlgReplaceSymbol::ShowPairing() {
    m_replacementList->clear();
    for (const CString& pin : m_pairing->NewRows())
        m_replacementList->addItem(FromStoredText(pin.str()));
    OnSourcePin();
}

void CDlgReplaceSymbol::OnSourcePin() {
    const int row = m_sourceList->currentRow();
    if (m_pairing && row >= 0)
        m_replacementList->setCurrentRow(m_pairing->PairOf(row));
}

void CDlgReplaceSymbol::OnReplacementPin() {
    const int row = m_sourceList->currentRow();
    if (m_pairing && row >= 0)
        m_pairing->Pair(row, m_replacementList->currentRow());
}

void CDlgReplaceSymbol::OnReorder() {
    if (!m_pairing)
        return;
    m_pairing->Reorder();
    ShowPairing();
}

void CDlgReplaceSymbol::OnReplace() {
    if (m_source->currentIndex() < 0 || !m_pairing) {
        AfxMessageBox("Please select symbol to replace", MB_ICONEXCLAMATION);
        return;
    }
    const CString oldSymbol = Stored(m_source->currentText());
    const CString newSymbol = Stored(m_replacement->currentText());
    if (oldSymbol == newSymbol) {
        AfxMessageBox("Source and destination symbols are the same.", MB_ICONEXCLAMATION);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CLibraryFile library;
    if (!library.Open(m_path, CDiskFile::modeReadWrite)) {
        QApplication::restoreOverrideCursor();
        CString text;
        text.Format("Error - could not open the library %s for writing.", m_path.c_str());
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return;
    }
    const ReplaceSymbolCount count = ReplaceSymbolInDevices(
        library, oldSymbol, newSymbol, m_pairing->OldPins(), m_pairing->NewNames());
    library.Close();
    QApplication::restoreOverrideCursor();
    GetLibraryBarServices().RefreshLibraryList();
    CString text;
    text.Format("%d devices were found and %d modified", count.found, count.modified);
    AfxMessageBox(text, MB_ICONINFORMATION);
}

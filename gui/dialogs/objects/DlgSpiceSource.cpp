#include "gui/dialogs/objects/DlgSpiceSource.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/kit/StoredText.h"

namespace {

constexpr int kKindCount = 6;  // DC to SFFM, the page's kinds
constexpr int kColumnWidth = 120;
constexpr int kColumnSlack = 6;  // room beside a header's text
constexpr int kDialogWidth = 720;
constexpr int kScreenShare = 90;  // per cent of the screen's width a long row may take

CSpiceSymbol::Set SetOf(int kind) {
    return static_cast<CSpiceSymbol::Set>(kind);
}

}  // namespace

CDlgSpiceSource::CDlgSpiceSource(CSpiceSymbol& source, QWidget* parent)
    : QDialog(parent), m_kind(new QComboBox), m_table(new QTableWidget(1, 0)) {
    setWindowTitle("Source Parameters");
    m_work.SetSourceState(source.GetSourceState());
    m_kind->addItems({"DC", "PULSE", "SIN", "EXP", "PWL", "SFFM"});
    m_table->verticalHeader()->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* form = new QFormLayout;
    form->addRow("Source", m_kind);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(kDialogWidth, 180);
    const DWORD kind = source.GetSourceKind();
    m_shownKind = kind < kKindCount ? static_cast<int>(kind) : 0;
    m_kind->setCurrentIndex(m_shownKind);
    ShowRow(m_shownKind);
    FitToRow(m_shownKind);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &CDlgSpiceSource::OnKindChosen);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgSpiceSource::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CDlgSpiceSource::OnKindChosen(int kind) {
    if (StoreRow(m_shownKind) >= 0) {
        const QSignalBlocker blocker(m_kind);
        m_kind->setCurrentIndex(m_shownKind);
        return;
    }
    m_shownKind = kind;
    ShowRow(kind);
    FitToRow(kind);
}

int CDlgSpiceSource::StoreRow(int kind) {
    m_table->setCurrentItem(nullptr);  // ends an edit in progress
    std::vector<CString> values;
    for (int column = 0; column < m_table->columnCount(); ++column) {
        const QTableWidgetItem* item = m_table->item(0, column);
        values.emplace_back(item ? item->text().toUtf8().toStdString() : std::string());
    }
    std::size_t used = values.size();
    while (used > 0 && values[used - 1].IsEmpty())
        --used;
    if (kind == CSpiceSymbol::kPwl)
        values.resize(used + used % 2);
    else if (used == 0 && kind != CSpiceSymbol::kDc && kind != CSpiceSymbol::kPulse)
        return -1;  // nothing entered for this kind
    const int fault = m_work.StoreSet(SetOf(kind), values);
    if (fault >= 0 && fault < m_table->columnCount()) {
        m_table->setCurrentCell(0, fault);
        m_table->setFocus();
    }
    return fault;
}

void CDlgSpiceSource::ShowRow(int kind) {
    const std::vector<const char*> labels = CSpiceSymbol::GetLabels(SetOf(kind));
    const std::vector<CString>& values = m_work.GetSet(SetOf(kind));
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(labels.size()));
    for (int column = 0; column < m_table->columnCount(); ++column) {
        const auto at = static_cast<std::size_t>(column);
        m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(labels[at]));
        m_table->setColumnWidth(column, ColumnWidth(labels[at]));
        m_table->setItem(0, column,
                         new QTableWidgetItem(at < values.size() ? FromStoredText(values[at].str())
                                                                 : QString()));
    }
}

int CDlgSpiceSource::ColumnWidth(const char* label) const {
    const QHeaderView& header = *m_table->horizontalHeader();
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const int text = header.fontMetrics().horizontalAdvance(QString::fromUtf8(label));
    return std::max(kColumnWidth, text + 2 * margin + kColumnSlack);
}

void CDlgSpiceSource::FitToRow(int kind) {
    const QMargins margins = layout()->contentsMargins();
    const int wanted =
        RowWidth(kind) + 2 * m_table->frameWidth() + margins.left() + margins.right();
    const int room = screen()->availableGeometry().width() * kScreenShare / 100;
    resize(std::min(std::max(kDialogWidth, wanted), room), height());
}

int CDlgSpiceSource::RowWidth(int kind) const {
    int width = 0;
    for (const char* label : CSpiceSymbol::GetLabels(SetOf(kind)))
        width += ColumnWidth(label);
    return width;
}

void CDlgSpiceSource::accept() {
    if (StoreRow(m_shownKind) >= 0)
        return;
    m_state = m_work.GetSourceState();
    m_state.kind = static_cast<DWORD>(m_shownKind);
    QDialog::accept();
}

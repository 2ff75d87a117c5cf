#include "gui/dialogs/objects/DlgOtherAttr.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/kit/EditListCtrl.h"
#include "gui/kit/StoredText.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kFlagsRole = kListOwnerRole;
constexpr int kShownCheckRole = kListOwnerRole + 1;
const QColor kReservedColour(64, 64, 255);

Qt::CheckState CheckOf(TriState state) {
    return state == TriState::kMixed ? Qt::PartiallyChecked
           : state == TriState::kOn  ? Qt::Checked
                                     : Qt::Unchecked;
}

TriState StateOf(Qt::CheckState check) {
    return check == Qt::PartiallyChecked ? TriState::kMixed
           : check == Qt::Checked        ? TriState::kOn
                                         : TriState::kOff;
}

// A row of names and values: a reserved name is locked and stays, any other row can be
// deleted; a locked value cannot be edited.
DWORD ListRowFlags(DWORD recordFlags) {
    DWORD flags =
        kRowKindLockable | ((recordFlags & kAttrReserved) ? kRowFirstLocked : kRowDeletable);
    if (recordFlags & kAttrValueLocked)
        flags |= kRowOthersLocked;
    return flags;
}

// The visibility check's cycle: unchecked, checked, then mixed when the row has three states.
Qt::CheckState NextCheck(Qt::CheckState check, bool threeStates) {
    if (check == Qt::Unchecked)
        return Qt::Checked;
    return check == Qt::Checked && threeStates ? Qt::PartiallyChecked : Qt::Unchecked;
}

}  // namespace

CDlgOtherAttr::CDlgOtherAttr(const QString& title, const CAttrMerge& merge, int mode,
                             QWidget* parent)
    : CPropertyPage(title, "Attr", parent),
      m_merge(merge),
      m_mode(mode),
      m_table(new CEditListCtrl(0, this)),
      m_showAll(new QCheckBox("Show all Properties", this)),
      m_valueOnly(new QRadioButton("Apply value only", this)),
      m_toAll(new QRadioButton("Apply to all", this)) {
    m_table->setColumnCount(2);
    m_table->setHorizontalHeaderLabels({"    Attribute Name", "Value"});
    // The values take the width the names leave.
    QHeaderView* header = m_table->horizontalHeader();
    header->setStretchLastSection(true);
    m_table->setColumnWidth(0, std::max(100, header->sectionSizeHint(0)));
    m_valueOnly->setChecked(true);
    auto* add = new QPushButton("&Add...", this);
    auto* edit = new QPushButton("&Edit...", this);
    auto* remove = new QPushButton("&Delete", this);
    connect(add, &QPushButton::clicked, this, &CDlgOtherAttr::AddRow);
    connect(edit, &QPushButton::clicked, this, &CDlgOtherAttr::EditRow);
    connect(remove, &QPushButton::clicked, this, &CDlgOtherAttr::DeleteRows);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &CDlgOtherAttr::EditRow);
    connect(m_table, &QTableWidget::cellChanged, this, &CDlgOtherAttr::OnItemChanged);
    connect(m_showAll, &QCheckBox::clicked, this, &CDlgOtherAttr::ToggleShowAll);

    auto* buttons = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{add, edit, remove})
        buttons->addWidget(widget);
    buttons->addStretch();
    auto* options = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_showAll, m_valueOnly, m_toAll})
        options->addWidget(widget);
    options->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    layout->addLayout(options);
}

int CDlgOtherAttr::ApplyMode() const {
    return m_toAll->isChecked() ? 1 : 0;
}

void CDlgOtherAttr::OnLoad() {
    const bool single = m_merge.ObjectCount() == 1;
    m_showAll->setChecked(single);
    m_showAll->setEnabled(!single);
    Fill();
}

void CDlgOtherAttr::Fill() {
    m_filling = true;
    m_table->setRowCount(0);
    for (const AttrListRow& row : m_merge.ShownRows(m_showAll->isChecked()))
        AppendRow(row, ListRowFlags(row.flags));
    AppendEmptyRow();
    m_valueOnly->setEnabled(m_showAll->isChecked());
    m_toAll->setEnabled(m_showAll->isChecked());
    m_filling = false;
}

void CDlgOtherAttr::AppendRow(const AttrListRow& row, DWORD listFlags) {
    const bool filling = m_filling;
    m_filling = true;
    const int index = m_table->rowCount();
    m_table->AppendRow(listFlags, 2);
    m_table->SetRowCells(index, {row.name, row.value});
    QTableWidgetItem* name = m_table->item(index, 0);
    name->setData(kFlagsRole, uint(row.flags));
    if (row.flags & kAttrReserved)
        name->setForeground(kReservedColour);
    if (m_mode == 0) {
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        if (row.visible == TriState::kMixed)
            name->setFlags(name->flags() | Qt::ItemIsUserTristate);
        name->setCheckState(CheckOf(row.visible));
        name->setData(kShownCheckRole, int(name->checkState()));
    }
    if (row.flags & kAttrValueLocked)
        m_table->item(index, 1)->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    m_filling = filling;
}

// The empty row stays at the end; it can be deleted once it holds an attribute.
void CDlgOtherAttr::AppendEmptyRow() {
    AppendRow({}, kRowKindLockable);
}

std::vector<AttrListRow> CDlgOtherAttr::Rows() const {
    std::vector<AttrListRow> rows;
    for (int i = 0; i < m_table->rowCount(); ++i) {
        const QTableWidgetItem* name = m_table->item(i, 0);
        AttrListRow row{m_table->CellBytes(i, 0), m_table->CellBytes(i, 1), TriState::kOff,
                        DWORD(name->data(kFlagsRole).toUInt())};
        if (m_mode == 0)
            row.visible = StateOf(name->checkState());
        rows.push_back(row);
    }
    return rows;
}

// A value edited is the user's, no longer mixed; text typed into the empty last row makes it
// an attribute and a new empty row follows.
void CDlgOtherAttr::OnItemChanged(int row, int column) {
    if (m_filling)
        return;
    QTableWidgetItem* name = m_table->item(row, 0);
    if (column == 0 && m_mode == 0 && name)
        FollowCheckCycle(name);
    if (column == 1 && name)
        name->setData(kFlagsRole, name->data(kFlagsRole).toUInt() & ~kAttrValueMixed);
    const bool last = row == m_table->rowCount() - 1;
    const QTableWidgetItem* item = m_table->item(row, column);
    if (last && item && !item->text().isEmpty()) {
        m_filling = true;
        m_table->SetRowFlags(row, ListRowFlags(0));
        AppendEmptyRow();
        m_filling = false;
    }
}

// A toggled check takes the next state of the list's cycle, whatever state the toggle gave.
void CDlgOtherAttr::FollowCheckCycle(QTableWidgetItem* name) {
    const auto shown = Qt::CheckState(name->data(kShownCheckRole).toInt());
    if (name->checkState() == shown)
        return;
    const Qt::CheckState next = NextCheck(shown, name->flags() & Qt::ItemIsUserTristate);
    const bool filling = m_filling;
    m_filling = true;
    name->setCheckState(next);
    name->setData(kShownCheckRole, int(next));
    m_filling = filling;
}

void CDlgOtherAttr::AddRow() {
    m_table->clearSelection();
    m_table->setCurrentCell(m_table->rowCount() - 1, 0);
    EditRow();
}

void CDlgOtherAttr::EditRow() {
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    QTableWidgetItem* name = m_table->item(row, 0);
    QTableWidgetItem* value = m_table->item(row, 1);
    const bool nameLocked = !m_table->IsEditable(row, 0);
    CDlgModifyAttr dialog(m_table->CellBytes(row, 0), m_table->CellBytes(row, 1), nameLocked,
                          m_names, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int rows = m_table->rowCount();
    if (!nameLocked)
        name->setText(FromStoredText(dialog.Name().str()));
    if (m_table->IsEditable(row, 1))
        value->setText(FromStoredText(dialog.Value().str()));
    // The empty last row, once filled, hands the selection on to the new empty row after it;
    // any other row keeps it.
    if (m_table->rowCount() > rows)
        m_table->SelectOnly(m_table->rowCount() - 1);
}

void CDlgOtherAttr::DeleteRows() {
    m_table->DeleteRows();
}

void CDlgOtherAttr::ToggleShowAll() {
    // The rows listed so far go back to the records before the list changes.
    if (!TakeRows(!m_showAll->isChecked())) {
        m_showAll->setChecked(!m_showAll->isChecked());
        return;
    }
    Fill();
}

bool CDlgOtherAttr::OnKillActive() {
    return TakeRows(m_showAll->isChecked());
}

bool CDlgOtherAttr::TakeRows(bool listedAll) {
    const std::vector<AttrListRow> rows = Rows();
    if (const std::optional<AttrRowError> error = CAttrMerge::Validate(rows, m_check)) {
        m_table->clearSelection();
        m_table->setCurrentCell(error->row, 0);
        if (error->message.IsEmpty())  // the check has told the user itself
            return false;
        AfxMessageBox(error->message, MB_OK | MB_ICONEXCLAMATION);
        // The row at fault is put into editing on its name, or on its value when the name is
        // locked.
        if (!m_table->EditCell(error->row, 0))
            m_table->EditCell(error->row, 1);
        return false;
    }
    m_merge.ReadBack(rows, listedAll);
    return true;
}

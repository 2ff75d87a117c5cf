#include "gui/library/ShellListCtrl.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFileIconProvider>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeDatabase>
#include <QToolTip>
#include <QUrl>
#include <filesystem>
#include <set>

#include "gui/library/ShellMarks.h"
#include "gui/library/ShellMenu.h"
#include "library/LibraryFile.h"
#include "library/ShellFileOps.h"
#include "library/ShellItem.h"
#include "model/app/SchematicApp.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kMaxLibraryTip = 79;
constexpr int kMaxTip = 259;

QIcon RowIcon(UINT kind) {
    if (kind == kShellLibrary || IsLibraryItemKind(kind))
        return LibraryKindMark(kind);
    QFileIconProvider icons;
    return icons.icon(kind == kShellFolder ? QFileIconProvider::Folder : QFileIconProvider::File);
}

std::string RecordDescription(const ShellRow& row) {
    CLibraryFile library;
    CLibraryItem item;
    if (!library.Open(row.path.c_str()) || !library.SeekToItem(row.index, item))
        return {};
    return item.m_description.str();
}

}  // namespace

CShellListCtrl::CShellListCtrl(QWidget* parent) : QListWidget(parent) {
    setObjectName("shellList");
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setUniformItemSizes(true);
    if (CSchematicApp* app = GetApp())
        m_settings.mask = app->GetProfileInt("Settings", "ListFiles", -1);
    connect(this, &QListWidget::itemChanged, this, &CShellListCtrl::OnItemChanged);
    connect(this, &QListWidget::itemDoubleClicked, this, &CShellListCtrl::OnDoubleClicked);
}

void CShellListCtrl::Empty() {
    {
        const QSignalBlocker blocker(this);
        clear();
    }
    m_rows.clear();
    m_path.clear();
    m_kind = 0;
    emit itemSelectionChanged();
}

bool CShellListCtrl::Fill(const std::string& path, UINT kind) {
    std::vector<ShellRow> rows;
    if (ShellKindOf(kind) == kShellLibrary) {
        std::optional<LibraryRows> records = ListLibraryRows(path, m_settings);
        if (!records)
            return false;
        TellDamage(path, records->damagedAfter);
        rows = std::move(records->rows);
    } else {
        m_toldDamage.reset();
        rows = ListFolderRows(path, m_settings);
    }
    const bool sameSource = path == m_path && ShellKindOf(kind) == m_kind;
    m_path = path;
    m_kind = ShellKindOf(kind);
    if (sameSource && rows == m_rows)
        return false;
    ShowRows(std::move(rows));
    return true;
}

void CShellListCtrl::TellDamage(const std::string& path, std::optional<int> damagedAfter) {
    std::optional<std::pair<std::string, int>> damage;
    if (damagedAfter)
        damage.emplace(path, *damagedAfter);
    if (damage == m_toldDamage)
        return;
    // Remembered first: the list may be filled again while the user reads.
    m_toldDamage = damage;
    if (damage)
        AfxMessageBox(DamagedLibraryText(path.c_str(), *damagedAfter), MB_ICONEXCLAMATION);
}

void CShellListCtrl::Refill(const std::string& path, UINT kind) {
    Empty();
    Fill(path, kind);
}

void CShellListCtrl::ShowRows(std::vector<ShellRow> rows) {
    std::set<std::pair<std::string, UINT>> selected;
    for (int row : SelectedRows())
        selected.insert(
            {m_rows[static_cast<size_t>(row)].name, m_rows[static_cast<size_t>(row)].kind});
    {
        const QSignalBlocker blocker(this);
        clear();
        m_rows = std::move(rows);
        for (const ShellRow& row : m_rows) {
            auto* item =
                new QListWidgetItem(RowIcon(row.kind), QString::fromStdString(row.name), this);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
            if (const QColor colour = LibraryKindColour(row.kind); colour.isValid())
                item->setForeground(colour);
            item->setSelected(selected.count({row.name, row.kind}) != 0);
        }
    }
    // Once, for the rows as they are now: a record kept selected may show something new.
    emit itemSelectionChanged();
}

std::vector<int> CShellListCtrl::SelectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            rows.push_back(i);
    }
    return rows;
}

bool CShellListCtrl::SelectLabel(const std::string& name) {
    bool found = false;
    for (int i = 0; i < count(); ++i) {
        const bool match = !found && m_rows[static_cast<size_t>(i)].name == name;
        item(i)->setSelected(match);
        if (match)
            setCurrentRow(i, QItemSelectionModel::NoUpdate);
        found = found || match;
    }
    return found;
}

bool CShellListCtrl::EditSelectedLabel() {
    const std::vector<int> rows = SelectedRows();
    if (rows.size() != 1)
        return false;
    editItem(item(rows.front()));
    return true;
}

bool CShellListCtrl::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // A label is edited only when its row is the one selected.
    if (trigger != NoEditTriggers && SelectedRows() != std::vector<int>{index.row()})
        return false;
    return QListWidget::edit(index, trigger, event);
}

void CShellListCtrl::OnItemChanged(QListWidgetItem* changedItem) {
    if (m_updating)
        return;
    const int index = row(changedItem);
    if (index < 0 || static_cast<size_t>(index) >= m_rows.size())
        return;
    const ShellRow shellRow = m_rows[static_cast<size_t>(index)];
    const std::string text = changedItem->text().toStdString();
    m_updating = true;
    changedItem->setText(QString::fromStdString(shellRow.name));
    m_updating = false;
    if (text.empty() || text == shellRow.name)
        return;
    bool done = false;
    if (IsLibraryItemKind(shellRow.kind))
        done = RenameLibraryItem(shellRow.path, shellRow.index, text);
    else
        done = RenameShellItem(shellRow.path, text, shellRow.name) == RenameResult::kDone;
    if (!done)
        return;
    Fill(m_path, m_kind);
    SelectLabel(text);
    emit changed(10);
}

void CShellListCtrl::OnDoubleClicked(QListWidgetItem* clicked) {
    const int index = row(clicked);
    if (index < 0)
        return;
    const UINT kind = RowAt(index).kind;
    // Folders, libraries and records are the host's; other files open in their program.
    if (kind == kShellFolder || kind == kShellLibrary || IsLibraryItemKind(kind))
        emit rowActivated(index);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(RowAt(index).path)));
}

void CShellListCtrl::DeleteSelected() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    if (IsLibraryItemKind(RowAt(rows.front()).kind)) {
        std::vector<int> indices;
        for (int r : rows)
            indices.push_back(RowAt(r).index);
        if (DeleteLibraryItems(RowAt(rows.front()).path, indices)) {
            Fill(m_path, m_kind);
            emit changed(11);
        }
        return;
    }
    QStringList paths;
    for (int r : rows)
        paths << QString::fromStdString(RowAt(r).path);
    DeleteShellItems(paths);
    Fill(m_path, m_kind);
    emit changed(10);
}

void CShellListCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        DeleteSelected();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CShellListCtrl::contextMenuEvent(QContextMenuEvent* event) {
    QListWidgetItem* hit = itemAt(event->pos());
    const std::vector<int> rows = SelectedRows();
    if (!hit || rows.empty() || IsLibraryItemKind(RowAt(rows.front()).kind)) {
        emit menuRequested(event->globalPos(), hit != nullptr);
        return;
    }
    QStringList paths;
    for (int r : rows)
        paths << QString::fromStdString(RowAt(r).path);
    const UINT code =
        ShowShellContextMenu(this, paths, RowAt(rows.back()).kind, event->globalPos());
    Fill(m_path, m_kind);
    emit changed(code ? static_cast<int>(code) : 10);
}

QString CShellListCtrl::TipText(int index) const {
    const ShellRow& shellRow = RowAt(index);
    if (shellRow.kind == kShellLibrary) {
        CLibraryFile library;
        if (!library.Open(shellRow.path.c_str()))
            return {};
        return QString::fromStdString(library.GetDescription().str().substr(0, kMaxLibraryTip));
    }
    if (IsLibraryItemKind(shellRow.kind)) {
        const std::string description = RecordDescription(shellRow);
        return QString::fromStdString(description.empty() ? "No Desciption Available"
                                                          : description.substr(0, kMaxTip));
    }
    return QMimeDatabase().mimeTypeForFile(QString::fromStdString(shellRow.path)).comment();
}

bool CShellListCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = row(itemAt(help->pos()));
        const QString tip = index >= 0 ? TipText(index) : QString();
        QToolTip::showText(help->globalPos(), tip.isEmpty() ? "Browse Folder Contents." : tip,
                           viewport());
        return true;
    }
    return QListWidget::viewportEvent(event);
}

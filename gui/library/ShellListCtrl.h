#pragma once
// The list of the library browser: the files and folders of the folder selected in the tree,
// or the records of a selected library, filtered and in the browser's order. Library rows are
// coloured and marked by kind; tooltips tell a library's or a record's description; labels
// can be edited to rename; the Delete key deletes; the context menu offers the own commands.

#include <QListWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "library/ShellRows.h"

class CShellListCtrl : public QListWidget {
    Q_OBJECT
public:
    // The kinds shown come from "Settings"/"ListFiles" (all when it is missing).
    explicit CShellListCtrl(QWidget* parent = nullptr);

    ListSettings& Settings() { return m_settings; }

    // Lists the folder, or the records of the library, at path; kind is the node's. Keeps the
    // selection of rows that stay. True when rows changed.
    bool Fill(const std::string& path, UINT kind);
    // Empties the list, then fills it.
    void Refill(const std::string& path, UINT kind);
    void Empty();
    const std::string& ShownPath() const { return m_path; }
    UINT ShownKind() const { return m_kind; }

    const ShellRow& RowAt(int row) const { return m_rows.at(static_cast<size_t>(row)); }
    std::vector<int> SelectedRows() const;
    // Selects the row labelled name alone.
    bool SelectLabel(const std::string& name);
    // Starts a label edit on the first selected row.
    bool EditSelectedLabel();
    // Deletes the selected rows: records from their library after one question, files and
    // folders to the trash.
    void DeleteSelected();
    // The tooltip of a row: a library's description (79 characters at most), a record's
    // description or "No Desciption Available", else the file's type.
    QString TipText(int row) const;

signals:
    // 10 after files changed, 11 after records were deleted; 1 to 4 own menu commands.
    void changed(int code);
    // A folder, library or record was double-clicked.
    void rowActivated(int row);
    // A right click on records or on no row: the host shows its menu.
    void menuRequested(QPoint global, bool onRow);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // Starts an edit of a label (F2, a second click on the selected row, or EditSelectedLabel)
    // only when that row alone is selected.
    using QListWidget::edit;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void ShowRows(std::vector<ShellRow> rows);
    // Tells that the library at path is damaged behind its first damagedAfter records, once
    // while the list keeps showing it damaged there.
    void TellDamage(const std::string& path, std::optional<int> damagedAfter);
    void OnItemChanged(QListWidgetItem* item);
    void OnDoubleClicked(QListWidgetItem* item);

    ListSettings m_settings;
    std::string m_path;
    UINT m_kind = 0;
    std::vector<ShellRow> m_rows;
    // The library and the point of its damage last told.
    std::optional<std::pair<std::string, int>> m_toldDamage;
    bool m_updating = false;
};

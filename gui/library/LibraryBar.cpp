#include "gui/library/LibraryBar.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileSystemWatcher>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QStorageInfo>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/kit/ClipboardFormat.h"
#include "gui/library/DlgLibItem.h"
#include "gui/library/DlgReplaceSymbol.h"
#include "gui/library/FileFilterDlg.h"
#include "gui/library/ShellListCtrl.h"
#include "gui/library/ShellMenu.h"
#include "gui/library/ShellTreeCtrl.h"
#include "library/LibraryBarLayout.h"
#include "library/LibraryFile.h"
#include "library/LibraryImage.h"
#include "library/LibraryItemData.h"
#include "library/ShellFileOps.h"
#include "library/ShellItem.h"
#include "model/app/PathMacros.h"
#include "model/app/SchematicApp.h"
#include "platform/DiskFile.h"
#include "platform/Paths.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kRefreshDelayMs = 1500;
constexpr int kMountPollMs = 2000;
constexpr int kMinPane = 50;

struct CommandText {
    UINT id;
    const char* text;
    const char* prompt;
};
constexpr CommandText kCommandTexts[] = {
    {ID_LIB_NEW_FOLDER, "New Folder", "Create a new folder."},
    {ID_LIB_NEW_LIBRARY, "New &Library", "Create a new library file."},
    {ID_LIB_FILTER_FILES, "&Filter Files", "Show only the files that match the filter."},
    {ID_LIB_SET_FILE_FILTER, "Set Filter...", "Set the file filter."},
    {ID_LIB_FILTER_ITEMS, "&Filter Items", "Show only the items that match the filter."},
    {ID_LIB_SET_ITEM_FILTER, "Set Filter...", "Set the item filter."},
    {ID_LIB_SHOW_LIBRARIES, "&Libraries", "List libraries."},
    {ID_LIB_SHOW_FILES, "Fi&les", "List files."},
    {ID_LIB_SHOW_FOLDERS, "&Folders", "List folders."},
    {ID_LIB_SHOW_SYMBOLS, "&Symbols", "List symbols."},
    {ID_LIB_SHOW_DEVICES, "&Devices", "List devices."},
    {ID_LIB_SHOW_CIRCUITS, "&Circuits", "List circuits."},
    {ID_LIB_SHOW_MODELS, "&Models", "List models."},
    {ID_LIB_SORT_TYPE, "&File Type", "Sort by file type."},
    {ID_LIB_SORT_NAME, "&Name", "Sort by name."},
    {ID_LIB_SORT_DATE, "&Date", "Sort by date."},
    {ID_LIB_PASTE, "&Paste", "Paste library items into the library."},
    {ID_LIB_ITEM_PLACE, "P&lace", "Place the item on the sheet."},
    {ID_LIB_ITEM_COPY, "&Copy", "Copy the items to the clipboard."},
    {ID_LIB_ITEM_DELETE, "&Delete", "Delete the items from the library."},
    {ID_LIB_ITEM_RENAME, "&Rename Item", "Rename the selected item."},
    {ID_LIB_ITEM_REPLACE_SYMBOL, "Replace Symbol...",
     "Make the library's devices use another symbol in place of this one."},
    {ID_LIB_ITEM_PROPERTIES, "P&roperties", "Change the name, description and type of the item."},
};

// The list's mask bit each kind command toggles.
struct KindBit {
    UINT id;
    DWORD bit;
};
constexpr KindBit kKindBits[] = {
    {ID_LIB_FILTER_FILES, kListFilterFiles},
    {ID_LIB_FILTER_ITEMS, kListFilterItems},
    {ID_LIB_SHOW_LIBRARIES, 16},
    {ID_LIB_SHOW_FILES, 2},
    {ID_LIB_SHOW_FOLDERS, 4},
    {ID_LIB_SHOW_SYMBOLS, 32},
    {ID_LIB_SHOW_DEVICES, 128},
    {ID_LIB_SHOW_CIRCUITS, 64},
    {ID_LIB_SHOW_MODELS, 256},
};

const CommandText* FindText(UINT id) {
    auto it = std::find_if(std::begin(kCommandTexts), std::end(kCommandTexts),
                           [id](const CommandText& t) { return t.id == id; });
    return it == std::end(kCommandTexts) ? nullptr : &*it;
}

const KindBit* FindBit(UINT id) {
    auto it = std::find_if(std::begin(kKindBits), std::end(kKindBits),
                           [id](const KindBit& k) { return k.id == id; });
    return it == std::end(kKindBits) ? nullptr : &*it;
}

int SortModeOf(UINT id) {
    return id == ID_LIB_SORT_TYPE   ? kSortByType
           : id == ID_LIB_SORT_NAME ? kSortByName
                                    : kSortByDate;
}

std::string DefaultBrowserDirectory() {
    CSchematicApp* app = GetApp();
    if (!app)
        return {};
    CString path = app->GetProfileString("Settings", "BrowserDirectory", "");
    if (!path.IsEmpty())
        return FromSettingsPath(path).str();
    return ExpandedPath("$(StdLibDir)\\basic.rlb", app->Settings()).str();
}

}  // namespace

CLibraryBar::CLibraryBar(QWidget* parent)
    : CBarPage(parent),
      m_tree(new CShellTreeCtrl),
      m_list(new CShellListCtrl),
      m_preview(new CPreviewWnd(0)),
      m_splitter(new QSplitter(Qt::Vertical, this)),
      m_watcher(new QFileSystemWatcher(this)) {
    setObjectName("libraryBar");
    m_tree->setToolTip("Browse Folders.");
    m_preview->setToolTip("Preview Window.");
    m_splitter->setHandleWidth(kSplitterHeight);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_preview);
    for (QWidget* pane : {static_cast<QWidget*>(m_tree), static_cast<QWidget*>(m_preview)})
        pane->setMinimumHeight(kMinPane);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CLibraryBar::OnTimer);
    connect(&m_mountTimer, &QTimer::timeout, this, &CLibraryBar::PollMounts);
    connect(m_splitter, &QSplitter::splitterMoved, this, &CLibraryBar::OnSplitterMoved);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CLibraryBar::OnTreeSelection);
    connect(m_tree, &CShellTreeCtrl::ownCommand, this, &CLibraryBar::OnTreeCommand);
    connect(m_list, &CShellListCtrl::changed, this, &CLibraryBar::OnListCommand);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CLibraryBar::OnListSelection);
    connect(m_list, &CShellListCtrl::rowActivated, this, &CLibraryBar::OnRowActivated);
    connect(m_list, &CShellListCtrl::menuRequested, this, &CLibraryBar::OnListMenu);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &CLibraryBar::FolderContentsChanged);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &CLibraryBar::FolderContentsChanged);

    m_ownChange = true;
    m_tree->Reset();
    if (const std::string path = DefaultBrowserDirectory(); !path.empty())
        m_tree->SelectPath(path);
    m_ownChange = false;
    RebuildList();
    PollMounts();
    m_mountTimer.start(kMountPollMs);
}

CLibraryBar::~CLibraryBar() {
    m_timer.stop();
    m_mountTimer.stop();
    disconnect(m_tree, nullptr, this, nullptr);
    disconnect(m_list, nullptr, this, nullptr);
}

void CLibraryBar::SetPlaceHandler(CPreviewWnd::PlaceHandler handler) {
    m_place = std::move(handler);
    m_preview->SetPlaceHandler(m_place);
}

void CLibraryBar::resizeEvent(QResizeEvent* event) {
    CBarPage::resizeEvent(event);
    LayOut();
}

void CLibraryBar::LayOut() {
    const LibraryBarPanes panes = LibraryBarLayout(height(), m_treeShare, m_previewShare);
    m_layingOut = true;
    m_splitter->setSizes({panes.tree, panes.list, panes.preview});
    m_layingOut = false;
}

void CLibraryBar::OnSplitterMoved(int position, int index) {
    if (m_layingOut)
        return;
    // Handle 1 lies between tree and list, handle 2 between list and preview.
    const UINT splitter = index == 1 ? kTreeSplitter : kPreviewSplitter;
    const LibraryBarPanes panes = LibraryBarLayout(height(), m_treeShare, m_previewShare);
    const DWORD range = SplitterRange(splitter, 0, height(), panes);
    const int top = static_cast<int>(range & 0xFFFF);
    const int bottom = static_cast<int>(range >> 16);
    const int before =
        splitter == kTreeSplitter ? panes.tree : panes.tree + kSplitterHeight + panes.list;
    const int delta = std::clamp(position, top, std::max(top, bottom)) - before;
    ApplySplitterDrag(splitter, delta, height(), panes, m_treeShare, m_previewShare);
    LayOut();
}

void CLibraryBar::UpdateList() {
    QTreeWidgetItem* node = m_tree->currentItem();
    if (!node) {
        m_list->Empty();
        return;
    }
    m_list->Fill(CShellTreeCtrl::NodePath(node), CShellTreeCtrl::NodeKind(node));
    WatchShown();
}

void CLibraryBar::RebuildList() {
    QTreeWidgetItem* node = m_tree->currentItem();
    if (!node) {
        m_list->Empty();
        return;
    }
    m_list->Refill(CShellTreeCtrl::NodePath(node), CShellTreeCtrl::NodeKind(node));
    WatchShown();
}

void CLibraryBar::WatchShown() {
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    if (!m_list->ShownPath().empty())
        m_watcher->addPath(QString::fromStdString(m_list->ShownPath()));
}

void CLibraryBar::RefreshList(int rebuild) {
    rebuild ? RebuildList() : UpdateList();
}

void CLibraryBar::OnTreeSelection() {
    if (!m_ownChange)
        RebuildList();
}

void CLibraryBar::FolderContentsChanged() {
    m_ownChange = true;
    m_tree->RefreshNodeOrParent(m_tree->currentItem());
    m_ownChange = false;
    UpdateList();
    m_timer.start(kRefreshDelayMs);
}

void CLibraryBar::OnTimer() {
    m_timer.stop();
    m_ownChange = true;
    m_tree->RefreshNodeOrParent(m_tree->currentItem());
    m_ownChange = false;
    RebuildList();
}

void CLibraryBar::PollMounts() {
    std::vector<MountedVolume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        const std::string root = storage.rootPath().toStdString();
        if (IsRemovableMountPoint(root))
            volumes.push_back({root, storage.device().toStdString(), storage.name().toStdString(),
                               storage.bytesTotal()});
    }
    const MountChanges changes = CompareMounts(m_volumes, volumes);
    m_volumes = std::move(volumes);
    m_ownChange = true;
    for (const std::string& root : changes.gone)
        m_tree->RefreshMount(root, true);
    for (const std::string& root : changes.arrived)
        m_tree->RefreshMount(root, false);
    m_ownChange = false;
}

void CLibraryBar::OnTreeCommand(int code) {
    switch (code) {
        case kOwnNewFolder:
            m_ownChange = true;
            m_tree->NewFolder();
            m_ownChange = false;
            RebuildList();
            break;
        case kOwnNewLibrary:
            NewLibraryInTree();
            break;
        case kOwnRenameItem:
            m_ownChange = true;
            m_tree->BeginRenameSelected();
            m_ownChange = false;
            break;
        case kOwnPasteObject:
            AfxMessageBox("Not implemented");
            break;
        default:
            FolderContentsChanged();
            break;
    }
}

void CLibraryBar::OnListCommand(int code) {
    switch (code) {
        case kOwnNewFolder:
            NewFolder();
            break;
        case kOwnNewLibrary:
            NewLibrary();
            break;
        case kOwnRenameItem:
            m_list->EditSelectedLabel();
            break;
        case kOwnPasteObject:
            AfxMessageBox("Not implemented");
            break;
        case 11:
            UpdateList();
            break;
        default:
            FolderContentsChanged();
            break;
    }
}

std::vector<int> CLibraryBar::SelectedItemRows() const {
    std::vector<int> rows = m_list->SelectedRows();
    std::erase_if(rows, [this](int row) { return !IsLibraryItemKind(m_list->RowAt(row).kind); });
    return rows;
}

std::vector<std::unique_ptr<CLibraryItemData>> CLibraryBar::ReadSelectedItems(
    CDrawDoc* document) const {
    std::vector<std::unique_ptr<CLibraryItemData>> items;
    const std::vector<int> rows = SelectedItemRows();
    if (rows.empty())
        return items;
    const std::string& path = m_list->RowAt(rows.front()).path;
    CLibraryFile library;
    if (!library.Open(path.c_str())) {
        AfxMessageBox("Error opening library", MB_ICONEXCLAMATION);
        return items;
    }
    for (int row : rows) {
        if (m_list->RowAt(row).path != path)
            continue;
        auto item = std::make_unique<CLibraryItemData>();
        if (library.ReadItemOrReport(document, m_list->RowAt(row).index, *item))
            items.push_back(std::move(item));
    }
    return items;
}

// One record selected shows in the preview; several, or one that could not be read, show
// nothing.
void CLibraryBar::OnListSelection() {
    if (SelectedItemRows().size() == 1) {
        std::vector<std::unique_ptr<CLibraryItemData>> items = ReadSelectedItems(nullptr);
        if (!items.empty()) {
            m_preview->ShowItem(*items.front());
            return;
        }
    }
    CObList none;
    m_preview->SetObjects(none, "", "");
}

void CLibraryBar::PlaceSelectedItem() {
    std::vector<std::unique_ptr<CLibraryItemData>> items = ReadSelectedItems(nullptr);
    if (items.empty() || !m_place)
        return;
    // Every record read goes as one list; the bar keeps the objects and deletes them here.
    CObList all;
    for (const auto& item : items)
        all.AddTail(&item->m_objects);
    m_place(all);
}

void CLibraryBar::ItemProperties() {
    const std::vector<int> rows = SelectedItemRows();
    if (rows.size() != 1)
        return;
    const ShellRow row = m_list->RowAt(rows.front());
    CLibraryFile library;
    if (!library.Open(row.path.c_str(), CDiskFile::modeReadWrite)) {
        CString text;
        text.Format("Error - could not open the library %s for writing.", row.path.c_str());
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return;
    }
    const std::optional<CString> name = EditLibraryItem(this, library, row.index);
    // The list reads the library: it must no longer be held for writing.
    library.Close();
    if (!name)
        return;
    UpdateList();
    // The record stays selected under its new name.
    m_list->SelectLabel(name->str());
}

void CLibraryBar::ReplaceSymbol() {
    const std::vector<int> rows = SelectedItemRows();
    if (rows.empty() ||
        ShellKindOf(m_list->RowAt(rows.front()).kind) != kShellLibraryItem + kItemSymbol)
        return;
    const ShellRow row = m_list->RowAt(rows.front());
    CDlgReplaceSymbol(this, row.path.c_str(), row.index).exec();
}

void CLibraryBar::OnRowActivated(int row) {
    const ShellRow shellRow = m_list->RowAt(row);
    if (IsLibraryItemKind(shellRow.kind)) {
        PlaceSelectedItem();
        return;
    }
    if (shellRow.kind != kShellFolder && shellRow.kind != kShellLibrary)
        return;
    if (!m_tree->SelectChildItem(m_tree->currentItem(), shellRow.name) &&
        shellRow.kind != kShellLibrary)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(shellRow.path)));
}

std::string CLibraryBar::SelectedLibraryPath() const {
    QTreeWidgetItem* node = m_tree->currentItem();
    if (node && CShellTreeCtrl::NodeKind(node) == kShellLibrary)
        return CShellTreeCtrl::NodePath(node);
    const std::vector<int> rows = m_list->SelectedRows();
    if (rows.size() == 1 && m_list->RowAt(rows.front()).kind == kShellLibrary)
        return m_list->RowAt(rows.front()).path;
    return {};
}

BOOL CLibraryBar::OpenSelectedLibrary(CLibraryFile* library, UINT mode) {
    const std::string path = SelectedLibraryPath();
    if (path.empty())
        return FALSE;
    return library ? library->Open(path.c_str(), mode) : TRUE;
}

void CLibraryBar::SelectLibraryPath(const std::string& path) {
    m_ownChange = true;
    m_tree->SelectPath(path);
    m_ownChange = false;
    RebuildList();
}

bool CLibraryBar::IsChecked(UINT id) const {
    if (const KindBit* kind = FindBit(id))
        return (m_list->Settings().mask & kind->bit) != 0;
    if (id == ID_LIB_SORT_TYPE || id == ID_LIB_SORT_NAME || id == ID_LIB_SORT_DATE)
        return m_list->Settings().sortMode == SortModeOf(id);
    return false;
}

void CLibraryBar::ToggleMask(DWORD bit) {
    m_list->Settings().mask ^= bit;
    UpdateList();
}

void CLibraryBar::EditFilter(bool files) {
    ListSettings& settings = m_list->Settings();
    CDlgFileFilter dialog(files ? CDlgFileFilter::kFileFilter : CDlgFileFilter::kItemFilter,
                          files ? settings.namePattern : settings.itemPattern,
                          settings.extensionPattern, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (files) {
        settings.namePattern = dialog.NamePart();
        settings.extensionPattern = dialog.ExtensionPart();
        settings.mask |= kListFilterFiles;
    } else {
        settings.itemPattern = dialog.NamePart();
        settings.mask |= kListFilterItems;
    }
    UpdateList();
}

void CLibraryBar::RunCommand(UINT id) {
    switch (id) {
        case ID_LIB_NEW_FOLDER:
            return NewFolder();
        case ID_LIB_NEW_LIBRARY:
            return NewLibrary();
        case ID_LIB_SET_FILE_FILTER:
            return EditFilter(true);
        case ID_LIB_SET_ITEM_FILTER:
            return EditFilter(false);
        case ID_LIB_SORT_TYPE:
        case ID_LIB_SORT_NAME:
        case ID_LIB_SORT_DATE:
            m_list->Settings().sortMode = SortModeOf(id);
            return RebuildList();
        case ID_LIB_PASTE:
            return PasteItems();
        case ID_LIB_ITEM_PLACE:
            return PlaceSelectedItem();
        case ID_LIB_ITEM_COPY:
            return CopyItems();
        case ID_LIB_ITEM_DELETE:
            return DeleteItems();
        case ID_LIB_ITEM_PROPERTIES:
            return ItemProperties();
        case ID_LIB_ITEM_RENAME:
            m_list->EditSelectedLabel();
            return;
        case ID_LIB_ITEM_REPLACE_SYMBOL:
            return ReplaceSymbol();
        default:
            if (const KindBit* kind = FindBit(id))
                ToggleMask(kind->bit);
            return;
    }
}

void CLibraryBar::AddCommands(QMenu& menu, std::initializer_list<UINT> ids) {
    for (UINT id : ids) {
        const CommandText* text = FindText(id);
        QAction* action = menu.addAction(QString::fromUtf8(text->text));
        action->setData(id);
        action->setStatusTip(QString::fromUtf8(text->prompt));
        const bool sort =
            id == ID_LIB_SORT_TYPE || id == ID_LIB_SORT_NAME || id == ID_LIB_SORT_DATE;
        if (FindBit(id) || sort) {
            action->setCheckable(true);
            action->setChecked(IsChecked(id));
        }
    }
}

void CLibraryBar::OnListMenu(QPoint global, bool onRow) {
    if (onRow) {
        const std::vector<int> rows = m_list->SelectedRows();
        if (!rows.empty() && std::all_of(rows.begin(), rows.end(), [this](int row) {
                return IsLibraryItemKind(m_list->RowAt(row).kind);
            }))
            ShowItemMenu(global);
        return;
    }
    QMenu menu(this);
    menu.setObjectName("libraryMenu");
    if (OpenSelectedLibrary(nullptr, 0)) {
        AddCommands(menu, {ID_LIB_PASTE});
        menu.actions().back()->setEnabled(HasLibraryItemsOnClipboard());
        menu.addSeparator();
        AddCommands(menu, {ID_LIB_FILTER_ITEMS, ID_LIB_SET_ITEM_FILTER});
        menu.addSeparator();
        AddCommands(menu, {ID_LIB_SHOW_SYMBOLS, ID_LIB_SHOW_DEVICES, ID_LIB_SHOW_CIRCUITS});
    } else {
        AddCommands(menu, {ID_LIB_NEW_FOLDER, ID_LIB_NEW_LIBRARY});
        menu.addSeparator();
        AddCommands(menu, {ID_LIB_FILTER_FILES, ID_LIB_SET_FILE_FILTER});
        menu.addSeparator();
        AddCommands(menu, {ID_LIB_SHOW_LIBRARIES, ID_LIB_SHOW_FILES, ID_LIB_SHOW_FOLDERS});
        menu.addSeparator();
        QMenu* sort = menu.addMenu("Sort By");
        AddCommands(*sort, {ID_LIB_SORT_TYPE, ID_LIB_SORT_NAME, ID_LIB_SORT_DATE});
    }
    if (QAction* chosen = menu.exec(global))
        RunCommand(chosen->data().toUInt());
}

void CLibraryBar::ShowItemMenu(QPoint global) {
    QMenu menu(this);
    menu.setObjectName("itemMenu");
    const std::vector<int> rows = SelectedItemRows();
    AddCommands(menu, {ID_LIB_ITEM_PLACE, ID_LIB_ITEM_COPY, ID_LIB_ITEM_DELETE,
                       ID_LIB_ITEM_REPLACE_SYMBOL});
    menu.actions().back()->setEnabled(rows.size() == 1 &&
                                      ShellKindOf(m_list->RowAt(rows.front()).kind) ==
                                          kShellLibraryItem + kItemSymbol);
    AddCommands(menu, {ID_LIB_ITEM_RENAME});
    menu.actions().back()->setEnabled(rows.size() == 1);
    AddCommands(menu, {ID_LIB_ITEM_PROPERTIES});
    menu.actions().back()->setEnabled(rows.size() == 1);
    if (QAction* chosen = menu.exec(global))
        RunCommand(chosen->data().toUInt());
    UpdateList();
}

void CLibraryBar::NewFolder() {
    std::string folder;
    if (!m_tree->GetSelectedPath(folder) ||
        CShellTreeCtrl::NodeKind(m_tree->currentItem()) != kShellFolder)
        return;
    const std::optional<std::string> made = CreateNewFolder(folder);
    if (!made)
        return;
    UpdateList();
    m_ownChange = true;
    m_tree->RefreshNode(m_tree->currentItem());
    m_ownChange = false;
    if (m_list->SelectLabel(*made))
        m_list->EditSelectedLabel();
}

void CLibraryBar::NewLibrary() {
    std::string folder;
    if (!m_tree->GetSelectedPath(folder) ||
        CShellTreeCtrl::NodeKind(m_tree->currentItem()) != kShellFolder)
        return;
    if (!CreateNewLibrary(folder, LibraryNaming::kList))
        return;
    m_ownChange = true;
    m_tree->RefreshNodeOrParent(m_tree->currentItem());
    m_ownChange = false;
    UpdateList();
}

void CLibraryBar::NewLibraryInTree() {
    std::string folder;
    if (!m_tree->GetSelectedPath(folder) ||
        CShellTreeCtrl::NodeKind(m_tree->currentItem()) != kShellFolder)
        return;
    m_ownChange = true;
    if (CreateNewLibrary(folder, LibraryNaming::kTree))
        m_tree->RefreshNodeOrParent(m_tree->currentItem());
    m_ownChange = false;
    UpdateList();
}

void CLibraryBar::CopyItems() {
    std::vector<int> indices;
    std::string path;
    for (int row : m_list->SelectedRows()) {
        const ShellRow& shellRow = m_list->RowAt(row);
        if (IsLibraryItemKind(shellRow.kind)) {
            indices.push_back(shellRow.index);
            path = shellRow.path;
        }
    }
    if (indices.empty())
        return;
    const std::optional<std::vector<BYTE>> image = BuildLibraryImage(path.c_str(), indices);
    if (!image)
        return;
    auto* data = new QMimeData;
    data->setData(WindowsMimeType(kLibraryItemsFormat),
                  QByteArray(reinterpret_cast<const char*>(image->data()),
                             static_cast<qsizetype>(image->size())));
    QApplication::clipboard()->setMimeData(data);
}

void CLibraryBar::PasteItems() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(WindowsMimeType(kLibraryItemsFormat)))
        return;
    const QByteArray bytes = data->data(WindowsMimeType(kLibraryItemsFormat));
    CLibraryFile library;
    if (!OpenSelectedLibrary(&library, CDiskFile::modeReadWrite)) {
        CString text;
        text.Format("Error - could not open the library %s for writing.",
                    SelectedLibraryPath().c_str());
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return;
    }
    PasteLibraryImage(library, std::vector<BYTE>(bytes.begin(), bytes.end()));
    library.Close();
    UpdateList();
}

void CLibraryBar::DeleteItems() {
    m_list->DeleteSelected();
}

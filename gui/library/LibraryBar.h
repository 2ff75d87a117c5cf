#pragma once
// The "Files" page of the workspace bar: a library and file browser. From top to bottom the
// folder tree, the list of the selected folder's files or library's records, and the preview
// of the selected record, with splitters between them. Its menus make folders and libraries,
// filter and sort the list, and copy, paste, delete and place records.

#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "gui/kit/BarPage.h"
#include "gui/library/PreviewWnd.h"
#include "library/MountWatch.h"
#include "platform/Types.h"

class CDrawDoc;
class CLibraryFile;
class CLibraryItemData;
class CShellListCtrl;
class CShellTreeCtrl;
class QFileSystemWatcher;
class QMenu;
class QSplitter;

// Commands of the bar's menus.
enum LibraryBarCommand : UINT {
    ID_LIB_NEW_FOLDER = 32929,
    ID_LIB_NEW_LIBRARY = 32980,
    ID_LIB_FILTER_FILES = 32937,
    ID_LIB_SET_FILE_FILTER = 32936,
    ID_LIB_FILTER_ITEMS = 32973,
    ID_LIB_SET_ITEM_FILTER = 32974,
    ID_LIB_SHOW_LIBRARIES = 32932,
    ID_LIB_SHOW_FILES = 32931,
    ID_LIB_SHOW_FOLDERS = 32930,
    ID_LIB_SHOW_SYMBOLS = 32933,
    ID_LIB_SHOW_DEVICES = 32934,
    ID_LIB_SHOW_CIRCUITS = 32935,
    ID_LIB_SHOW_MODELS = 32938,
    ID_LIB_SORT_TYPE = 32927,
    ID_LIB_SORT_NAME = 32926,
    ID_LIB_SORT_DATE = 32928,
    ID_LIB_PASTE = 32979,
    ID_LIB_ITEM_PLACE = 32921,
    ID_LIB_ITEM_COPY = 32924,
    ID_LIB_ITEM_DELETE = 32922,
    ID_LIB_ITEM_PROPERTIES = 32923,
    ID_LIB_ITEM_RENAME = 32925,
    ID_LIB_ITEM_REPLACE_SYMBOL = 33108,
};

class CLibraryBar : public CBarPage {
    Q_OBJECT
public:
    explicit CLibraryBar(QWidget* parent = nullptr);
    ~CLibraryBar() override;

    CShellTreeCtrl* Tree() const { return m_tree; }
    CShellListCtrl* List() const { return m_list; }
    CPreviewWnd* Preview() const { return m_preview; }
    QSplitter* Splitter() const { return m_splitter; }
    int TreeShare() const { return m_treeShare; }
    int PreviewShare() const { return m_previewShare; }

    // Where placed records go: the receiver copies the objects, which stay the bar's.
    void SetPlaceHandler(CPreviewWnd::PlaceHandler handler);

    // 0 updates the list in place, 1 rebuilds it; empties it when nothing is selected.
    void RefreshList(int rebuild);
    // The library selected in the tree, or the one library row selected in the list; empty
    // when none.
    std::string SelectedLibraryPath() const;
    // Opens the selected library into library in mode; with null only tells whether one is.
    BOOL OpenSelectedLibrary(CLibraryFile* library, UINT mode);
    // The tree shows path, and the list its contents.
    void SelectLibraryPath(const std::string& path);

    // Carries out a command of the bar's menus.
    void RunCommand(UINT id);
    // Whether a command's menu item is checked now (filters, kinds, sort mode).
    bool IsChecked(UINT id) const;

    void NewFolder();
    void NewLibrary();
    void NewLibraryInTree();
    void PlaceSelectedItem();
    // The item dialog over the one selected record.
    void ItemProperties();
    // Replace Symbol, starting from the one selected symbol record.
    void ReplaceSymbol();
    void CopyItems();
    void PasteItems();
    void DeleteItems();

    // The records selected in the list, read for document (none: no document); all of one
    // library, in row order. A record that cannot be read is told to the user and left out.
    std::vector<std::unique_ptr<CLibraryItemData>> ReadSelectedItems(CDrawDoc* document) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The list's selected rows that are library records.
    std::vector<int> SelectedItemRows() const;
    void LayOut();
    void OnSplitterMoved(int position, int index);
    void OnTreeSelection();
    void OnTreeCommand(int code);
    void OnListCommand(int code);
    void OnListSelection();
    void OnRowActivated(int row);
    void OnListMenu(QPoint global, bool onRow);
    void ShowItemMenu(QPoint global);
    void FolderContentsChanged();
    void OnTimer();
    // Looks at the mounted removable media and has the tree follow what changed.
    void PollMounts();
    void UpdateList();
    void RebuildList();
    void WatchShown();
    // Fills a menu of commands with their check marks.
    void AddCommands(QMenu& menu, std::initializer_list<UINT> ids);
    void ToggleMask(DWORD bit);
    void EditFilter(bool files);

    CShellTreeCtrl* m_tree;
    CShellListCtrl* m_list;
    CPreviewWnd* m_preview;
    QSplitter* m_splitter;
    QTimer m_timer;
    QTimer m_mountTimer;
    std::vector<MountedVolume> m_volumes;
    QFileSystemWatcher* m_watcher;
    CPreviewWnd::PlaceHandler m_place;
    int m_treeShare = 333;
    int m_previewShare = 333;
    bool m_ownChange = false;
    bool m_layingOut = false;
};

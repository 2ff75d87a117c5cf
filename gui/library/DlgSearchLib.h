#pragma once
// The "Search Libraries" dialog: finds the items of the wanted kinds whose name or
// description holds one of the search words, in a folder of libraries (and its sub-folders)
// or in one library. The search runs on timer ticks, so the dialog stays live; the user picks
// up to 20 of the results, which the caller reads from Choices() once the dialog has ended.

#include <QDialog>
#include <QTimer>
#include <memory>
#include <vector>

#include "library/LibrarySearch.h"

class CSchematicApp;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

class CDlgSearchLib : public QDialog {
    Q_OBJECT
public:
    CDlgSearchLib(QWidget* parent, CSchematicApp& app, UINT options = kSearchDefaultOptions,
                  CLibrarySearchFilter::CallerFilter filter = nullptr);
    ~CDlgSearchLib() override;

    // What the user chose; empty when nothing was.
    const std::vector<SearchChoice>& Choices() const { return m_choices; }
    bool IsSearching() const { return m_timer.isActive(); }

protected:
    // Close, Esc, the close box and a double click on a result all end the dialog here.
    void reject() override;

private:
    void BuildControls();
    void FillLookIn();
    void OnBrowse();
    void OnFindNow();
    bool StartSearch();
    // The look-in path, and whether it goes into the history.
    CString LookInPath(bool& remembered) const;
    void RunBatch();
    void ShowNewResults();
    // Tells each library found damaged since the last call, the search waiting meanwhile.
    void TellDamagedLibraries();
    void StopSearch(const CString& status);
    void SetSearching(bool searching);
    CString CountText() const;
    // The closing step of Close, Esc and a double click: false when the choice is refused.
    bool Choose();

    CSchematicApp& m_app;
    UINT m_options;
    CLibrarySearchFilter::CallerFilter m_callerFilter;
    std::unique_ptr<CLibrarySearchFilter> m_filter;
    std::unique_ptr<CLibrarySearchWalk> m_walk;
    size_t m_shown = 0;
    size_t m_told = 0;  // damaged libraries told
    QTimer m_timer;
    std::vector<SearchChoice> m_choices;

    QTabWidget* m_tabs;
    QLineEdit* m_searchText;
    QCheckBox* m_subfolders;
    QComboBox* m_lookIn;
    QPushButton* m_browse;
    QCheckBox* m_symbols;
    QCheckBox* m_devices;
    QCheckBox* m_circuits;
    QPushButton* m_findNow;
    QPushButton* m_stop;
    QPushButton* m_close;
    QProgressBar* m_busy;
    QTreeWidget* m_results;
    QLabel* m_status;
};

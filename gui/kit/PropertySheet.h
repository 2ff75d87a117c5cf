#pragma once
// Property sheets: pages on tabs over OK and Cancel, without an Apply button.
//
// A page is loaded (filled from its source) when the sheet first shows it. Leaving it, for
// another tab or with OK, asks the page first: a page whose fields are not valid refuses and
// the sheet stays on it. OK then applies every page that was loaded, in order, and closes the
// sheet; pages never shown are left alone. Cancel changes nothing.
//
// A page applies only the fields the user changed (ChangedFields.h): once loaded, each field
// is taken on with the value the page shows, and OnApply asks IsChanged of each. A page shown
// on its own, as its own window, loads when it first shows; one never loaded counts every
// field as changed.
//
// A page may have a remembered name ("General", "Style", "Attr", "Margins"): each time it is
// left with valid fields it writes that name to "Settings"/"LastPage", and a sheet opens on
// the page whose name is stored there (else on its first page).

#include <QDialog>

#include "gui/kit/ChangedFields.h"

class QHBoxLayout;
class QPushButton;
class QTabWidget;

class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    // title names the page's tab; rememberedName may be null.
    explicit CPropertyPage(const QString& title, const char* rememberedName = nullptr,
                           QWidget* parent = nullptr);

    const char* RememberedName() const { return m_rememberedName; }
    bool IsLoaded() const { return m_loaded; }

    // What OK does with the page on show, for a page used on its own: the page is left, then
    // applied. False, applying nothing, when it refuses to be left.
    bool OnOK();

protected:
    // Fills the fields from the page's source; called once, when the page is first shown.
    virtual void OnLoad() {}
    // Whether the page may be left. A page that refuses has told the user why and put the
    // focus on the field at fault.
    virtual bool OnKillActive() { return true; }
    // Writes the fields back to the page's source: those the user changed.
    virtual void OnApply() {}

    // A page shown as its own window loads as a sheet loads it.
    void showEvent(QShowEvent* event) override;

    bool IsChanged(const QWidget* field) const { return m_changed.IsChanged(field); }
    // The page shows another value in a field itself (CChangedFields::Reshow).
    void Reshow(QWidget* field, const std::function<void()>& show) {
        m_changed.Reshow(field, show);
    }

private:
    friend class CPropertySheet;
    void Load();
    // OnKillActive, remembering the page when it may be left.
    bool Leave();

    const char* m_rememberedName;
    bool m_loaded = false;
    CChangedFields m_changed;
};

class CPropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit CPropertySheet(const QString& title, QWidget* parent = nullptr);

    // Appends a page, which the sheet takes over. Pages are added before the sheet is shown.
    void AddPage(CPropertyPage* page);
    int PageCount() const;
    CPropertyPage* Page(int index) const;
    // The page on show; null until the sheet is shown.
    CPropertyPage* CurrentPage() const;
    // Shows the page at index, as choosing its tab does: only when the page on show may be
    // left. Whether the page at index is on show now.
    bool SetCurrentPage(int index);

    QPushButton* OkButton() const { return m_ok; }

    // OK: when the page on show may be left and the sheet may close, every loaded page applies
    // and the sheet closes.
    void accept() override;

protected:
    // Asked at OK once the page on show was left, before any page applies: false, after
    // telling the user why, keeps the sheet open.
    virtual bool MayClose() { return true; }
    // Puts widget at the start of the row of OK and Cancel; the sheet takes it over.
    void AddToButtonRow(QWidget* widget);
    // The first showing opens the remembered page, unless a page was chosen already.
    void showEvent(QShowEvent* event) override;
    // Ctrl+PageDown and Ctrl+PageUp turn to the next and previous page, as Ctrl+Tab and
    // Ctrl+Shift+Tab do, when no field takes them.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTabChosen(int index);
    void ShowPage(int index);
    void SelectTab(int index);
    int RememberedIndex() const;

    QTabWidget* m_tabs;
    QHBoxLayout* m_buttonRow;
    QPushButton* m_ok;
    int m_current = -1;
};

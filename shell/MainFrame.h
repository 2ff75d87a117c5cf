#pragma once
// The application's main window: menus, toolbars, bars and the MDI area that holds the
// child frames of the open documents.

#include <QMainWindow>

class QMdiArea;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return m_mdiArea; }

private:
    void createMenus();

    QMdiArea* m_mdiArea;
};

#include "shell/MainFrame.h"

#include <QAction>
#include <QMdiArea>
#include <QMenuBar>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_mdiArea(new QMdiArea(this)) {
    setWindowTitle("Vosk Schematic");
    setWindowIcon(QIcon(":/icons/vosk.svg"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    createMenus();
    resize(1024, 720);
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("menuFile");
    QAction* exit = file->addAction(tr("E&xit"));
    exit->setObjectName("actionExit");
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

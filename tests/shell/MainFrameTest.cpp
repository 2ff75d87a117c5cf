#include "shell/MainFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "shell/QtTestApp.h"

TEST(MainFrame, StartsWithTitleMdiAreaAndFileExit) {
    QtTestApp::ensure();
    CMainFrame frame;
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic");
    ASSERT_NE(frame.mdiArea(), nullptr);
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());

    auto* file = frame.menuBar()->findChild<QMenu*>("menuFile");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), "&File");
    auto* exit = frame.findChild<QAction*>("actionExit");
    ASSERT_NE(exit, nullptr);

    QImage shot = frame.grab().toImage();
    EXPECT_EQ(shot.size(), frame.size());
    EXPECT_TRUE(shot.save(QString(VOSK_BINARY_DIR) + "/main-window.png"));

    exit->trigger();
    EXPECT_FALSE(frame.isVisible());
}

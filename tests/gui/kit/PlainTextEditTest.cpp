// The text fields take text only from the clipboard.

#include "gui/kit/PlainTextEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTest>

#include "gui/support/QtTestApp.h"

namespace {

// Data of no format stand for an X11 clipboard that no program owns.
TEST(PlainTextEdit, CtrlVOfDataWithoutTextChangesNothing) {
    QtTestApp::ensure();
    CPlainTextEdit edit("R1");
    edit.show();
    edit.moveCursor(QTextCursor::End);
    const auto paste = [&edit](QMimeData* data) {
        if (data)
            QApplication::clipboard()->setMimeData(data);
        else
            QApplication::clipboard()->clear();
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        return edit.toPlainText();
    };
    EXPECT_EQ(paste(nullptr), "R1");
    EXPECT_EQ(paste(new QMimeData), "R1");
    auto* picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_EQ(paste(picture), "R1");
    auto* html = new QMimeData;
    html->setHtml("<b>0</b>");
    html->setText("0");
    EXPECT_EQ(paste(html), "R10");
}

}  // namespace

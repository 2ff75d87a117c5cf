#include "shell/app/MessageBoxPrompt.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "gui/support/QtTestApp.h"

namespace {

// Runs a box of type, handing the box to act once it shows; the answer.
int Ask(UINT type, const std::function<void(QMessageBox&)>& act) {
    QtTestApp::ensure();
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            act(*box);
    });
    CMessageBoxPrompt prompt;
    return prompt.MessageBox("Save changes to Untitled1?", "Vosk Schematic", type);
}

TEST(MessageBoxPrompt, ShowsTheBoxOfTheTypeAndReturnsTheChoiceOrItsCancelOrDefault) {
    const int answer = Ask(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, [](QMessageBox& box) {
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.standardButton(box.defaultButton()), QMessageBox::No);
        EXPECT_EQ(box.text(), "Save changes to Untitled1?");
        EXPECT_EQ(box.windowTitle(), "Vosk Schematic");
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(Ask(MB_RETRYCANCEL | MB_ICONHAND,
                  [](QMessageBox& box) { box.button(QMessageBox::Retry)->click(); }),
              IDRETRY);
    // Closed without a button: cancelled, or the only answer of an OK box.
    EXPECT_EQ(Ask(MB_YESNOCANCEL, [](QMessageBox& box) { box.reject(); }), IDCANCEL);
    EXPECT_EQ(Ask(MB_OK, [](QMessageBox& box) { box.reject(); }), IDOK);
}

}  // namespace

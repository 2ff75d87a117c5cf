#pragma once
// The question of a save dialog whether an existing file is to be replaced, answered for the
// tests.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

// Answers Yes once the question shows: call it just before the dialog's accept, which asks.
inline void AnswerReplaceQuestionYes() {
    QTimer::singleShot(0, [] {
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(question, nullptr);
        question->button(QMessageBox::Yes)->click();
    });
}

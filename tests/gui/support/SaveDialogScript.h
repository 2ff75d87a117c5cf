#pragma once
// Scripts a save dialog about to open, for the tests.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

// In folder, the dialog chooses the existing file kept, Yes answers the question whether to
// replace it, and then the dialog chooses other. stayedOpen tells whether it was still open
// after the first choice.
inline void ChooseKeptThenOther(const std::filesystem::path& folder, const QString& kept,
                                const QString& other, bool& stayedOpen) {
    QTimer::singleShot(0, [=, &stayedOpen] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(QString::fromStdString(folder.string()));
        dialog->selectFile(kept);
        QTimer::singleShot(0, [] {  // the question waits in its own event loop
            auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(question, nullptr);
            question->button(QMessageBox::Yes)->click();
        });
        static_cast<QDialog*>(dialog)->accept();
        stayedOpen = dialog->isVisible();
        dialog->selectFile(other);
        static_cast<QDialog*>(dialog)->accept();
    });
}

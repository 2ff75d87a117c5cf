#pragma once
// Scripts Qt's print dialog, which is modal: call it from a timer that fires once the dialog
// shows. It chooses printing to a PDF file and, in the printer's properties, the paper and the
// orientation, the way the user picks them.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

struct PrintDialogChoice {
    QString pdf;
    QString paper;
    bool landscape = false;
};

// Runs in the open print dialog; false when the dialog offers no paper and orientation.
inline bool ChooseInPrintDialog(QPrintDialog& dialog, const PrintDialogChoice& choice) {
    auto* printers = dialog.findChild<QComboBox*>("printers");
    auto* properties = dialog.findChild<QPushButton*>("properties");
    if (!printers || !properties || !properties->isVisibleTo(&dialog))
        return false;
    printers->setCurrentIndex(printers->count() - 1);  // the PDF file comes last
    dialog.findChild<QLineEdit*>("filename")->setText(choice.pdf);
    bool chosen = false;
    QTimer::singleShot(0, [&choice, &chosen] {
        auto* page = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* sizes = page ? page->findChild<QComboBox*>("pageSizeCombo") : nullptr;
        auto* turn =
            page ? page->findChild<QRadioButton*>(choice.landscape ? "landscape" : "portrait")
                 : nullptr;
        if (sizes && turn && sizes->findText(choice.paper) >= 0) {
            sizes->setCurrentIndex(sizes->findText(choice.paper));
            turn->click();
            chosen = true;
        }
        if (page)
            page->accept();
    });
    properties->click();
    return chosen;
}

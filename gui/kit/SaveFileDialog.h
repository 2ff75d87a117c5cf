#pragma once
// The save dialog of the program's own files. It asks before an existing file is replaced,
// and a file the user may not write is refused there with the reason: the dialog stays open
// for another name.

#include <QFileDialog>
#include <string>

class CSaveFileDialog : public QFileDialog {
    Q_OBJECT
public:
    // filters as the dialog lists them ("DXF Files (*.dxf)"); defaultSuffix, without the dot,
    // is added to a name typed without one; proposed is the file first selected.
    CSaveFileDialog(QWidget* parent, const QStringList& filters, const QString& defaultSuffix,
                    const QString& proposed);

    // Shows the dialog; the chosen file, or an empty text when the user cancels.
    std::string AskFileName();

protected:
    void done(int result) override;
};

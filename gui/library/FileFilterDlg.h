#pragma once
// The "File Filter" dialog: one line of filter text for the browser's file names (mode 1,
// shown as "name.extension") or for library item names (mode 0).

#include <QDialog>
#include <string>

class QLineEdit;

class CDlgFileFilter : public QDialog {
    Q_OBJECT
public:
    enum Mode { kItemFilter = 0, kFileFilter = 1 };

    CDlgFileFilter(Mode mode, const std::string& name, const std::string& extension,
                   QWidget* parent = nullptr);

    // After OK: the text upper-cased, split into name and extension for files.
    std::string NamePart() const;
    std::string ExtensionPart() const;
    QLineEdit* Edit() const { return m_edit; }

private:
    Mode m_mode;
    QLineEdit* m_edit;
};

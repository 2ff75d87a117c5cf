#pragma once
// "Library Item Properties": the name, description and type of a record-to-be (or of a
// stored record), with "Device Only (No Symbol)" for a device; and "Modify Library
// Description" with the library's counts of symbols, devices and circuits.

#include <QDialog>
#include <optional>

#include "library/LibraryItemProperties.h"

class CLibraryFile;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CDlgLibItem : public QDialog {
    Q_OBJECT
public:
    // form holds what InspectItemObjects proposed; library (may be null) is where a record
    // of the same name is looked for on OK. On acceptance form holds the answers.
    CDlgLibItem(QWidget* parent, LibraryItemForm& form, CLibraryFile* library);

    void accept() override;

private:
    void ShowType(int type);

    LibraryItemForm& m_form;
    CLibraryFile* m_library;
    QLabel* m_icon;
    QLineEdit* m_name;
    QLineEdit* m_description;
    QButtonGroup* m_types;
    QCheckBox* m_deviceOnly;
    QPushButton* m_ok;
};

class CDlgLibDescription : public QDialog {
    Q_OBJECT
public:
    CDlgLibDescription(QWidget* parent, const CString& description, const LibraryCounts& counts);
    CString Description() const;

private:
    QPlainTextEdit* m_description;
    QPushButton* m_ok;
};

// Shows the library's description with its counts; true when a changed description was
// written.
bool EditLibraryDescription(QWidget* parent, CLibraryFile& library);
// The library bar's Properties of record index: the item dialog over the stored record. The
// record's name after a change was written; none when nothing was.
std::optional<CString> EditLibraryItem(QWidget* parent, CLibraryFile& library, int index);

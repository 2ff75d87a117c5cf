#pragma once
// CDlgReport: the "Generate Report" dialog. The user picks a format of the list, the target
// (the screen or a file) and the file. The last chosen format is remembered ("Netlist"/
// "Format"); the file name follows the format until the user edits it.

#include <QDialog>
#include <QStringList>
#include <functional>

#include "netlist/writers/NetlistFormat.h"
#include "platform/CString.h"

class CDocNetlist;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CDlgReport : public QDialog {
    Q_OBJECT
public:
    enum Target { kScreen = 0, kFile = 1 };

    // What Browse.. asks the save dialog for.
    struct SaveRequest {
        QString file;  // the proposed file, without extension
        QStringList filters;
        int selectedFilter = 0;
        QString defaultSuffix;
    };
    // The chosen file, or empty when the user cancelled.
    using SavePrompt = std::function<QString(QWidget* parent, const SaveRequest& request)>;

    // formats must outlive the dialog; walker gives the document's path and is handed to the
    // formats' options.
    CDlgReport(const CNetlistFormatList& formats, CDocNetlist* walker, QWidget* parent = nullptr);

    // The preset file name, before the dialog is shown.
    void SetFileName(const CString& fileName) { m_fileName = fileName; }
    // After OK: the file, with a relative name taken in the document's folder.
    CString GetFileName() const { return m_fileName; }
    void SetTarget(Target target) { m_target = target; }
    Target GetTarget() const { return m_target; }
    // The position of the chosen format in the list, -1 while none is chosen.
    int GetSelectedIndex() const;
    CNetlistFormat* GetSelectedFormat() const;

    // Replaces the save dialog of Browse.. (tests script it).
    void SetSavePrompt(SavePrompt prompt) { m_promptSave = std::move(prompt); }

    int exec() override;
    void accept() override;

private:
    void FillControls();
    void OnFormatChanged();
    void OnTargetChanged();
    void OnBrowse();
    void OnOptions();
    // Whether OK may close the dialog with the chosen file.
    bool CheckFile();
    void RefocusFileName();
    CString DocPath() const;

    const CNetlistFormatList& m_formats;
    CDocNetlist* m_walker;
    CString m_fileName;
    Target m_target = kFile;
    SavePrompt m_promptSave;

    QRadioButton* m_screen;
    QRadioButton* m_file;
    QLineEdit* m_name;
    QPushButton* m_browse;
    QComboBox* m_format;
    QPushButton* m_options;
};

#pragma once
// The pages of the application's "Options" sheet: General, Colours and Other Options,
// Directories and Function Keys.

#include <vector>

#include "gui/kit/PropertySheet.h"
#include "model/app/AppOptionsForm.h"

class CColourButton;
class CSchematicApp;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

// General: the option boxes, the wheel's zoom direction and the recent-file count. OK leaves
// the values in the form, which the sheet's command applies.
class CDlgAppOptions : public CPropertyPage {
    Q_OBJECT
public:
    CDlgAppOptions(AppGeneralOptions& form, QWidget* parent);

    QCheckBox* reopenFiles() const { return m_reopen; }
    QCheckBox* placeOnPaste() const { return m_placeOnPaste; }
    QCheckBox* zoomToFit() const { return m_zoomToFit; }
    QLineEdit* recentFiles() const { return m_recentFiles; }
    QRadioButton* wheelZoomsIn() const { return m_zoomsIn; }

protected:
    void OnLoad() override;
    bool OnKillActive() override;
    void OnApply() override;

private:
    AppGeneralOptions& m_form;
    QCheckBox* m_reopen;
    QCheckBox* m_placeOnPaste;
    QCheckBox* m_zoomToFit;
    QLineEdit* m_recentFiles;
    QRadioButton* m_zoomsOut;
    QRadioButton* m_zoomsIn;
};

// Colours and Other Options: the selection and highlight colours, the units and the embedded
// objects' options; OK stores them in the application.
class CDlgAppGeneral : public CPropertyPage {
    Q_OBJECT
public:
    CDlgAppGeneral(CSchematicApp& app, QWidget* parent);

    CColourButton* colour(AppColourOptions::Colour which) const { return m_colours[which]; }
    QRadioButton* millimetres() const { return m_mm; }
    QCheckBox* drawBorder() const { return m_drawBorder; }

protected:
    void OnApply() override;

private:
    CSchematicApp& m_app;
    AppColourOptions m_form;
    CColourButton* m_colours[AppColourOptions::kColourCount];
    QRadioButton* m_mm;
    QRadioButton* m_inches;
    QCheckBox* m_drawBorder;
    QCheckBox* m_restoreSize;
};

// Directories: the six folders, each with a folder chooser; OK writes them and refreshes the
// library tree.
class CDlgAppDir : public CPropertyPage {
    Q_OBJECT
public:
    CDlgAppDir(CSchematicApp& app, QWidget* parent);
    QLineEdit* folder(int index) const { return m_edits[index]; }

protected:
    void OnApply() override;

private:
    CSchematicApp& m_app;
    QLineEdit* m_edits[AppDirectories::kCount];
};

// Function Keys: a key and the menu command bound to it, edited in a copy of the table.
class CDlgKeys : public CPropertyPage {
    Q_OBJECT
public:
    CDlgKeys(FunctionKeyTable& keys, const std::vector<MenuCommand>& commands, QWidget* parent);
    QListWidget* keyList() const { return m_keys; }
    QListWidget* commandList() const { return m_commands; }

private:
    void ShowBinding();
    void Bind();

    FunctionKeyTable& m_table;
    QListWidget* m_keys;
    QListWidget* m_commands;
};

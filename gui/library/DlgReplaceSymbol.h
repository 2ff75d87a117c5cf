#pragma once
// "Replace Symbol": the devices of a library that use one symbol are made to use another
// symbol of the library, the old symbol's pins paired with the new one's by the user.

#include <QDialog>
#include <memory>

#include "library/ReplaceSymbol.h"
#include "platform/CString.h"

class CPreviewWnd;
class QComboBox;
class QListWidget;

class CDlgReplaceSymbol : public QDialog {
    Q_OBJECT
public:
    // Shows the symbol records of the library at path, record selected chosen first.
    CDlgReplaceSymbol(QWidget* parent, const CString& path, int selected);
    ~CDlgReplaceSymbol() override;

private:
    void FillSources(int selected);
    // The pins of symbol record index, shown in preview; false (the user told) without one.
    bool ReadPins(int index, CPreviewWnd* preview, std::vector<CString>& pins);
    void OnSourceChanged();
    void OnReplacementChanged();
    void OnSourcePin();
    void OnReplacementPin();
    void OnReorder();
    void OnReplace();
    void ShowPairing();

    CString m_path;
    std::vector<CString> m_sourcePins;
    std::unique_ptr<CPinPairing> m_pairing;
    QComboBox* m_source;
    QComboBox* m_replacement;
    CPreviewWnd* m_sourcePreview;
    CPreviewWnd* m_replacementPreview;
    QListWidget* m_sourceList;
    QListWidget* m_replacementList;
    bool m_filling = false;
};

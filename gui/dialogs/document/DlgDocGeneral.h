#pragma once
// The document "General" page: the colours, line sizes (points) and fonts that new pins,
// wires, objects and texts take, and the base number of generated identifiers. It edits the
// settings the document settings sheet holds and writes them back when applied.

#include "gui/kit/PropertySheet.h"
#include "model/doc/DocDefaultsForm.h"

class CColourButton;
class QLineEdit;
class QPushButton;

class CDlgDocGeneral : public CPropertyPage {
    Q_OBJECT
public:
    CDlgDocGeneral(DocSettings& settings, QWidget* parent);

    CColourButton* colour(DocDefaultsForm::Colour which) const { return m_colours[which]; }
    QLineEdit* lineSize(DocDefaultsForm::LineSize which) const { return m_lineSizes[which]; }
    QLineEdit* firstPartNumber() const { return m_firstPartNumber; }
    QPushButton* pinFontButton() const { return m_pinFont; }
    QPushButton* textFontButton() const { return m_textFont; }
    const DocDefaultsForm& Form() const { return m_form; }

protected:
    void OnLoad() override;
    bool OnKillActive() override;
    void OnApply() override;

private:
    // The "Pin Font" or "Default Text Font" sheet over font; it changes only on OK.
    void ChooseFont(const QString& title, LOGFONT& font);
    bool Refuse(QLineEdit* edit, const CString& message);

    DocSettings& m_settings;
    DocDefaultsForm m_form;
    CColourButton* m_colours[DocDefaultsForm::kColourCount];
    QLineEdit* m_lineSizes[DocDefaultsForm::kLineSizeCount];
    QLineEdit* m_firstPartNumber;
    QPushButton* m_pinFont;
    QPushButton* m_textFont;
};

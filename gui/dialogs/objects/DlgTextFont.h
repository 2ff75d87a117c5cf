#pragma once
// The text "Font" page: the face, the size in points, "&Bold", "&Italic" and "&Underline", and
// a sample "AaBbYyZz" in the chosen font. It edits a TextFontState loaded from the texts (or
// from one font, for the document's default fonts).

#include "gui/kit/PropertySheet.h"
#include "model/text/TextFontState.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

class CDlgTextFont : public CPropertyPage {
    Q_OBJECT
public:
    CDlgTextFont(const TextFontState& state, QWidget* parent);

    // After OK: the fields the user changed, the others unknown (left as each font has them).
    const TextFontState& State() const { return m_changes; }
    bool IsApplied() const { return m_applied; }

    QListWidget* faces() const { return m_faces; }
    QComboBox* size() const { return m_size; }
    QCheckBox* bold() const { return m_bold; }
    QCheckBox* italic() const { return m_italic; }
    QCheckBox* underline() const { return m_underline; }
    QLabel* sample() const { return m_sample; }

protected:
    void OnLoad() override;
    bool OnKillActive() override;
    void OnApply() override;

private:
    // The row of a face; one is added for a face that is not installed.
    QListWidgetItem* FaceItem(const QString& face);
    void ChooseFace();
    // Takes the size typed or chosen when it is one.
    void ReadSize();
    void ShowSample();

    TextFontState m_state;
    TextFontState m_changes;
    bool m_applied = false;
    QListWidget* m_faces;
    QComboBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QLabel* m_sample;
};

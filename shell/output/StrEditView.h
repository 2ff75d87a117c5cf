#pragma once
// The view of an output-text document: an output edit in the font of the settings' "Text"
// section, with margins of 10 pixels and a tab stop every 70 dialog units. Its text is kept
// with CR LF line ends when it is saved or loaded. Being a document window, it keeps only the
// keys it edits its text with: the menus' accelerators and the window keys work here as in a
// drawing window.

#include <string>
#include <string_view>

#include "platform/GdiTypes.h"
#include "shell/output/OutputEdit.h"

class SettingsStore;

class CStrEditView : public COutputEdit {
    Q_OBJECT
public:
    CStrEditView(const SettingsStore& settings, QWidget* parent = nullptr);

    // The view font: "Text"/"Face", "CharSet", "Height" and "PitchAndFamily", by default an
    // 8-point "MS Sans Serif" on a screen of dpiY pixels per inch; weight 400.
    static LOGFONT LoadViewFont(const SettingsStore& settings, int dpiY);

    // The text as bytes with CR LF line ends, in the encoding the last SetRawText read (UTF-8
    // for new text).
    std::string GetRawText() const;
    // Replaces the text; CR LF and LF both end a line. Bytes that are not UTF-8 are read as
    // code page 1252, and the text is written back that way.
    void SetRawText(std::string_view bytes);

protected:
    bool event(QEvent* event) override;

private:
    bool m_cp1252 = false;
};

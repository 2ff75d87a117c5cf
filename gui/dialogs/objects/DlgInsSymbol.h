#pragma once
// The "Character Map" page of the Insert Symbol sheet: a font (or "(normal text)") and one of
// its characters 32 to 255, shown in a grid and in a preview. The face and the character are
// remembered in "Settings"/"SymbolFont" and "SymbolCharIndex".

#include <vector>

#include "gui/kit/PropertySheet.h"
#include "platform/GdiTypes.h"

class CDrawObj;
class CObjectPreview;
class CWndCharMap;
class QComboBox;

class CDlgInsSymbol : public CPropertyPage {
    Q_OBJECT
public:
    explicit CDlgInsSymbol(QWidget* parent = nullptr);

    // -1 when none.
    int ChosenCharacter() const { return m_chosen; }
    const LOGFONT& ChosenFont() const { return m_chosenFont; }
    // A new text box with the chosen character; null when none is chosen.
    CDrawObj* MakeChoice() const;

    QComboBox* FontCombo() const { return m_fonts; }
    CWndCharMap* CharMap() const { return m_map; }

signals:
    void insertEnabled(bool enabled);
    void chosen();
    void pageShown();

protected:
    void OnLoad() override;
    void showEvent(QShowEvent* event) override;

private:
    void FillFonts();
    void OnFontChosen(int index);
    void UpdatePreview();
    // The LOGFONT of the combo's current entry; null when none is selected.
    const LOGFONT* CurrentFont() const;

    CObjectPreview* m_preview;
    CWndCharMap* m_map;
    QComboBox* m_fonts;
    std::vector<LOGFONT> m_faces;  // by the combo entries' data
    int m_chosen = -1;
    LOGFONT m_chosenFont{};
};

#pragma once
// CDocSettingsCmd: a change of the document settings ("document settings", or "print options"
// from the print set-up). Doing and undoing exchange the kept settings with the document's.

#include "model/cmd/ExchangeCmd.h"
#include "model/doc/PrintSettings.h"
#include "model/doc/SheetBorder.h"
#include "platform/GdiTypes.h"

// The settings of a document that its settings sheets edit.
struct DocSettings {
    LOGPEN pen;
    LOGBRUSH brush;
    LOGPEN pinPen;
    LOGBRUSH pinBrush;
    LOGPEN wirePen;
    LOGBRUSH wireBrush;
    LOGFONT textFont;
    LOGFONT pinFont;
    COLORREF paperColour = 0;
    COLORREF pinNameColour = 0;
    COLORREF pinNumberColour = 0;
    LONG firstPartNumber = 0;
    SIZE paperSize{};
    RECT margins{};
    CSheetBorder border;
    CPrintSettings printSettings;

    static DocSettings Of(const CDrawDoc& doc);
    bool operator==(const DocSettings& other) const;
};

class CDocSettingsCmd : public CExchangeCmd {
public:
    CDocSettingsCmd(const DocSettings& settings, BOOL printOptions)
        : m_kept(settings), m_printOptions(printOptions) {}

    // Gives the document the kept settings and keeps its own: the pin fonts are made again,
    // the paper size goes to the views, the margins are kept within the paper, and every view
    // is repainted.
    BOOL Do(CDrawDoc* doc) override;
    const char* GetName() const override {
        return m_printOptions ? "print options" : "document settings";
    }

private:
    DocSettings m_kept;
    BOOL m_printOptions;
};

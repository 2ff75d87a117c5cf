#pragma once
// The text metrics of the fonts the screen draws with, for the layout and word wrap of text
// objects. Text is measured as on the screen but at ten times its resolution, one sheet unit
// being a thousandth of an inch, so that the measure does not follow the zoom of any window; a
// font of height 0, whose size is the screen's own in pixels, at the screen's resolution.

#include "model/text/TextMetrics.h"

class CQtTextMetrics : public ITextMetrics {
public:
    // A font that cannot be made measures every byte as 0.
    void MeasureChars(std::string_view text, const LOGFONT& font,
                      std::vector<LONG>& cumulative) const override;
};

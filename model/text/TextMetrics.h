#pragma once
// Text measurement for the layout and word wrap of text objects. The core measures through
// the installed ITextMetrics, so that it runs headless: the window shell installs metrics
// backed by the system's fonts, and without any the fixed-pitch default below is used.
//
// A font's height is taken in the caller's logical units (negative: character height,
// positive: cell height, 0: a default height), and advances come back in the same units.
// The default gives every byte the advance round(0.6 h), h = |height| (12 for 0, at most a
// million), rounded half up: the rule of the recording device context, so that measured
// layouts and recorded drawings agree.

#include <string_view>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/Installed.h"

class ITextMetrics {
public:
    virtual ~ITextMetrics() = default;
    // Fills cumulative with the advance of the first 1, 2, ... n bytes of text (n values).
    virtual void MeasureChars(std::string_view text, const LOGFONT& font,
                              std::vector<LONG>& cumulative) const = 0;
};

// Without installed metrics the fixed-pitch default measures.
template <>
ITextMetrics& Installed<ITextMetrics>::Fallback();

// Installs metrics for the whole process (null uninstalls) and returns the ones replaced.
// The caller keeps ownership and uninstalls them before destroying them.
inline ITextMetrics* SetTextMetrics(ITextMetrics* metrics) {
    return Installed<ITextMetrics>::Install(metrics);
}
// The installed metrics, else the default ones.
inline const ITextMetrics& GetTextMetrics() {
    return Installed<ITextMetrics>::Get();
}

// The advance of the whole text through the installed metrics.
LONG TextWidth(std::string_view text, const LOGFONT& font);

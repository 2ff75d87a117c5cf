#include "model/text/TextMetrics.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::int64_t kMaxFontHeight = 1000000;
constexpr std::int64_t kDefaultFontHeight = 12;

class FixedPitchMetrics : public ITextMetrics {
public:
    void MeasureChars(std::string_view text, const LOGFONT& font,
                      std::vector<LONG>& cumulative) const override {
        std::int64_t height = std::min(std::abs(std::int64_t{font.lfHeight}), kMaxFontHeight);
        if (height == 0)
            height = kDefaultFontHeight;
        const std::int64_t advance = (height * 6 + 5) / 10;
        constexpr std::int64_t limit = std::numeric_limits<LONG>::max();
        cumulative.clear();
        for (std::size_t i = 1; i <= text.size(); ++i)
            cumulative.push_back(static_cast<LONG>(std::min(advance * std::int64_t(i), limit)));
    }
};

}  // namespace

template <>
ITextMetrics& Installed<ITextMetrics>::Fallback() {
    static FixedPitchMetrics metrics;
    return metrics;
}

LONG TextWidth(std::string_view text, const LOGFONT& font) {
    if (text.empty())
        return 0;
    std::vector<LONG> cumulative;
    GetTextMetrics().MeasureChars(text, font, cumulative);
    return cumulative.empty() ? 0 : cumulative.back();
}

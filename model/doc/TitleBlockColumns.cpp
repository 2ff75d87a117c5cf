#include "model/doc/TitleBlockColumns.h"

#include <cctype>
#include <cstdlib>

namespace {

constexpr int kMinSharedShare = 150;

bool IsBlank(const char* text) {
    for (; *text; ++text) {
        if (!std::isspace(static_cast<unsigned char>(*text)))
            return false;
    }
    return true;
}

}  // namespace

std::optional<int> ParseColumnWidth(const char* text) {
    if (IsBlank(text))
        return 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || !IsBlank(end) || value < 10 || value > 80)
        return std::nullopt;
    return int(value) * 10;
}

const char* ColumnWidthsProblem(const CTitleBlockLayout& layout) {
    if (layout.CountSharedRows() == 0)
        return layout.SumFixedRowShares() > 1000 ? "Total width greater than 100%" : nullptr;
    return layout.SharedRowShare() < kMinSharedShare ? "Width too large" : nullptr;
}

#include "model/text/TextLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "model/text/TextMetrics.h"

namespace {

constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";       // U+2028
constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";  // U+2029

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

bool IsControl(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    return byte < 0x20 || byte == 0x7F;
}

// Where a line that is too wide breaks: fit bytes from start fit, the byte at fit does not.
std::size_t BreakPosition(std::string_view line, std::size_t start, std::size_t fit) {
    if (IsBlank(line[fit])) {
        while (fit < line.size() && IsBlank(line[fit]))
            ++fit;
        return fit;
    }
    for (std::size_t b = fit; b > start; --b) {
        if (IsBlank(line[b - 1]))
            return b;
    }
    return std::max(fit, start + 1);
}

// Appends line (no line ends in it) to out with soft breaks where it is wider than width.
void WrapLine(std::string_view line, const LOGFONT& font, LONG width, std::string& out) {
    std::vector<LONG> cumulative;
    GetTextMetrics().MeasureChars(line, font, cumulative);
    std::size_t start = 0;
    while (start < line.size()) {
        const std::int64_t base = start ? cumulative[start - 1] : 0;
        std::size_t fit = start;
        while (fit < line.size() && cumulative[fit] - base <= width)
            ++fit;
        if (fit == line.size()) {
            out.append(line.substr(start));
            return;
        }
        const std::size_t end = BreakPosition(line, start, fit);
        out.append(line.substr(start, end - start));
        if (end == line.size())
            return;
        out.append(kSoftBreak);
        start = end;
    }
}

}  // namespace

void RemoveSoftBreaks(std::string& text) {
    std::size_t at = 0;
    while ((at = text.find(kSoftBreak, at)) != std::string::npos)
        text.erase(at, kSoftBreak.size());
}

std::string NormalizeLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::string_view rest = text.substr(i);
        const std::size_t kept = rest.starts_with(kSoftBreak) ? kSoftBreak.size()
                                 : rest.starts_with("\r\n")   ? 2
                                                              : 0;
        if (kept) {
            out.append(rest.substr(0, kept));
            i += kept;
        } else if (rest[0] == '\r' || rest[0] == '\n') {
            out.append("\r\n");
            ++i;
        } else if (rest.starts_with(kLineSeparator) || rest.starts_with(kParagraphSeparator)) {
            out.append("\r\n");
            i += kLineSeparator.size();
        } else {
            out.push_back(rest[0]);
            ++i;
        }
    }
    return out;
}

LOGFONT SheetFont(const LOGFONT& font) {
    LOGFONT sheet = font;
    sheet.lfHeight = -MulDiv(font.lfHeight, 100, 72);
    sheet.lfWidth = 0;
    return sheet;
}

LONG LineHeight(const LOGFONT& font) {
    return SaturatedLong(std::abs(std::int64_t{MulDiv(font.lfHeight, 100, 72)}));
}

CSize MeasureTextBlock(std::string_view text, const LOGFONT& font, bool multiLine) {
    const LOGFONT sheetFont = SheetFont(font);
    const std::int64_t lineHeight = LineHeight(font);
    if (!multiLine)
        return CSize(TextWidth(text, sheetFont), SaturatedLong(lineHeight + 1));
    LONG width = 0;
    std::int64_t lineFeeds = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        width = std::max(width, TextWidth(text.substr(start, end - start), sheetFont));
        if (lf == std::string_view::npos)
            break;
        ++lineFeeds;
        start = lf + 1;
        for (; start < text.size() && IsControl(text[start]); ++start)
            lineFeeds += text[start] == '\n';
    }
    return CSize(width, SaturatedLong((lineFeeds + 1) * lineHeight));
}

std::string WrapText(std::string_view text, const LOGFONT& font, LONG width) {
    std::string plain(text);
    RemoveSoftBreaks(plain);
    if (width < 1)
        return plain;
    const LOGFONT sheetFont = SheetFont(font);
    const std::string_view view = plain;
    std::string out;
    out.reserve(plain.size());
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = view.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? view.size() : lf;
        if (end > start && view[end - 1] == '\r')
            --end;
        WrapLine(view.substr(start, end - start), sheetFont, width, out);
        if (lf == std::string_view::npos)
            return out;
        out.append(view.substr(end, lf + 1 - end));
        start = lf + 1;
    }
}

int CountLineFeeds(std::string_view text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

std::vector<std::string_view> SplitDrawnLines(std::string_view text, int count) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        const std::size_t end = std::min(text.find('\r', pos), text.size());
        lines.push_back(text.substr(pos, end - pos));
        pos = end;
        while (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

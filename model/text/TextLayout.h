#pragma once
// The text rules of text objects: soft line breaks, line ends, measuring, word wrap and the
// split into drawn lines. Fonts are given as the objects keep them, heights in tenths of a
// point; a height becomes sheet units (1/1000 inch) as MulDiv(height, 100, 72).

#include <string>
#include <string_view>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/Geometry.h"

// The three bytes word wrap inserts where it breaks a line; hard line breaks are "\r\n".
inline constexpr std::string_view kSoftBreak = "\r\r\n";

// Deletes every soft break of text in place.
void RemoveSoftBreaks(std::string& text);

// Text from outside the model (editors, the clipboard, importers): every line end, a bare
// "\n", a lone "\r" and the Unicode line and paragraph separators, becomes "\r\n". Hard and
// soft breaks stay as they are.
std::string NormalizeLineEnds(std::string_view text);

// The font a text object measures and draws with: height -MulDiv(height, 100, 72), in sheet
// units, and width 0.
LOGFONT SheetFont(const LOGFONT& font);

// The distance between two lines in sheet units: |MulDiv(height, 100, 72)|.
LONG LineHeight(const LOGFONT& font);

// The size of text as auto size lays it out. One line: the width of all of text and the line
// height + 1. Several lines: lines end at each "\n" (a "\r" before it is measured with its
// line) and the control bytes after a "\n" are skipped, so empty lines add no width; the
// width is the widest line and the height (number of "\n" + 1) line heights.
CSize MeasureTextBlock(std::string_view text, const LOGFONT& font, bool multiLine);

// Word wrap to width (sheet units): the text without its soft breaks, with a soft break
// inserted wherever a line is too wide. A line breaks after the last blank that fits (blanks
// at the break stay at the end of the line); a word wider than the whole line breaks between
// bytes; every line keeps at least one byte. A width below 1 wraps nothing.
std::string WrapText(std::string_view text, const LOGFONT& font, LONG width);

// The number of "\n" in text.
int CountLineFeeds(std::string_view text);

// The first count lines of text as they are drawn: each line runs to its first "\r" or the
// end; the next one starts after all the following "\r" and then one "\n". Lines beyond the
// end of text are empty.
std::vector<std::string_view> SplitDrawnLines(std::string_view text, int count);

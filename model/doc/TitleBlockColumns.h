#pragma once
// The checks of the "Title Block Contents" page on a layout's columns: a width is blank
// (the column shares the rest) or 10 to 80 percent; the widths must leave every sharing column
// at least 15 percent, or, with none sharing, add up to no more than the whole.

#include <optional>

#include "model/doc/TitleBlockLayout.h"

constexpr int kMaxTitleFields = 6;  // fields in one column
// The headings the page offers for a field.
constexpr const char* kTitleHeadings[] = {"Drawn By", "Title",      "Date Created", "Revision",
                                          "Comments", "Last Saved", "File"};

// A typed width as a share in thousandths (0 when blank); none when it cannot be taken.
std::optional<int> ParseColumnWidth(const char* text);
constexpr const char* kColumnWidthProblem =
    "Please enter a number betweem 10 and 80, or leave blank";

// Why the layout's column widths cannot be taken; null when they can.
const char* ColumnWidthsProblem(const CTitleBlockLayout& layout);

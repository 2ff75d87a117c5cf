#pragma once
// The reading of a device's hidden-pin list ("_Implicit"), shared by every reader: pin names,
// each followed by its pin number or a parenthesised list of numbers. The device dialogs part
// the items with the byte 0x01, the standard library and older texts with blanks or commas; a
// blank or comma inside parentheses belongs to the number list.

#include <string>
#include <string_view>
#include <vector>

// One item of the list and where it starts in the text.
struct ImplicitToken {
    std::string_view text;
    size_t position;
};

// The items of the list, in order; empty items are passed over. They point into text.
std::vector<ImplicitToken> SplitImplicitList(std::string_view text);

// A hidden pin: its name and number (empty when the list ends after the name).
struct ImplicitPin {
    std::string name;
    std::string number;

    bool operator==(const ImplicitPin&) const = default;
};

// Whether a pin name or number can stand in the list: it reads back as one item, itself, and
// holds no line break. A blank, tab, comma or 0x01 outside parentheses would part it.
bool IsImplicitPinText(std::string_view text);

// The items taken in pairs of name and number.
std::vector<ImplicitPin> ParseImplicitPins(std::string_view text);

// Whether the two lists hold the same pins with the same numbers, whatever their separators
// and order.
bool SameImplicitPins(std::string_view a, std::string_view b);

// A hidden pin that a new list keeps under another name.
struct RenamedImplicitPin {
    std::string from;
    std::string to;
};

// The pins of after that stand for pins of before under new names: a pin whose name before
// lacks takes the pin of before with the same number whose name after lacks; when one such
// name is left on each side, the two are the same pin.
std::vector<RenamedImplicitPin> RenamedImplicitPins(const std::vector<ImplicitPin>& before,
                                                    const std::vector<ImplicitPin>& after);

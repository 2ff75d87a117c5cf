#include "model/symbol/SubcctLook.h"

std::optional<COLORREF> SubcctLook::Choose(SubcctBodyPart part, std::optional<COLORREF> choice) {
    const bool isOutline = part == SubcctBodyPart::kOutline;
    bool& drawn = isOutline ? outlined : filled;
    COLORREF& colour = isOutline ? outline : fill;
    drawn = choice.has_value();
    if (choice)
        colour = *choice;
    return choice;
}

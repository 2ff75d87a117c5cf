#include "model/app/OptionalNumber.h"

#include <cmath>
#include <limits>

namespace {

enum class Entry { Empty, Number, NotNumber };

Entry ReadEntry(const char* text, double& number) {
    CString trimmed(text);
    trimmed.TrimLeft();
    if (trimmed.IsEmpty())
        return Entry::Empty;
    return ParseDouble(trimmed, number) && std::isfinite(number) ? Entry::Number : Entry::NotNumber;
}

template <typename Number>
bool Store(Entry entry, double number, Number& value, BOOL& valid) {
    if (entry == Entry::NotNumber ||
        std::fabs(number) > static_cast<double>(std::numeric_limits<Number>::max()))
        return false;
    if (entry == Entry::Number)
        value = static_cast<Number>(number);
    valid = entry == Entry::Number;
    return true;
}

}  // namespace

CString FormatOptionalNumber(double value, BOOL valid) {
    CString text;
    if (valid)
        text.Format("%.6g", value);
    return text;
}

bool ParseOptionalNumber(const char* text, double& value, BOOL& valid) {
    double number = 0.0;
    const Entry entry = ReadEntry(text, number);
    return Store(entry, number, value, valid);
}

bool ParseOptionalNumber(const char* text, float& value, BOOL& valid) {
    double number = 0.0;
    const Entry entry = ReadEntry(text, number);
    return Store(entry, number, value, valid);
}

#include "model/doc/FieldNumbers.h"

#include <cctype>
#include <cmath>

#include "platform/CString.h"

bool ReadFieldNumber(const char* text, double& value) {
    int used = 0;
    if (!ParseDouble(text, value, &used))
        return false;
    for (const char* rest = text + used; *rest; ++rest) {
        if (!std::isspace(static_cast<unsigned char>(*rest)))
            return false;
    }
    return std::isfinite(value);
}

std::string FieldText(float value) {
    CString text;
    text.Format("%.6g", double(value));
    return text.c_str();
}

std::string RescaledFieldText(const char* text, double scale) {
    double value = 0;
    if (!ReadFieldNumber(text, value))
        return text;
    return FieldText(float(value * scale));
}

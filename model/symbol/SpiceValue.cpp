#include "model/symbol/SpiceValue.h"

#include <cctype>
#include <string_view>

#include "platform/CString.h"

namespace {

struct Scale {
    std::string_view word;
    double factor;
};

constexpr Scale kScales[] = {{"T", 1e12},      {"G", 1e9},   {"Meg", 1e6}, {"K", 1e3},
                             {"mil", 2.54e-5}, {"m", 1e-3},  {"u", 1e-6},  {"M", 1e-6},
                             {"n", 1e-9},      {"p", 1e-12}, {"f", 1e-15}};

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

bool ParseSpiceValue(const char* text, double* result) {
    if (!text)
        return false;
    std::string_view rest(text);
    while (!rest.empty() && IsSpace(rest.front()))
        rest.remove_prefix(1);
    double number = 0;
    int consumed = 0;
    if (rest.empty() || !ParseDouble(std::string(rest).c_str(), number, &consumed))
        return false;
    rest.remove_prefix(static_cast<std::size_t>(consumed));
    while (!rest.empty() && IsSpace(rest.front()))
        rest.remove_prefix(1);
    double factor = 1;
    for (const Scale& scale : kScales) {
        if (rest.starts_with(scale.word)) {
            factor = scale.factor;
            break;
        }
    }
    if (result)
        *result = static_cast<float>(number) * factor;
    return true;
}

#include "interchange/protel/Real48.h"

#include <cmath>

double Real48ToDouble(const unsigned char bytes[6]) {
    double mantissa = 1.0 + (bytes[5] & 0x7F) * std::ldexp(1.0, -7) +
                      bytes[4] * std::ldexp(1.0, -15) + bytes[3] * std::ldexp(1.0, -23) +
                      bytes[2] * std::ldexp(1.0, -31) + bytes[1] * std::ldexp(1.0, -39);
    double value = std::ldexp(mantissa, bytes[0] - 129);
    return (bytes[5] & 0x80) ? -value : value;
}

#pragma once

// The six-byte real of Pascal-era files: byte 0 the exponent e, bytes 1 to 5 the mantissa from
// lowest to highest with the sign in bit 7 of byte 5; value ±(1 + m) × 2^(e − 129).
double Real48ToDouble(const unsigned char bytes[6]);

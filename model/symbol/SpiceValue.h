#pragma once
// Numbers in Spice notation: a number and an optional scale word ("2.2K", "10Meg", "5mil").

// Reads the number (in single precision) and the word after it; the word's beginning picks the
// scale, compared case-sensitively in this order: "T" 1e12, "G" 1e9, "Meg" 1e6, "K" 1e3,
// "mil" 2.54e-5, "m" 1e-3, "u" 1e-6, "M" 1e-6, "n" 1e-9, "p" 1e-12, "f" 1e-15; any other
// word or none scales by 1. FALSE when the text holds no number; result may be null.
bool ParseSpiceValue(const char* text, double* result);

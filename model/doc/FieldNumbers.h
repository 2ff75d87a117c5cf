#pragma once
// Numbers in the fields of the settings pages, read and shown the same in every locale.

#include <string>

// Reads a value typed in a field: the whole text one number, blanks around it allowed.
bool ReadFieldNumber(const char* text, double& value);
// A float as a field shows it: up to six significant digits ("297", "8.5", "0.76").
std::string FieldText(float value);
// A number typed in a field, shown again in another unit: the number times scale, as FieldText
// shows it; the text as it is when it holds no number.
std::string RescaledFieldText(const char* text, double scale);

#pragma once
// An optional number in an edit box: an empty box means "no value". Dialogs load the box
// with FormatOptionalNumber and read it back with ParseOptionalNumber.

#include "platform/CString.h"
#include "platform/Types.h"

// Shown when a box holds text that is no number; the box keeps the focus.
inline constexpr char kEnterNumberMessage[] = "Please enter a number.";

// Empty text when valid is FALSE, else the value with six significant digits ("%.6g").
CString FormatOptionalNumber(double value, BOOL valid);

// Reads a box's text. Leading blanks are ignored and so is anything after the number. Empty
// text sets valid to FALSE and keeps value; a number sets value and valid to TRUE. Returns
// false, changing nothing, when the text does not start with a finite number (for a float,
// one within the float range): the caller then shows kEnterNumberMessage.
bool ParseOptionalNumber(const char* text, double& value, BOOL& valid);
bool ParseOptionalNumber(const char* text, float& value, BOOL& valid);

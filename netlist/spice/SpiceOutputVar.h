#pragma once
// Output variables of Spice analyses: V(node), V(node,ref), I(source) and the real part,
// imaginary part, magnitude, phase and decibel forms VR, VI, VM, VP and VDB.

#include <iosfwd>

#include "platform/CString.h"

struct CSpiceOutputVar {
    enum Kind { kNone = -1, kI = 0, kV, kVR, kVI, kVM, kVP, kVDB };

    int kind = kNone;
    CString arg1;
    CString arg2;  // empty when absent

    bool IsVoltage() const { return kind >= kV; }
};

// Reads at most maxCount variables from text into records; the number read. Argument count
// errors go to log (may be null) as "Error - not enough arguments<text>" or
// "Error - too many arguments<text>" and end the reading.
int ParseOutputVariables(CSpiceOutputVar* records, int maxCount, const char* text,
                         std::ostream* log);

// "V( a, b )", "I( V1 )" and so on.
CString FormatOutputVariable(const CSpiceOutputVar& record);

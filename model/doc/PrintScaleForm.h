#pragma once
// What the "Position and Scaling" page shows of a document's print settings, how its fields
// are checked, and how OK writes them back.

#include <optional>
#include <string>

#include "model/doc/PrintSettings.h"
#include "platform/CString.h"

struct PrintScaleForm {
    enum Size { kNormalSize, kScaled, kFitPage, kFitTwoPages, kFitFourPages };
    static constexpr int kMinFactor = 30;  // percent
    static constexpr int kMaxFactor = 1000;
    static constexpr double kMaxOffset = 1000.0;  // inches or centimetres, either sign

    bool atOffset = false;
    Size size = kFitPage;
    int factor = 100;
    bool printGrid = true;
    bool monochrome = false;
    bool mirrorTextAngle = false;

    static PrintScaleForm From(const CPrintSettings& settings);
    // Rebuilds the flags from the choices; Normal Size and Scale set the scale, the fit
    // choices keep it. A changed offset (1/1000 inch) replaces the stored one.
    void ApplyTo(CPrintSettings& settings, std::optional<LONG> offsetX,
                 std::optional<LONG> offsetY) const;
};

// An offset in 1/1000 inch shown in inches or centimetres, two decimals ("1.23", "3.13").
CString OffsetText(LONG offset, bool metric);

// A field's value, or the framework's message why it cannot be taken.
template <class T>
struct FieldValue {
    std::optional<T> value;
    std::string problem;
};
// The scale factor: a whole number of percent from 30 to 1000.
FieldValue<int> ParseScaleFactor(const char* text);
// An offset typed in inches or centimetres (-1000 to 1000), in 1/1000 inch.
FieldValue<LONG> ParseOffset(const char* text, bool metric);

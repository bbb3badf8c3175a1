#pragma once

#include <string>
#include <string_view>

// Tape-measure texts: a whole number, a fraction with a denominator of 2 to 64, or both
// ("12", "3/4", "12 1/2"). Lengths are single precision, as the project file stores them.
// Nothing here knows about widgets, so the windows, the tests and the command-line report share it.
namespace hm {

// Reads a plain decimal number (sign, digits, optional point, optional exponent; the full stop is
// always the decimal point). Blanks around it are ignored. Throws ConversionError otherwise.
double textToNumber(std::string_view text);

// Rounds a double to single precision; out-of-range values become infinities, never undefined.
float toSingle(double value);

// "3/4" -> 0.75; a text without "/" must be a number (else ConversionError); an unreadable
// numerator or denominator gives 0; a zero denominator throws ArithmeticError.
float FractionToFloat(std::string_view frac);

// "[whole part, space] number-or-fraction" -> its value. An empty text gives 0. A negative whole
// part carries its sign to the fraction: "-2 1/2" is -2.5.
float FullFractionToFloat(std::string_view frac);

// The display text of a length: "12 1/2", " 3/4" (values below 1 keep a leading space), "" for 0,
// and "0" for anything that is not a whole number of 64ths once written with six decimals.
// Negative values keep their sign: "-1 1/2", "-1/2", "-3".
std::string FloatToFraction(float num);

// What the tape check makes of a field's text: the normal form, or the text unchanged with the
// error flag set when the value is not a finite whole number of 64ths.
struct TapeResult {
  std::string text;
  bool tapeError = false;
};

// The text logic of EditTape. Throws ConversionError or ArithmeticError like FullFractionToFloat.
TapeResult editTapeText(std::string_view fieldText);

}  // namespace hm

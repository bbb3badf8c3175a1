#pragma once

#include <QString>

class QLineEdit;

namespace hm {

// Checks the measurement in `sender` and returns its normal form; the caller puts the text back
// into the field. A value that is not a whole number of 64ths sets `tapeError`, shows "Invalid Tape
// Measurement!", moves the focus to the field and returns the text unchanged. A text that is not a
// number throws ConversionError, a zero denominator ArithmeticError.
QString EditTape(QLineEdit* sender, bool& tapeError);

}  // namespace hm

// The tape-measure texts: reading (FullFractionToFloat, FractionToFloat), the tape check of the
// edits (editTapeText) and the display text (FloatToFraction). The input is the text; its first
// four bytes also make a float for FloatToFraction, so any bit pattern a file can hold is tried.
#include "fuzz_support.h"
#include "measure/tape.h"
#include "platform/errors.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace hm;

std::optional<float> read(std::string_view text) {
  try {
    return FullFractionToFloat(text);
  } catch (const ConversionError&) {
  } catch (const ArithmeticError&) {
  }
  return std::nullopt;
}

// A display text reads back as its value whenever the value is a whole number of 64ths.
void checkDisplay(float value) {
  const std::string text = FloatToFraction(value);
  HM_FUZZ_CHECK(fuzz::displayText(text), text);
  if (!fuzz::wholeSixtyFourths(value)) return;
  HM_FUZZ_CHECK(text != "0", text);
  const std::optional<float> back = read(text);
  HM_FUZZ_CHECK(back.has_value() && *back == value, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  std::uint32_t bits = 0;
  std::memcpy(&bits, data, std::min<std::size_t>(size, sizeof bits));
  checkDisplay(std::bit_cast<float>(bits));

  try {
    FractionToFloat(text);
  } catch (const ConversionError&) {
  } catch (const ArithmeticError&) {
  }

  const std::optional<float> value = read(text);
  std::optional<TapeResult> checked;
  try {
    checked = editTapeText(text);
  } catch (const ConversionError&) {
  } catch (const ArithmeticError&) {
  }
  // The tape check reads the text exactly as FullFractionToFloat does.
  HM_FUZZ_CHECK(checked.has_value() == value.has_value(), text);
  if (!value) return 0;
  checkDisplay(*value);

  // Accepted exactly when the value is a finite whole number of 64ths; then the normal form reads
  // back as the same value, and checking it again changes nothing.
  HM_FUZZ_CHECK(checked->tapeError == !fuzz::wholeSixtyFourths(*value), text);
  if (checked->tapeError) {
    HM_FUZZ_CHECK(checked->text == text, checked->text);
    return 0;
  }
  HM_FUZZ_CHECK(fuzz::normalTapeText(checked->text), checked->text);
  const std::optional<float> back = read(checked->text);
  HM_FUZZ_CHECK(back.has_value() && *back == *value, checked->text);
  const TapeResult again = editTapeText(checked->text);
  HM_FUZZ_CHECK(!again.tapeError && again.text == checked->text, again.text);
  return 0;
}

#pragma once

#include "layout/row_bars.h"
#include "measure/tape.h"
#include "platform/errors.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets share: a check that stops the run, the row apply as the layout window does
// it, and the shapes of the measurement texts.
namespace hm::fuzz {

// A broken property is a finding like a crash: stop at once, so that libFuzzer keeps the input and
// the corpus replay fails.
[[noreturn]] inline void failed(const char* what, const char* file, int line,
                                std::string_view detail) {
  std::fprintf(stderr, "%s:%d: property failed: %s [%.*s]\n", file, line, what,
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

#define HM_FUZZ_CHECK(condition, detail) \
  ((condition) ? void() : ::hm::fuzz::failed(#condition, __FILE__, __LINE__, (detail)))

// A cell that the tape texts write exactly: finite and a whole number of 64ths.
inline bool wholeSixtyFourths(float value) {
  const double v = static_cast<double>(value) * 64.0;
  return std::isfinite(v) && std::floor(v) == v;
}

// A row's entry text applied as the layout window's apply button does it: every value through the
// tape check, a rejected one stored as 0. A value that is not a number throws, and the row then
// keeps what was stored before it, as in the window.
inline std::array<float, 10> applyRowText(std::string_view entry) {
  std::array<float, 10> row{};
  const std::vector<std::string> values = splitRowValues(cleanRowText(entry));
  for (std::size_t column = 0; column < values.size(); ++column) {
    const TapeResult checked = editTapeText(values[column]);
    row[column] = FullFractionToFloat(checked.tapeError ? std::string("0") : checked.text);
  }
  return row;
}

namespace detail {

inline bool digitsWithoutLeadingZero(std::string_view s) {
  if (s.empty() || s.front() == '0') return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "k/d" in lowest terms: d one of 2 to 64, k odd and below d.
inline bool lowestFraction(std::string_view s) {
  const std::size_t slash = s.find('/');
  if (slash == std::string_view::npos) return false;
  const std::string_view k = s.substr(0, slash);
  const std::string_view d = s.substr(slash + 1);
  if (!digitsWithoutLeadingZero(k) || !digitsWithoutLeadingZero(d)) return false;
  if (k.size() > 2 || d.size() > 2) return false;
  const int kn = std::stoi(std::string(k));
  const int dn = std::stoi(std::string(d));
  const bool powerOfTwo = dn == 2 || dn == 4 || dn == 8 || dn == 16 || dn == 32 || dn == 64;
  return powerOfTwo && kn % 2 == 1 && kn < dn;
}

// "W" or "W k/d", W a whole number without leading zeros (at least 1).
inline bool wholeAndFraction(std::string_view s) {
  const std::size_t space = s.find(' ');
  if (space == std::string_view::npos) return digitsWithoutLeadingZero(s);
  return digitsWithoutLeadingZero(s.substr(0, space)) && lowestFraction(s.substr(space + 1));
}

}  // namespace detail

// The normal form of the tape check: "0", "W", "k/d", "W k/d", each possibly with "-" in front,
// and "-0 k/d" for a negative value above -1.
inline bool normalTapeText(std::string_view s) {
  if (s == "0") return true;
  if (s.starts_with("-0 ")) return detail::lowestFraction(s.substr(3));
  if (s.starts_with('-')) s.remove_prefix(1);
  return detail::lowestFraction(s) || detail::wholeAndFraction(s);
}

// What FloatToFraction writes: "" for 0, "0" for a value it cannot write, " k/d" below 1, "W" and
// "W k/d", and for negative values "-k/d", "-W" and "-W k/d".
inline bool displayText(std::string_view s) {
  if (s.empty() || s == "0") return true;
  if (s.starts_with(' ')) return detail::lowestFraction(s.substr(1));
  if (s.starts_with('-')) {
    s.remove_prefix(1);
    return detail::lowestFraction(s) || detail::wholeAndFraction(s);
  }
  return detail::wholeAndFraction(s);
}

}  // namespace hm::fuzz

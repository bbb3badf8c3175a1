#include "tape.h"

#include "platform/errors.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace hm {
namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Whether the (already validated) number text has a magnitude of at least 1, judged from the
// position of its first significant digit; only asked when the value does not fit a double.
bool magnitudeAtLeastOne(std::string_view s) {
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  const std::size_t e = s.find_first_of("eE");
  const std::string_view mantissa = s.substr(0, e);
  std::int64_t exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view ex = s.substr(e + 1);
    bool negative = false;
    if (!ex.empty() && (ex.front() == '+' || ex.front() == '-')) {
      negative = ex.front() == '-';
      ex.remove_prefix(1);
    }
    for (char c : ex) {
      exponent = std::min<std::int64_t>(exponent * 10 + (c - '0'), 1'000'000'000);
    }
    if (negative) exponent = -exponent;
  }
  // Decimal position of the first non-zero digit relative to the point.
  const std::size_t point = mantissa.find('.');
  const std::size_t intDigits = point == std::string_view::npos ? mantissa.size() : point;
  std::int64_t position = 0;
  for (std::size_t i = 0; i < mantissa.size(); ++i) {
    if (mantissa[i] == '.' || mantissa[i] == '0') continue;
    position = i < intDigits ? static_cast<std::int64_t>(intDigits - i)
                             : -static_cast<std::int64_t>(i - intDigits - 1);
    break;
  }
  return position + exponent > 0;
}

std::optional<double> parseNumber(std::string_view text) {
  std::string_view s = trimmed(text);
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;

  const bool negative = s.front() == '-';
  std::string_view body = s;
  if (body.front() == '+' || body.front() == '-') body.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (ec == std::errc::result_out_of_range) {
    value = magnitudeAtLeastOne(body) ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || end != body.data() + body.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

// Writes a whole, finite, non-negative double exactly ("1000000015047466219876688855040").
std::string wholeDigits(double whole) {
  std::array<char, 400> buf{};
  const auto [end, ec] =
      std::to_chars(buf.data(), buf.data() + buf.size(), whole, std::chars_format::fixed, 0);
  if (ec != std::errc()) return "0";
  return std::string(buf.data(), end);
}

// k/d in lowest terms from a count of 64ths (1..63).
std::string fractionText(int sixtyFourths) {
  int k = sixtyFourths;
  int d = 64;
  while (k % 2 == 0) {
    k /= 2;
    d /= 2;
  }
  return std::to_string(k) + "/" + std::to_string(d);
}

}  // namespace

double textToNumber(std::string_view text) {
  const std::optional<double> value = parseNumber(text);
  if (!value) {
    throw ConversionError("\"" + std::string(trimmed(text)) + "\" is not a valid number");
  }
  return *value;
}

float toSingle(double value) {
  if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
  const double limit = static_cast<double>(std::numeric_limits<float>::max());
  if (value > limit || value < -limit) {
    // Up to half a float step above the largest float still rounds to it; from there on, infinity.
    const double roundingEdge = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
    if (std::fabs(value) < roundingEdge) {
      return value > 0 ? std::numeric_limits<float>::max() : -std::numeric_limits<float>::max();
    }
    return value > 0 ? std::numeric_limits<float>::infinity()
                     : -std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(value);
}

float FractionToFloat(std::string_view frac) {
  const std::size_t slash = frac.find('/');
  if (slash == std::string_view::npos) return toSingle(textToNumber(frac));
  const std::optional<double> numerator = parseNumber(frac.substr(0, slash));
  if (!numerator) return 0.0f;
  const std::optional<double> denominator = parseNumber(frac.substr(slash + 1));
  if (!denominator) return 0.0f;
  const float n = toSingle(*numerator);
  const float d = toSingle(*denominator);
  if (d == 0.0f) throw ArithmeticError("Division by zero");
  return n / d;
}

float FullFractionToFloat(std::string_view frac) {
  const std::string_view t = trimmed(frac);
  if (t.empty()) return 0.0f;
  double whole = 0.0;
  std::string rest;
  const std::size_t space = t.find(' ');
  if (space != std::string_view::npos) {
    whole = textToNumber(t.substr(0, space));
    for (char c : t.substr(space + 1)) {
      if (c != ' ') rest.push_back(c);
    }
  } else {
    rest = std::string(t);
  }
  const double fraction = FractionToFloat(rest);
  // "-2 1/2" means minus two and a half, as EditTape writes it.
  return toSingle(std::signbit(whole) ? whole - fraction : whole + fraction);
}

std::string FloatToFraction(float num) {
  if (!std::isfinite(num)) return "0";
  const bool negative = num < 0.0f;
  const double magnitude = std::fabs(static_cast<double>(num));
  std::array<char, 400> buf{};
  const auto [end, ec] =
      std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::fixed, 6);
  if (ec != std::errc()) return "0";
  const std::string fixed(buf.data(), end);
  const std::size_t point = fixed.find('.');
  const std::string whole = fixed.substr(0, point);
  const int micro = std::stoi(fixed.substr(point + 1));
  if ((micro * 64) % 1'000'000 != 0) return "0";
  const int sixtyFourths = micro * 64 / 1'000'000;
  const bool hasWhole = whole != "0";
  std::string text;
  if (hasWhole) text = whole;
  if (sixtyFourths > 0) {
    // Positive values below 1 keep the leading space that callers have always seen.
    text += (hasWhole || !negative ? " " : "") + fractionText(sixtyFourths);
  }
  if (negative && !text.empty()) text = "-" + text;
  return text;
}

TapeResult editTapeText(std::string_view fieldText) {
  const float value = FullFractionToFloat(fieldText);
  const double v = value;
  if (!std::isfinite(v) || std::floor(v * 64.0) != v * 64.0) {
    return {std::string(fieldText), true};
  }
  const bool negative = std::signbit(v) && v != 0.0;
  const double magnitude = std::fabs(v);
  const double whole = std::floor(magnitude);
  const int sixtyFourths = static_cast<int>((magnitude - whole) * 64.0);
  const std::string digits = wholeDigits(whole);
  std::string text;
  if (sixtyFourths == 0) {
    text = digits;
  } else if (whole == 0.0) {
    text = fractionText(sixtyFourths);
  } else {
    text = digits + " " + fractionText(sixtyFourths);
  }
  if (negative) {
    // Below -1 the sign stands before the whole part; above it the whole part -0 carries it.
    text = (whole == 0.0 ? "-0 " : "-") + text;
  }
  return {text, false};
}

}  // namespace hm

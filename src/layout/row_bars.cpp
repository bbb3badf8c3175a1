#include "row_bars.h"

#include "measure/tape.h"

#include <cmath>
#include <cstddef>

namespace hm {
namespace {
// No bar is longer than this; a corrupt total cannot ask Qt for an absurd width.
constexpr float kLongestBar = 100000.0f;

constexpr std::size_t kRowColumns = 10;

// The characters QChar::isSpace() takes for white space, as UTF-8: the ASCII controls 9 to 13,
// the blank, NEL, and the Unicode space, line and paragraph separators.
constexpr std::string_view kWideSpaces[] = {
    // U+0085, U+00A0, U+1680, U+2000 to U+200A, U+2028, U+2029, U+202F, U+205F, U+3000
    "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81",
    "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86",
    "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xA8",
    "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};

bool isAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t leadingSpace(std::string_view s) {
  if (s.empty()) return 0;
  if (isAsciiSpace(s.front())) return 1;
  for (std::string_view space : kWideSpaces) {
    if (s.starts_with(space)) return space.size();
  }
  return 0;
}

std::size_t trailingSpace(std::string_view s) {
  if (s.empty()) return 0;
  if (isAsciiSpace(s.back())) return 1;
  for (std::string_view space : kWideSpaces) {
    if (s.ends_with(space)) return space.size();
  }
  return 0;
}

std::string_view trimSpaces(std::string_view s) {
  while (const std::size_t n = leadingSpace(s)) s.remove_prefix(n);
  while (const std::size_t n = trailingSpace(s)) s.remove_suffix(n);
  return s;
}

}  // namespace

std::array<RowBar, 10> computeRowBars(const BinRows& rows, float maxBar) {
  std::array<float, 10> totals{};
  float bigBar = 0.0f;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    float total = 0.0f;
    for (float w : rows[r]) total += w;
    totals[r] = total;
    if (total > bigBar) bigBar = total;
  }
  const float scale = bigBar > 0.0f ? maxBar / bigBar : 1.0f;

  std::array<RowBar, 10> bars;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    std::string caption;
    for (float w : rows[r]) {
      if (w > 0.0f) caption += FloatToFraction(w) + ", ";
    }
    if (!caption.empty()) {
      caption.resize(caption.size() - 2);
      caption += "  (" + FloatToFraction(totals[r]) + ")";
    }
    bars[r].caption = caption;
    const float length = scale * totals[r] + 0.5f - 20.0f;
    // Cut toward zero; negative, not-a-number and absurd lengths are clamped before converting.
    if (length >= 1.0f) {
      bars[r].width = static_cast<int>(std::min(length, kLongestBar));
    }
  }
  return bars;
}

std::string rowValuesText(const std::array<float, 10>& row) {
  std::string text;
  for (float w : row) {
    if (w > 0.0f) text += FloatToFraction(w) + ",";
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::string cleanRowText(std::string_view text) {
  std::string cleaned;
  for (char c : trimSpaces(text)) {
    if (c == ',' && !cleaned.empty() && cleaned.back() == ',') continue;
    cleaned.push_back(c);
  }
  while (!cleaned.empty() && cleaned.back() == ',') cleaned.pop_back();
  return cleaned;
}

std::vector<std::string> splitRowValues(std::string_view cleaned) {
  std::vector<std::string> values;
  std::string_view text = cleaned;
  while (!text.empty() && values.size() < kRowColumns) {
    const std::size_t comma = text.find(',');
    values.emplace_back(trimSpaces(text.substr(0, comma)));
    text =
        comma == std::string_view::npos ? std::string_view() : trimSpaces(text.substr(comma + 1));
  }
  return values;
}

}  // namespace hm

#include "row_bars.h"

#include "measure/tape.h"

#include <cmath>

namespace hm {
namespace {
// No bar is longer than this; a corrupt total cannot ask Qt for an absurd width.
constexpr float kLongestBar = 100000.0f;
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

}  // namespace hm

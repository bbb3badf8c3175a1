#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace hm {

using BinRows = std::array<std::array<float, 10>, 10>;

// What one row's bar shows: its caption ("12, 12 1/2, 6  (30 1/2)", empty for a row without
// bins) and its length in pixels (0 when the scaled row is too short to draw).
struct RowBar {
  std::string caption;
  int width = 0;
};

// The bars of the ten rows, scaled so that the longest row (its 20-pixel button included) spans
// maxBar pixels. Any stored widths are safe here, however large, negative or not finite.
std::array<RowBar, 10> computeRowBars(const BinRows& rows, float maxBar);

// The widths of a row that are bins, as the entry field shows them: "12,12 1/2,6".
std::string rowValuesText(const std::array<float, 10>& row);

// The entry field's text (UTF-8) as the row's apply button takes it: trimmed of white space the
// way QString::trimmed() trims it, every run of commas made one comma, and no comma at the end.
// A comma at the start stays, so the first value is then empty.
std::string cleanRowText(std::string_view text);

// The values of a cleaned text in order, each trimmed; empty values stay (",12" gives "" and
// "12"). At most ten: a row has no room for more, so the rest is dropped.
std::vector<std::string> splitRowValues(std::string_view cleaned);

}  // namespace hm

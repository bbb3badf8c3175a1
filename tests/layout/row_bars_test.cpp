#include "layout/row_bars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace hm {
namespace {

BinRows rowsOf(std::initializer_list<std::initializer_list<float>> rows) {
  BinRows r{};
  std::size_t i = 0;
  for (const auto& row : rows) {
    std::size_t j = 0;
    for (float w : row) r[i][j++] = w;
    ++i;
  }
  return r;
}

TEST(RowBars, LongestRowSpansMaxBarAndOthersScale) {
  const auto bars = computeRowBars(rowsOf({{12, 12, 6}, {10, 5}}), 440.0f);
  EXPECT_EQ(bars[0].caption, "12, 12, 6  (30)");
  EXPECT_EQ(bars[0].width, 420);  // 440 with its button
  EXPECT_EQ(bars[1].caption, "10, 5  (15)");
  EXPECT_EQ(bars[1].width, 200);
  for (std::size_t i = 2; i < 10; ++i) {
    EXPECT_EQ(bars[i].caption, "");
    EXPECT_EQ(bars[i].width, 0);
  }
}

TEST(RowBars, CaptionsListOnlyBinsButTotalsCountEveryCell) {
  BinRows rows{};
  rows[0] = {12, 12.5f, 0, 6};
  rows[1] = {3, -5};
  rows[2] = {0.75f};
  const auto bars = computeRowBars(rows, 440.0f);
  EXPECT_EQ(bars[0].caption, "12, 12 1/2, 6  (30 1/2)");
  EXPECT_EQ(bars[1].caption, "3  (-2)");
  EXPECT_EQ(bars[1].width, 0);
  EXPECT_EQ(bars[2].caption, " 3/4  ( 3/4)");
}

TEST(RowBars, ShortRowsGetNoBarButKeepTheirCaption) {
  // Scale 1 with one row of 20: 20 + 0.5 - 20 = 0.5 -> 0 pixels.
  struct Case {
    float total;
    int width;
  };
  for (const Case c : {Case{20.0f, 0}, Case{20.4375f, 0}, Case{20.5f, 1}, Case{21.4375f, 1}}) {
    BinRows rows{};
    rows[0][0] = 1000.0f;  // the longest row fixes the scale at 1
    rows[1][0] = c.total;
    const auto bars = computeRowBars(rows, 1000.0f);
    EXPECT_EQ(bars[1].width, c.width) << c.total;
    EXPECT_FALSE(bars[1].caption.empty());
  }
}

TEST(RowBars, NothingPlannedGivesEmptyBars) {
  BinRows rows{};
  rows[4][2] = -3.0f;
  for (const RowBar& bar : computeRowBars(rows, 440.0f)) {
    EXPECT_EQ(bar.width, 0);
  }
  EXPECT_EQ(computeRowBars(rows, 440.0f)[4].caption, "");
}

TEST(RowBars, DamagedWidthsAreSafe) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  BinRows rows{};
  rows[0] = {inf};
  rows[1] = {nan, 4};
  rows[2] = {3e38f, 3e38f};
  rows[3] = {-inf};
  rows[4] = {12};
  const auto bars = computeRowBars(rows, 440.0f);
  for (const RowBar& bar : bars) {
    EXPECT_GE(bar.width, 0);
    EXPECT_LE(bar.width, 100000);
  }
  EXPECT_EQ(bars[0].caption, "0  (0)");
  const auto huge = computeRowBars(rowsOf({{3e38f}, {1e-30f}}), 1e30f);
  EXPECT_LE(huge[0].width, 100000);
}

TEST(RowBars, ValuesTextIsWhatApplyWritesBack) {
  EXPECT_EQ(rowValuesText({12, 12.5f, 0, 6}), "12,12 1/2,6");
  EXPECT_EQ(rowValuesText({0.75f, 0.5f}), " 3/4, 1/2");
  EXPECT_EQ(rowValuesText({}), "");
}

TEST(RowText, CleaningAndValuesAsTheApplyButtonTakesThem) {
  struct Case {
    const char* typed;
    const char* cleaned;
    std::vector<std::string> values;
  };
  const Case cases[] = {
      {"  12, 12 1/2,, 6 ", "12, 12 1/2, 6", {"12", "12 1/2", "6"}},
      {",,12,,,", ",12", {"", "12"}},  // a comma at the start stays
      {"12, , 6", "12, , 6", {"12", "", "6"}},
      {"12 ,,", "12 ", {"12"}},  // trimmed before the commas go
      {",,,", "", {}},
      // Unicode blanks are trimmed as the entry field's own text trims them; a byte order mark
      // is no blank.
      {"\u00A012,\u3000 6\u2029", "12,\u3000 6", {"12", "6"}},
      {"\uFEFF12", "\uFEFF12", {"\uFEFF12"}},
      {"1,2,3,4,5,6,7,8,9,10,11",
       "1,2,3,4,5,6,7,8,9,10,11",
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
  };
  for (const Case& c : cases) {
    const std::string cleaned = cleanRowText(c.typed);
    EXPECT_EQ(cleaned, c.cleaned) << c.typed;
    EXPECT_EQ(splitRowValues(cleaned), c.values) << c.typed;
  }
}

}  // namespace
}  // namespace hm

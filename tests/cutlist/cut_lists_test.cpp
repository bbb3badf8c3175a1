#include "cutlist/cut_lists.h"
#include "example_record.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace hm {
namespace {

using test::exampleRecord;
using test::widthsOf;
using Lines = std::vector<std::string>;

TEST(CutListBins, GroupsTheWidthsAndSortsByWholeUnitThenFractionText) {
  EXPECT_EQ(ShowBins(exampleRecord().COM_BINVALS), (BinsRequired{{3, "6"}, {1, "8"}, {1, "12"}}));

  // Within one whole unit the fractions sort by their text and the plain number comes last.
  EXPECT_EQ(
      ShowBins(widthsOf({{12, 12.5f, 12.25f}, {12.0625f, 12.375f, 9.75f, 12.5f}})),
      (BinsRequired{
          {1, "9 3/4"}, {1, "12 1/16"}, {2, "12 1/2"}, {1, "12 1/4"}, {1, "12 3/8"}, {1, "12"}}));
  EXPECT_EQ(ShowBins(widthsOf({{12, 8}})), (BinsRequired{{1, "8"}, {1, "12"}}));
}

TEST(CutListBins, CountsOnlyWidthsAboveZeroWhereverTheyStand) {
  BinWidths w{};
  w[0][9] = 8;
  w[3][0] = 0;
  w[3][4] = -8;
  w[5][2] = 8;
  w[9][9] = 0.75f;
  EXPECT_EQ(ShowBins(w), (BinsRequired{{1, " 3/4"}, {2, "8"}}));
  EXPECT_TRUE(ShowBins(BinWidths{}).empty());
}

TEST(CutListBins, HundredBinsOfOneWidthAreOneEntry) {
  BinWidths w{};
  for (auto& row : w) row.fill(10.5f);
  ASSERT_EQ(ShowBins(w), (BinsRequired{{100, "10 1/2"}}));
  const BinSpecs specs = ShowSpecs(exampleRecord());
  EXPECT_EQ(ShowSides(specs, ShowBins(w)).lines.at(0).text(), "200 @ 4 x 5 1/2");
}

TEST(CutListBins, DamagedWidthsNeitherCrashNorCount) {
  constexpr float inf = std::numeric_limits<float>::infinity();
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  constexpr float big = std::numeric_limits<float>::max();
  // Widths that are no whole number of 64ths (infinity among them) share the text "0" and so a
  // width of nothing; below 64ths' reach a width is written as nothing at all.
  const BinsRequired bins = ShowBins(
      widthsOf({{nan, -inf, inf, 12.1f, 1e-10f, std::numeric_limits<float>::denorm_min(), -0.0f},
                {big, 1e30f, 12}}));
  EXPECT_EQ(bins, (BinsRequired{{2, ""},
                                {2, ""},
                                {1, "1000000015047466219876688855040"},
                                {1, "12"},
                                {1, "340282346638528859811704183484516925440"}}));
  const BinSpecs specs = ShowSpecs(exampleRecord());
  for (const auto& show : {ShowSides, ShowFronts, ShowBacks, ShowBases, ShowDividers}) {
    EXPECT_NO_THROW(show(specs, bins));
  }
  EXPECT_EQ(ShowBacks(specs, bins).lines.at(4).second, "340282346638528859811704183484516925440");
}

TEST(CutListBins, HugeWidthsKeepTheirOwnText) {
  // 8388000 1/2 + 1000 is not a single-precision number: the sort key rounds it, and the entry
  // used to come back as 8388000 (or 8388001), a width nobody typed.
  const BinsRequired bins = ShowBins(widthsOf({{8388000.5f, 12, 524287.96875f, 8388000.5f}}));
  EXPECT_EQ(bins, (BinsRequired{{1, "12"}, {1, "524287 31/32"}, {2, "8388000 1/2"}}));
  const BinSpecs specs = ShowSpecs(exampleRecord());
  EXPECT_EQ(ShowFronts(specs, bins).lines.at(2).second, "8388000 1/2");
  EXPECT_EQ(ShowBacks(specs, bins).lines.at(2).second, "8387999 1/2");
}

struct ExampleCase {
  const char* name;
  BinSpecs specs;
  std::string side;
  Lines front, back, base, divider;
};

class CutListWorkedExample : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(CutListWorkedExample, GivesEveryList) {
  const ExampleCase& c = GetParam();
  const BinsRequired bins = ShowBins(exampleRecord().COM_BINVALS);
  const std::string material = c.specs.edBinThk + " " + c.specs.edBinMat;

  const CutList sides = ShowSides(c.specs, bins);
  EXPECT_EQ(sides.caption(), "Sides: \r\n" + material);
  ASSERT_EQ(sides.lines.size(), 1u);
  EXPECT_EQ(sides.lines[0].text(), c.side);

  EXPECT_EQ(ShowFronts(c.specs, bins).caption(), "Front: \r\n" + material);
  EXPECT_EQ(ShowFronts(c.specs, bins).lineTexts(), c.front);
  EXPECT_EQ(ShowBacks(c.specs, bins).caption(), "Back: \r\n" + material);
  EXPECT_EQ(ShowBacks(c.specs, bins).lineTexts(), c.back);
  EXPECT_EQ(ShowBases(c.specs, bins).caption(), "Base: \r\n" + material);
  EXPECT_EQ(ShowBases(c.specs, bins).lineTexts(), c.base);
  EXPECT_EQ(ShowDividers(c.specs, bins).caption(), "Dividers: \r\n1/4 Ply");
  EXPECT_EQ(ShowDividers(c.specs, bins).lineTexts(), c.divider);
}

BinSpecs exampleSpecs() { return ShowSpecs(exampleRecord()); }
BinSpecs thickerSpecs() {
  BinSpecs s = exampleSpecs();
  s.edBinHigh = "4 1/2";
  s.edBinThk = "3/4";
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Specs, CutListWorkedExample,
    ::testing::Values(ExampleCase{"Half",
                                  exampleSpecs(),
                                  "10 @ 4 x 5 1/2",
                                  {"3 @ 2 x 6", "1 @ 2 x 8", "1 @ 2 x 12"},
                                  {"3 @ 4 x 5", "1 @ 4 x 7", "1 @ 4 x 11"},
                                  {"3 @ 5 x 5", "1 @ 5 x 7", "1 @ 5 x 11"},
                                  {"3 @ 3 3/8 x 5 1/2", "1 @ 3 3/8 x 7 1/2", "1 @ 3 3/8 x 11 1/2"}},
                      ExampleCase{"ThreeQuarter",
                                  thickerSpecs(),
                                  "10 @ 4 1/2 x 5 1/4",
                                  {"3 @ 2 1/4 x 6", "1 @ 2 1/4 x 8", "1 @ 2 1/4 x 12"},
                                  {"3 @ 4 1/2 x 4 1/2", "1 @ 4 1/2 x 6 1/2", "1 @ 4 1/2 x 10 1/2"},
                                  {"3 @ 4 1/2 x 4 1/2", "1 @ 4 1/2 x 6 1/2", "1 @ 4 1/2 x 10 1/2"},
                                  {"3 @ 3 5/8 x 5", "1 @ 3 5/8 x 7", "1 @ 3 5/8 x 11"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CutLists, EmptyLayoutGivesCaptionsAndOnlyTheSideLine) {
  const BinSpecs specs = exampleSpecs();
  EXPECT_EQ(ShowSides(specs, {}).lineTexts(), Lines{"0 @ 4 x 5 1/2"});
  for (const auto& show : {ShowFronts, ShowBacks, ShowBases, ShowDividers}) {
    const CutList list = show(specs, {});
    EXPECT_FALSE(list.title.empty());
    EXPECT_TRUE(list.lines.empty()) << list.title;
  }
}

TEST(CutLists, SidesAndBacksShowTheHeightAsTyped) {
  BinSpecs specs = exampleSpecs();
  specs.edBinHigh = "0.5e1";
  const BinsRequired bins{{1, "6"}};
  EXPECT_EQ(ShowSides(specs, bins).lines[0].text(), "2 @ 0.5e1 x 5 1/2");
  EXPECT_EQ(ShowBacks(specs, bins).lines[0].text(), "1 @ 0.5e1 x 5");
  EXPECT_EQ(ShowFronts(specs, bins).lines[0].text(), "1 @ 2 1/2 x 6");
}

TEST(CutListDividers, WithoutMaterialOrThicknessSaysSoAndListsNothing) {
  const BinsRequired bins{{1, "6"}};
  BinSpecs specs = exampleSpecs();
  for (const char* blank : {"", "   ", "\t"}) {
    specs.edDivMat = blank;
    const CutList list = ShowDividers(specs, bins);
    EXPECT_EQ(list.caption(), "Dividers:\r\nN/A");
    EXPECT_TRUE(list.lines.empty());
  }
  specs.edDivMat = "Ply";
  specs.edDivThk = "";
  EXPECT_EQ(ShowDividers(specs, bins).caption(), "Dividers: \r\n PlyUndefined");
  EXPECT_TRUE(ShowDividers(specs, bins).lines.empty());
}

TEST(CutListDividers, SizesFollowTheBinThicknessNotTheDividers) {
  const BinsRequired bins{{1, "6"}};
  BinSpecs specs = exampleSpecs();
  const Lines lines = ShowDividers(specs, bins).lineTexts();
  specs.edDivThk = "3/4";
  EXPECT_EQ(ShowDividers(specs, bins).lineTexts(), lines);
  specs.edDivThk = "not a number";  // only ever shown
  EXPECT_EQ(ShowDividers(specs, bins).lineTexts(), lines);
}

TEST(CutLists, SizesBelowZeroAndHugeInputsAreWrittenNotRefused) {
  BinSpecs specs = exampleSpecs();
  specs.edBinThk = "3";
  EXPECT_EQ(ShowBases(specs, {{1, "6"}}).lineTexts(), Lines{"1 @  x "});
  specs.edBinThk = "4";
  EXPECT_EQ(ShowBacks(specs, {{1, "6"}}).lineTexts(), Lines{"1 @ 4 x -2"});
  specs.edBinHigh = "1e39";  // beyond single precision
  specs.edBinDeep = "-1e38";
  EXPECT_EQ(ShowFronts(specs, {{1, "6"}}).lineTexts(), Lines{"1 @ 0 x 6"});
  EXPECT_NO_THROW(ShowSides(specs, {{1, "6"}}));
  EXPECT_NO_THROW(ShowDividers(specs, {{1, "6"}}));
}

// Which list reads which edit as a number: a text that is not one ends exactly those lists, and
// the message names the field.
struct BadNumberCase {
  std::string BinSpecs::*field;
  const char* label;
  std::vector<bool> throws;  // sides, fronts, backs, bases, dividers
};

class CutListBadNumber : public ::testing::TestWithParam<BadNumberCase> {};

TEST_P(CutListBadNumber, EndsOnlyTheListsThatReadIt) {
  const BadNumberCase& c = GetParam();
  const std::vector<std::function<CutList(const BinSpecs&, const BinsRequired&)>> shows{
      ShowSides, ShowFronts, ShowBacks, ShowBases, ShowDividers};
  const BinsRequired bins{{1, "6"}};
  BinSpecs specs = exampleSpecs();
  specs.*c.field = "abc";
  for (std::size_t i = 0; i < shows.size(); ++i) {
    if (!c.throws[i]) {
      EXPECT_NO_THROW(shows[i](specs, bins)) << c.label << " list " << i;
      continue;
    }
    try {
      shows[i](specs, bins);
      ADD_FAILURE() << c.label << " list " << i << " did not throw";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), std::string(c.label) + ": \"abc\" is not a valid number");
    }
  }
  specs.*c.field = "1/0";
  for (std::size_t i = 0; i < shows.size(); ++i) {
    if (c.throws[i]) {
      EXPECT_THROW(shows[i](specs, bins), ArithmeticError) << c.label << " list " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CutListBadNumber,
    ::testing::Values(
        BadNumberCase{&BinSpecs::edBinHigh, "Bin height", {false, true, false, false, true}},
        BadNumberCase{&BinSpecs::edBinDeep, "Bin depth", {true, false, false, true, false}},
        BadNumberCase{&BinSpecs::edBinThk, "Bin thickness", {true, false, true, true, true}}));

TEST(CutLists, WithoutBinsOnlyTheSidesReadTheMeasurements) {
  BinSpecs specs = exampleSpecs();
  specs.edBinHigh = "abc";
  for (const auto& show : {ShowSides, ShowFronts, ShowBacks, ShowBases, ShowDividers}) {
    EXPECT_NO_THROW(show(specs, {}));
  }
  specs.edBinDeep = "abc";
  EXPECT_THROW(ShowSides(specs, {}), ConversionError);
}

}  // namespace
}  // namespace hm

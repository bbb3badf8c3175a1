#include "cutlist/battens.h"
#include "example_record.h"
#include "measure/tape.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace hm {
namespace {

using test::exampleRecord;
using Lines = std::vector<std::string>;

TEST(Battens, WorkedExample) {
  const COM_BINREC record = exampleRecord();
  const BinSpecs specs = ShowSpecs(record);
  const BinsRequired bins = ShowBins(record.COM_BINVALS);

  const CutList stock = ShowBatM(specs, bins);
  EXPECT_EQ(stock.caption(), "Batten Stock:\r\n3/4 Oak");
  EXPECT_EQ(stock.lineTexts(), Lines{"1 @ 4 1/8 x 96"});
  const CutList wall = ShowBatW(specs, record);
  EXPECT_EQ(wall.caption(), "Batten (Wall):\r\n3/4 Oak");
  EXPECT_EQ(wall.lineTexts(), Lines{"2 @ 3 x 20"});
  const CutList bin = ShowBatB(specs, bins);
  EXPECT_EQ(bin.caption(), "Batten (Bin):\r\n3/4 Oak");
  EXPECT_EQ(bin.lineTexts(), (Lines{"3 @ 1 3/4 x 6", "1 @ 1 3/4 x 8", "1 @ 1 3/4 x 12"}));
}

TEST(Battens, WithoutMaterialEachListSaysSoAndListsNothing) {
  const COM_BINREC record = exampleRecord();
  BinSpecs specs = ShowSpecs(record);
  const BinsRequired bins = ShowBins(record.COM_BINVALS);
  specs.edBatThk = "abc";  // not read when there are no battens
  for (const char* blank : {"", "  ", "\t "}) {
    specs.edBatMat = blank;
    EXPECT_EQ(ShowBatM(specs, bins).caption(), "Batten Material:\r\nN/a");
    EXPECT_EQ(ShowBatW(specs, record).caption(), "Batten (Wall):\r\nN/A");
    EXPECT_EQ(ShowBatB(specs, bins).caption(), "Batten (Bin):\r\nN/A");
    EXPECT_TRUE(ShowBatM(specs, bins).lines.empty());
    EXPECT_TRUE(ShowBatW(specs, record).lines.empty());
    EXPECT_TRUE(ShowBatB(specs, bins).lines.empty());
  }
}

TEST(Battens, MaterialIsTrimmedThicknessIsShownAsTyped) {
  const COM_BINREC record = exampleRecord();
  BinSpecs specs = ShowSpecs(record);
  const BinsRequired bins{{1, "6"}};
  specs.edBatMat = "?";  // a new project's material counts as one
  EXPECT_EQ(ShowBatB(specs, bins).caption(), "Batten (Bin):\r\n3/4 ?");
  specs.edBatMat = "  Oak ";
  specs.edBatThk = "";
  EXPECT_EQ(ShowBatM(specs, bins).caption(), "Batten Stock:\r\n Oak");
  EXPECT_EQ(ShowBatB(specs, bins).lineTexts(), Lines{"1 @ 1 x 6"});
}

struct BoardCase {
  const char* name;
  BinsRequired bins;
  double boards;
};

class BattenBoardCount : public ::testing::TestWithParam<BoardCase> {};

TEST_P(BattenBoardCount, CutsEveryPieceWholeFromOneBoard) {
  EXPECT_EQ(battenBoards(GetParam().bins), GetParam().boards);
}

INSTANTIATE_TEST_SUITE_P(
    Stock, BattenBoardCount,
    ::testing::Values(BoardCase{"WorkedExample", {{3, "6"}, {1, "8"}, {1, "12"}}, 1},
                      BoardCase{"TwentyOfTwelve", {{20, "12"}}, 3},  // 7 pieces of 12 1/8 a board
                      BoardCase{"ExactlyOneBoard", {{8, "11 7/8"}}, 1},
                      BoardCase{"OneEighthOver", {{7, "11 7/8"}, {1, "12"}}, 2},
                      BoardCase{"OnePieceOverABoard", {{1, "96"}}, 2},
                      // The summed length (165 5/8) would fit two boards, but no two boards cut
                      // five pieces of 33 1/8.
                      BoardCase{"FiveOfThirtyThree", {{5, "33"}}, 3},
                      // A long piece takes boards of its own; what is left of them is not used.
                      BoardCase{"LongPieceKeepsItsBoards", {{1, "200"}, {1, "10"}}, 4},
                      BoardCase{"FillsEarlierBoardsFirst", {{2, "49 7/8"}, {2, "45 7/8"}}, 2},
                      BoardCase{"NoBins", {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BattenBoardCount, NeverFewerThanTheSummedLengthNeeds) {
  std::mt19937 random(17);
  std::uniform_int_distribution<int> eighths(1, 8 * 60);
  std::uniform_int_distribution<int> count(1, 12);
  for (int trial = 0; trial < 300; ++trial) {
    BinsRequired bins;
    double total = 0;
    for (int e = 0; e < 5; ++e) {
      const float width = static_cast<float>(eighths(random)) / 8.0f;
      bins.push_back({count(random), FloatToFraction(width)});
      total += bins.back().quantity * (width + 0.125);
    }
    const double boards = battenBoards(bins);
    EXPECT_GE(boards, std::ceil(std::ceil(total) / 96.0));
    EXPECT_LE(boards, std::ceil(total / 48.0) + 1);  // first fit wastes less than half a board
  }
}

TEST(BattenStock, EmptyListStillNamesTheBoardWidth) {
  const BinSpecs specs = ShowSpecs(exampleRecord());
  EXPECT_EQ(ShowBatM(specs, {}).lineTexts(), Lines{"0 @ 4 1/8 x 96"});
  EXPECT_TRUE(ShowBatB(specs, {}).lines.empty());
}

TEST(BattenWall, CountsRowsWithBinsAndTakesTheLongestTotal) {
  COM_BINREC record;
  record.COM_BINHIGH = "4";
  record.COM_BATMAT = "Oak";
  record.COM_BINVALS[0] = {10, 10};
  record.COM_BINVALS[2] = {5, 0, 15};
  record.COM_BINVALS[4] = {30, -40};  // adds up below zero: no batten
  const BinSpecs specs = ShowSpecs(record);
  EXPECT_EQ(ShowBatW(specs, record).lineTexts(), Lines{"2 @ 3 x 20"});
}

TEST(BattenWall, UsesTheStoredHeightNotTheEdit) {
  const COM_BINREC record = exampleRecord();
  BinSpecs specs = ShowSpecs(record);
  specs.edBinHigh = "4.3";  // rejected when the edit was left, so the record kept "4"
  EXPECT_EQ(ShowBatW(specs, record).lineTexts(), Lines{"2 @ 3 x 20"});
  specs.edBinHigh = "5";
  EXPECT_EQ(ShowBatM(specs, ShowBins(record.COM_BINVALS)).lineTexts(), Lines{"1 @ 5 1/8 x 96"});
}

TEST(Battens, NumbersThatAreNotNumbersNameTheirField) {
  COM_BINREC record = exampleRecord();
  BinSpecs specs = ShowSpecs(record);
  const BinsRequired bins = ShowBins(record.COM_BINVALS);
  specs.edBatThk = "abc";
  EXPECT_NO_THROW(ShowBatM(specs, bins));
  EXPECT_NO_THROW(ShowBatW(specs, record));
  EXPECT_NO_THROW(ShowBatB(specs, {}));
  try {
    ShowBatB(specs, bins);
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "Batten thickness: \"abc\" is not a valid number");
  }
  specs = ShowSpecs(record);
  specs.edBinHigh = "x";
  EXPECT_THROW(ShowBatM(specs, bins), ConversionError);
  record.COM_BINHIGH = "1/0";
  EXPECT_THROW(ShowBatW(ShowSpecs(record), record), ArithmeticError);
}

TEST(Battens, HugeAndNonFiniteWidthsStayDefined) {
  constexpr float big = std::numeric_limits<float>::max();
  COM_BINREC record = exampleRecord();
  record.COM_BINVALS[0] = {big, big};  // the row adds up to infinity
  record.COM_BINVALS[1] = {std::numeric_limits<float>::quiet_NaN(), 6};
  record.COM_BINVALS[2] = {std::numeric_limits<float>::infinity()};
  const BinSpecs specs = ShowSpecs(record);
  const BinsRequired bins = ShowBins(record.COM_BINVALS);
  EXPECT_EQ(ShowBatW(specs, record).lineTexts(), Lines{"2 @ 3 x 0"});
  // Two pieces of the largest width need ceil(max / 96) boards each; 6 1/8 and 1/8 share one.
  const CutList stock = ShowBatM(specs, bins);
  ASSERT_EQ(stock.lines.size(), 1u);
  EXPECT_EQ(stock.lines[0].quantity, wholeNumberText(2 * std::ceil(double{big} / 96) + 1));
  EXPECT_NO_THROW(ShowBatB(specs, bins));
}

TEST(BattenBoardText, WritesWholeNumbersWithoutAPoint) {
  EXPECT_EQ(wholeNumberText(0), "0");
  EXPECT_EQ(wholeNumberText(3), "3");
  EXPECT_EQ(wholeNumberText(1e20), "100000000000000000000");
  EXPECT_EQ(wholeNumberText(std::numeric_limits<double>::infinity()), "0");
  EXPECT_EQ(wholeNumberText(std::nan("")), "0");
}

}  // namespace
}  // namespace hm

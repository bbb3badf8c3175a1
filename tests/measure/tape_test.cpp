#include "measure/tape.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace hm {
namespace {

struct TapeCase {
  std::string field;
  std::string result;  // the returned text; for a rejected entry the field text itself
  bool invalid;
};

class EditTapeTextTable : public ::testing::TestWithParam<TapeCase> {};

TEST_P(EditTapeTextTable, GivesNormalFormOrRejects) {
  const TapeCase& c = GetParam();
  const TapeResult r = editTapeText(c.field);
  EXPECT_EQ(r.text, c.result) << "field: [" << c.field << "]";
  EXPECT_EQ(r.tapeError, c.invalid) << "field: [" << c.field << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EditTapeTextTable,
    ::testing::Values(
        TapeCase{"12", "12", false}, TapeCase{"007", "7", false}, TapeCase{"12.5", "12 1/2", false},
        TapeCase{"1 1/2", "1 1/2", false}, TapeCase{"1  1 / 2", "1 1/2", false},
        TapeCase{"3/4", "3/4", false}, TapeCase{".5", "1/2", false},
        TapeCase{"2 4/8", "2 1/2", false}, TapeCase{"10/4", "2 1/2", false},
        TapeCase{"3.0625", "3 1/16", false}, TapeCase{"3.015625", "3 1/64", false},
        TapeCase{"2.50000001", "2 1/2", false}, TapeCase{"1.5 1/2", "2", false},
        TapeCase{"1e1", "10", false}, TapeCase{"", "0", false}, TapeCase{"   ", "0", false},
        TapeCase{"0.0", "0", false}, TapeCase{"3 / 4", "3", false}, TapeCase{"1 a/b", "1", false},
        TapeCase{"1 1/2 3/4", "1", false}, TapeCase{"-2.5", "-2 1/2", false},
        TapeCase{"-0.5", "-0 1/2", false}, TapeCase{"-3", "-3", false}, TapeCase{"5.", "5", false},
        TapeCase{"+4", "4", false}, TapeCase{"\t12 1/2\t", "12 1/2", false},
        // What EditTape writes for negatives reads back as the value typed.
        TapeCase{"-2 1/2", "-2 1/2", false}, TapeCase{"-0 1/2", "-0 1/2", false},
        // Large whole 64ths are still measurements.
        TapeCase{"10000.5", "10000 1/2", false}, TapeCase{"123456 3/64", "123456 3/64", false},
        // Anything that is not a finite whole number of 64ths is rejected.
        TapeCase{"3.0078125", "3.0078125", true}, TapeCase{"1.1", "1.1", true},
        TapeCase{"12.3", "12.3", true}, TapeCase{"1 1/3", "1 1/3", true},
        TapeCase{"0.0148", "0.0148", true}, TapeCase{"10.0302", "10.0302", true},
        TapeCase{"256.02", "256.02", true}, TapeCase{"1000.1", "1000.1", true},
        TapeCase{"10000.3", "10000.3", true}, TapeCase{"1e39", "1e39", true},
        TapeCase{"-1e39", "-1e39", true}, TapeCase{"1e400", "1e400", true},
        TapeCase{"1e39/1e39", "1e39/1e39", true}));

TEST(EditTapeText, NotANumberRaisesConversionError) {
  for (const char* text : {"abc", "12,5", "1,2", "nan", "inf", "1 x", "1e", "-", "."}) {
    EXPECT_THROW(editTapeText(text), ConversionError) << text;
  }
  try {
    editTapeText("abc");
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "\"abc\" is not a valid number");
  }
}

TEST(EditTapeText, ZeroDenominatorRaisesArithmeticError) {
  EXPECT_THROW(editTapeText("1/0"), ArithmeticError);
  EXPECT_THROW(editTapeText("2 3/0"), ArithmeticError);
}

TEST(EditTapeText, EveryWhole64thUpToAHundredRoundTrips) {
  for (int i = -6400; i <= 6400; ++i) {
    const float value = static_cast<float>(i) / 64.0f;
    const std::string typed = std::to_string(static_cast<double>(value));
    const TapeResult r = editTapeText(typed);
    ASSERT_FALSE(r.tapeError) << typed;
    EXPECT_EQ(FullFractionToFloat(r.text), value) << typed << " -> " << r.text;
  }
}

struct FractionCase {
  float number;
  std::string text;
};

class FloatToFractionTable : public ::testing::TestWithParam<FractionCase> {};

TEST_P(FloatToFractionTable, WritesTapeText) {
  EXPECT_EQ(FloatToFraction(GetParam().number), GetParam().text) << GetParam().number;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FloatToFractionTable,
    ::testing::Values(FractionCase{12.5f, "12 1/2"}, FractionCase{12.0f, "12"},
                      FractionCase{0.75f, " 3/4"}, FractionCase{0.015625f, " 1/64"},
                      FractionCase{0.0f, ""}, FractionCase{12.1f, "0"},
                      FractionCase{100.0078125f, "0"}, FractionCase{2.9999999f, "3"},
                      FractionCase{0.4999999f, " 1/2"},
                      // Negative values keep their sign.
                      FractionCase{-1.5f, "-1 1/2"}, FractionCase{-0.5f, "-1/2"},
                      FractionCase{-3.0f, "-3"}, FractionCase{-0.0f, ""},
                      // Not finite: never a number of 64ths.
                      FractionCase{std::numeric_limits<float>::infinity(), "0"},
                      FractionCase{-std::numeric_limits<float>::infinity(), "0"},
                      FractionCase{std::numeric_limits<float>::quiet_NaN(), "0"},
                      FractionCase{1e30f, "1000000015047466219876688855040"}));

TEST(FractionToFloat, ReadsFractionsAndNumbers) {
  EXPECT_EQ(FractionToFloat("3/4"), 0.75f);
  EXPECT_EQ(FractionToFloat(" 3 / 4 "), 0.75f);
  EXPECT_EQ(FractionToFloat("x/4"), 0.0f);
  EXPECT_EQ(FractionToFloat("3/x"), 0.0f);
  EXPECT_EQ(FractionToFloat("1/2/3"), 0.0f);
  EXPECT_EQ(FractionToFloat("2.5"), 2.5f);
  EXPECT_THROW(FractionToFloat(""), ConversionError);
  EXPECT_THROW(FractionToFloat("0/0"), ArithmeticError);
}

TEST(FullFractionToFloat, ReadsWholeAndFraction) {
  EXPECT_EQ(FullFractionToFloat(""), 0.0f);
  EXPECT_EQ(FullFractionToFloat(" \t "), 0.0f);
  EXPECT_EQ(FullFractionToFloat("12 1/2"), 12.5f);
  EXPECT_EQ(FullFractionToFloat("3 / 4"), 3.0f);
  EXPECT_EQ(FullFractionToFloat("-2 1/2"), -2.5f);
  EXPECT_EQ(FullFractionToFloat("-0 1/2"), -0.5f);
  EXPECT_EQ(FullFractionToFloat("-1/2"), -0.5f);
  EXPECT_TRUE(std::isinf(FullFractionToFloat("1e39")));
  EXPECT_EQ(FullFractionToFloat("3.4028235e38"), std::numeric_limits<float>::max());
  EXPECT_THROW(FullFractionToFloat("x 1/2"), ConversionError);
}

}  // namespace
}  // namespace hm

#include "cutlist/entry_checks.h"
#include "example_record.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace hm {
namespace {

TEST(CutListSpecs, PutsTheRecordTextsIntoTheirEdits) {
  COM_BINREC record;
  BlankRecord(record);
  EXPECT_EQ(ShowSpecs(record), (BinSpecs{"4", "6", "?", "0.5", "", "", "?", "0.5"}));
  EXPECT_TRUE(EditsPass(ShowSpecs(record)).passed());  // a new project computes at once
}

struct PassCase {
  const char* name;
  std::string BinSpecs::*field;
  const char* text;
  std::optional<SpecField> failed;
};

class CutListEditsPass : public ::testing::TestWithParam<PassCase> {};

TEST_P(CutListEditsPass, FailsOnlyOnAZeroText) {
  const PassCase& c = GetParam();
  BinSpecs specs = ShowSpecs(test::exampleRecord());
  specs.*c.field = c.text;
  const SpecCheck check = EditsPass(specs);
  EXPECT_EQ(check.failed, c.failed);
  EXPECT_EQ(check.message, c.failed ? "Required field" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CutListEditsPass,
    ::testing::Values(PassCase{"Height", &BinSpecs::edBinHigh, "0", SpecField::BinHigh},
                      PassCase{"DepthBlanks", &BinSpecs::edBinDeep, " 0\t", SpecField::BinDeep},
                      PassCase{"BinMaterial", &BinSpecs::edBinMat, "0", SpecField::BinMat},
                      PassCase{"BinThickness", &BinSpecs::edBinThk, "0", SpecField::BinThk},
                      PassCase{"DividerMaterial", &BinSpecs::edDivMat, "0", SpecField::DivMat},
                      PassCase{"DividerThickness", &BinSpecs::edDivThk, "0", SpecField::DivThk},
                      PassCase{"BattenMaterial", &BinSpecs::edBatMat, "0", SpecField::BatMat},
                      PassCase{"BattenThickness", &BinSpecs::edBatThk, "0", SpecField::BatThk},
                      // Only the text "0" fails: the rest is met where the lists read it.
                      PassCase{"EmptyHeight", &BinSpecs::edBinHigh, "", std::nullopt},
                      PassCase{"EmptyBinMaterial", &BinSpecs::edBinMat, "  ", std::nullopt},
                      PassCase{"LettersAsThickness", &BinSpecs::edBinThk, "abc", std::nullopt},
                      PassCase{"DoubleZero", &BinSpecs::edBinDeep, "00", std::nullopt},
                      PassCase{"EmptyDividerThickness", &BinSpecs::edDivThk, "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CutListEditsPass, ThicknessZeroPassesWithoutItsMaterialAndTheFirstFailureWins) {
  BinSpecs specs = ShowSpecs(test::exampleRecord());
  specs.edDivMat = " ";
  specs.edDivThk = "0";
  specs.edBatMat = "";
  specs.edBatThk = "0";
  EXPECT_TRUE(EditsPass(specs).passed());

  specs.edBinMat = "0";
  specs.edBinHigh = "0";
  specs.edBatMat = "0";
  const SpecCheck check = EditsPass(specs);
  EXPECT_EQ(check.failed, SpecField::BinHigh);
  EXPECT_EQ(specFieldEdit(*check.failed), "edBinHigh");
  EXPECT_EQ(specFieldLabel(*check.failed), "Bin height");
}

}  // namespace
}  // namespace hm

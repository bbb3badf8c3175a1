#pragma once

#include "app/project_record.h"

#include <optional>
#include <string>
#include <string_view>

namespace hm {

// The eight texts that describe the bins (height, depth, materials and thicknesses) as they stand
// in the edits of the cut-list window, which may be longer than the record keeps. Members are
// named after their edits.
struct BinSpecs {
  std::string edBinHigh;  // bin height
  std::string edBinDeep;  // bin depth
  std::string edBinMat;   // bin material
  std::string edBinThk;   // thickness of the bin material
  std::string edDivMat;   // divider material, may be empty
  std::string edDivThk;   // divider thickness
  std::string edBatMat;   // batten material, may be empty
  std::string edBatThk;   // batten thickness

  bool operator==(const BinSpecs&) const = default;
};

// One of the eight edits, in the order of the window and of the checks.
enum class SpecField { BinHigh, BinDeep, BinMat, BinThk, DivMat, DivThk, BatMat, BatThk };

// "edBinHigh" and so on: the objectName of the edit, for the window to put the focus on.
std::string_view specFieldEdit(SpecField field);
// "Bin height" and so on: how messages outside the window name the field.
std::string_view specFieldLabel(SpecField field);

// The texts that go into the edits when the window is activated: the record's fields unchanged.
BinSpecs ShowSpecs(const COM_BINREC& record);

// The outcome of the check of all eight texts before a calculation.
struct SpecCheck {
  std::optional<SpecField> failed;  // the first field that failed, or none
  std::string message;              // what to tell the user ("Required field"); empty on success

  bool passed() const { return !failed.has_value(); }
};

// The checks made before the lists are computed: a "0" in a required measurement or any material,
// or in a divider or batten thickness beside its material. Only the text "0" (trimmed) fails;
// empty texts and texts that are not numbers pass here and are dealt with where they are read.
SpecCheck EditsPass(const BinSpecs& specs);

// The text without leading and trailing blanks and control characters.
std::string_view trimBlanks(std::string_view text);

}  // namespace hm

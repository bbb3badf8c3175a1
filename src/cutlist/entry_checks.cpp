#include "entry_checks.h"

#include <array>

namespace hm {

std::string_view trimBlanks(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view specFieldEdit(SpecField field) {
  static constexpr std::array<std::string_view, 8> kEdits{"edBinHigh", "edBinDeep", "edBinMat",
                                                          "edBinThk",  "edDivMat",  "edDivThk",
                                                          "edBatMat",  "edBatThk"};
  return kEdits.at(static_cast<std::size_t>(field));
}

std::string_view specFieldLabel(SpecField field) {
  static constexpr std::array<std::string_view, 8> kLabels{
      "Bin height",       "Bin depth",         "Bin material",    "Bin thickness",
      "Divider material", "Divider thickness", "Batten material", "Batten thickness"};
  return kLabels.at(static_cast<std::size_t>(field));
}

BinSpecs ShowSpecs(const COM_BINREC& record) {
  return BinSpecs{record.COM_BINHIGH, record.COM_BINDEEP, record.COM_BINMAT, record.COM_BINTHK,
                  record.COM_DIVMAT,  record.COM_DIVTHK,  record.COM_BATMAT, record.COM_BATTHK};
}

SpecCheck EditsPass(const BinSpecs& specs) {
  const auto isZero = [](const std::string& text) { return trimBlanks(text) == "0"; };
  const bool hasDivider = !trimBlanks(specs.edDivMat).empty();
  const bool hasBatten = !trimBlanks(specs.edBatMat).empty();

  // In the order the user meets the edits, so the focus goes to the first one to fix.
  const std::array<std::pair<SpecField, bool>, 8> checks{{
      {SpecField::BinHigh, isZero(specs.edBinHigh)},
      {SpecField::BinDeep, isZero(specs.edBinDeep)},
      {SpecField::BinMat, isZero(specs.edBinMat)},
      {SpecField::BinThk, isZero(specs.edBinThk)},
      {SpecField::DivMat, isZero(specs.edDivMat)},
      {SpecField::DivThk, isZero(specs.edDivThk) && hasDivider},
      {SpecField::BatMat, isZero(specs.edBatMat)},
      {SpecField::BatThk, isZero(specs.edBatThk) && hasBatten},
  }};
  for (const auto& [field, fails] : checks) {
    if (fails) return SpecCheck{field, "Required field"};
  }
  return SpecCheck{};
}

}  // namespace hm

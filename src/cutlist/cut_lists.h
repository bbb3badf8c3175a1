#pragma once

#include "app/project_record.h"
#include "cutlist/entry_checks.h"

#include <string>
#include <string_view>
#include <vector>

// The cutting lists of the bins, computed from the bin widths of the layout and the texts of the
// window's eight edits (height, depth, materials and thicknesses). Plain data in, plain data out:
// the cut-list window writes the results into its controls, the command-line report prints them.
namespace hm {

using BinWidths = decltype(COM_BINREC::COM_BINVALS);

// One entry of "Bins Required": how many bins share one width text.
struct BinEntry {
  int quantity = 0;
  std::string width;  // as FloatToFraction writes it; below one unit with a leading blank

  std::string quantityText() const { return std::to_string(quantity); }
  bool operator==(const BinEntry&) const = default;
};

// The "Bins Required" list in the order shown (meQty and meWidth, line by line).
using BinsRequired = std::vector<BinEntry>;

// One line of a cutting list: quantity " @ " first size " x " second size.
struct CutLine {
  std::string quantity;
  std::string first;
  std::string second;

  std::string text() const { return quantity + " @ " + first + " x " + second; }
  bool operator==(const CutLine&) const = default;
};

// What one result control shows: its two-line caption and its lines (a single-line edit gets the
// one line, or is emptied when there is none).
struct CutList {
  std::string title;   // first caption line, "Sides: ", "Batten Stock:" ...
  std::string detail;  // second caption line: thickness and material, or "N/A"
  std::vector<CutLine> lines;

  std::string caption() const { return title + "\r\n" + detail; }
  std::vector<std::string> lineTexts() const;
};

// The widths of the layout grouped by their text, bins that are not wider than zero left out,
// sorted by width (within one whole unit: the fractions by their text, the plain whole unit last).
BinsRequired ShowBins(const BinWidths& widths);

// The lists of the bin parts. Each reads the edits' texts (numbers through FullFractionToFloat)
// and the "Bins Required" entries. A measurement text that is not a number throws ConversionError
// (or ArithmeticError for a zero denominator) naming the field, when and only when the list needs
// that number.
CutList ShowSides(const BinSpecs& specs, const BinsRequired& bins);
CutList ShowFronts(const BinSpecs& specs, const BinsRequired& bins);
CutList ShowBacks(const BinSpecs& specs, const BinsRequired& bins);
CutList ShowBases(const BinSpecs& specs, const BinsRequired& bins);
CutList ShowDividers(const BinSpecs& specs, const BinsRequired& bins);

// The text `text` of the field called `label` as a length; errors name the field.
float readLength(std::string_view text, std::string_view label);

// The size text of a computed length: the value rounded to single precision, as a tape text.
std::string sizeText(double value);

}  // namespace hm

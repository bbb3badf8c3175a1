#include "cut_lists.h"

#include "measure/tape.h"
#include "platform/errors.h"

#include <algorithm>
#include <cctype>

namespace hm {
namespace {

bool sameTextIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// The texts and numbers of the bin edits that the lists share.
struct BinSizes {
  const BinSpecs& specs;

  float height() const { return readLength(specs.edBinHigh, specFieldLabel(SpecField::BinHigh)); }
  float depth() const { return readLength(specs.edBinDeep, specFieldLabel(SpecField::BinDeep)); }
  float thickness() const { return readLength(specs.edBinThk, specFieldLabel(SpecField::BinThk)); }
  std::string material() const { return specs.edBinThk + " " + specs.edBinMat; }
};

float entryWidth(const BinEntry& entry) { return readLength(entry.width, "Bin width"); }

}  // namespace

std::vector<std::string> CutList::lineTexts() const {
  std::vector<std::string> texts;
  texts.reserve(lines.size());
  for (const CutLine& line : lines) texts.push_back(line.text());
  return texts;
}

float readLength(std::string_view text, std::string_view label) {
  try {
    return FullFractionToFloat(text);
  } catch (const ConversionError& e) {
    throw ConversionError(std::string(label) + ": " + e.what());
  } catch (const ArithmeticError& e) {
    throw ArithmeticError(std::string(label) + ": \"" + std::string(trimBlanks(text)) +
                          "\": " + e.what());
  }
}

std::string sizeText(double value) { return FloatToFraction(toSingle(value)); }

BinsRequired ShowBins(const BinWidths& widths) {
  // Group by the text of the width, so that widths written alike form one entry, in the order
  // in which they first occur.
  BinsRequired groups;
  for (const auto& row : widths) {
    for (const float w : row) {
      if (!(w > 0.0f)) continue;  // also skips NaN
      const std::string text = FloatToFraction(w);
      const auto found = std::find_if(groups.begin(), groups.end(), [&](const BinEntry& e) {
        return sameTextIgnoringCase(e.width, text);
      });
      if (found != groups.end()) {
        ++found->quantity;
      } else {
        groups.push_back(BinEntry{1, text});
      }
    }
  }

  // Sort on the text of width + 1000 followed by "*" and the quantity: the 1000 gives every
  // width below 9000 four whole digits, so whole units sort by size, and within one whole unit
  // the fractions come before the plain number (a blank sorts before "*").
  // Equal keys (possible only where width + 1000 is no longer exact) keep their first-occurrence
  // order.
  std::vector<std::pair<std::string, std::size_t>> keys;
  keys.reserve(groups.size());
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const BinEntry& e = groups[i];
    keys.emplace_back(
        sizeText(static_cast<double>(entryWidth(e)) + 1000.0) + "*" + e.quantityText(), i);
  }
  std::sort(keys.begin(), keys.end());

  // The width shown is read back from the key, so every list works with the sorted text (the
  // widths that cannot be written, "0", come back as nothing). From about 260 000 units on,
  // width + 1000 is not always exact in single precision and would come back as a neighbouring
  // width: such an entry keeps its own text.
  BinsRequired sorted;
  sorted.reserve(keys.size());
  for (const auto& [key, index] : keys) {
    const BinEntry& e = groups[index];
    const float k = readLength(std::string_view(key).substr(0, key.find('*')), "Bin width");
    const float back = toSingle(static_cast<double>(k) - 1000.0);
    sorted.push_back(BinEntry{e.quantity, back == entryWidth(e) ? FloatToFraction(back) : e.width});
  }
  return sorted;
}

CutList ShowSides(const BinSpecs& specs, const BinsRequired& bins) {
  const BinSizes bin{specs};
  CutList list{"Sides: ", bin.material(), {}};
  int count = 0;
  for (const BinEntry& e : bins) count += e.quantity;
  const float depth = bin.depth();
  const float thickness = bin.thickness();
  list.lines.push_back(CutLine{std::to_string(2 * count), specs.edBinHigh,
                               sizeText(static_cast<double>(depth) - thickness)});
  return list;
}

CutList ShowFronts(const BinSpecs& specs, const BinsRequired& bins) {
  const BinSizes bin{specs};
  CutList list{"Front: ", bin.material(), {}};
  for (const BinEntry& e : bins) {
    list.lines.push_back(
        CutLine{e.quantityText(), sizeText(static_cast<double>(bin.height()) * 0.5), e.width});
  }
  return list;
}

CutList ShowBacks(const BinSpecs& specs, const BinsRequired& bins) {
  const BinSizes bin{specs};
  CutList list{"Back: ", bin.material(), {}};
  for (const BinEntry& e : bins) {
    const float twoT = toSingle(2.0 * bin.thickness());
    list.lines.push_back(CutLine{e.quantityText(), specs.edBinHigh,
                                 sizeText(static_cast<double>(entryWidth(e)) - twoT)});
  }
  return list;
}

CutList ShowBases(const BinSpecs& specs, const BinsRequired& bins) {
  const BinSizes bin{specs};
  CutList list{"Base: ", bin.material(), {}};
  for (const BinEntry& e : bins) {
    const float twoT = toSingle(2.0 * bin.thickness());
    list.lines.push_back(CutLine{e.quantityText(),
                                 sizeText(static_cast<double>(bin.depth()) - twoT),
                                 sizeText(static_cast<double>(entryWidth(e)) - twoT)});
  }
  return list;
}

CutList ShowDividers(const BinSpecs& specs, const BinsRequired& bins) {
  if (trimBlanks(specs.edDivMat).empty()) return CutList{"Dividers:", "N/A", {}};
  CutList list{"Dividers: ", specs.edDivThk + " " + specs.edDivMat, {}};
  if (trimBlanks(specs.edDivThk).empty()) {
    list.detail += "Undefined";
    return list;
  }
  // The divider thickness is only named; both sizes follow the bin thickness, which decides
  // the room inside the bin.
  const BinSizes bin{specs};
  for (const BinEntry& e : bins) {
    const float height = bin.height();
    const float thickness = bin.thickness();
    const float twoT = toSingle(2.0 * thickness);
    list.lines.push_back(CutLine{e.quantityText(),
                                 sizeText(static_cast<double>(height) - thickness - 0.125),
                                 sizeText(static_cast<double>(entryWidth(e)) - twoT + 0.5)});
  }
  return list;
}

}  // namespace hm

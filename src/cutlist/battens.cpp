#include "battens.h"

#include "measure/tape.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <vector>

namespace hm {
namespace {

constexpr double kBoardLength = 96.0;
// Pieces that fit on a board are packed in 64ths, so the packing adds and compares exactly.
constexpr int kBoardSixtyFourths = 96 * 64;

bool noBattens(const BinSpecs& specs) { return trimBlanks(specs.edBatMat).empty(); }

std::string battenDetail(const BinSpecs& specs) {
  return specs.edBatThk + " " + std::string(trimBlanks(specs.edBatMat));
}

float battenThickness(const BinSpecs& specs) {
  return readLength(specs.edBatThk, specFieldLabel(SpecField::BatThk));
}

}  // namespace

std::string wholeNumberText(double value) {
  if (!std::isfinite(value) || value != std::floor(value)) return "0";
  std::array<char, 400> buf{};
  const auto [end, ec] =
      std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 0);
  if (ec != std::errc()) return "0";
  return std::string(buf.data(), end);
}

double battenBoards(const BinsRequired& bins) {
  double boards = 0;
  std::vector<int> pieces;  // in 64ths, each at most one board
  for (const BinEntry& e : bins) {
    const float piece = toSingle(static_cast<double>(readLength(e.width, "Bin width")) + 0.125);
    if (!(piece > 0.0f)) continue;  // nothing to cut
    if (piece > kBoardLength) {
      boards += static_cast<double>(std::max(0, e.quantity)) * std::ceil(piece / kBoardLength);
      continue;
    }
    // At most 96 here, so the count of 64ths fits an int; a width that is not a whole number of
    // 64ths is rounded up, never cut short.
    const int sixtyFourths = static_cast<int>(std::ceil(static_cast<double>(piece) * 64.0));
    pieces.insert(pieces.end(), static_cast<std::size_t>(std::max(0, e.quantity)), sixtyFourths);
  }

  std::sort(pieces.begin(), pieces.end(), std::greater<>());
  std::vector<int> room;  // what is left of each board opened so far
  for (const int piece : pieces) {
    const auto board =
        std::find_if(room.begin(), room.end(), [piece](int left) { return left >= piece; });
    if (board != room.end()) {
      *board -= piece;
    } else {
      room.push_back(kBoardSixtyFourths - piece);
    }
  }
  return boards + static_cast<double>(room.size());
}

CutList ShowBatM(const BinSpecs& specs, const BinsRequired& bins) {
  if (noBattens(specs)) return CutList{"Batten Material:", "N/a", {}};
  CutList list{"Batten Stock:", battenDetail(specs), {}};
  const float height = readLength(specs.edBinHigh, specFieldLabel(SpecField::BinHigh));
  list.lines.push_back(CutLine{wholeNumberText(battenBoards(bins)),
                               sizeText(static_cast<double>(height) + 0.125), "96"});
  return list;
}

CutList ShowBatW(const BinSpecs& specs, const COM_BINREC& record) {
  if (noBattens(specs)) return CutList{"Batten (Wall):", "N/A", {}};
  CutList list{"Batten (Wall):", battenDetail(specs), {}};
  int rows = 0;
  float longest = 0.0f;
  for (const auto& row : record.COM_BINVALS) {
    // Every cell counts, as the row total in the layout does, added in column order.
    float total = 0.0f;
    for (const float w : row) total += w;
    if (total > longest) longest = total;
    if (total > 0.0f) ++rows;
  }
  // The stored height: the one the record holds, even if the edit shows a rejected entry.
  const float storedHeight = readLength(record.COM_BINHIGH, "Stored bin height");
  list.lines.push_back(CutLine{
      std::to_string(rows), sizeText(static_cast<double>(storedHeight) - 1.0), sizeText(longest)});
  return list;
}

CutList ShowBatB(const BinSpecs& specs, const BinsRequired& bins) {
  if (noBattens(specs)) return CutList{"Batten (Bin):", "N/A", {}};
  CutList list{"Batten (Bin):", battenDetail(specs), {}};
  for (const BinEntry& e : bins) {
    list.lines.push_back(CutLine{
        e.quantityText(), sizeText(static_cast<double>(battenThickness(specs)) + 1.0), e.width});
  }
  return list;
}

}  // namespace hm

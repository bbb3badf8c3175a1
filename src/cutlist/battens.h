#pragma once

#include "app/project_record.h"
#include "cutlist/cut_lists.h"
#include "cutlist/entry_checks.h"

#include <string>

// The battens the bins hang on: the stock to buy, one wall batten per row and one batten per bin.
// With no batten material (edBatMat blank) each list only says so in its caption and has no lines.
namespace hm {

// Batten stock: boards 96 long and H + 1/8 wide, enough to cut one piece of W + 1/8 per bin.
CutList ShowBatM(const BinSpecs& specs, const BinsRequired& bins);

// Wall battens: one per row of the record whose widths add up to more than zero, as long as the
// longest row and one unit narrower than the bin height stored in the record.
CutList ShowBatW(const BinSpecs& specs, const COM_BINREC& record);

// Bin battens: one per bin, as long as the bin is wide, batten thickness + 1 wide.
CutList ShowBatB(const BinSpecs& specs, const BinsRequired& bins);

// The number of 96-unit boards the pieces of W + 1/8 (one per bin) need when no piece is cut
// across two boards: first fit, longest piece first; a piece longer than a board takes whole
// boards of its own. A double, since absurd widths need more boards than any integer holds.
double battenBoards(const BinsRequired& bins);

// A whole, finite number written without a point ("3"); anything else as "0".
std::string wholeNumberText(double value);

}  // namespace hm

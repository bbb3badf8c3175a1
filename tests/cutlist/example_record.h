#pragma once

#include "app/project_record.h"
#include "cutlist/cut_lists.h"

#include <initializer_list>
#include <vector>

namespace hm::test {

// The shop's usual example: rows 6, 6, 8 and 12, 6; 4 high, 6 deep, 1/2 Pine; dividers of 1/4 Ply;
// battens of 3/4 Oak.
inline COM_BINREC exampleRecord() {
  COM_BINREC r;
  r.COM_BINVALS[0][0] = 6;
  r.COM_BINVALS[0][1] = 6;
  r.COM_BINVALS[0][2] = 8;
  r.COM_BINVALS[1][0] = 12;
  r.COM_BINVALS[1][1] = 6;
  r.COM_BINHIGH = "4";
  r.COM_BINDEEP = "6";
  r.COM_BINMAT = "Pine";
  r.COM_BINTHK = "1/2";
  r.COM_DIVMAT = "Ply";
  r.COM_DIVTHK = "1/4";
  r.COM_BATMAT = "Oak";
  r.COM_BATTHK = "3/4";
  return r;
}

// A layout whose rows hold the given widths.
inline BinWidths widthsOf(std::initializer_list<std::vector<float>> rows) {
  BinWidths w{};
  std::size_t r = 0;
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) w.at(r).at(c) = row[c];
    ++r;
  }
  return w;
}

}  // namespace hm::test

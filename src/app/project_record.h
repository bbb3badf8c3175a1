#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace hm {

// One project: the widths of up to ten rows of ten bins and the eight texts of the bin
// specification. Texts hold UTF-8; the file keeps at most 20 or 10 bytes of each.
struct COM_BINREC {
  std::array<std::array<float, 10>, 10> COM_BINVALS{};  // [row][column], 0 = no bin
  std::string COM_BINMAT;                               // bin material
  std::string COM_BINTHK;                               // its thickness
  std::string COM_BINHIGH;                              // bin height
  std::string COM_BINDEEP;                              // bin depth
  std::string COM_DIVMAT;                               // divider material, may be empty
  std::string COM_DIVTHK;                               // divider thickness, may be empty
  std::string COM_BATMAT;                               // batten material, may be empty
  std::string COM_BATTHK;                               // batten thickness, may be empty

  bool operator==(const COM_BINREC&) const = default;
};

inline constexpr std::size_t kRecordSize = 520;
using RecordBytes = std::array<std::uint8_t, kRecordSize>;

// The record of a new project: no bins, material "?", 1/2 thick, 4 high, 6 deep, battens "?" 1/2.
void BlankRecord(COM_BINREC& record);

// The file layout: widths as little-endian float32 at 40 x row + 4 x column, then each text as a
// length byte and its fixed room. Texts too long for their room are cut at a character boundary.
RecordBytes serialiseRecord(const COM_BINREC& record);

// Reads any 520 bytes safely: a length byte above the room of its text is taken as the room.
COM_BINREC deserialiseRecord(const RecordBytes& bytes);

}  // namespace hm

#include "project_record.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace hm {
namespace {

struct TextField {
  std::string COM_BINREC::*member;
  std::size_t offset;
  std::size_t capacity;
};

constexpr std::array<TextField, 8> kTextFields{{
    {&COM_BINREC::COM_BINMAT, 400, 20},
    {&COM_BINREC::COM_BINTHK, 421, 10},
    {&COM_BINREC::COM_BINHIGH, 432, 10},
    {&COM_BINREC::COM_BINDEEP, 443, 10},
    {&COM_BINREC::COM_DIVMAT, 454, 20},
    {&COM_BINREC::COM_DIVTHK, 475, 10},
    {&COM_BINREC::COM_BATMAT, 486, 20},
    {&COM_BINREC::COM_BATTHK, 507, 10},
}};

// The longest prefix of at most `capacity` bytes that does not split a UTF-8 character.
std::size_t fittingLength(const std::string& text, std::size_t capacity) {
  if (text.size() <= capacity) return text.size();
  std::size_t n = capacity;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

}  // namespace

void BlankRecord(COM_BINREC& record) {
  for (auto& row : record.COM_BINVALS) row.fill(0.0f);
  record.COM_BINMAT = "?";
  record.COM_BINTHK = "0.5";
  record.COM_BINHIGH = "4";
  record.COM_BINDEEP = "6";
  record.COM_DIVMAT.clear();
  record.COM_DIVTHK.clear();
  record.COM_BATMAT = "?";
  record.COM_BATTHK = "0.5";
}

RecordBytes serialiseRecord(const COM_BINREC& record) {
  RecordBytes bytes{};
  for (std::size_t r = 0; r < 10; ++r) {
    for (std::size_t c = 0; c < 10; ++c) {
      const auto bits = std::bit_cast<std::uint32_t>(record.COM_BINVALS[r][c]);
      const std::size_t at = 40 * r + 4 * c;
      for (std::size_t b = 0; b < 4; ++b)
        bytes[at + b] = static_cast<std::uint8_t>(bits >> (8 * b));
    }
  }
  for (const TextField& field : kTextFields) {
    const std::string& text = record.*field.member;
    const std::size_t length = fittingLength(text, field.capacity);
    bytes[field.offset] = static_cast<std::uint8_t>(length);
    std::memcpy(bytes.data() + field.offset + 1, text.data(), length);
  }
  return bytes;
}

COM_BINREC deserialiseRecord(const RecordBytes& bytes) {
  COM_BINREC record;
  for (std::size_t r = 0; r < 10; ++r) {
    for (std::size_t c = 0; c < 10; ++c) {
      const std::size_t at = 40 * r + 4 * c;
      std::uint32_t bits = 0;
      for (std::size_t b = 0; b < 4; ++b) bits |= std::uint32_t{bytes[at + b]} << (8 * b);
      record.COM_BINVALS[r][c] = std::bit_cast<float>(bits);
    }
  }
  for (const TextField& field : kTextFields) {
    const std::size_t length = std::min<std::size_t>(bytes[field.offset], field.capacity);
    const auto* first = reinterpret_cast<const char*>(bytes.data() + field.offset + 1);
    record.*field.member = std::string(first, length);
  }
  return record;
}

}  // namespace hm

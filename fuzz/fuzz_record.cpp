// The project record from any 520 bytes, and everything that reads it: the cut-list window's edits
// and their check, the bins list, every cut list and batten, the shop's report, the row bars and
// the entry texts of the layout. Bytes past the record stand for the edits' texts, which may be
// longer than the record keeps: up to eight lines, in the order of the edits.
#include "app/project_record.h"
#include "cutlist/battens.h"
#include "cutlist/cut_lists.h"
#include "cutlist/cutlist_report.h"
#include "cutlist/entry_checks.h"
#include "fuzz_support.h"
#include "layout/row_bars.h"
#include "measure/tape.h"
#include "platform/errors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace hm;

constexpr std::size_t kTextOffsets[] = {400, 421, 432, 443, 454, 475, 486, 507};
constexpr std::size_t kTextRooms[] = {20, 10, 10, 10, 20, 10, 20, 10};

// Runs one list; a text that is not a number is the user's to fix, anything else is a finding.
void list(const std::function<void()>& compute) {
  try {
    compute();
  } catch (const ConversionError&) {
  } catch (const ArithmeticError&) {
  }
}

// Every width and every text survives a write after a read; only the bytes after each text and
// the last two bytes, which carry nothing, may change.
void checkRoundTrip(const RecordBytes& bytes, const COM_BINREC& record) {
  const RecordBytes again = serialiseRecord(record);
  HM_FUZZ_CHECK(std::memcmp(again.data(), bytes.data(), 400) == 0, "widths");
  for (std::size_t i = 0; i < 8; ++i) {
    const std::size_t at = kTextOffsets[i];
    const std::size_t length = std::min<std::size_t>(bytes[at], kTextRooms[i]);
    HM_FUZZ_CHECK(again[at] == length, "length byte");
    HM_FUZZ_CHECK(std::memcmp(again.data() + at + 1, bytes.data() + at + 1, length) == 0, "text");
  }
}

// Texts longer than their room are cut at a character boundary, never beyond the room.
void checkLongTexts(const COM_BINREC& record) {
  const RecordBytes bytes = serialiseRecord(record);
  const std::string* texts[] = {&record.COM_BINMAT,  &record.COM_BINTHK, &record.COM_BINHIGH,
                                &record.COM_BINDEEP, &record.COM_DIVMAT, &record.COM_DIVTHK,
                                &record.COM_BATMAT,  &record.COM_BATTHK};
  for (std::size_t i = 0; i < 8; ++i) {
    const std::size_t length = bytes[kTextOffsets[i]];
    HM_FUZZ_CHECK(length <= kTextRooms[i], "room");
    HM_FUZZ_CHECK(length <= texts[i]->size(), "length");
    HM_FUZZ_CHECK(std::string_view(*texts[i]).starts_with(std::string_view(
                      reinterpret_cast<const char*>(bytes.data() + kTextOffsets[i] + 1), length)),
                  "prefix");
    HM_FUZZ_CHECK(length == texts[i]->size() ||
                      (static_cast<unsigned char>((*texts[i])[length]) & 0xC0) != 0x80 ||
                      length == 0,
                  "character boundary");
  }
}

void checkBins(const BinWidths& widths, const BinsRequired& bins) {
  int cells = 0;
  for (const auto& row : widths) {
    for (float w : row) cells += w > 0.0f ? 1 : 0;
  }
  int counted = 0;
  for (const BinEntry& e : bins) {
    HM_FUZZ_CHECK(e.quantity >= 1, e.width);
    counted += e.quantity;
  }
  HM_FUZZ_CHECK(counted == cells, "every bin counted once");

  // The sorting must not change the widths shown: each entry keeps the text of its bins (only
  // the group of widths that cannot be written, "0", is shown empty).
  for (const auto& row : widths) {
    for (float w : row) {
      if (!(w > 0.0f)) continue;
      const std::string text = FloatToFraction(w);
      const std::string shown = text == "0" ? std::string() : text;
      HM_FUZZ_CHECK(std::any_of(bins.begin(), bins.end(),
                                [&](const BinEntry& e) { return e.width == shown; }),
                    text);
    }
  }
}

// The bars stay within what a window can draw, and a bar's caption, clicked and applied again,
// gives the row's bins back when each of them is a whole number of 64ths.
void checkRows(const BinRows& rows, float maxBar) {
  const std::array<RowBar, 10> bars = computeRowBars(rows, maxBar);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const RowBar& bar = bars[r];
    HM_FUZZ_CHECK(bar.width >= 0 && bar.width <= 100000, bar.caption);
    const bool anyBin =
        std::any_of(rows[r].begin(), rows[r].end(), [](float w) { return w > 0.0f; });
    HM_FUZZ_CHECK(bar.caption.empty() == !anyBin, bar.caption);
    // A bin too small to write (below a 64th after rounding) leaves the row's text empty.
    const std::string values = rowValuesText(rows[r]);
    if (!anyBin) {
      HM_FUZZ_CHECK(values.empty(), values);
      continue;
    }

    // The layout window's bar click: the caption before its first " (", less one blank.
    const std::size_t at = bar.caption.find(" (");
    HM_FUZZ_CHECK(at != std::string::npos && at > 0, bar.caption);
    const std::string clicked = bar.caption.substr(0, at - 1);

    std::array<float, 10> bins{};
    std::size_t n = 0;
    bool exact = true;
    for (float w : rows[r]) {
      if (!(w > 0.0f)) continue;
      bins[n++] = w;
      exact = exact && fuzz::wholeSixtyFourths(w);
    }
    if (!exact) continue;
    for (const std::string& text : {clicked, values}) {
      std::array<float, 10> applied{};
      try {
        applied = fuzz::applyRowText(text);
      } catch (const HandlerError&) {
        HM_FUZZ_CHECK(false, text);
      }
      HM_FUZZ_CHECK(applied == bins, text);
    }
  }
}

// The number of fields in each row of an RFC 4180 text, or nothing when it is malformed.
std::optional<std::vector<std::size_t>> csvShape(std::string_view csv) {
  std::vector<std::size_t> rows;
  std::size_t fields = 1;
  std::size_t i = 0;
  while (i < csv.size()) {
    if (csv[i] == '"') {
      for (++i;; ++i) {
        if (i >= csv.size()) return std::nullopt;
        if (csv[i] != '"') continue;
        if (i + 1 < csv.size() && csv[i + 1] == '"') {
          ++i;
          continue;
        }
        ++i;
        break;
      }
      if (i < csv.size() && csv[i] != ',' && csv[i] != '\r') return std::nullopt;
      continue;
    }
    if (csv[i] == ',') {
      ++fields;
    } else if (csv[i] == '\r') {
      if (i + 1 >= csv.size() || csv[i + 1] != '\n') return std::nullopt;
      rows.push_back(fields);
      fields = 1;
      ++i;
    } else if (csv[i] == '\n') {
      return std::nullopt;
    }
    ++i;
  }
  if (fields != 1) return std::nullopt;  // the last row has no line end
  return rows;
}

// Texts from a damaged file cannot break the report's lines or its CSV rows.
void checkReport(const CutListReport& report) {
  std::size_t lines = 0;
  for (const ReportPart& part : report.parts) lines += part.list.lines.size();

  std::ostringstream text;
  writeTextReport(report, text);
  const std::string t = text.str();
  const auto newlines = static_cast<std::size_t>(std::count(t.begin(), t.end(), '\n'));
  HM_FUZZ_CHECK(newlines == 2 + report.bins.size() + 3 * report.parts.size() + lines, t);
  HM_FUZZ_CHECK(t.find('\r') == std::string::npos, t);

  std::ostringstream csv;
  writeCsvReport(report, csv);
  const std::optional<std::vector<std::size_t>> shape = csvShape(csv.str());
  HM_FUZZ_CHECK(shape.has_value(), csv.str());
  HM_FUZZ_CHECK(shape->size() == 1 + report.bins.size() + lines, csv.str());
  HM_FUZZ_CHECK(std::all_of(shape->begin(), shape->end(), [](std::size_t n) { return n == 5; }),
                csv.str());
}

void readEdits(BinSpecs& specs, std::string_view extra) {
  std::string* edits[] = {&specs.edBinHigh, &specs.edBinDeep, &specs.edBinMat, &specs.edBinThk,
                          &specs.edDivMat,  &specs.edDivThk,  &specs.edBatMat, &specs.edBatThk};
  for (std::string* edit : edits) {
    if (extra.empty()) return;
    const std::size_t end = extra.find('\n');
    *edit = std::string(extra.substr(0, end));
    extra = end == std::string_view::npos ? std::string_view() : extra.substr(end + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RecordBytes bytes{};
  std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
  COM_BINREC record = deserialiseRecord(bytes);
  checkRoundTrip(bytes, record);

  // The two bytes after the texts carry nothing; here they pick the room the bars have.
  const float maxBar = 440.0f + static_cast<float>(bytes[518] | (bytes[519] << 8));
  checkRows(record.COM_BINVALS, maxBar);

  const BinsRequired bins = ShowBins(record.COM_BINVALS);
  checkBins(record.COM_BINVALS, bins);

  BinSpecs specs = ShowSpecs(record);
  if (size > bytes.size()) {
    readEdits(specs,
              std::string_view(reinterpret_cast<const char*>(data) + bytes.size(), size - 520));
  }
  EditsPass(specs);
  list([&] { ShowSides(specs, bins); });
  list([&] { ShowFronts(specs, bins); });
  list([&] { ShowBacks(specs, bins); });
  list([&] { ShowBases(specs, bins); });
  list([&] { ShowDividers(specs, bins); });
  list([&] { ShowBatM(specs, bins); });
  list([&] { ShowBatW(specs, record); });
  list([&] { ShowBatB(specs, bins); });
  battenBoards(bins);
  list([&] { checkReport(computeReport(record)); });

  // What the window stores after the user's edits: the longer texts are cut to fit.
  COM_BINREC edited = record;
  edited.COM_BINHIGH = specs.edBinHigh;
  edited.COM_BINDEEP = specs.edBinDeep;
  edited.COM_BINMAT = specs.edBinMat;
  edited.COM_BINTHK = specs.edBinThk;
  edited.COM_DIVMAT = specs.edDivMat;
  edited.COM_DIVTHK = specs.edDivThk;
  edited.COM_BATMAT = specs.edBatMat;
  edited.COM_BATTHK = specs.edBatThk;
  checkLongTexts(edited);
  return 0;
}

// The layout window's entry text as its apply button takes it: cleaning (cleanRowText), the values
// (splitRowValues), each value through the tape check, and the row text written back. The window
// used to do the cleaning on QString; that code is kept here as the oracle, so that any text on
// which the two part ways is a finding.
#include "fuzz_support.h"
#include "layout/row_bars.h"
#include "measure/tape.h"
#include "platform/errors.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace hm;

// The apply button's text steps as the window did them on the QString of the entry field.
struct QtSteps {
  QString cleaned;
  QStringList values;
};

QtSteps qtSteps(const QString& entry) {
  QString text = entry.trimmed();
  while (text.contains(QStringLiteral(",,")))
    text.replace(QStringLiteral(",,"), QStringLiteral(","));
  while (text.endsWith(QLatin1Char(','))) text.chop(1);
  QtSteps steps{text, {}};
  int column = 0;
  while (!text.isEmpty()) {
    if (column >= 10) {
      text.clear();
    } else {
      const qsizetype comma = text.indexOf(QLatin1Char(','));
      steps.values << (comma < 0 ? text.trimmed() : text.left(comma).trimmed());
      text = comma < 0 ? QString() : text.mid(comma + 1).trimmed();
    }
    ++column;
  }
  return steps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);

  // Any bytes at all are safe, though the window only ever hands over valid UTF-8.
  const std::string rawCleaned = cleanRowText(raw);
  HM_FUZZ_CHECK(rawCleaned.find(",,") == std::string::npos, rawCleaned);
  HM_FUZZ_CHECK(!rawCleaned.ends_with(','), rawCleaned);
  HM_FUZZ_CHECK(splitRowValues(rawCleaned).size() <= 10, rawCleaned);

  // The entry field's text, as the window reads it.
  const QString entry = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
  const std::string utf8 = entry.toStdString();
  const std::string cleaned = cleanRowText(utf8);
  const std::vector<std::string> values = splitRowValues(cleaned);
  const QtSteps oracle = qtSteps(entry);
  // Compared as UTF-8: QString::fromStdString() would drop a leading byte order mark.
  HM_FUZZ_CHECK(oracle.cleaned.toStdString() == cleaned, cleaned);
  HM_FUZZ_CHECK(values.size() == static_cast<std::size_t>(oracle.values.size()), cleaned);
  for (std::size_t i = 0; i < values.size(); ++i) {
    HM_FUZZ_CHECK(oracle.values[static_cast<qsizetype>(i)].toStdString() == values[i], values[i]);
  }

  // Applied as the window does it; a value that is not a number ends the apply there.
  std::array<float, 10> row{};
  try {
    row = fuzz::applyRowText(utf8);
  } catch (const ConversionError&) {
    return 0;
  } catch (const ArithmeticError&) {
    return 0;
  }

  // What the field shows afterwards applies to the same bins, and the bars of that row are safe.
  std::array<float, 10> bins{};
  std::size_t n = 0;
  for (float w : row) {
    HM_FUZZ_CHECK(fuzz::wholeSixtyFourths(w), cleaned);
    if (w > 0.0f) bins[n++] = w;
  }
  const std::string shown = rowValuesText(row);
  std::array<float, 10> again{};
  try {
    again = fuzz::applyRowText(shown);
  } catch (const HandlerError&) {
    HM_FUZZ_CHECK(false, shown);
  }
  HM_FUZZ_CHECK(again == bins, shown);
  HM_FUZZ_CHECK(rowValuesText(again) == shown, shown);

  BinRows rows{};
  rows[0] = row;
  rows[1] = again;
  for (const RowBar& bar : computeRowBars(rows, 440.0f)) {
    HM_FUZZ_CHECK(bar.width >= 0 && bar.width <= 100000, bar.caption);
  }
  return 0;
}

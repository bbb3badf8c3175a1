#include "cutlist_report.h"

#include "cutlist/battens.h"
#include "cutlist/entry_checks.h"
#include "platform/errors.h"

#include <QFile>
#include <QString>

#include <ostream>
#include <string_view>

namespace hm {
namespace {

constexpr std::string_view kProgram = "hollowmere-cutlist";

constexpr std::string_view kUsage =
    "Usage: hollowmere-cutlist [--csv] PROJECT.dat\n"
    "       hollowmere-cutlist --help\n";

constexpr std::string_view kHelp =
    "\n"
    "Prints the cutting lists of a Hollowmere project file, as the cut-list window shows them\n"
    "after a calculation: the bins required, the sides, fronts, backs, bases and dividers of the\n"
    "bins, the batten stock (boards 96 long), the wall battens and the bin battens.\n"
    "The file is only read, never written.\n"
    "\n"
    "Options:\n"
    "  --csv     print the lists as CSV with the header\n"
    "            part,quantity,first size,second size,material\n"
    "  --help    show this help and exit\n"
    "\n"
    "Exit status: 0 when the lists were printed; 2 when the command line is wrong, the project\n"
    "file cannot be read, or the project has a required field at 0 or a measurement that is\n"
    "not a number. The message on standard error then names the file or the field, and no\n"
    "list is printed.\n";

// Record texts are not checked when they are read, so a damaged file could hold control
// characters; they must not reach a terminal or break the lines of the report.
std::string printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = ' ';
  }
  return out;
}

std::string csvField(std::string_view text) {
  const std::string field = printable(trimBlanks(text));
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

void csvRow(std::ostream& out, std::string_view part, std::string_view quantity,
            std::string_view first, std::string_view second, std::string_view material) {
  out << csvField(part) << ',' << csvField(quantity) << ',' << csvField(first) << ','
      << csvField(second) << ',' << csvField(material) << "\r\n";
}

}  // namespace

CutListReport computeReport(const COM_BINREC& record) {
  const BinSpecs specs = ShowSpecs(record);
  CutListReport report;
  report.bins = ShowBins(record.COM_BINVALS);
  const BinsRequired& bins = report.bins;
  report.parts.push_back({"Side", ShowSides(specs, bins)});
  report.parts.push_back({"Front", ShowFronts(specs, bins)});
  report.parts.push_back({"Back", ShowBacks(specs, bins)});
  report.parts.push_back({"Base", ShowBases(specs, bins)});
  report.parts.push_back({"Divider", ShowDividers(specs, bins)});
  report.parts.push_back({"Batten Material", ShowBatM(specs, bins)});
  report.parts.push_back({"Batten (Wall)", ShowBatW(specs, record)});
  report.parts.push_back({"Batten (Bin)", ShowBatB(specs, bins)});
  return report;
}

void writeTextReport(const CutListReport& report, std::ostream& out) {
  out << "Bins Required\n";
  for (const BinEntry& e : report.bins) {
    out << e.quantityText() << '\t' << printable(e.width) << '\n';
  }
  out << '\n';
  for (const ReportPart& part : report.parts) {
    out << printable(part.list.title) << '\n' << printable(part.list.detail) << '\n';
    for (const CutLine& line : part.list.lines) out << printable(line.text()) << '\n';
    out << '\n';
  }
}

void writeCsvReport(const CutListReport& report, std::ostream& out) {
  out << "part,quantity,first size,second size,material\r\n";
  for (const BinEntry& e : report.bins)
    csvRow(out, "Bins Required", e.quantityText(), e.width, "", "");
  for (const ReportPart& part : report.parts) {
    for (const CutLine& line : part.list.lines) {
      csvRow(out, part.name, line.quantity, line.first, line.second, part.list.detail);
    }
  }
}

COM_BINREC readProjectRecord(const std::string& path) {
  const QString name = QFile::decodeName(path.c_str());
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly)) {
    throw IoError("Cannot open " + path + ": " + file.errorString().toStdString());
  }
  RecordBytes bytes{};
  const qint64 got = file.read(reinterpret_cast<char*>(bytes.data()), kRecordSize);
  if (got < 0) throw IoError("Cannot read " + path + ": " + file.errorString().toStdString());
  if (got != static_cast<qint64>(kRecordSize)) {
    throw IoError("Cannot read " + path + ": the file is shorter than one project record (" +
                  std::to_string(got) + " of " + std::to_string(kRecordSize) + " bytes)");
  }
  return deserialiseRecord(bytes);
}

int runCutListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool csv = false;
  bool optionsEnded = false;
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      out << kUsage << kHelp;
      return out.flush() ? 0 : 2;
    }
    if (!optionsEnded && arg == "--csv") {
      csv = true;
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
      err << kProgram << ": unknown option " << printable(arg) << '\n' << kUsage;
      return 2;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 1) {
    err << kProgram << ": " << (files.empty() ? "no project file given" : "give one project file")
        << '\n'
        << kUsage;
    return 2;
  }
  const std::string& path = files.front();

  CutListReport report;
  try {
    const COM_BINREC record = readProjectRecord(path);
    const SpecCheck check = EditsPass(ShowSpecs(record));
    if (!check.passed()) {
      err << kProgram << ": " << printable(path) << ": " << specFieldLabel(*check.failed) << ": "
          << check.message << " (it is 0)\n";
      return 2;
    }
    report = computeReport(record);
  } catch (const IoError& e) {
    err << kProgram << ": " << printable(e.what()) << '\n';
    return 2;
  } catch (const HandlerError& e) {
    err << kProgram << ": " << printable(path) << ": " << printable(e.what()) << '\n';
    return 2;
  }

  if (csv) {
    writeCsvReport(report, out);
  } else {
    writeTextReport(report, out);
  }
  if (!out.flush()) {
    err << kProgram << ": cannot write the report\n";
    return 2;
  }
  return 0;
}

std::vector<std::string> commandArgs(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i] ? argv[i] : "");
  return args;
}

}  // namespace hm

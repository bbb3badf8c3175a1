#pragma once

#include "app/project_record.h"
#include "cutlist/cut_lists.h"

#include <iosfwd>
#include <string>
#include <vector>

// The shop's report: what the cut-list window shows after a calculation on a freshly opened window,
// read from a project file and printed as text or CSV.
namespace hm {

// One result control: its design caption ("Side", "Batten (Wall)" ...) and what it shows.
struct ReportPart {
  std::string name;
  CutList list;
};

struct CutListReport {
  BinsRequired bins;
  std::vector<ReportPart> parts;  // Side, Front, Back, Base, Divider, and the three battens
};

// All lists of the record, with its texts as the window's edits get them. The record is assumed
// to pass EditsPass; a text that is not a number throws ConversionError or ArithmeticError
// naming the field.
CutListReport computeReport(const COM_BINREC& record);

// "Bins Required" with one "quantity<TAB>width" line per entry, then for each part its two caption
// lines and its lines; every block ends with an empty line.
void writeTextReport(const CutListReport& report, std::ostream& out);

// RFC 4180: a header line part,quantity,first size,second size,material, then one row per line of
// every list (the bins required with their width as the first size), lines ended by CRLF.
void writeCsvReport(const CutListReport& report, std::ostream& out);

// Reads the record at the start of a project file without ever writing to it. Throws IoError
// naming the file when it cannot be opened or is shorter than one record.
COM_BINREC readProjectRecord(const std::string& path);

// The command line: [--csv] PROJECT.dat, or --help. Returns the exit status: 0 when the lists were
// printed, 2 on any failure (told on `err`, nothing printed on `out`).
int runCutListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The arguments after the program name.
std::vector<std::string> commandArgs(int argc, char** argv);

}  // namespace hm

#include "app/project_file.h"
#include "cutlist/cutlist_report.h"
#include "example_record.h"
#include "support/temp_folder.h"

#include <QByteArray>
#include <QProcess>

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace hm {
namespace {

class CutListCommand : public ::testing::Test {
 protected:
  // Writes `record` as a project file the way the program does and returns its path.
  std::string project(const COM_BINREC& record, const char* name = "wall.dat") {
    const QString path = folder.file(QString::fromUtf8(name));
    ProjectFile().create(path, record);
    return path.toStdString();
  }

  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return runCutListCommand(args, out, err);
  }

  test::TempFolder folder;
  std::ostringstream out;
  std::ostringstream err;
};

constexpr const char* kExampleText =
    "Bins Required\n"
    "3\t6\n"
    "1\t8\n"
    "1\t12\n"
    "\n"
    "Sides: \n1/2 Pine\n10 @ 4 x 5 1/2\n\n"
    "Front: \n1/2 Pine\n3 @ 2 x 6\n1 @ 2 x 8\n1 @ 2 x 12\n\n"
    "Back: \n1/2 Pine\n3 @ 4 x 5\n1 @ 4 x 7\n1 @ 4 x 11\n\n"
    "Base: \n1/2 Pine\n3 @ 5 x 5\n1 @ 5 x 7\n1 @ 5 x 11\n\n"
    "Dividers: \n1/4 Ply\n3 @ 3 3/8 x 5 1/2\n1 @ 3 3/8 x 7 1/2\n1 @ 3 3/8 x 11 1/2\n\n"
    "Batten Stock:\n3/4 Oak\n1 @ 4 1/8 x 96\n\n"
    "Batten (Wall):\n3/4 Oak\n2 @ 3 x 20\n\n"
    "Batten (Bin):\n3/4 Oak\n3 @ 1 3/4 x 6\n1 @ 1 3/4 x 8\n1 @ 1 3/4 x 12\n\n";

TEST_F(CutListCommand, PrintsTheWorkedExampleAsText) {
  const std::string path = project(test::exampleRecord());
  EXPECT_EQ(run({path}), 0);
  EXPECT_EQ(out.str(), kExampleText);
  EXPECT_EQ(err.str(), "");
}

TEST_F(CutListCommand, NewProjectWithoutDividersShowsEmptyLists) {
  COM_BINREC record;
  BlankRecord(record);
  record.COM_BATMAT = "";
  ASSERT_EQ(run({project(record)}), 0);
  EXPECT_EQ(out.str(),
            "Bins Required\n\n"
            "Sides: \n0.5 ?\n0 @ 4 x 5 1/2\n\n"
            "Front: \n0.5 ?\n\n"
            "Back: \n0.5 ?\n\n"
            "Base: \n0.5 ?\n\n"
            "Dividers:\nN/A\n\n"
            "Batten Material:\nN/a\n\n"
            "Batten (Wall):\nN/A\n\n"
            "Batten (Bin):\nN/A\n\n");
}

TEST_F(CutListCommand, PrintsCsvWithQuotedTexts) {
  COM_BINREC record = test::exampleRecord();
  record.COM_BINVALS[1] = {0.75f};
  record.COM_BINMAT = "Pine, \"clear\"";
  ASSERT_EQ(run({"--csv", project(record)}), 0);
  const std::string csv = out.str();
  EXPECT_EQ(csv.substr(0, csv.find("Back,")),
            "part,quantity,first size,second size,material\r\n"
            "Bins Required,1,3/4,,\r\n"
            "Bins Required,2,6,,\r\n"
            "Bins Required,1,8,,\r\n"
            "Side,8,4,5 1/2,\"1/2 Pine, \"\"clear\"\"\"\r\n"
            "Front,1,2,3/4,\"1/2 Pine, \"\"clear\"\"\"\r\n"
            "Front,2,2,6,\"1/2 Pine, \"\"clear\"\"\"\r\n"
            "Front,1,2,8,\"1/2 Pine, \"\"clear\"\"\"\r\n");
  EXPECT_NE(csv.find("\r\nBatten Material,1,4 1/8,96,3/4 Oak\r\n"), std::string::npos);
  EXPECT_NE(csv.find("\r\nBatten (Wall),2,3,20,3/4 Oak\r\n"), std::string::npos);
  EXPECT_TRUE(csv.ends_with("\r\nBatten (Bin),1,1 3/4,8,3/4 Oak\r\n")) << csv;
}

TEST_F(CutListCommand, ControlCharactersFromTheFileNeverReachTheOutput) {
  COM_BINREC record = test::exampleRecord();
  record.COM_BINMAT = "Pi\x1b[2Jne\r\nX";
  ASSERT_EQ(run({project(record)}), 0);
  EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
  EXPECT_NE(out.str().find("\n1/2 Pi [2Jne  X\n10 @ 4"), std::string::npos);
}

struct BadSpecCase {
  std::string COM_BINREC::*field;
  const char* text;
  const char* message;  // after "hollowmere-cutlist: PATH: "
};

TEST_F(CutListCommand, BadFieldExitsWithTwoAndNamesTheField) {
  const std::vector<BadSpecCase> cases{
      {&COM_BINREC::COM_BINHIGH, "0", "Bin height: Required field (it is 0)"},
      {&COM_BINREC::COM_DIVTHK, " 0", "Divider thickness: Required field (it is 0)"},
      {&COM_BINREC::COM_BATMAT, "0", "Batten material: Required field (it is 0)"},
      {&COM_BINREC::COM_BINTHK, "abc", "Bin thickness: \"abc\" is not a valid number"},
      {&COM_BINREC::COM_BINDEEP, "6,5", "Bin depth: \"6,5\" is not a valid number"},
      {&COM_BINREC::COM_BATTHK, "x", "Batten thickness: \"x\" is not a valid number"},
      {&COM_BINREC::COM_BINHIGH, "1/0", "Bin height: \"1/0\": Division by zero"},
  };
  for (const BadSpecCase& c : cases) {
    COM_BINREC record = test::exampleRecord();
    record.*c.field = c.text;
    const std::string path = project(record);
    for (const char* csv : {"", "--csv"}) {
      std::vector<std::string> args{path};
      if (*csv) args.insert(args.begin(), csv);
      EXPECT_EQ(run(args), 2) << c.text;
      EXPECT_EQ(out.str(), "") << c.text;
      EXPECT_EQ(err.str(), "hollowmere-cutlist: " + path + ": " + c.message + "\n");
    }
  }
}

TEST_F(CutListCommand, UnreadableFilesExitWithTwoAndNameTheFile) {
  folder.write("short.dat", QByteArray(519, '\0'));
  const std::string missing = folder.file("missing.dat").toStdString();
  const std::string shortFile = folder.file("short.dat").toStdString();
  const std::string directory = folder.path().toStdString();

  EXPECT_EQ(run({missing}), 2);
  EXPECT_EQ(err.str().rfind("hollowmere-cutlist: Cannot open " + missing + ": ", 0), 0u)
      << err.str();
  EXPECT_EQ(run({shortFile}), 2);
  EXPECT_EQ(err.str(), "hollowmere-cutlist: Cannot read " + shortFile +
                           ": the file is shorter than one project record (519 of 520 bytes)\n");
  EXPECT_EQ(run({"--csv", directory}), 2);
  EXPECT_NE(err.str().find(directory), std::string::npos) << err.str();
  EXPECT_EQ(out.str(), "");
}

TEST_F(CutListCommand, ReadsOnlyTheRecordAndNeverWrites) {
  QByteArray bytes;
  const RecordBytes record = serialiseRecord(test::exampleRecord());
  bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
  bytes.append("trailing bytes");
  folder.write("long.dat", bytes);
  EXPECT_EQ(run({folder.file("long.dat").toStdString()}), 0);
  EXPECT_EQ(out.str(), kExampleText);
  EXPECT_EQ(folder.read("long.dat"), bytes);
}

TEST_F(CutListCommand, AnyRecordIsSafeToReport) {
  // Random bit patterns give NaNs, infinities, huge and tiny widths, and texts of any bytes.
  std::mt19937 random(5);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> digit(0, 15);
  const char* const texts = "0123456789 ./e-";
  for (int trial = 0; trial < 200; ++trial) {
    QByteArray bytes(static_cast<int>(kRecordSize), '\0');
    for (char& b : bytes) b = static_cast<char>(byte(random));
    if (trial % 2 == 0) {
      // Half of them with short measurement-like texts, so that the lists are reached.
      for (const int offset : {421, 432, 443, 475, 507}) {
        bytes[offset] = 3;
        for (int i = 1; i <= 3; ++i) bytes[offset + i] = texts[digit(random) % 15];
      }
    }
    folder.write("random.dat", bytes);
    const int status = run({folder.file("random.dat").toStdString()});
    EXPECT_TRUE(status == 0 || status == 2) << status;
    EXPECT_EQ(status == 0, err.str().empty()) << err.str();
  }
}

TEST_F(CutListCommand, CommandLine) {
  EXPECT_EQ(run({"--help"}), 0);
  EXPECT_EQ(out.str().rfind("Usage: hollowmere-cutlist [--csv] PROJECT.dat\n", 0), 0u);
  EXPECT_NE(out.str().find("part,quantity,first size,second size,material"), std::string::npos);
  EXPECT_EQ(err.str(), "");

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"--csv"}, {"a.dat", "b.dat"}, {"--tsv", "a.dat"}}) {
    EXPECT_EQ(run(args), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("Usage: "), std::string::npos);
  }
  // After "--" a name that starts with a dash is a file.
  EXPECT_EQ(run({"--", "-wall.dat"}), 2);
  EXPECT_NE(err.str().find("Cannot open -wall.dat"), std::string::npos) << err.str();
}

TEST_F(CutListCommand, TheProgramItself) {
  const std::string path = project(test::exampleRecord());
  QProcess process;
  process.start(QStringLiteral(HM_CUTLIST_PROGRAM), {QString::fromStdString(path)});
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(process.readAllStandardOutput().toStdString(), kExampleText);

  process.start(QStringLiteral(HM_CUTLIST_PROGRAM), {folder.file("none.dat")});
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitCode(), 2);
  EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
  EXPECT_FALSE(process.readAllStandardError().isEmpty());
}

}  // namespace
}  // namespace hm

#include "app/project_file.h"
#include "platform/errors.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace hm {
namespace {

COM_BINREC blank() {
  COM_BINREC r;
  BlankRecord(r);
  return r;
}

float floatAt(const QByteArray& bytes, int offset) {
  std::uint32_t bits = 0;
  for (int b = 0; b < 4; ++b) {
    bits |= std::uint32_t{static_cast<std::uint8_t>(bytes[offset + b])} << (8 * b);
  }
  float f = 0;
  std::memcpy(&f, &bits, 4);
  return f;
}

TEST(ProjectFile, NewProjectIsExactly520BytesWithTheBlankRecord) {
  test::TempFolder dir;
  ProjectFile file;
  file.create(dir.file("wall.dat"), blank());
  EXPECT_FALSE(file.isOpen());
  const QByteArray bytes = dir.read("wall.dat");
  ASSERT_EQ(bytes.size(), 520);
  EXPECT_EQ(bytes.left(400), QByteArray(400, '\0'));
  // Length byte, then the text, for every field at its offset.
  const std::pair<int, QByteArray> texts[] = {{400, "?"}, {421, "0.5"}, {432, "4"}, {443, "6"},
                                              {454, ""},  {475, ""},    {486, "?"}, {507, "0.5"}};
  for (const auto& [offset, text] : texts) {
    EXPECT_EQ(static_cast<int>(bytes[offset]), text.size()) << offset;
    EXPECT_EQ(bytes.mid(offset + 1, text.size()), text) << offset;
  }
  EXPECT_EQ(bytes.mid(518, 2), QByteArray(2, '\0'));
}

TEST(ProjectFile, WidthsLieAtTheirOffsetsAndRoundTrip) {
  test::TempFolder dir;
  COM_BINREC r = blank();
  r.COM_BINVALS[0][0] = 12.0f;
  r.COM_BINVALS[0][1] = 12.5f;
  r.COM_BINVALS[3][7] = 6.0f;
  r.COM_BINVALS[9][9] = -5.0f;
  r.COM_BINVALS[5][5] = std::nanf("");
  r.COM_DIVMAT = "Birch ply \xC3\xA9";  // UTF-8 survives
  ProjectFile file;
  file.create(dir.file("p.dat"), r);
  const QByteArray bytes = dir.read("p.dat");
  EXPECT_EQ(floatAt(bytes, 0), 12.0f);
  EXPECT_EQ(floatAt(bytes, 4), 12.5f);
  EXPECT_EQ(floatAt(bytes, 40 * 3 + 4 * 7), 6.0f);
  EXPECT_EQ(floatAt(bytes, 396), -5.0f);
  file.open(dir.file("p.dat"));
  COM_BINREC back;
  file.load(back);
  EXPECT_TRUE(std::isnan(back.COM_BINVALS[5][5]));  // kept as read
  back.COM_BINVALS[5][5] = r.COM_BINVALS[5][5] = 0;
  EXPECT_EQ(back, r);
}

TEST(ProjectFile, LongTextIsCutToItsRoom) {
  test::TempFolder dir;
  COM_BINREC r = blank();
  r.COM_BINMAT = "ABCDEFGHIJKLMNOPQRSTUVWXY";  // 25 bytes
  r.COM_BINTHK = "12345678901";                // 11 bytes
  r.COM_BATMAT =
      "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9x\xC3\xA9";
  const RecordBytes bytes = serialiseRecord(r);
  EXPECT_EQ(bytes[400], 20);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[401]), 20), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(bytes[421], 10);
  // Never half a character: 9 two-byte letters and "x" make 19 bytes; the next letter does not fit.
  EXPECT_EQ(bytes[486], 19);
  EXPECT_EQ(deserialiseRecord(bytes).COM_BINMAT, "ABCDEFGHIJKLMNOPQRST");
}

TEST(ProjectFile, LengthBytesAboveTheRoomAreReadAsTheRoom) {
  RecordBytes bytes{};
  for (std::size_t i = 400; i < 520; ++i) bytes[i] = 255;
  const COM_BINREC r = deserialiseRecord(bytes);
  EXPECT_EQ(r.COM_BINMAT.size(), 20u);
  EXPECT_EQ(r.COM_BINTHK.size(), 10u);
  EXPECT_EQ(r.COM_BATTHK.size(), 10u);
  // The text after the length byte is the field's own bytes, not the next field's length byte.
  EXPECT_EQ(r.COM_BINMAT, std::string(20, '\xFF'));
}

TEST(ProjectFile, StoreKeepsBytesAfterTheRecord) {
  test::TempFolder dir;
  QByteArray content(520, '\0');
  content.append("tail of another program", 23);
  dir.write("long.dat", content);
  ProjectFile file;
  file.open(dir.file("long.dat"));
  COM_BINREC r;
  file.load(r);
  r.COM_BINVALS[1][2] = 3.5f;
  r.COM_BINHIGH = "5";
  file.store(r);
  file.storeAndClose(r);
  const QByteArray bytes = dir.read("long.dat");
  ASSERT_EQ(bytes.size(), 543);
  EXPECT_EQ(bytes.mid(520), QByteArray("tail of another program"));
  EXPECT_EQ(floatAt(bytes, 48), 3.5f);
}

TEST(ProjectFile, ShortFileFailsToLoad) {
  test::TempFolder dir;
  dir.write("short.dat", QByteArray(519, '\0'));
  ProjectFile file;
  file.open(dir.file("short.dat"));
  COM_BINREC r = blank();
  const COM_BINREC before = r;
  try {
    file.load(r);
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_NE(std::string(e.what()).find("short.dat"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("shorter"), std::string::npos) << e.what();
  }
  EXPECT_EQ(r, before);
}

TEST(ProjectFile, OsFailuresNameTheReasonAndTheFile) {
  test::TempFolder dir;
  dir.write("plain", "x");
  ProjectFile file;
  // A folder "under" a regular file cannot exist.
  try {
    file.create(dir.file("plain/p.dat"), blank());
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_NE(std::string(e.what()).find("plain"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("Not a directory"), std::string::npos) << e.what();
  }
  EXPECT_THROW(file.open(dir.file("missing.dat")), IoError);
  EXPECT_FALSE(QFile::exists(dir.file("missing.dat")));     // opening never creates a project
  EXPECT_THROW(file.create(dir.path(), blank()), IoError);  // a folder where the file should be
  COM_BINREC r;
  EXPECT_THROW(file.load(r), IoError);  // nothing open
  EXPECT_THROW(file.store(r), IoError);
}

TEST(ProjectFile, FullDiskFailsTheStore) {
  if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
  ProjectFile file;
  file.open(QStringLiteral("/dev/full"));
  try {
    file.store(blank());
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_NE(std::string(e.what()).find("/dev/full"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(file.isOpen());  // a failed store-and-close leaves the file open to try again
  EXPECT_THROW(file.storeAndClose(blank()), IoError);
  EXPECT_TRUE(file.isOpen());
  file.close();
}

TEST(ProjectFile, DeleteReportsInsteadOfThrowing) {
  test::TempFolder dir;
  dir.write("gone.dat", QByteArray(520, '\0'));
  EXPECT_TRUE(ProjectFile::remove(dir.file("gone.dat")));
  EXPECT_FALSE(QFile::exists(dir.file("gone.dat")));
  EXPECT_FALSE(ProjectFile::remove(dir.file("gone.dat")));
}

}  // namespace
}  // namespace hm

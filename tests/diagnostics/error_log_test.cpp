#include "support/error_log.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace hm {
namespace {

#ifdef Q_OS_WIN
const QByteArray kEol = "\r\n";
#else
const QByteArray kEol = "\n";
#endif

// Every test starts from a fresh run: empty log, no data folder yet.
class ErrorLog : public ::testing::Test {
 protected:
  void SetUp() override {
    DefineErrLog();
    ERRFILENAME.clear();
  }
  void TearDown() override {
    ERRLOG.clear();
    ERRFILENAME.clear();
  }
  QString logFile() const { return dir.file(QStringLiteral("Hollowmere.log")); }

  test::FakeServices fakes;
  test::TempFolder dir;
};

TEST_F(ErrorLog, ReadsTheLinesOfTheFile) {
  struct Case {
    const char* name;
    QByteArray bytes;
    QStringList entries;
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"one empty line", "\n", {QString()}},
      {"final line end adds nothing", "a\r\nb\r\n", {"a", "b"}},
      {"no final line end", "a\nb", {"a", "b"}},
      {"empty line between entries", "a\n\nb\n", {"a", "", "b"}},
      {"lone carriage returns", "a\rb\r", {"a", "b"}},
      {"UTF-8 and a byte-order mark",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9 \xE2\x80\x94 ok\n",
       {QStringLiteral("caf\u00E9 \u2014 ok")}},
  };
  ERRFILENAME = logFile();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dir.write(QStringLiteral("Hollowmere.log"), c.bytes);
    ERRLOG = QStringList{QStringLiteral("left over from memory")};
    EXPECT_EQ(OpenErrLog(), !c.entries.isEmpty());
    EXPECT_EQ(ERRLOG, c.entries);
  }
}

TEST_F(ErrorLog, NoFileOrAnUnreadableOneGivesAnEmptyLog) {
  const QString folderInstead = dir.file(QStringLiteral("folder.log"));
  ASSERT_TRUE(QDir().mkdir(folderInstead));
  for (const QString& name : {QString(), logFile(), folderInstead, QStringLiteral("/dev/null")}) {
    SCOPED_TRACE(name.toStdString());
    ERRFILENAME = name;
    ERRLOG = QStringList{QStringLiteral("left over from memory")};
    EXPECT_FALSE(OpenErrLog());
    EXPECT_TRUE(ERRLOG.isEmpty());
  }
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(ErrorLog, EntriesCarryTheMinuteUnitSectionAndMessageInCallOrder) {
  fakes.clock.fixed = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 59));
  LogError(QStringLiteral("qvl_privs"), QStringLiteral("FindUpdate"),
           QStringLiteral("Unable to allocate Temp Folder"), false);
  fakes.clock.fixed = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 0));
  LogError(QStringLiteral("qvl_inst"), QStringLiteral("UpdateNow"), QStringLiteral("second one"),
           false);
  fakes.clock.fixed = QDateTime(QDate(2024, 12, 31), QTime(9, 5));
  LogError(QStringLiteral("u"), QStringLiteral("s"), QStringLiteral("morning"), false);
  EXPECT_EQ(ERRLOG, (QStringList{
                        QStringLiteral("2024-03-05 14:07 qvl_privs FindUpdate Unable to allocate "
                                       "Temp Folder"),
                        QStringLiteral("2024-03-05 14:07 qvl_inst UpdateNow second one"),
                        QStringLiteral("2024-12-31 09:05 u s morning"),
                    }));
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(ErrorLog, ShownErrorDisplaysOnlyTheMessageBeforeTheEntryIsAdded) {
  qsizetype entriesWhileShown = -1;
  fakes.dialogs.onShow = [&](const test::ShownBox&) { entriesWhileShown = ERRLOG.size(); };
  LogError(QStringLiteral("qvl_inst"), QStringLiteral("UpdateNow"),
           QStringLiteral("Update failed to download"), true);
  ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
  EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("message"));
  EXPECT_EQ(fakes.dialogs.shown[0].text, QStringLiteral("Update failed to download"));
  EXPECT_EQ(entriesWhileShown, 0);
  EXPECT_EQ(ERRLOG, QStringList{QStringLiteral("2024-03-05 14:07 qvl_inst UpdateNow Update failed "
                                               "to download")});
}

TEST_F(ErrorLog, CustomErrLogsThenWarnsWithTheAdvice) {
  CustomErr(QStringLiteral("qvl_privs"), QStringLiteral("FindUpdate"),
            QStringLiteral("Unable to Fetch Version Control Info"));
  EXPECT_EQ(ERRLOG, QStringList{QStringLiteral("2024-03-05 14:07 qvl_privs FindUpdate Unable to "
                                               "Fetch Version Control Info")});
  ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
  const test::ShownBox& box = fakes.dialogs.shown[0];
  EXPECT_EQ(box.kind, QStringLiteral("warning"));
  EXPECT_EQ(box.caption, QStringLiteral("Possible Bug?"));
  EXPECT_EQ(box.text,
            QStringLiteral("Unable to Fetch Version Control Info\r\n\r\n"
                           "Updates will not be available until this is resolved.\r\n"
                           "Please check your Internet connection.\r\n\r\n"
                           "Click OK to continue using the application but you may be missing "
                           "critical updates.\r\n\r\n"
                           "If this is a new issue and you have not already requested support, "
                           "please consider submitting a SUPPORT REQUEST by choosing HELP -> "
                           "SUPPORT. You will receive progress reports as the error is "
                           "investigated and resolved."));
}

TEST_F(ErrorLog, CloseReplacesTheFileAndOpenReadsItBack) {
  dir.write(QStringLiteral("Hollowmere.log"), "an older and much longer entry\nand another\n");
  ERRFILENAME = logFile();
  const QStringList entries{QStringLiteral("2024-03-05 14:07 qvl_privs InitAll Temp \u00E9 folder"),
                            QString(), QStringLiteral("last")};
  ERRLOG = entries;
  CloseErrLog();
  EXPECT_TRUE(ERRLOG.isEmpty());
  EXPECT_EQ(dir.read(QStringLiteral("Hollowmere.log")),
            entries[0].toUtf8() + kEol + kEol + QByteArray("last") + kEol);
  EXPECT_TRUE(OpenErrLog());
  EXPECT_EQ(ERRLOG, entries);

  ERRLOG.clear();  // e.g. after a support request: the file is emptied, the next start is quiet
  CloseErrLog();
  EXPECT_TRUE(QFileInfo::exists(logFile()));
  EXPECT_EQ(dir.read(QStringLiteral("Hollowmere.log")), QByteArray());
  EXPECT_FALSE(OpenErrLog());
}

TEST_F(ErrorLog, CloseWithoutADataFolderWritesNothing) {
  LogError(QStringLiteral("u"), QStringLiteral("s"), QStringLiteral("m"), false);
  CloseErrLog();
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(ErrorLog, FailedCloseIsSilentAndLeavesNoPartialFile) {
  dir.write(QStringLiteral("plain"), "a regular file");
  dir.write(QStringLiteral("Hollowmere.log"), "kept\n");
  const QString folderInstead = dir.file(QStringLiteral("folder.log"));
  ASSERT_TRUE(QDir().mkdir(folderInstead));
  for (const QString& target : {dir.file(QStringLiteral("plain/Hollowmere.log")), folderInstead,
                                dir.file(QStringLiteral("gone/Hollowmere.log"))}) {
    SCOPED_TRACE(target.toStdString());
    ERRFILENAME = target;
    ERRLOG = QStringList{QStringLiteral("lost")};
    CloseErrLog();
    EXPECT_TRUE(ERRLOG.isEmpty());
  }
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  // Nothing new appeared beside the files that were there, and they are unchanged.
  EXPECT_EQ(QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
            (QStringList{QStringLiteral("Hollowmere.log"), QStringLiteral("folder.log"),
                         QStringLiteral("plain")}));
  EXPECT_TRUE(QDir(folderInstead).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
  EXPECT_EQ(dir.read(QStringLiteral("plain")), QByteArray("a regular file"));
  EXPECT_EQ(dir.read(QStringLiteral("Hollowmere.log")), QByteArray("kept\n"));
}

// After a support request the file is emptied at once, so the next activation offers nothing.
TEST_F(ErrorLog, ClearEmptiesTheLogAndItsFile) {
  LogError(QStringLiteral("u"), QStringLiteral("s"), QStringLiteral("in memory"), false);
  ClearErrLog();  // no data folder yet: only the memory
  EXPECT_TRUE(ERRLOG.isEmpty());
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

  dir.write(QStringLiteral("Hollowmere.log"), "reported\n");
  ERRFILENAME = logFile();
  ASSERT_TRUE(OpenErrLog());
  ClearErrLog();
  EXPECT_TRUE(ERRLOG.isEmpty());
  EXPECT_EQ(dir.read(QStringLiteral("Hollowmere.log")), QByteArray());
  EXPECT_FALSE(OpenErrLog());
}

}  // namespace
}  // namespace hm

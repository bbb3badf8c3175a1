#include "app/folder_listing.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace hm {
namespace {

void makeReadOnly(const QString& path) {
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
}

TEST(FolderListing, ListsMatchingFilesWithoutTheLastExtension) {
  test::TempFolder dir;
  for (const char* name : {"alpha.dat", "x.dat.dat", "notes.txt", "upper.DAT", "ro.dat"}) {
    dir.write(QString::fromLatin1(name), "x");
  }
  QDir().mkdir(dir.file(QStringLiteral("sub.dat")));  // a folder is not a project
  makeReadOnly(dir.file(QStringLiteral("ro.dat")));

  QStringList names{QStringLiteral("stale")};
  GetFileList(dir.path(), QStringLiteral("*.dat"), names, true);
  names.sort();
  EXPECT_EQ(names, (QStringList{QStringLiteral("alpha"), QStringLiteral("x.dat")}));

  GetFileList(dir.path(), QStringLiteral("*.dat"), names, false);
  names.sort();
  EXPECT_EQ(names,
            (QStringList{QStringLiteral("alpha"), QStringLiteral("ro"), QStringLiteral("x.dat")}));

  GetFileList(dir.path(), QStringLiteral("*.dat;*.txt"), names, true);
  EXPECT_EQ(names.size(), 3);
}

TEST(FolderListing, MissingFolderGivesAnEmptyList) {
  QStringList names{QStringLiteral("stale")};
  GetFileList(QStringLiteral("/no/such/folder"), QStringLiteral("*.dat"), names, true);
  EXPECT_TRUE(names.isEmpty());
}

TEST(FolderListing, ReadOnlyFollowsTheOwnerWriteBit) {
  test::TempFolder dir;
  dir.write(QStringLiteral("a.dat"), "x");
  EXPECT_FALSE(IsReadOnlyFile(dir.file(QStringLiteral("a.dat"))));
  makeReadOnly(dir.file(QStringLiteral("a.dat")));
  EXPECT_TRUE(IsReadOnlyFile(dir.file(QStringLiteral("a.dat"))));  // even for root
  EXPECT_FALSE(IsReadOnlyFile(dir.file(QStringLiteral("missing.dat"))));
}

TEST(FolderListing, FlagTest) {
  EXPECT_TRUE(IsFlagSet(0, 0));
  EXPECT_TRUE(IsFlagSet(0xFFFFFFFFu, 0));
  EXPECT_TRUE(IsFlagSet(0x21, 1));
  EXPECT_FALSE(IsFlagSet(0x20, 1));
  EXPECT_FALSE(IsFlagSet(0x01, 0x03));
}

}  // namespace
}  // namespace hm

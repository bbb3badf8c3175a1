#include "app/settings_store.h"
#include "platform/errors.h"
#include "support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace hm {
namespace {

// Every test gets a store of its own in a fresh folder.
class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() { setSettingsFolder(dir.path()); }
  QVariant stored(const QString& key) { return openSettingsStore()->value(key); }
  bool hasSection(const QString& section) {
    return openSettingsStore()->childGroups().contains(section);
  }
  test::TempFolder dir;
};

TEST_F(SettingsStoreTest, FirstRunWritesTheDefaults) {
  EXPECT_TRUE(GetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), true));
  EXPECT_EQ(GetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QString()), QString());
  const QVariant hints = stored(QStringLiteral("Application/Hints"));
  EXPECT_EQ(hints.typeId(), QMetaType::Int);
  EXPECT_EQ(hints.toInt(), 1);
  const QVariant path = stored(QStringLiteral("Data/Path"));
  EXPECT_EQ(path.typeId(), QMetaType::QString);
  EXPECT_EQ(path.toString(), QString());
}

TEST_F(SettingsStoreTest, ValuesKeepTheirTypeThroughTheFile) {
  SetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), false);
  SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QStringLiteral("/home/me/bins"));
  SetRegI(QStringLiteral("Application"), QStringLiteral("Nets"), -7);
  EXPECT_FALSE(GetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), true));
  EXPECT_EQ(GetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QString()),
            QStringLiteral("/home/me/bins"));
  EXPECT_EQ(GetRegI(QStringLiteral("Application"), QStringLiteral("Nets"), 0), -7);
}

TEST_F(SettingsStoreTest, WrongTypeIsReplacedByTheDefault) {
  SetRegS(QStringLiteral("Application"), QStringLiteral("Hints"), QStringLiteral("yes"));
  EXPECT_TRUE(GetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), true));
  const QVariant hints = stored(QStringLiteral("Application/Hints"));
  EXPECT_EQ(hints.typeId(), QMetaType::Int);
  EXPECT_EQ(hints.toInt(), 1);

  SetRegS(QStringLiteral("Application"), QStringLiteral("Nets"), QStringLiteral("x"));
  EXPECT_EQ(GetRegI(QStringLiteral("Application"), QStringLiteral("Nets"), 0), 0);
  EXPECT_EQ(stored(QStringLiteral("Application/Nets")).typeId(), QMetaType::Int);

  SetRegI(QStringLiteral("Data"), QStringLiteral("Path"), 3);
  EXPECT_EQ(GetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QStringLiteral("/d")),
            QStringLiteral("/d"));
  EXPECT_EQ(stored(QStringLiteral("Data/Path")).toString(), QStringLiteral("/d"));
}

TEST_F(SettingsStoreTest, AnyNonZeroIntegerIsTrue) {
  SetRegI(QStringLiteral("Application"), QStringLiteral("Hints"), 5);
  EXPECT_TRUE(GetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), false));
  SetRegI(QStringLiteral("Application"), QStringLiteral("Hints"), 0);
  EXPECT_FALSE(GetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), true));
}

TEST_F(SettingsStoreTest, IntegerReadOfAMissingSectionCreatesNothing) {
  EXPECT_EQ(GetRegI(QStringLiteral("Nowhere"), QStringLiteral("Nets"), 9), 9);
  EXPECT_FALSE(hasSection(QStringLiteral("Nowhere")));
  // With the section present, a missing value is written back.
  SetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), true);
  EXPECT_EQ(GetRegI(QStringLiteral("Application"), QStringLiteral("Nets"), 0), 0);
  EXPECT_TRUE(stored(QStringLiteral("Application/Nets")).isValid());
}

TEST_F(SettingsStoreTest, TextReadsWriteTheirDefaultOverEmptyText) {
  SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QString());
  EXPECT_EQ(GetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QStringLiteral("/def")),
            QStringLiteral("/def"));
  EXPECT_EQ(stored(QStringLiteral("Data/Path")).toString(), QStringLiteral("/def"));
  // A missing section with a non-empty default: nothing to write.
  EXPECT_EQ(GetRegS(QStringLiteral("Other"), QStringLiteral("X"), QStringLiteral("v")),
            QStringLiteral("v"));
  EXPECT_FALSE(hasSection(QStringLiteral("Other")));
}

TEST_F(SettingsStoreTest, UnwritableStoreRaisesIoError) {
  // The store's folder is a regular file, so its file cannot be written.
  dir.write(QStringLiteral("blocked"), "x");
  setSettingsFolder(dir.file(QStringLiteral("blocked")));
  EXPECT_THROW(SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QStringLiteral("/x")),
               IoError);
  EXPECT_THROW(GetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), true), IoError);
}

TEST(ThisAppName, FollowsTheExecutableName) {
  EXPECT_EQ(appNameFromPath(QStringLiteral("/opt/hollowmere/Hollowmere")),
            QStringLiteral("Hollowmere\\"));
  EXPECT_EQ(appNameFromPath(QStringLiteral("C:/Programs/Planner2.exe")),
            QStringLiteral("Planner2\\"));
  EXPECT_EQ(appNameFromPath(QStringLiteral("/x/a.b.exe")), QStringLiteral("a.b\\"));
  EXPECT_TRUE(ThisAppName().endsWith(QLatin1Char('\\')));
}

}  // namespace
}  // namespace hm

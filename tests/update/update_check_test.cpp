#include "update_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace hm {
namespace {

using test::UpdateFixture;

const QString kFetch = QStringLiteral("Unable to Fetch Version Control Info");
const QString kUnprocessable = QStringLiteral("Unable to process Downloaded Version Control Info");

TEST(FmtVersion, NormalisesFourIntegersAndRefusesTheRest) {
  const std::pair<const char*, const char*> cases[] = {
      {"1.0.3.12", "0001.0000.0003.0012"},
      {"1.0.3.9", "0001.0000.0003.0009"},
      {"4.25.1017.1553", "0004.0025.1017.1553"},
      {"1.2.3.4.5", "0001.0002.0003.0004"},        // past the fourth field: ignored
      {"10000.12345.0.0", "0000.2345.0000.0000"},  // the first digit of n + 10000 is dropped
      {"-5.0.0.0", "995.0000.0000.0000"},
      {"1.0.3", nullptr},
      {"1..3.4", nullptr},
      {"1.0.3.x", nullptr},
      {"1.0.3.99999999999", nullptr},
      {"Version unknown", nullptr},
      {"", nullptr},
  };
  for (const auto& [in, out] : cases) {
    const std::optional<QString> got = FmtVersion(QString::fromLatin1(in));
    if (out) {
      EXPECT_EQ(got, QString::fromLatin1(out)) << in;
    } else {
      EXPECT_FALSE(got.has_value()) << in;
    }
  }
  EXPECT_GT(*FmtVersion(QStringLiteral("1.0.3.12")), *FmtVersion(QStringLiteral("1.0.3.9")));
}

TEST(VersionInfo, ReadsVersionInstallerAndSignatureOrSaysWhyNot) {
  using Status = VersionInfo::Status;
  struct Case {
    const char* file;
    Status status;
    const char* installer;
    const char* signature;
  };
  const Case cases[] = {
      {"1.0.3.12\nSetup.exe\n", Status::Ok, "Setup.exe", ""},
      {"1.0.3.12\r\nSetup.exe\r\n  c2ln \r\nignored\r\n", Status::Ok, "Setup.exe", "c2ln"},
      {"1.0.3.12\rSetup.exe", Status::Ok, "Setup.exe", ""},
      {"1.0.3.12\n", Status::Unprocessable, "", ""},
      {"", Status::Unprocessable, "", ""},
      {"1.0.3\nSetup.exe\n", Status::NotAVersion, "", ""},
      {"1.0.3.12\n../Setup.exe\n", Status::Unprocessable, "", ""},
  };
  for (const Case& c : cases) {
    const VersionInfo info = parseVersionInfo(QByteArray(c.file));
    EXPECT_EQ(info.status, c.status) << c.file;
    EXPECT_EQ(info.installer, QString::fromLatin1(c.installer)) << c.file;
    EXPECT_EQ(info.signature, QString::fromLatin1(c.signature)) << c.file;
  }
  EXPECT_EQ(parseVersionInfo("1.0.3.12\nSetup.exe").version, QStringLiteral("0001.0000.0003.0012"));
}

TEST(InstallerName, OnlyAPlainFileNamePasses) {
  for (const char* good : {"Setup.exe", "Setup Hollowmere 4.26.exe", "setup-1.0.3.12.msi"}) {
    EXPECT_TRUE(installerNameAcceptable(QString::fromLatin1(good))) << good;
  }
  for (const char* bad :
       {"", ".", "..", "../Setup.exe", "..\\Setup.exe", "a/Setup.exe", "a\\Setup.exe",
        "/tmp/Setup.exe", "C:Setup.exe", "Setup\t.exe", "Setup\r", "Setup\x7f.exe", "Setup..exe"}) {
    EXPECT_FALSE(installerNameAcceptable(QString::fromLatin1(bad))) << bad;
  }
}

TEST_F(UpdateFixture, InitAllPreparesTheNamesAndClearsTheItem) {
  miUpdate.setText(kUpdateAvailable);
  EXPECT_TRUE(InitAll(&miUpdate));
  EXPECT_EQ(miUpdate.text(), QString());
  EXPECT_EQ(THISAPP, app);
  EXPECT_EQ(THISVER, QStringLiteral("0004.0025.1017.1553"));
  EXPECT_EQ(TEMPFLD, workFolder());
  // Without TMP the system's temporary folder is the parent.
  fakes.environment.values.erase(QStringLiteral("TMP"));
  EXPECT_TRUE(InitAll(&miUpdate));
  EXPECT_TRUE(TEMPFLD.startsWith(QDir::toNativeSeparators(QDir::tempPath())));
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  EXPECT_TRUE(ERRLOG.isEmpty());
}

TEST_F(UpdateFixture, InitAllFailuresWarnAndLogTwice) {
  struct Case {
    bool item;
    QString version;
    QString label;
  };
  const Case cases[] = {
      {false, QStringLiteral("4.25.1017.1553"), QStringLiteral("MenuItem initialization fault")},
      {true, QStringLiteral("Version unknown"),
       QStringLiteral("Version Control calculation failed")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label.toStdString());
    DefineErrLog();
    fakes.dialogs.clear();
    COM_APPVERSION = c.version;
    EXPECT_FALSE(InitAll(c.item ? &miUpdate : nullptr));
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("warning"));
    EXPECT_EQ(fakes.dialogs.shown[0].caption, QStringLiteral("Possible Bug?"));
    EXPECT_TRUE(fakes.dialogs.shown[0].text.startsWith(c.label + QStringLiteral("\r\n\r\n")));
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("qvl_privs InitAll ") + c.label,
                                     QStringLiteral("qvl_privs InitAll ") + c.label}));
  }
  EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(UpdateFixture, ComparesThePublishedVersionWithTheRunningOne) {
  struct Case {
    const char* name;
    QByteArray file;
    bool announced;
    QStringList warnings;
  };
  const Case cases[] = {
      {"newer", "4.25.1017.1554\nSetup-4.25.1017.1554.exe\n", true, {}},
      {"newer, CR LF and more lines", "5.0.0.0\r\nSetup.exe\r\n\r\nnotes\r\n", true, {}},
      {"equal", "4.25.1017.1553\nSetup.exe\n", false, {}},
      {"older", "4.25.1017.999\nSetup.exe\n", false, {}},
      {"three numbers: silent", "4.26.1\nSetup.exe\n", false, {}},
      {"one line", "9.0.0.0\n", false, {kUnprocessable}},
      {"empty", "", false, {kUnprocessable}},
      {"installer outside the work folder", "9.0.0.0\n../../Setup.exe\n", false, {kUnprocessable}},
      {"installer with a drive", "9.0.0.0\nC:\\Setup.exe\n", false, {kUnprocessable}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DefineErrLog();
    fakes.dialogs.clear();
    miUpdate.setText(QStringLiteral("left from the last check"));
    publish(c.file);
    const bool announced = check();
    EXPECT_EQ(announced, c.announced);
    EXPECT_EQ(miUpdate.text(), c.announced ? kUpdateAvailable : QString());
    EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("warning")).size(), c.warnings.size());
    QStringList entries;
    for (const QString& w : c.warnings) {
      EXPECT_TRUE(fakes.dialogs.texts().first().startsWith(w));
      entries << QStringLiteral("qvl_privs FindUpdate ") + w
              << QStringLiteral("qvl_privs FindUpdate ") + w;
    }
    EXPECT_EQ(logged(), entries);
    // The downloaded copy never stays behind.
    EXPECT_FALSE(QFileInfo::exists(TEMPVER));
    EXPECT_EQ(TEMPVER, workFolder() + app + QStringLiteral(".txt"));
  }
  EXPECT_EQ(URL, server.base() + QStringLiteral("updates/") + app +
                     QStringLiteral("/refs/heads/main/") + app + QStringLiteral(".txt"));
}

TEST_F(UpdateFixture, UnreachableSourceWarnsOnceAndLogsTwice) {
  const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(test::closedPort());
  const QString missing = server.base() + QStringLiteral("elsewhere/");  // 404
  for (const QString& base : {refused, missing}) {
    SCOPED_TRACE(base.toStdString());
    DefineErrLog();
    fakes.dialogs.clear();
    fakes.environment.values[QStringLiteral("HOLLOWMERE_UPDATE_URL")] = base;
    EXPECT_FALSE(check());
    EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("warning")).size(), 1);
    EXPECT_TRUE(fakes.dialogs.texts().first().startsWith(kFetch + QStringLiteral("\r\n\r\n")));
    EXPECT_EQ(
        logged(),
        (QStringList{QStringLiteral("qvl_privs FindUpdate ") + kFetch,
                     QStringLiteral("qvl_privs FindUpdate SimpleGet.URL failure: ") + kFetch}));
    EXPECT_EQ(miUpdate.text(), QString());
  }
}

TEST_F(UpdateFixture, SourceThatNeverAnswersGivesUpWithinTheTimeOut) {
  server.serve(sourcePath(app + QStringLiteral(".txt")), {200, {}, true});
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(check());
  EXPECT_LT(clock.elapsed(), 12000);
  EXPECT_EQ(server.requests.size(), 1);
  EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("warning")).size(), 1);
  EXPECT_EQ(ERRLOG.size(), 2);
}

TEST_F(UpdateFixture, WithoutAnUpdateSourceNothingHappens) {
  fakes.environment.values[QStringLiteral("HOLLOWMERE_UPDATE_URL")] = QString();
  miUpdate.setText(kUpdateAvailable);
  EXPECT_FALSE(check());
  EXPECT_EQ(miUpdate.text(), QString());
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  EXPECT_TRUE(ERRLOG.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(workFolder()));
}

TEST_F(UpdateFixture, WorkFolderThatCannotBeMadeWarnsAndLogsTwice) {
  tmp.write(QStringLiteral("plain"), "a regular file");
  fakes.environment.values[QStringLiteral("TMP")] = tmp.file(QStringLiteral("plain"));
  publish("9.0.0.0\nSetup.exe\n");
  EXPECT_FALSE(check());
  EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("warning")).size(), 1);
  EXPECT_EQ(logged(),
            (QStringList{QStringLiteral("qvl_privs FindUpdate Unable to allocate Temp Folder"),
                         QStringLiteral("qvl_privs FindUpdate Unable to allocate Temp Folder")}));
  EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(UpdateFixture, InstallerComesFromTheVersionFilesFolderIntoTheWorkFolder) {
  for (const QString& name :
       {QStringLiteral("Setup-4.25.1017.1554.exe"), QStringLiteral("Setup Hollowmere 4.26.exe")}) {
    SCOPED_TRACE(name.toStdString());
    publish("4.25.1017.1554\n" + name.toUtf8() + "\n");
    server.serve(sourcePath(name), QByteArray("installer bytes"));
    ASSERT_TRUE(check());
    EXPECT_EQ(REPOINS, name);
    EXPECT_TRUE(ExecUpdate());
    EXPECT_EQ(server.requests.last(), sourcePath(name));
    EXPECT_EQ(URL, server.base() + QStringLiteral("updates/") + app +
                       QStringLiteral("/refs/heads/main/") + name);
    EXPECT_EQ(TEMPINS, workFolder() + name);
    QFile saved(TEMPINS);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("installer bytes"));
#ifndef Q_OS_WIN
    EXPECT_TRUE(saved.permissions() & QFileDevice::ExeOwner);
#endif
  }
  // A missing installer is a failed download, and no message is shown here.
  publish("4.25.1017.1554\nGone.exe\n");
  ASSERT_TRUE(check());
  EXPECT_FALSE(ExecUpdate());
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(UpdateFixture, SignedBuildStartsOnlyInstallersWithTheirSignature) {
  const test::SigningKey key;
  const test::SigningKey stranger;
  const QByteArray installer("the real installer");
  server.serve(sourcePath(QStringLiteral("Setup.exe")), installer);
  struct Case {
    const char* name;
    QByteArray line3;
    bool accepted;
  };
  const Case cases[] = {
      {"good signature", key.sign(installer), true},
      {"signature by another key", stranger.sign(installer), false},
      {"signature of other bytes", key.sign("something else"), false},
      {"no signature", "", false},
      {"not base64", "%%%", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    publish("4.25.1017.1554\nSetup.exe\n" + c.line3 + "\n");
    ASSERT_TRUE(InitAll(&miUpdate));
    UPDATEKEY = key.publicKey();  // as a build with HOLLOWMERE_UPDATE_KEY would have it
    ASSERT_TRUE(FindUpdate(&miUpdate));
    EXPECT_EQ(ExecUpdate(), c.accepted);
    // An installer that failed the check does not stay where it could be started.
    EXPECT_EQ(QFileInfo::exists(TEMPINS), c.accepted);
  }
  // A build without a key takes the installer as it comes.
  publish("4.25.1017.1554\nSetup.exe\n");
  ASSERT_TRUE(check());
  EXPECT_TRUE(UPDATEKEY.isEmpty());
  EXPECT_TRUE(ExecUpdate());
}

TEST(VerifyInstaller, RefusesMalformedKeysAndSignatures) {
  const test::SigningKey key;
  test::TempFolder dir;
  dir.write(QStringLiteral("empty.exe"), QByteArray());
  const QString empty = dir.file(QStringLiteral("empty.exe"));
  const QString good = QString::fromLatin1(key.sign(QByteArray()));
  EXPECT_TRUE(verifyInstaller(empty, good, key.publicKey()));
  EXPECT_FALSE(verifyInstaller(empty, good, key.publicKey().left(20)));
  EXPECT_FALSE(verifyInstaller(empty, good.left(40), key.publicKey()));
  EXPECT_FALSE(verifyInstaller(dir.file(QStringLiteral("missing.exe")), good, key.publicKey()));
}

}  // namespace
}  // namespace hm

#include "update/tfm_update.h"
#include "update_fixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace hm {
namespace {

// The update window over a real source: the check has just announced 4.25.1017.1554.
class UpdateWindow : public test::UpdateFixture {
 protected:
  UpdateWindow() {
    publish("4.25.1017.1554\nSetup Hollowmere.exe\n");
    server.serve(sourcePath(QStringLiteral("Setup Hollowmere.exe")), QByteArray("installer"));
    EXPECT_TRUE(check());
    ERRFILENAME = logs.file(QStringLiteral("Hollowmere.log"));
    fm.show();
    QCoreApplication::processEvents();
  }
  bool messageOnTop() const {
    const QObjectList& kids = fm.children();
    return kids.indexOf(fm.pnMessage) > kids.indexOf(fm.Memo1);
  }

  test::TempFolder logs;
  TfmUpdate fm;
};

TEST_F(UpdateWindow, WarnsWithTheMessageHiddenBehindTheText) {
  EXPECT_EQ(fm.windowTitle(), QStringLiteral("Please confirm..."));
  EXPECT_EQ(fm.size(), QSize(430, 260));
  EXPECT_EQ(fm.palette().color(QPalette::Window), QColor(166, 202, 240));
  const QStringList lines = fm.Memo1->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 11);
  EXPECT_EQ(lines[0], QStringLiteral("WARNING:"));
  EXPECT_EQ(lines[9],
            QStringLiteral("    When you have completed your work and saved your data, you "));
  EXPECT_EQ(fm.btnUpdate->text(), QStringLiteral("Update Now"));
  EXPECT_EQ(fm.btnCancel->text(), QStringLiteral("No, Do not Update"));
  EXPECT_EQ(fm.pnMessage->y(), 120);
  EXPECT_FALSE(messageOnTop());
}

TEST_F(UpdateWindow, NoClosesAndDownloadsNothing) {
  const qsizetype asked = server.requests.size();
  fm.btnCancel->click();
  EXPECT_FALSE(fm.isVisible());
  EXPECT_EQ(fm.result(), TfmUpdate::kResultCancel);
  EXPECT_EQ(server.requests.size(), asked);
  EXPECT_TRUE(fakes.process.started.empty());
  EXPECT_FALSE(fakes.process.endedWith.has_value());
  // The title-bar button does the same.
  fm.show();
  fm.close();
  EXPECT_FALSE(fm.isVisible());
  EXPECT_EQ(fm.result(), TfmUpdate::kResultCancel);
  EXPECT_EQ(server.requests.size(), asked);
}

TEST_F(UpdateWindow, UpdateNowShowsProgressStartsTheInstallerAndEnds) {
  bool progressShown = false;
  server.onRequest = [&](const QString&) {
    progressShown = messageOnTop() && fm.pnMessage->y() == 220 &&
                    fm.pnMessage->text() == QStringLiteral("Downloading ... Please wait");
  };
  LogError(QStringLiteral("qvl_privs"), QStringLiteral("FindUpdate"), QStringLiteral("earlier"),
           false);
  fm.btnUpdate->click();
  EXPECT_TRUE(progressShown);
  ASSERT_EQ(fakes.process.started.size(), 1u);
  EXPECT_EQ(fakes.process.started[0].first, workFolder() + QStringLiteral("Setup Hollowmere.exe"));
  EXPECT_EQ(fakes.process.started[0].second, QStringLiteral("/SILENT"));
  EXPECT_EQ(fakes.process.endedWith, 0);
  // The log was written before the end.
  EXPECT_TRUE(logs.read(QStringLiteral("Hollowmere.log")).contains("qvl_privs FindUpdate earlier"));
}

TEST_F(UpdateWindow, FailedDownloadIsToldLoggedAndWrittenBeforeTheEnd) {
  server.serve(sourcePath(QStringLiteral("Setup Hollowmere.exe")), {404, "gone", false});
  fm.btnUpdate->click();
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Update failed to download")});
  EXPECT_TRUE(fakes.process.started.empty());
  EXPECT_EQ(fakes.process.endedWith, 0);
  EXPECT_TRUE(logs.read(QStringLiteral("Hollowmere.log"))
                  .contains(" qvl_inst UpdateNow Update failed to download"));
}

TEST_F(UpdateWindow, InstallerThatCannotStartIsToldAndTheProgramGoesOn) {
  fakes.process.startResult = false;
  fm.btnUpdate->click();
  const QString installer = workFolder() + QStringLiteral("Setup Hollowmere.exe");
  EXPECT_EQ(fakes.dialogs.texts(),
            QStringList{QStringLiteral("Unable to start the installer ") + installer});
  EXPECT_EQ(
      logged(),
      QStringList{QStringLiteral("qvl_inst UpdateNow Unable to start the installer ") + installer});
  EXPECT_FALSE(fakes.process.endedWith.has_value());
  EXPECT_FALSE(fm.isVisible());
}

}  // namespace
}  // namespace hm

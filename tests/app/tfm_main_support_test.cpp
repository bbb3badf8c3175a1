#include "app/com_state.h"
#include "app/settings_store.h"
#include "app/tfm_main.h"
#include "app/window_common.h"
#include "support/error_log.h"
#include "support/fake_services.h"
#include "support/local_http_server.h"
#include "support/temp_folder.h"
#include "support/tfm_support.h"
#include "update/tfm_update.h"
#include "update/update_check.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace hm {
namespace {

const QString kPrompt =
    QStringLiteral("Report these errors now? [Yes, Request Support|No, not at this time]");
const QString kEntry = QStringLiteral("2024-03-04 09:15 qvl_privs FindUpdate Unable to Fetch");

// The project window with its data folder, error log and update source on this machine: settings,
// data and the update work folder in temporary folders, the source on 127.0.0.1.
class ProjectWindowSupport : public ::testing::Test {
 protected:
  ProjectWindowSupport() {
    setSettingsFolder(settingsDir.path());
    COM_PATH.clear();
    ERRFILENAME.clear();
    ERRLOG.clear();
    setHintDisplay(true);
    fakes.environment.values[QStringLiteral("TMP")] = tmp.path();
    app = appNameFromPath(QCoreApplication::applicationFilePath());
    app.chop(1);
    data.write(QStringLiteral("shed.dat"), QByteArray(520, '\0'));
    SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), data.path());
  }
  ~ProjectWindowSupport() override {
    window.reset();
    ERRLOG.clear();
    ERRFILENAME.clear();
  }

  void useSource() {
    fakes.environment.values[QStringLiteral("HOLLOWMERE_UPDATE_URL")] = server.base();
  }
  void publish(const QByteArray& versionFile) {
    server.serve(QStringLiteral("/") + app + QStringLiteral("/refs/heads/main/") + app +
                     QStringLiteral(".txt"),
                 versionFile);
  }
  void writeLog(const QByteArray& bytes) { data.write(QStringLiteral("Hollowmere.log"), bytes); }
  QByteArray logFile() const { return data.read(QStringLiteral("Hollowmere.log")); }
  QStringList prompts() const {
    QStringList out;
    for (const test::ShownBox& b : fakes.dialogs.shown) {
      if (b.kind == QLatin1String("question")) {
        EXPECT_EQ(b.caption, QStringLiteral("Error Log has unreported errors."));
        out << b.text;
      }
    }
    return out;
  }
  TfmMain& start() {
    window = std::make_unique<TfmMain>();
    window->show();
    QCoreApplication::processEvents();
    return *window;
  }
  // The support window's script: through the pages to the ticket.
  static int sendTicket(QWidget& w) {
    auto& fm = dynamic_cast<TFmSupport&>(w);
    fm.btnContinue->click();
    fm.btnDetail->click();
    fm.btnTicket->click();
    return fm.result();
  }

  test::TempFolder settingsDir;
  test::TempFolder data;
  test::TempFolder tmp;
  test::FakeServices fakes;
  test::LocalHttpServer server;
  QString app;
  std::unique_ptr<TfmMain> window;
};

TEST_F(ProjectWindowSupport, HelpMenuOrderAndTheUpdateItemAtTheRight) {
  TfmMain& w = start();
  QMenu* help = w.menuBar()->findChild<QMenu*>(QStringLiteral("Help1"));
  ASSERT_NE(help, nullptr);
  QStringList captions;
  for (QAction* a : help->actions()) captions << a->text();
  EXPECT_EQ(captions, (QStringList{QStringLiteral("Hints"), QStringLiteral("Check for Updates"),
                                   QStringLiteral("About"), QStringLiteral("Support")}));
  EXPECT_EQ(w.miUpdate->text(), QString());
  QWidget* corner = w.menuBar()->cornerWidget(Qt::TopRightCorner);
  ASSERT_NE(corner, nullptr);
  EXPECT_TRUE(corner->actions().contains(w.miUpdate));
}

TEST_F(ProjectWindowSupport, ActivationOffersToReportOnlyWhenTheLogHasEntries) {
  writeLog("");
  start();
  EXPECT_TRUE(prompts().isEmpty());
  window.reset();

  writeLog(kEntry.toUtf8() + "\n");
  fakes.dialogs.questionAnswers = {1};  // No, not at this time
  TfmMain& w = start();
  EXPECT_EQ(prompts(), QStringList{kPrompt});
  EXPECT_TRUE(fakes.modal.ran.empty());
  EXPECT_EQ(ERRLOG, QStringList{kEntry});
  // Asked again whenever the log is read again, here after the About window.
  fakes.dialogs.questionAnswers = {-1};  // closed
  w.miAbout->trigger();
  EXPECT_EQ(prompts().size(), 2);
  EXPECT_EQ(ERRLOG, QStringList{kEntry});
}

TEST_F(ProjectWindowSupport, ReportingFromThePromptEmptiesTheLog) {
  writeLog(kEntry.toUtf8() + "\n");
  fakes.dialogs.questionAnswers = {0};  // Yes, Request Support
  fakes.modal.scripts.push_back(sendTicket);
  start();
  EXPECT_EQ(fakes.modal.ran, std::vector<QString>{QStringLiteral("FmSupport")});
  ASSERT_EQ(fakes.shell.urls.size(), 1u);
  EXPECT_TRUE(fakes.shell.urls[0].contains(QStringLiteral("qvl_privs%20FindUpdate")));
  // Emptied in memory and in the file, so the activation after the window asks nothing more.
  EXPECT_TRUE(ERRLOG.isEmpty());
  EXPECT_EQ(logFile(), QByteArray());
  EXPECT_EQ(prompts().size(), 1);
}

TEST_F(ProjectWindowSupport, SupportWindowClosedWithoutATicketKeepsTheLog) {
  writeLog(kEntry.toUtf8() + "\n");
  fakes.dialogs.questionAnswers = {0, 1};  // Yes; after the window: No
  fakes.modal.scripts.push_back([](QWidget&) { return TFmSupport::kResultCancel; });
  start();
  EXPECT_EQ(fakes.modal.ran.size(), 1u);
  EXPECT_EQ(prompts().size(), 2);
  EXPECT_EQ(ERRLOG, QStringList{kEntry});
  // A failure inside the window is dropped when the prompt opened it.
  fakes.dialogs.clear();
  fakes.dialogs.questionAnswers = {0, 1};
  fakes.modal.scripts.push_back([](QWidget&) { return 0; });  // About
  fakes.modal.scripts.push_back([](QWidget&) -> int { throw std::runtime_error("broken"); });
  window->miAbout->trigger();  // the activation after About asks again
  EXPECT_TRUE(fakes.dialogs.texts(QStringLiteral("message")).isEmpty());
  EXPECT_TRUE(fakes.dialogs.texts(QStringLiteral("error")).isEmpty());
  EXPECT_EQ(ERRLOG, QStringList{kEntry});
}

TEST_F(ProjectWindowSupport, SupportFromTheHelpMenu) {
  writeLog(kEntry.toUtf8() + "\n");
  fakes.dialogs.questionAnswers = {1, 1};  // No at the start, No after the failed request
  TfmMain& w = start();
  fakes.modal.scripts.push_back([](QWidget&) -> int { throw std::runtime_error("broken"); });
  w.miSupport->trigger();
  EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("message")),
            QStringList{QStringLiteral("Support Call Failed - lease try later")});
  EXPECT_EQ(ERRLOG, QStringList{kEntry});
  EXPECT_EQ(prompts().size(), 2);

  fakes.modal.scripts.push_back(sendTicket);
  w.miSupport->trigger();
  EXPECT_EQ(fakes.modal.ran.size(), 2u);
  EXPECT_TRUE(ERRLOG.isEmpty());
  EXPECT_EQ(logFile(), QByteArray());
  EXPECT_EQ(prompts().size(), 2);  // nothing left to offer
}

TEST_F(ProjectWindowSupport, CheckForUpdatesWithoutASourceSaysSo) {
  fakes.environment.values[QStringLiteral("HOLLOWMERE_UPDATE_URL")] = QString();
  TfmMain& w = start();
  EXPECT_TRUE(fakes.dialogs.shown.empty());  // the activation checked nothing, warned nothing
  w.miAskUpdate->trigger();
  EXPECT_EQ(fakes.dialogs.texts(),
            QStringList{QStringLiteral("No update source is set for this copy of Hollowmere")});
  EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(ProjectWindowSupport, ActivationAnnouncesANewerVersionAndTheItemOpensTheUpdateWindow) {
  useSource();
  publish("4.25.1017.1554\nSetup.exe\n");
  TfmMain& w = start();
  EXPECT_EQ(server.requests.size(), 1);
  EXPECT_EQ(w.miUpdate->text(), kUpdateAvailable);
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  // The whole caption shows at the right end of the bar.
  const QWidget* corner = w.menuBar()->cornerWidget(Qt::TopRightCorner);
  EXPECT_GE(corner->width(), corner->sizeHint().width());
  EXPECT_LE(corner->geometry().right(), w.menuBar()->width());

  fakes.modal.scripts.push_back([](QWidget& fm) {
    dynamic_cast<TfmUpdate&>(fm).btnCancel->click();
    return TfmUpdate::kResultCancel;
  });
  w.miUpdate->trigger();
  EXPECT_EQ(fakes.modal.ran, std::vector<QString>{QStringLiteral("fmUpdate")});
  EXPECT_TRUE(fakes.process.started.empty());
  EXPECT_EQ(w.miUpdate->text(), kUpdateAvailable);

  // Once the published version is the running one, Help -> Check for Updates says so.
  publish("4.25.1017.1553\nSetup.exe\n");
  w.miAskUpdate->trigger();
  EXPECT_EQ(w.miUpdate->text(), QString());
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Application is current")});
  fakes.dialogs.clear();
  w.miUpdate->trigger();
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Unknown Menu State")});
  EXPECT_EQ(fakes.modal.ran.size(), 1u);
}

TEST_F(ProjectWindowSupport, UnreachableSourceWarnsOncePerActivation) {
  fakes.environment.values[QStringLiteral("HOLLOWMERE_UPDATE_URL")] =
      QStringLiteral("http://127.0.0.1:%1/").arg(test::closedPort());
  // The prompt's support window activates the project window inside the activation: still one
  // check and one warning.
  writeLog(kEntry.toUtf8() + "\n");
  fakes.dialogs.questionAnswers = {0};
  fakes.modal.scripts.push_back(sendTicket);
  TfmMain& w = start();
  EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("warning")).size(), 1);
  EXPECT_EQ(ERRLOG.size(), 2);
  // From the menu the user hears of the failure and then that the program is current.
  fakes.dialogs.clear();
  w.miAskUpdate->trigger();
  ASSERT_EQ(fakes.dialogs.shown.size(), 2u);
  EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("warning"));
  EXPECT_EQ(fakes.dialogs.shown[1].text, QStringLiteral("Application is current"));
}

TEST_F(ProjectWindowSupport, ChoosingAFolderReadsItsLogAndLoadsOnlyWhenInitAllPasses) {
  SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QString());
  TfmMain& w = start();
  test::TempFolder other;
  other.write(QStringLiteral("bench.dat"), QByteArray(520, '\0'));
  other.write(QStringLiteral("Hollowmere.log"), kEntry.toUtf8() + "\n");
  fakes.dialogs.questionAnswers = {1};
  fakes.dialogs.folderAnswers.push_back(other.path());
  COM_APPVERSION = QStringLiteral("Version unknown");  // makes InitAll fail
  w.miFolder->trigger();
  EXPECT_EQ(prompts(), QStringList{kPrompt});
  EXPECT_EQ(fakes.dialogs.shown.back().kind, QStringLiteral("warning"));
  EXPECT_TRUE(fakes.dialogs.shown.back().text.startsWith(
      QStringLiteral("Version Control calculation failed")));
  EXPECT_EQ(w.ddProjects->count(), 0);  // not loaded

  COM_APPVERSION = QStringLiteral("4.25.1017.1553");
  fakes.dialogs.clear();
  fakes.dialogs.questionAnswers = {1};
  fakes.dialogs.folderAnswers.push_back(other.path());
  w.miFolder->trigger();
  EXPECT_EQ(prompts().size(), 1);
  EXPECT_EQ(w.ddProjects->count(), 1);
  EXPECT_EQ(w.ddProjects->currentText(), QStringLiteral("bench"));
}

}  // namespace
}  // namespace hm

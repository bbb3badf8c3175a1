#include "app/tfm_main.h"
#include "app/com_state.h"
#include "app/settings_store.h"
#include "app/window_common.h"
#include "support/error_log.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace hm {
namespace {

// A project window over real files: settings and the data folder live in temporary folders.
class ProjectWindowTest : public ::testing::Test {
 protected:
  ProjectWindowTest() {
    setSettingsFolder(settingsDir.path());
    COM_PATH.clear();
    COM_PRJNAME.clear();
    COM_PRJFILE.clear();
    ERRFILENAME.clear();
    ERRLOG.clear();
    setHintDisplay(true);
  }

  void storeFolder(const QString& folder) {
    SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), folder);
  }
  void addProjects(const QStringList& names) {
    for (const QString& n : names) data.write(n + QStringLiteral(".dat"), QByteArray(520, '\0'));
  }
  // Creates the window and lets its first activation run.
  TfmMain& start() {
    window = std::make_unique<TfmMain>();
    window->show();
    QCoreApplication::processEvents();
    return *window;
  }
  // The panel currently in front of the other.
  QWidget* front() const {
    const QObjectList& kids = window->pnFolder->parentWidget()->children();
    return kids.indexOf(window->pnFolder) > kids.indexOf(window->pnReady) ? window->pnFolder
                                                                          : window->pnReady;
  }
  QStringList items() const {
    QStringList out;
    for (int i = 0; i < window->ddProjects->count(); ++i) out << window->ddProjects->itemText(i);
    out.sort();
    return out;
  }
  void typeName(const QString& name) { window->edNewProj->setText(name); }

  test::TempFolder settingsDir;
  test::TempFolder data;
  test::FakeServices fakes;
  std::unique_ptr<TfmMain> window;
};

TEST_F(ProjectWindowTest, FirstRunWritesDefaultsAndAsksForAFolder) {
  TfmMain& w = start();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Hollowmere - Project Identification"));
  EXPECT_EQ(w.centralWidget()->size(), QSize(500, 255));
  EXPECT_EQ(front(), w.pnFolder);
  const auto store = openSettingsStore();
  EXPECT_EQ(store->value(QStringLiteral("Application/Hints")).toInt(), 1);
  EXPECT_EQ(store->value(QStringLiteral("Data/Path")).typeId(), QMetaType::QString);
  EXPECT_TRUE(w.miShow->isChecked());
  EXPECT_FALSE(w.miHide->isChecked());
  EXPECT_EQ(COM_APPNAME, QStringLiteral("Hollowmere"));
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  // Cancelling the folder dialog leaves the request in front.
  w.miFolder->trigger();
  EXPECT_EQ(front(), w.pnFolder);
  EXPECT_TRUE(COM_PATH.isEmpty());
}

TEST_F(ProjectWindowTest, StoredFolderListsItsProjectsAndSelectsTheFirst) {
  addProjects({QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma")});
  data.write(QStringLiteral("ro.dat"), QByteArray(520, '\0'));
  QFile::setPermissions(data.file(QStringLiteral("ro.dat")), QFileDevice::ReadOwner);
  storeFolder(data.path());
  TfmMain& w = start();
  EXPECT_EQ(front(), w.pnReady);
  EXPECT_EQ(w.edPath->text(), data.path());
  EXPECT_EQ(items(), (QStringList{QStringLiteral("alpha"), QStringLiteral("beta"),
                                  QStringLiteral("gamma")}));
  EXPECT_EQ(w.ddProjects->currentIndex(), 0);
  EXPECT_EQ(w.btnOpen->text(),
            QStringLiteral("Open Project (") + w.ddProjects->itemText(0) + QStringLiteral(")"));
  EXPECT_EQ(ERRFILENAME, data.path() + QDir::separator() + QStringLiteral("Hollowmere.log"));
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(ProjectWindowTest, MissingStoredFolderStillShowsTheReadyPanel) {
  const QString gone = data.file(QStringLiteral("gone"));
  storeFolder(gone);
  TfmMain& w = start();
  EXPECT_EQ(front(), w.pnReady);
  EXPECT_EQ(w.ddProjects->count(), 0);
  EXPECT_EQ(ERRFILENAME, gone + QDir::separator() + QStringLiteral("Hollowmere.log"));
}

TEST_F(ProjectWindowTest, FirstProjectInAnEmptyFolder) {
  storeFolder(data.path());
  TfmMain& w = start();
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Create your first Projet")});
  EXPECT_EQ(w.btnOpen->text(), QStringLiteral("Open () Project"));
  EXPECT_EQ(w.ddProjects->currentIndex(), -1);
  fakes.dialogs.clear();

  typeName(QStringLiteral("Garage_wall-2"));
  w.btnNewProject->clicked();
  const QString file = data.path() + QDir::separator() + QStringLiteral("Garage_wall-2.dat");
  EXPECT_EQ(fakes.dialogs.texts(),
            QStringList{QStringLiteral("Created the new project:\r\n") + file});
  EXPECT_EQ(QFileInfo(file).size(), 520);
  EXPECT_EQ(COM_PRJFILE, file);
  EXPECT_EQ(items(), QStringList{QStringLiteral("Garage_wall-2")});
  EXPECT_EQ(w.ddProjects->currentText(), QStringLiteral("Garage_wall-2"));
  EXPECT_EQ(w.btnOpen->text(), QStringLiteral("Open Project (Garage_wall-2)"));
  EXPECT_TRUE(w.edNewProj->text().isEmpty());
  EXPECT_TRUE(COM_PRJNAME.isEmpty());  // creating does not select for opening
}

TEST_F(ProjectWindowTest, CreateRefusesBadNames) {
  addProjects({QStringLiteral("shed")});
  storeFolder(data.path());
  TfmMain& w = start();
  struct Case {
    QString name;
    QString message;
  };
  const Case cases[] = {
      {QString(), QStringLiteral("Invalid Project Name")},
      {QStringLiteral("   "), QStringLiteral("Invalid Project Name")},
      // Pasted text escapes the key filter but not the check.
      {QStringLiteral("../x"), QStringLiteral("Invalid Project Name")},
      {QStringLiteral("a b"), QStringLiteral("Invalid Project Name")},
      {QStringLiteral("wall.v2"), QStringLiteral("Invalid Project Name")},
      {QStringLiteral("con"), QStringLiteral("Reserved Name!")},
      {QStringLiteral("Con"), QStringLiteral("Reserved Name!")},
      {QStringLiteral("lpt9"), QStringLiteral("Reserved Name!")},
      {QStringLiteral("shed"), QStringLiteral("This Project already exists")},
  };
  for (const Case& c : cases) {
    fakes.dialogs.clear();
    COM_PRJFILE = QStringLiteral("before");
    typeName(c.name);
    w.btnNewProjectClick();
    EXPECT_EQ(fakes.dialogs.texts(), QStringList{c.message}) << c.name.toStdString();
    EXPECT_EQ(w.focusWidget(), w.edNewProj) << c.name.toStdString();
    if (c.message == QLatin1String("This Project already exists")) {
      EXPECT_EQ(COM_PRJFILE, data.path() + QDir::separator() + QStringLiteral("shed.dat"));
    } else {
      EXPECT_EQ(COM_PRJFILE, QStringLiteral("before"));
    }
  }
  EXPECT_EQ(items(), QStringList{QStringLiteral("shed")});
  // Near-misses of reserved names are ordinary names.
  for (const QString& name : {QStringLiteral("COM10"), QStringLiteral("CONSOLE")}) {
    fakes.dialogs.clear();
    typeName(name);
    w.btnNewProjectClick();
    EXPECT_TRUE(
        fakes.dialogs.texts().first().startsWith(QStringLiteral("Created the new project:")));
  }
}

TEST_F(ProjectWindowTest, CreateThatCannotWriteShowsTheErrorAndNothingElse) {
  storeFolder(data.path());
  TfmMain& w = start();
  // The data folder is replaced by a regular file behind the window's back.
  COM_PATH = data.file(QStringLiteral("plain"));
  data.write(QStringLiteral("plain"), "x");
  fakes.dialogs.clear();
  typeName(QStringLiteral("new1"));
  w.btnNewProject->clicked();
  ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
  EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("error"));
  EXPECT_TRUE(fakes.dialogs.shown[0].text.contains(QStringLiteral("new1.dat")));
  EXPECT_EQ(w.edNewProj->text(), QStringLiteral("new1"));  // list not reloaded
}

TEST_F(ProjectWindowTest, OpenAndDeleteActOnlyOnListedProjects) {
  addProjects({QStringLiteral("one"), QStringLiteral("two")});
  data.write(QStringLiteral("../outside.dat"), QByteArray(520, '\0'));
  storeFolder(data.path());
  TfmMain& w = start();
  for (const QString& typed :
       {QString(), QStringLiteral("  "), QStringLiteral("../outside"), QStringLiteral("ONE")}) {
    fakes.dialogs.clear();
    w.ddProjects->setEditText(typed);
    w.btnOpenClick();
    w.btnDeleteProjClick();
    EXPECT_EQ(fakes.dialogs.texts(),
              (QStringList{QStringLiteral("Please select or create a Project first"),
                           QStringLiteral("Please Select a Project")}))
        << typed.toStdString();
    EXPECT_EQ(w.focusWidget(), w.ddProjects);
  }
  EXPECT_TRUE(QFile::exists(data.file(QStringLiteral("../outside.dat"))));
  QFile::remove(data.file(QStringLiteral("../outside.dat")));

  w.ddProjects->setCurrentIndex(w.ddProjects->findText(QStringLiteral("two")));
  w.btnOpenClick();
  EXPECT_EQ(COM_PRJNAME, QStringLiteral("two"));
  EXPECT_EQ(COM_PRJFILE, data.path() + QDir::separator() + QStringLiteral("two.dat"));
}

TEST_F(ProjectWindowTest, DeleteAsksAndKeepsOrRemoves) {
  addProjects({QStringLiteral("keep"), QStringLiteral("drop")});
  storeFolder(data.path());
  TfmMain& w = start();

  fakes.dialogs.clear();
  w.ddProjects->setCurrentIndex(w.ddProjects->findText(QStringLiteral("keep")));
  fakes.dialogs.confirmAnswers.push_back(false);
  w.btnDeleteProj->clicked();
  EXPECT_EQ(fakes.dialogs.texts(), (QStringList{QStringLiteral("Really delete keep Project?"),
                                                QStringLiteral("keep Project retained.")}));
  EXPECT_EQ(items().size(), 2);

  fakes.dialogs.clear();
  w.ddProjects->setCurrentIndex(w.ddProjects->findText(QStringLiteral("drop")));
  fakes.dialogs.confirmAnswers.push_back(true);
  w.btnDeleteProj->clicked();
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Really delete drop Project?")});
  EXPECT_FALSE(QFile::exists(data.file(QStringLiteral("drop.dat"))));
  EXPECT_EQ(items(), QStringList{QStringLiteral("keep")});

  // The file vanished behind the window's back: the deletion fails and the list stays.
  QFile::remove(data.file(QStringLiteral("keep.dat")));
  fakes.dialogs.clear();
  fakes.dialogs.confirmAnswers.push_back(true);
  w.btnDeleteProj->clicked();
  EXPECT_EQ(fakes.dialogs.texts().last(), QStringLiteral("Unable to delete keep"));
  EXPECT_EQ(items(), QStringList{QStringLiteral("keep")});
}

TEST_F(ProjectWindowTest, NewNameFieldTakesOnlyFileCharacters) {
  storeFolder(data.path());
  TfmMain& w = start();
  fakes.dialogs.clear();
  QTest::keyClicks(w.edNewProj, QStringLiteral("ab c.d/e,f"));
  EXPECT_EQ(w.edNewProj->text(), QStringLiteral("abcdef"));
  EXPECT_EQ(fakes.dialogs.beeps, 4);
  QTest::keyClick(w.edNewProj, Qt::Key_Backspace);  // a character too, so it is refused
  EXPECT_EQ(w.edNewProj->text(), QStringLiteral("abcdef"));
  EXPECT_EQ(fakes.dialogs.beeps, 5);
  QTest::keyClick(w.edNewProj, Qt::Key_Home);
  QTest::keyClick(w.edNewProj, Qt::Key_Delete);  // a key, not a character
  EXPECT_EQ(w.edNewProj->text(), QStringLiteral("bcdef"));
  EXPECT_EQ(fakes.dialogs.beeps, 5);
}

TEST_F(ProjectWindowTest, ChoosingAFolderStoresItAndLoadsItsProjects) {
  addProjects({QStringLiteral("bench")});
  TfmMain& w = start();
  fakes.dialogs.folderAnswers.push_back(data.path());
  w.miFolder->trigger();
  EXPECT_EQ(COM_PATH, data.path());
  EXPECT_EQ(w.edPath->text(), data.path());
  EXPECT_EQ(front(), w.pnReady);
  EXPECT_EQ(items(), QStringList{QStringLiteral("bench")});
  EXPECT_EQ(GetRegS(QStringLiteral("Data"), QStringLiteral("Path"), QString()), data.path());
  EXPECT_EQ(ERRFILENAME, data.path() + QDir::separator() + QStringLiteral("Hollowmere.log"));
  // Cancelling later changes nothing.
  w.miFolder->trigger();
  EXPECT_EQ(COM_PATH, data.path());
  EXPECT_EQ(front(), w.pnReady);
}

TEST_F(ProjectWindowTest, ActivationRunsAfterChildWindowsButNotAfterMessageBoxes) {
  addProjects({QStringLiteral("a1")});
  storeFolder(data.path());
  TfmMain& w = start();
  test::TempFolder other;
  storeFolder(other.path());  // changed behind the window's back
  fakes.dialogs.clear();
  w.ddProjects->setEditText(QString());
  w.btnOpenClick();  // a message box only
  EXPECT_EQ(fakes.dialogs.texts().size(), 1);
  EXPECT_EQ(COM_PATH, data.path());
  // Closing the About window activates the project window again, which re-reads the setting.
  w.miAbout->trigger();
  EXPECT_EQ(fakes.modal.ran.back(), QStringLiteral("Tfm_About"));
  EXPECT_EQ(COM_PATH, other.path());
  EXPECT_TRUE(fakes.dialogs.texts().contains(QStringLiteral("Create your first Projet")));
  // The Disclaimer is a child window too.
  storeFolder(data.path());
  w.status.Status1->clicked();
  EXPECT_EQ(fakes.modal.ran.back(), QStringLiteral("Tfm_Disclaimer"));
  EXPECT_EQ(COM_PATH, data.path());
}

TEST_F(ProjectWindowTest, HintsSwitchIsStoredAtClose) {
  storeFolder(data.path());
  TfmMain& w = start();
  w.miHide->trigger();
  EXPECT_FALSE(hintDisplay());
  EXPECT_TRUE(w.miHide->isChecked());
  EXPECT_FALSE(w.miShow->isChecked());
  w.miExit->trigger();
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(GetRegB(QStringLiteral("Application"), QStringLiteral("Hints"), true));
  // The next start keeps them hidden.
  window.reset();
  setHintDisplay(true);
  TfmMain& again = start();
  EXPECT_FALSE(hintDisplay());
  EXPECT_TRUE(again.miHide->isChecked());
}

TEST_F(ProjectWindowTest, ClosingWritesTheErrorLogOnlyWhenAFolderWasKnown) {
  TfmMain& w = start();
  LogError(QStringLiteral("qvl_privs"), QStringLiteral("FindUpdate"), QStringLiteral("x"), false);
  w.close();
  EXPECT_TRUE(QDir(data.path()).entryList(QDir::Files).isEmpty());

  storeFolder(data.path());
  TfmMain& again = start();
  LogError(QStringLiteral("qvl_privs"), QStringLiteral("FindUpdate"), QStringLiteral("y"), false);
  again.close();
  EXPECT_TRUE(data.read(QStringLiteral("Hollowmere.log")).contains(" qvl_privs FindUpdate y"));
}

TEST_F(ProjectWindowTest, StatusBarCellsAndLicencePage) {
  TfmMain& w = start();
  EXPECT_EQ(w.status.Status0->geometry(), QRect(0, 0, 80, 23));
  EXPECT_EQ(w.status.Status1->geometry(), QRect(80, 0, 340, 23));
  EXPECT_EQ(w.status.Status2->geometry(), QRect(420, 0, 80, 23));
  EXPECT_EQ(w.status.bar->geometry(), QRect(0, 232, 500, 23));
  EXPECT_EQ(w.status.Status0->text(), QStringLiteral("License"));
  EXPECT_EQ(w.status.Status1->text(), COM_COPYRIGHT);
  EXPECT_EQ(w.status.Status2->text(), QStringLiteral("Version"));
  EXPECT_EQ(w.status.Status2->toolTip(), QStringLiteral("4.25.1017.1553"));
  layoutStatusBar(w.status, 645, 565);
  EXPECT_EQ(w.status.Status1->width(), 485);
  EXPECT_EQ(w.status.Status2->x(), 565);
  w.AdjustStatusBar();

  fakes.shell.accept = false;
  w.status.Status0->clicked();
  ASSERT_EQ(fakes.shell.urls.size(), 1u);
  EXPECT_EQ(fakes.shell.urls[0], QStringLiteral("https://www.quorvale.example/Hollowmere-eula"));
  EXPECT_TRUE(fakes.dialogs.shown.empty());  // the project window says nothing either way
}

TEST_F(ProjectWindowTest, SizeIsFixed) {
  TfmMain& w = start();
  w.resize(800, 600);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.centralWidget()->size(), QSize(500, 255));
}

// FitForm on a bare window with a smallest allowed width, on a 1024 x 768 screen.
TEST(FitForm, KeepsTheWindowOnTheScreen) {
  test::FakeServices fakes;
  fakes.screen.screenSize = QSize(1024, 768);
  QWidget form;
  form.setMinimumWidth(460);
  struct Case {
    QRect before;  // frame position, client size
    QPoint pos;
    int width;
  };
  const Case cases[] = {
      {QRect(-50, -20, 500, 300), QPoint(0, 0), 500},
      {QRect(700, 100, 500, 300), QPoint(524, 100), 500},   // right part off the screen
      {QRect(100, 600, 500, 300), QPoint(100, 438), 500},   // below the bottom: 768-300-30
      {QRect(100, 100, 1500, 300), QPoint(100, 100), 460},  // wider than the screen
      {QRect(100, 100, 500, 900), QPoint(100, 0), 500},     // taller than the screen
  };
  for (const Case& c : cases) {
    form.move(c.before.topLeft());
    form.resize(c.before.size());
    FitForm(form);
    EXPECT_EQ(form.pos(), c.pos) << c.before.x() << "," << c.before.y();
    EXPECT_EQ(form.width(), c.width);
  }
}

TEST(FitForm, NarrowScreenDoesNotFightTheSizeRule) {
  test::FakeServices fakes;
  fakes.screen.screenSize = QSize(400, 300);
  QWidget form;
  form.setMinimumWidth(460);
  form.move(10, 10);
  form.resize(460, 200);
  FitForm(form);
  const QRect settled(form.pos(), form.size());
  FitForm(form);  // a second pass changes nothing
  EXPECT_EQ(QRect(form.pos(), form.size()), settled);
  EXPECT_EQ(form.width(), 460);
  EXPECT_EQ(form.pos(), QPoint(0, 10));
}

}  // namespace
}  // namespace hm

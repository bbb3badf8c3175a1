// The whole program against failing disks, vanishing files and damaged files: the project window
// opens the layout window, which opens the cut-list window, as a user would go, with real files
// in temporary folders and only the boxes answered by the test. In every case the user is told,
// the program goes on, every window can be left, and no project file is damaged or cut short.
#include "app/com_state.h"
#include "app/project_file.h"
#include "app/project_record.h"
#include "app/settings_store.h"
#include "app/tfm_main.h"
#include "app/window_common.h"
#include "cutlist/tfm_cutlist.h"
#include "layout/tfm_layout.h"
#include "support/error_log.h"
#include "support/fake_services.h"
#include "support/local_http_server.h"
#include "support/temp_folder.h"
#include "support/write_failure.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <functional>
#include <memory>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace hm {
namespace {

const QString kCouldNotSave =
    QStringLiteral("Your last changes could not be saved. Close this window anyway?");

QByteArray bytesOf(const COM_BINREC& record) {
  const RecordBytes bytes = serialiseRecord(record);
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
}

QByteArray blankBytes() {
  COM_BINREC blank;
  BlankRecord(blank);
  return bytesOf(blank);
}

float widthAt(const QByteArray& bytes, int row, int column) {
  float f = 0;
  std::memcpy(&f, bytes.constData() + 40 * row + 4 * column, 4);  // little-endian machine
  return f;
}

class WholeProgramFaults : public ::testing::Test {
 protected:
  WholeProgramFaults() {
    setSettingsFolder(settingsDir.path());
    COM_PATH.clear();
    COM_PRJNAME.clear();
    COM_PRJFILE.clear();
    COM_BINDATA = COM_BINREC{};
    ERRFILENAME.clear();
    ERRLOG.clear();
    FileIsOpen = false;
    setHintDisplay(true);
    QDir().mkpath(data);
  }
  ~WholeProgramFaults() override {
    window.reset();
    COM_BINFILE.close();
    FileIsOpen = false;
  }

  QString project(const QString& name) const { return projectFilePath(data, name); }
  void addProject(const QString& name, const QByteArray& bytes = blankBytes()) const {
    QFile f(project(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
  }
  QByteArray bytesOfProject(const QString& name) const {
    QFile f(project(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  // The project window over the data folder, after its first activation.
  TfmMain& start() {
    SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), data);
    window = std::make_unique<TfmMain>();
    window->show();
    QCoreApplication::processEvents();
    return *window;
  }

  // Picks `name` in the project list, opens it and runs `inLayout` in the layout window. Whatever
  // the script leaves open is closed afterwards, as the user would close it.
  void openProject(const QString& name, std::function<void(Tfm_Layout&)> inLayout) {
    fakes.modal.scripts.push_back([inLayout](QWidget& w) {
      inLayout(dynamic_cast<Tfm_Layout&>(w));
      return 0;
    });
    window->ddProjects->setCurrentIndex(window->ddProjects->findText(name));
    ASSERT_EQ(window->ddProjects->currentText(), name);
    window->btnOpen->click();
  }
  void openCutList(Tfm_Layout& layout, std::function<void(Tfm_CutList&)> inCutList) {
    fakes.modal.scripts.push_back([inCutList](QWidget& w) {
      inCutList(dynamic_cast<Tfm_CutList&>(w));
      return 0;
    });
    layout.btnCutList->click();
    EXPECT_EQ(fakes.modal.ran.back(), QStringLiteral("Tfm_CutList"));
  }
  static void apply(Tfm_Layout& layout, int row, const QString& values) {
    layout.edValues->setText(values);
    layout.B[static_cast<std::size_t>(row)]->click();
  }
  // Closes a window whose record cannot be written: the error box, then "close anyway?" answered
  // Yes, and the window is gone.
  void closeAnyway(QWidget& w) {
    fakes.dialogs.clear();
    fakes.dialogs.confirmAnswers.push_back(true);
    w.close();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(fakes.dialogs.shown.size(), 2u) << fakes.dialogs.texts().join('|').toStdString();
    EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(fakes.dialogs.shown[1].text, kCouldNotSave);
  }
  QStringList errors() const { return fakes.dialogs.texts(QStringLiteral("error")); }
  QStringList projectsListed() const {
    QStringList names;
    for (int i = 0; i < window->ddProjects->count(); ++i) names << window->ddProjects->itemText(i);
    return names;
  }
  bool folderPromptInFront() const {
    const QObjectList& kids = window->pnFolder->parentWidget()->children();
    return kids.indexOf(window->pnFolder) > kids.indexOf(window->pnReady);
  }
  // The program is still in the project window, with no project file left open.
  void expectBackInTheProjectWindow() const {
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(FileIsOpen);
    EXPECT_FALSE(COM_BINFILE.isOpen());
  }

  test::TempFolder settingsDir;
  test::TempFolder root;
  const QString data = QDir::toNativeSeparators(root.file(QStringLiteral("bins")));
  test::FakeServices fakes;
  std::unique_ptr<TfmMain> window;
};

TEST_F(WholeProgramFaults, FullDiskWhenTheCalculationStoresTheRecord) {
  addProject(QStringLiteral("wall"));
  start();
  openProject(QStringLiteral("wall"), [this](Tfm_Layout& layout) {
    apply(layout, 0, QStringLiteral("12, 6"));
    openCutList(layout, [this](Tfm_CutList& cut) {
      fakes.dialogs.clear();
      test::WritesFail full;
      cut.btnDoCalcs->click();
      ASSERT_EQ(errors().size(), 1);
      EXPECT_TRUE(errors()[0].contains(project(QStringLiteral("wall"))))
          << errors()[0].toStdString();
      EXPECT_EQ(cut.edSide->text(), QStringLiteral("4 @ 4 x 5 1/2"));  // the lists are on show
      EXPECT_TRUE(cut.recordChanged());  // red: the lists are not in the file
      closeAnyway(cut);
    });
    // Back in the layout window, which reads the file again: the row never reached it.
    EXPECT_TRUE(layout.P[0]->text().isEmpty());
    EXPECT_TRUE(layout.isVisible());
  });
  expectBackInTheProjectWindow();
  EXPECT_EQ(bytesOfProject(QStringLiteral("wall")), blankBytes());
  EXPECT_EQ(projectsListed(), QStringList{QStringLiteral("wall")});
}

TEST_F(WholeProgramFaults, FullDiskWhenTheLayoutWindowStoresAndCloses) {
  addProject(QStringLiteral("wall"));
  start();
  openProject(QStringLiteral("wall"), [this](Tfm_Layout& layout) {
    apply(layout, 0, QStringLiteral("12, 6"));
    test::WritesFail full;
    fakes.dialogs.clear();
    fakes.dialogs.confirmAnswers.push_back(false);  // stay: the plan is still on show
    layout.close();
    EXPECT_TRUE(layout.isVisible());
    EXPECT_EQ(layout.P[0]->text(), QStringLiteral("12, 6  (18)"));
    closeAnyway(layout);
  });
  expectBackInTheProjectWindow();
  EXPECT_EQ(bytesOfProject(QStringLiteral("wall")), blankBytes());
  // The file was closed even though it could not be written: it opens again as before.
  openProject(QStringLiteral("wall"), [](Tfm_Layout& layout) {
    EXPECT_TRUE(layout.isVisible());
    EXPECT_TRUE(FileIsOpen);
  });
  expectBackInTheProjectWindow();
}

TEST_F(WholeProgramFaults, FullDiskWhenAProjectIsCreated) {
  TfmMain& w = start();
  fakes.dialogs.clear();
  w.edNewProj->setText(QStringLiteral("bench"));
  {
    test::WritesFail full;
    w.btnNewProject->clicked();
  }
  ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
  EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("error"));
  // No empty file is left to pass for a project, so the name can be used again.
  EXPECT_FALSE(QFileInfo::exists(project(QStringLiteral("bench"))));
  fakes.dialogs.clear();
  w.btnNewProject->clicked();
  EXPECT_EQ(fakes.dialogs.texts(),
            QStringList{QStringLiteral("Created the new project:\r\n") + project("bench")});
  EXPECT_EQ(bytesOfProject(QStringLiteral("bench")), blankBytes());
}

TEST_F(WholeProgramFaults, ProjectFileRemovedOrReplacedWhileTheLayoutWindowIsOpen) {
  struct Case {
    const char* what;
    std::function<void(const QString& file)> fault;
    bool folderLeft;  // a folder stands where the file was
  };
  const Case cases[] = {
      {"removed", [](const QString& file) { ASSERT_TRUE(QFile::remove(file)); }, false},
      {"replaced by a folder",
       [](const QString& file) {
         ASSERT_TRUE(QFile::remove(file));
         ASSERT_TRUE(QDir().mkdir(file));
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    addProject(QStringLiteral("wall"));
    start();
    const QString file = project(QStringLiteral("wall"));
    openProject(QStringLiteral("wall"), [&](Tfm_Layout& layout) {
      apply(layout, 0, QStringLiteral("12, 6"));
      c.fault(file);
      openCutList(layout, [&](Tfm_CutList& cut) {
        fakes.dialogs.clear();
        cut.btnDoCalcs->click();
        // Writing into a file that is no longer the project's would report a save that went
        // nowhere.
        ASSERT_EQ(errors().size(), 1);
        EXPECT_TRUE(errors()[0].contains(file)) << errors()[0].toStdString();
        EXPECT_TRUE(errors()[0].contains(QStringLiteral("removed or replaced")))
            << errors()[0].toStdString();
        EXPECT_TRUE(cut.recordChanged());
        closeAnyway(cut);
      });
      closeAnyway(layout);
    });
    expectBackInTheProjectWindow();
    EXPECT_EQ(QFileInfo(file).isDir(), c.folderLeft);
    EXPECT_EQ(QFileInfo::exists(file), c.folderLeft);  // nothing was made in its place
    EXPECT_TRUE(projectsListed().isEmpty());
    QDir(file).removeRecursively();
    window.reset();
  }
}

TEST_F(WholeProgramFaults, DataFolderRemovedWhileTheProgramRuns) {
  addProject(QStringLiteral("wall"));
  addProject(QStringLiteral("shed"));
  TfmMain& w = start();
  openProject(QStringLiteral("wall"), [&](Tfm_Layout& layout) {
    apply(layout, 0, QStringLiteral("12"));
    ASSERT_TRUE(QDir(data).removeRecursively());
    closeAnyway(layout);
  });
  expectBackInTheProjectWindow();

  // A project still in the list cannot be opened, nor a new one created: each says why.
  fakes.dialogs.clear();
  openProject(QStringLiteral("shed"), [](Tfm_Layout& layout) { EXPECT_FALSE(layout.isVisible()); });
  expectBackInTheProjectWindow();
  w.edNewProj->setText(QStringLiteral("bench"));
  w.btnNewProject->clicked();
  ASSERT_EQ(errors().size(), 2);
  EXPECT_TRUE(errors()[0].startsWith(QStringLiteral("Cannot open"))) << errors()[0].toStdString();
  EXPECT_TRUE(errors()[1].startsWith(QStringLiteral("Cannot create"))) << errors()[1].toStdString();
  EXPECT_FALSE(fakes.dialogs.texts().join('|').contains(QStringLiteral("Created the new project")));

  // Refresh shows the folder prompt again, and the program ends without making the folder anew.
  w.btnRefresh->clicked();
  EXPECT_TRUE(folderPromptInFront());
  EXPECT_TRUE(w.close());
  EXPECT_FALSE(QFileInfo::exists(data));
}

TEST_F(WholeProgramFaults, ProjectFilesOfEverySize) {
  QByteArray tail(4096 - 520, '\x5a');
  struct Case {
    QString name;
    QByteArray bytes;
    bool opens;
  };
  const Case cases[] = {
      {QStringLiteral("empty"), QByteArray(), false},
      {QStringLiteral("short"), blankBytes().left(519), false},
      {QStringLiteral("exact"), blankBytes(), true},
      {QStringLiteral("long"), blankBytes() + tail, true},
  };
  for (const Case& c : cases) addProject(c.name, c.bytes);
  start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    fakes.dialogs.clear();
    openProject(c.name, [&](Tfm_Layout& layout) {
      ASSERT_EQ(layout.isVisible(), c.opens);
      if (!c.opens) return;
      apply(layout, 0, QStringLiteral("12, 6"));
      openCutList(layout, [](Tfm_CutList& cut) { cut.btnDoCalcs->click(); });
    });
    expectBackInTheProjectWindow();
    const QByteArray after = bytesOfProject(c.name);
    if (c.opens) {
      EXPECT_TRUE(fakes.dialogs.shown.empty()) << fakes.dialogs.texts().join('|').toStdString();
      EXPECT_EQ(after.size(), c.bytes.size());
      EXPECT_EQ(widthAt(after, 0, 0), 12.0f);
      EXPECT_EQ(widthAt(after, 0, 1), 6.0f);
      EXPECT_EQ(after.mid(520), c.bytes.mid(520));  // what follows the record is left alone
    } else {
      ASSERT_EQ(errors().size(), 1);
      EXPECT_TRUE(errors()[0].contains(QStringLiteral("shorter than one project record")))
          << errors()[0].toStdString();
      EXPECT_EQ(after, c.bytes);
    }
  }
}

TEST_F(WholeProgramFaults, ARecordOfNothingButHighBitsIsSafeToWorkOn) {
  // Every width a NaN, every length byte 255, every text invalid UTF-8.
  addProject(QStringLiteral("noise"), QByteArray(520, '\xff'));
  start();
  openProject(QStringLiteral("noise"), [this](Tfm_Layout& layout) {
    ASSERT_TRUE(layout.isVisible());
    for (int row = 0; row < 10; ++row) EXPECT_TRUE(layout.P[row]->text().isEmpty());
    apply(layout, 0, QStringLiteral("12"));
    openCutList(layout, [this](Tfm_CutList& cut) {
      fakes.dialogs.clear();
      cut.btnDoCalcs->click();  // the texts are no measurements: told, nothing stored
      EXPECT_EQ(errors().size(), 1);
      EXPECT_TRUE(cut.recordChanged());
    });
  });
  expectBackInTheProjectWindow();
  const QByteArray after = bytesOfProject(QStringLiteral("noise"));
  ASSERT_EQ(after.size(), 520);
  COM_BINREC back = deserialiseRecord(*reinterpret_cast<const RecordBytes*>(after.constData()));
  EXPECT_EQ(back.COM_BINVALS[0][0], 12.0f);
  EXPECT_EQ(back.COM_BINMAT.size(), 20u);  // the length bytes now fit their texts
}

TEST_F(WholeProgramFaults, SettingsFileThatCannotBeRead) {
  const QString store = openSettingsStore()->fileName();
  const QByteArray cutShort = QByteArray("{\"Data\": {\"Path\": ") + QByteArray("\0\xff", 2);
  for (const QByteArray& garbage : {cutShort, QByteArray("[1, 2, 3]")}) {
    SCOPED_TRACE(garbage.toHex().toStdString());
    QDir().mkpath(QFileInfo(store).path());
    QFile f(store);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(garbage);
    f.close();
    fakes.dialogs.clear();
    // Unusable settings read as their defaults, as on a first run, and the file is made good.
    window = std::make_unique<TfmMain>();
    window->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(fakes.dialogs.shown.empty()) << fakes.dialogs.texts().join('|').toStdString();
    EXPECT_TRUE(folderPromptInFront());
    EXPECT_TRUE(window->miShow->isChecked());
    fakes.dialogs.folderAnswers.push_back(data);
    window->miFolder->trigger();
    EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("Create your first Projet")});
    EXPECT_TRUE(window->close());
    const QByteArray now = [&] {
      QFile in(store);
      return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }();
    EXPECT_EQ(
        QJsonDocument::fromJson(now).object(),
        (QJsonObject{{QStringLiteral("Application"), QJsonObject{{QStringLiteral("Hints"), 1}}},
                     {QStringLiteral("Data"), QJsonObject{{QStringLiteral("Path"), data}}}}))
        << now.toStdString();
  }
}

TEST_F(WholeProgramFaults, SettingsThatCannotBeWritten) {
  // A folder where the settings file should be.
  const QString store = openSettingsStore()->fileName();
  QDir().mkpath(store);
  window = std::make_unique<TfmMain>();
  window->show();
  QCoreApplication::processEvents();
  // Each setting that could not be written back is told once, by name; the program goes on.
  ASSERT_EQ(errors().size(), 2);
  EXPECT_TRUE(
      errors()[0].startsWith(QStringLiteral("Cannot write the setting Application / Hints")));
  EXPECT_TRUE(errors()[1].startsWith(QStringLiteral("Cannot write the setting Data / Path")));
  EXPECT_TRUE(folderPromptInFront());
  fakes.dialogs.clear();
  fakes.dialogs.folderAnswers.push_back(data);
  window->miFolder->trigger();
  EXPECT_EQ(errors().size(), 1);
  fakes.dialogs.clear();
  EXPECT_TRUE(window->close());  // told that the hints were not stored, and closed all the same
  EXPECT_EQ(errors().size(), 1);
  EXPECT_TRUE(QFileInfo(store).isDir());
}

TEST_F(WholeProgramFaults, FullDiskLeavesTheSettingsFileAsItWas) {
  addProject(QStringLiteral("wall"));
  start();
  QFile store(openSettingsStore()->fileName());
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  const QByteArray before = store.readAll();
  store.close();
  fakes.dialogs.clear();
  {
    test::WritesFail full;
    fakes.dialogs.folderAnswers.push_back(root.path());
    window->miFolder->trigger();
    EXPECT_TRUE(window->close());
  }
  EXPECT_EQ(errors().size(), 2);  // neither the new folder nor the hints could be stored
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_EQ(store.readAll(), before);
}

TEST_F(WholeProgramFaults, ErrorLogThatCannotBeReadOrWritten) {
  const QString log = QDir(data).filePath(QStringLiteral("Hollowmere.log"));
  // A folder or a pipe in the log's place is no log: no prompt, no hang, and left as it is.
  for (const bool pipe : {false, true}) {
    SCOPED_TRACE(pipe ? "pipe" : "folder");
    ASSERT_TRUE(pipe ? ::mkfifo(QFile::encodeName(log).constData(), 0600) == 0 : QDir().mkdir(log));
    fakes.dialogs.clear();
    start();
    EXPECT_TRUE(fakes.dialogs.texts(QStringLiteral("question")).isEmpty());
    EXPECT_TRUE(window->close());
    const QFileInfo info(log);
    EXPECT_TRUE(info.exists());
    EXPECT_EQ(info.isDir(), !pipe);
    EXPECT_FALSE(info.isFile());
    ASSERT_TRUE(pipe ? QFile::remove(log) : QDir().rmdir(log));
  }

  // A full disk at closing: the entries stay in the file, to be offered again next time.
  const QByteArray entries(
      "2024-03-05 14:07 qvl_privs FindUpdate Unable to allocate Temp Folder\n");
  QFile f(log);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(entries);
  f.close();
  fakes.dialogs.clear();
  fakes.dialogs.questionAnswers.push_back(1);  // "No, not at this time"
  start();
  EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("question")).size(), 1);
  {
    test::WritesFail full;
    EXPECT_TRUE(window->close());
  }
  QFile back(log);
  ASSERT_TRUE(back.open(QIODevice::ReadOnly));
  EXPECT_EQ(back.readAll(), entries);
}

TEST_F(WholeProgramFaults, FullDiskWhileDownloadingAnInstaller) {
  // A download that cannot be written must fail: a short installer must never be started.
  test::LocalHttpServer source;
  source.serve(QStringLiteral("/Setup.sh"), QByteArray("#!/bin/sh\necho installed\n"));
  const QString saved = root.file(QStringLiteral("Setup.sh"));
  std::optional<QString> failure;
  {
    test::WritesFail full;
    failure = services().http->download(source.base() + QStringLiteral("Setup.sh"), saved, 1024);
  }
  ASSERT_TRUE(failure.has_value());
  EXPECT_TRUE(failure->startsWith(QStringLiteral("Cannot write"))) << failure->toStdString();
  EXPECT_FALSE(QFileInfo::exists(saved));
}

}  // namespace
}  // namespace hm

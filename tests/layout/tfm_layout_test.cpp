#include "layout/tfm_layout.h"
#include "app/com_state.h"
#include "app/project_file.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "support/write_failure.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace hm {
namespace {

float floatAt(const QByteArray& bytes, int offset) {
  float f = 0;
  std::memcpy(&f, bytes.constData() + offset, 4);  // little-endian machine
  return f;
}

// A layout window over a real project file in a temporary folder.
class LayoutWindowTest : public ::testing::Test {
 protected:
  LayoutWindowTest() {
    COM_APPNAME = QStringLiteral("Hollowmere");
    COM_PRJNAME = QStringLiteral("wall");
    COM_PRJFILE = data.file(QStringLiteral("wall.dat"));
    COM_BINDATA = COM_BINREC{};
    BlankRecord(stored);
  }
  ~LayoutWindowTest() override { COM_BINFILE.close(); }

  void writeProject() { ProjectFile().create(COM_PRJFILE, stored); }
  Tfm_Layout& open() {
    window = std::make_unique<Tfm_Layout>();
    window->show();
    QCoreApplication::processEvents();
    return *window;
  }
  void apply(int row, const QString& values) {
    window->edValues->setText(values);
    window->B[static_cast<std::size_t>(row)]->click();
  }
  std::array<float, 10> row(int r) const {
    return COM_BINDATA.COM_BINVALS[static_cast<std::size_t>(r)];
  }
  QString caption(int r) const { return window->P[static_cast<std::size_t>(r)]->text(); }

  test::FakeServices fakes;
  test::TempFolder data;
  COM_BINREC stored;
  std::unique_ptr<Tfm_Layout> window;
};

TEST_F(LayoutWindowTest, OpensTheProjectAndDrawsItsRows) {
  stored.COM_BINVALS[0] = {12, 12, 6};
  stored.COM_BINVALS[1] = {10, 5};
  writeProject();
  Tfm_Layout& w = open();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Hollowmere - Part 1: Plan up to 10 rows of bins..."));
  EXPECT_EQ(w.lbProject->text(), QStringLiteral("wall"));
  EXPECT_TRUE(FileIsOpen);
  EXPECT_EQ(w.client()->size(), QSize(460, 547));
  EXPECT_EQ(caption(0), QStringLiteral("12, 12, 6  (30)"));
  EXPECT_EQ(w.P[0]->width(), 420);
  EXPECT_EQ(w.P[1]->width(), 200);
  EXPECT_EQ(w.P[2]->width(), 0);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(w.B[i]->objectName(), QStringLiteral("edBtn%1").arg(i));
    EXPECT_EQ(w.B[i]->geometry(), QRect(8, 103 + 35 * i, 20, 35));
    EXPECT_EQ(w.P[i]->objectName(), QStringLiteral("Bin%1").arg(i));
    EXPECT_EQ(w.P[i]->geometry().topLeft(), QPoint(28, 103 + 35 * i));
  }
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(LayoutWindowTest, ApplyingARow) {
  writeProject();
  Tfm_Layout& w = open();
  struct Case {
    QString typed;
    std::array<float, 10> stored;
    QString shown;    // edValues afterwards
    QString caption;  // bar 0 afterwards
    int messages;     // "Invalid Tape Measurement!" boxes
  };
  const Case cases[] = {
      {QStringLiteral("12, 12 1/2,, 6"),
       {12, 12.5f, 6},
       QStringLiteral("12,12 1/2,6"),
       QStringLiteral("12, 12 1/2, 6  (30 1/2)"),
       0},
      {QStringLiteral("12.3, 12, 6"),
       {0, 12, 6},
       QStringLiteral("12,6"),
       QStringLiteral("12, 6  (18)"),
       1},
      {QStringLiteral(",12"), {0, 12}, QStringLiteral("12"), QStringLiteral("12  (12)"), 0},
      {QStringLiteral("12, , 6"),
       {12, 0, 6},
       QStringLiteral("12,6"),
       QStringLiteral("12, 6  (18)"),
       0},
      {QStringLiteral("3/4, 1/2"),
       {0.75f, 0.5f},
       QStringLiteral(" 3/4, 1/2"),
       QStringLiteral(" 3/4,  1/2  (1 1/4)"),
       0},
      {QStringLiteral("1,2,3,4,5,6,7,8,9,10,11"),
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
       QStringLiteral("1,2,3,4,5,6,7,8,9,10"),
       QStringLiteral("1, 2, 3, 4, 5, 6, 7, 8, 9, 10  (55)"),
       0},
      {QStringLiteral("1.1, 1 1/3, 2,,,"),
       {0, 0, 2},
       QStringLiteral("2"),
       QStringLiteral("2  (2)"),
       2},
      {QString(), {}, QString(), QString(), 0},
  };
  for (const Case& c : cases) {
    fakes.dialogs.clear();
    apply(0, c.typed);
    EXPECT_EQ(row(0), c.stored) << c.typed.toStdString();
    EXPECT_EQ(w.edValues->text(), c.shown) << c.typed.toStdString();
    EXPECT_EQ(caption(0), c.caption) << c.typed.toStdString();
    EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("message"))
                  .count(QStringLiteral("Invalid Tape Measurement!")),
              c.messages)
        << c.typed.toStdString();
  }
}

TEST_F(LayoutWindowTest, LettersEndTheApplyAfterTheRowWasEmptied) {
  stored.COM_BINVALS[2] = {5, 5, 5};
  writeProject();
  Tfm_Layout& w = open();
  apply(2, QStringLiteral("12, abc,, 6"));
  ASSERT_EQ(fakes.dialogs.texts(QStringLiteral("error")).size(), 1);
  EXPECT_TRUE(fakes.dialogs.texts(QStringLiteral("error"))[0].startsWith(
      QStringLiteral("\"abc\" is not a valid number")));
  EXPECT_EQ(row(2), (std::array<float, 10>{12}));
  EXPECT_EQ(w.edValues->text(), QStringLiteral("12, abc, 6"));  // the cleaned text
  EXPECT_EQ(caption(2), QStringLiteral("5, 5, 5  (15)"));       // not redrawn
}

TEST_F(LayoutWindowTest, ApplyTakesTheValuesAsTypedEvenWithAByteOrderMark) {
  writeProject();
  Tfm_Layout& w = open();
  // A pasted byte order mark is no blank: the value is not a number, as it always was.
  apply(0, QStringLiteral("\uFEFF12, 6"));
  EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("error")).size(), 1);
  EXPECT_EQ(w.edValues->text(), QStringLiteral("\uFEFF12, 6"));
  EXPECT_EQ(row(0), (std::array<float, 10>{}));
}

TEST_F(LayoutWindowTest, ClickingABarEditsItsRowAndCanCopyIt) {
  stored.COM_BINVALS[0] = {12, 6};
  stored.COM_BINVALS[1] = {0.75f};
  writeProject();
  Tfm_Layout& w = open();
  w.P[0]->clicked();
  EXPECT_EQ(w.edValues->text(), QStringLiteral("12, 6"));
  w.B[5]->click();
  EXPECT_EQ(row(5), row(0));
  w.P[1]->clicked();
  EXPECT_EQ(w.edValues->text(), QStringLiteral(" 3/4"));
  w.P[9]->clicked();  // an empty row empties the field
  EXPECT_EQ(w.edValues->text(), QString());
}

TEST_F(LayoutWindowTest, CutListNeedsAPlannedBin) {
  stored.COM_BINVALS[3] = {0, -4};  // nothing here is a bin
  writeProject();
  Tfm_Layout& w = open();
  w.btnCutList->click();
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("No bins in the Plan!")});
  EXPECT_EQ(w.focusWidget(), w.edValues);
}

TEST_F(LayoutWindowTest, CutListWindowCarriesTheRecordBack) {
  writeProject();
  Tfm_Layout& w = open();
  apply(0, QStringLiteral("6, 6, 8"));  // only in memory so far
  bool cutListSawTheRow = false;
  fakes.modal.scripts.push_back([&](QWidget& cutList) {
    cutListSawTheRow = COM_BINDATA.COM_BINVALS[0][2] == 8.0f;
    EXPECT_EQ(cutList.objectName(), QStringLiteral("Tfm_CutList"));
    return 0;  // closing it while its indicator is red stores the record
  });
  w.btnCutList->click();
  EXPECT_TRUE(cutListSawTheRow);
  EXPECT_EQ(fakes.modal.ran.back(), QStringLiteral("Tfm_CutList"));
  EXPECT_EQ(caption(0), QStringLiteral("6, 6, 8  (20)"));  // reloaded from the file
  EXPECT_EQ(floatAt(data.read(QStringLiteral("wall.dat")), 8), 8.0f);
  EXPECT_TRUE(FileIsOpen);
}

TEST_F(LayoutWindowTest, ResizeSnapsBackToTheSmallestSize) {
  writeProject();
  Tfm_Layout& w = open();
  apply(0, QStringLiteral("12, 6"));
  w.resize(300, 200);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.client()->size().width(), 460);
  EXPECT_GE(w.client()->size().height(), 545);
  EXPECT_EQ(w.MaxBar, 440.0f);
  EXPECT_EQ(w.edValues->width(), 440);
  EXPECT_EQ(w.Memo1->width(), 440);
  EXPECT_EQ(w.btnCutList->width(), 440);
  EXPECT_EQ(w.pWarn->width(), 446);
  EXPECT_EQ(w.edValues->geometry().right() + 1, 448);
  EXPECT_EQ(w.P[0]->geometry().right() + 1, 448);  // the longest row ends with the field
  EXPECT_EQ(w.status.Status2->x(), 380);
}

TEST_F(LayoutWindowTest, ClosingWritesTheRecordAndReopeningShowsIt) {
  QByteArray tail("after the record");
  writeProject();
  {
    QFile f(COM_PRJFILE);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(tail);
  }
  open();
  apply(0, QStringLiteral("12, 12 1/2, 6"));
  apply(9, QStringLiteral("3/4"));
  window->miExit->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(FileIsOpen);
  const QByteArray bytes = data.read(QStringLiteral("wall.dat"));
  ASSERT_EQ(bytes.size(), 520 + tail.size());
  EXPECT_EQ(floatAt(bytes, 0), 12.0f);
  EXPECT_EQ(floatAt(bytes, 4), 12.5f);
  EXPECT_EQ(floatAt(bytes, 8), 6.0f);
  EXPECT_EQ(floatAt(bytes, 360), 0.75f);
  EXPECT_EQ(bytes.mid(520), tail);

  COM_BINDATA = COM_BINREC{};
  open();
  EXPECT_EQ(caption(0), QStringLiteral("12, 12 1/2, 6  (30 1/2)"));
  EXPECT_EQ(caption(9), QStringLiteral(" 3/4  ( 3/4)"));
}

TEST_F(LayoutWindowTest, ActivationAfterAChildWindowReloadsTheStoredRecord) {
  stored.COM_BINVALS[0] = {8};
  writeProject();
  Tfm_Layout& w = open();
  apply(0, QStringLiteral("20"));
  w.miAbout->trigger();
  EXPECT_EQ(fakes.modal.ran.back(), QStringLiteral("Tfm_About"));
  EXPECT_EQ(caption(0),
            QStringLiteral("8  (8)"));  // the unsaved row was replaced by the stored one
  EXPECT_TRUE(w.edValues->text().isEmpty());
}

TEST_F(LayoutWindowTest, UnreadableProjectClosesTheWindowWithoutWriting) {
  // Missing, shorter than a record, and a folder in place of the file.
  data.write(QStringLiteral("short.dat"), QByteArray(519, '\x07'));
  QDir(data.path()).mkdir(QStringLiteral("dir.dat"));
  for (const QString& name :
       {QStringLiteral("missing.dat"), QStringLiteral("short.dat"), QStringLiteral("dir.dat")}) {
    fakes.dialogs.clear();
    COM_PRJFILE = data.file(name);
    open();
    EXPECT_FALSE(window->isVisible()) << name.toStdString();
    EXPECT_FALSE(FileIsOpen);
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u) << name.toStdString();
    EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(fakes.dialogs.shown[0].text.contains(name))
        << fakes.dialogs.shown[0].text.toStdString();
  }
  EXPECT_FALSE(QFile::exists(data.file(QStringLiteral("missing.dat"))));
  EXPECT_EQ(data.read(QStringLiteral("short.dat")), QByteArray(519, '\x07'));
}

TEST_F(LayoutWindowTest, FailedWriteOnCloseLetsTheUserChoose) {
  writeProject();
  Tfm_Layout& w = open();
  ASSERT_TRUE(w.isVisible());
  apply(0, QStringLiteral("12"));
  const QString question =
      QStringLiteral("Your last changes could not be saved. Close this window anyway?");

  test::WritesFail full;
  fakes.dialogs.confirmAnswers.push_back(false);
  w.close();
  ASSERT_EQ(fakes.dialogs.shown.size(), 2u);
  EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("error"));
  EXPECT_EQ(fakes.dialogs.shown[1].text, question);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(row(0)[0], 12.0f);  // still in memory
  EXPECT_TRUE(FileIsOpen);

  fakes.dialogs.clear();
  fakes.dialogs.confirmAnswers.push_back(true);
  w.close();
  EXPECT_EQ(fakes.dialogs.texts().last(), question);
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(FileIsOpen);
  EXPECT_FALSE(COM_BINFILE.isOpen());
  EXPECT_EQ(data.read(QStringLiteral("wall.dat")).left(4), QByteArray(4, '\0'));  // never written
}

TEST_F(LayoutWindowTest, HelpMenuAndStatusBar) {
  writeProject();
  Tfm_Layout& w = open();
  fakes.shell.accept = false;
  w.miGuide->trigger();
  w.status.Status0->clicked();
  EXPECT_EQ(fakes.dialogs.texts(),
            (QStringList{QStringLiteral("Document not found - reinstall software"),
                         QStringLiteral("Website not available")}));
  EXPECT_EQ(fakes.shell.documents, std::vector<QString>{QStringLiteral("UserGuide.pdf")});
  ASSERT_EQ(fakes.shell.urls.size(), 1u);
  EXPECT_TRUE(fakes.shell.urls[0].endsWith(QStringLiteral("-eula")));
  w.status.Status1->clicked();
  EXPECT_EQ(fakes.modal.ran.back(), QStringLiteral("Tfm_Disclaimer"));
}

}  // namespace
}  // namespace hm

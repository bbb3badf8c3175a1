#include "cutlist/tfm_cutlist.h"
#include "app/com_state.h"
#include "app/project_file.h"
#include "app/project_record.h"
#include "app/window_common.h"
#include "example_record.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
static void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height();
}
static void PrintTo(const QColor& c, std::ostream* os) {
  *os << "RGB " << c.red() << ", " << c.green() << ", " << c.blue();
}

namespace hm {
namespace {

using test::exampleRecord;

QByteArray bytesOf(const COM_BINREC& record) {
  const RecordBytes bytes = serialiseRecord(record);
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
}

// The window over a real project file in a temporary folder, open as the layout window leaves it.
class CutListWindowTest : public ::testing::Test {
 protected:
  CutListWindowTest() {
    setHintDisplay(true);
    COM_APPNAME = QStringLiteral("Hollowmere");
    COM_PRJNAME = QStringLiteral("Garage");
    COM_PRJFILE = folder.file(QStringLiteral("Garage.dat"));
    COM_TAPEERROR = false;
  }
  ~CutListWindowTest() override {
    window.reset();
    COM_BINFILE.close();
  }

  // The file holds `record` and is open; the record in memory is `inMemory` (the layout window's
  // unsaved changes), by default the same.
  void openProject(const COM_BINREC& record) { openProject(record, record); }
  void openProject(const COM_BINREC& record, const COM_BINREC& inMemory) {
    ProjectFile().create(COM_PRJFILE, record);
    COM_BINFILE.open(COM_PRJFILE);
    COM_BINDATA = inMemory;
  }

  // Creates and shows the window, lets its first activation run and makes it the active window,
  // so that focus changes reach its edits as they do for the user.
  Tfm_CutList& start() {
    window = std::make_unique<Tfm_CutList>();
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QCoreApplication::processEvents();
    return *window;
  }

  QByteArray fileBytes() const { return folder.read(QStringLiteral("Garage.dat")); }
  QColor indicator() const { return window->pnWarn->palette().color(QPalette::Window); }
  QLineEdit* edit(const char* name) const {
    return window->findChild<QLineEdit*>(QString::fromLatin1(name));
  }

  // The user clicks into the edit, types the text in place of what was there and leaves with Tab.
  void typeInto(QLineEdit* e, const QString& text) {
    QTest::mouseClick(e, Qt::LeftButton);
    ASSERT_TRUE(e->hasFocus());
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
  }
  void enter(QLineEdit* e, const QString& text) {
    typeInto(e, text);
    QTest::keyClick(e, Qt::Key_Tab);
  }
  void calculate() { QTest::mouseClick(window->btnDoCalcs, Qt::LeftButton); }

  test::TempFolder folder;
  test::FakeServices fakes;
  std::unique_ptr<Tfm_CutList> window;
};

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);

TEST_F(CutListWindowTest, ControlsStandWhereTheWindowPlacesThem) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  EXPECT_EQ(w.windowTitle(),
            QStringLiteral("Hollowmere - Part 2: Detailed Specifications and CutList"));
  EXPECT_EQ(w.client()->size(), QSize(645, 565));
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);

  const struct {
    const char* name;
    QRect place;
  } places[] = {
      {"pnOrder", {0, 20, 145, 235}},      {"meQty", {20, 48, 40, 177}},
      {"meWidth", {60, 48, 70, 177}},      {"pnSpecs", {145, 20, 500, 235}},
      {"edBinHigh", {232, 40, 50, 23}},    {"edBinDeep", {431, 40, 50, 23}},
      {"edBinMat", {232, 90, 120, 23}},    {"edBinThk", {432, 90, 50, 23}},
      {"edDivMat", {232, 140, 120, 23}},   {"edDivThk", {431, 140, 50, 23}},
      {"edBatMat", {232, 190, 120, 23}},   {"edBatThk", {431, 190, 50, 23}},
      {"pnWarn", {0, 255, 645, 32}},       {"btnDoCalcs", {3, 3, 639, 25}},
      {"pnCutList", {0, 284, 645, 237}},   {"edSide", {6, 38, 120, 23}},
      {"meFront", {6, 100, 120, 130}},     {"meBack", {134, 100, 120, 130}},
      {"meBase", {264, 100, 120, 130}},    {"meDivider", {391, 100, 120, 130}},
      {"edBatStock", {391, 38, 120, 23}},  {"edBattenW", {518, 38, 120, 23}},
      {"meBattenB", {518, 100, 120, 130}}, {"MyStatusBar", {0, 542, 645, 23}},
  };
  for (const auto& p : places) {
    const auto* control = w.findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(control, nullptr) << p.name;
    EXPECT_EQ(control->geometry(), p.place) << p.name;
  }
  ASSERT_NE(w.lsSort, nullptr);
  EXPECT_FALSE(w.lsSort->isVisible());

  // Each caption shows whole and ends before its edit, whatever the font.
  const std::pair<QLabel*, QLineEdit*> captions[] = {
      {w.lbDetBinHigh, w.edBinHigh}, {w.lbDetBinDeep, w.edBinDeep}, {w.lbDetBinMat, w.edBinMat},
      {w.lbDetBinThick, w.edBinThk}, {w.lbDetDivMat, w.edDivMat},   {w.lbDetDivThick, w.edDivThk},
      {w.lbDetBatMat, w.edBatMat},   {w.lbDetBatThick, w.edBatThk}};
  for (const auto& [caption, edit] : captions) {
    EXPECT_LT(caption->geometry().right(), edit->x()) << caption->objectName().toStdString();
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
  }

  const struct {
    QLineEdit* edit;
    const char* hint;
  } hints[] = {
      {w.edBinHigh, "Bin Height:\n\nEnter a Measurement (required)"},
      {w.edBinDeep, "Bin Depth:\n\nEnter a Measurement (required)"},
      {w.edBinMat, "Bin Material:\n\nFree-Form Text (required)"},
      {w.edBinThk, "Material Thickness:\n\nEnter a Measurement (required)"},
      {w.edDivMat, "Divider Material:\n\nFree-Form Text (optional)"},
      {w.edDivThk,
       "Divider Thickness:\n\nEnter a Measurement (optional but required if a "
       "Material was entered)"},
      {w.edBatMat, "Batten Material:\n\nFree-Form Text (optional)"},
      {w.edBatThk,
       "Batten Thickness:\n\nEnter a Measurement (optional but required if a "
       "Material was entered)"},
  };
  for (const auto& h : hints) EXPECT_EQ(h.edit->toolTip(), QString::fromLatin1(h.hint));

  // Tab goes through the eight edits of the bins; the button is no tab stop.
  QWidget* order[] = {w.edBinHigh, w.edBinDeep, w.edBinMat, w.edBinThk,
                      w.edDivMat,  w.edDivThk,  w.edBatMat, w.edBatThk};
  QTest::mouseClick(w.edBinHigh, Qt::LeftButton);
  for (QWidget* expected : order) {
    EXPECT_EQ(QApplication::focusWidget(), expected) << expected->objectName().toStdString();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(w.btnDoCalcs->focusPolicy(), Qt::NoFocus);
}

TEST_F(CutListWindowTest, NewProjectOpensRedAndOneClickComputesAndWritesEverything) {
  COM_BINREC blank;
  BlankRecord(blank);
  COM_BINREC planned = blank;  // the layout window's rows, not yet in the file
  planned.COM_BINVALS[0][0] = 12;
  planned.COM_BINVALS[1][0] = 12;
  openProject(blank, planned);
  Tfm_CutList& w = start();

  EXPECT_EQ(w.lbProject->text(), QStringLiteral("Garage"));
  EXPECT_EQ(w.edBinHigh->text(), QStringLiteral("4"));
  EXPECT_EQ(w.edBinDeep->text(), QStringLiteral("6"));
  EXPECT_EQ(w.edBinMat->text(), QStringLiteral("?"));
  EXPECT_EQ(w.edBinThk->text(), QStringLiteral("0.5"));
  EXPECT_EQ(w.edDivMat->text(), QString());
  EXPECT_EQ(w.edDivThk->text(), QString());
  EXPECT_EQ(w.edBatMat->text(), QStringLiteral("?"));
  EXPECT_EQ(w.edBatThk->text(), QStringLiteral("0.5"));
  EXPECT_EQ(w.meQty->toPlainText(), QStringLiteral("2"));
  EXPECT_EQ(w.meWidth->toPlainText(), QStringLiteral("12"));
  EXPECT_EQ(w.lbSide->text(), QStringLiteral("Side"));
  EXPECT_TRUE(w.edSide->text().isEmpty());
  EXPECT_TRUE(w.meFront->toPlainText().isEmpty());
  EXPECT_EQ(w.lbBattenB->text(), QStringLiteral("Batten (Bin)"));
  EXPECT_EQ(indicator(), kRed);
  EXPECT_TRUE(w.btnDoCalcs->hasFocus());
  EXPECT_TRUE(w.miShow->isChecked());
  EXPECT_EQ(fileBytes(), bytesOf(blank));

  calculate();
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  EXPECT_EQ(w.edSide->text(), QStringLiteral("4 @ 4 x 5 1/2"));
  EXPECT_EQ(w.meFront->toPlainText(), QStringLiteral("2 @ 2 x 12"));
  EXPECT_EQ(w.lbDivider->text(), QStringLiteral("Dividers:\nN/A"));
  // "?" is a batten material like any other.
  EXPECT_EQ(w.lbBatMat->text(), QStringLiteral("Batten Stock:\n0.5 ?"));
  EXPECT_EQ(w.edBatStock->text(), QStringLiteral("1 @ 4 1/8 x 96"));
  EXPECT_EQ(w.edBattenW->text(), QStringLiteral("2 @ 3 x 12"));
  EXPECT_EQ(w.meBattenB->toPlainText(), QStringLiteral("2 @ 1 1/2 x 12"));
  EXPECT_EQ(indicator(), kGreen);
  EXPECT_EQ(fileBytes(), bytesOf(planned));
}

TEST_F(CutListWindowTest, WorkedExampleFillsEveryList) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  calculate();
  EXPECT_EQ(w.meQty->toPlainText(), QStringLiteral("3\n1\n1"));
  EXPECT_EQ(w.meWidth->toPlainText(), QStringLiteral("6\n8\n12"));
  const struct {
    QLabel* caption;
    QWidget* result;
    const char* title;
    const char* lines;
  } expected[] = {
      {w.lbSide, w.edSide, "Sides: \n1/2 Pine", "10 @ 4 x 5 1/2"},
      {w.lbFront, w.meFront, "Front: \n1/2 Pine", "3 @ 2 x 6\n1 @ 2 x 8\n1 @ 2 x 12"},
      {w.lbBack, w.meBack, "Back: \n1/2 Pine", "3 @ 4 x 5\n1 @ 4 x 7\n1 @ 4 x 11"},
      {w.lbBase, w.meBase, "Base: \n1/2 Pine", "3 @ 5 x 5\n1 @ 5 x 7\n1 @ 5 x 11"},
      {w.lbDivider, w.meDivider, "Dividers: \n1/4 Ply",
       "3 @ 3 3/8 x 5 1/2\n1 @ 3 3/8 x 7 1/2\n1 @ 3 3/8 x 11 1/2"},
      {w.lbBatMat, w.edBatStock, "Batten Stock:\n3/4 Oak", "1 @ 4 1/8 x 96"},
      {w.lbBattenW, w.edBattenW, "Batten (Wall):\n3/4 Oak", "2 @ 3 x 20"},
      {w.lbBattenB, w.meBattenB, "Batten (Bin):\n3/4 Oak",
       "3 @ 1 3/4 x 6\n1 @ 1 3/4 x 8\n1 @ 1 3/4 x 12"},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(e.caption->text(), QString::fromLatin1(e.title));
    const auto* memo = qobject_cast<QPlainTextEdit*>(e.result);
    const QString shown = memo ? memo->toPlainText() : qobject_cast<QLineEdit*>(e.result)->text();
    EXPECT_EQ(shown, QString::fromLatin1(e.lines)) << e.caption->objectName().toStdString();
  }
}

// Leaving one edit after a calculation (indicator green, record in the file).
TEST_F(CutListWindowTest, LeavingAnEditChecksAndStoresItsEntry) {
  const QString zeroMessage = QStringLiteral("Cannot have a zero or null value - please try again");
  using Field = std::string COM_BINREC::*;
  const struct Case {
    const char* edit;
    Field field;
    const char* typed;
    const char* shows;      // the edit's text afterwards
    const char* stored;     // the record field afterwards
    QString message;        // empty: none
    const char* neighbour;  // an edit whose text is set beforehand, without leaving it
    const char* neighbourText;
  } cases[] = {
      {"edBinThk", &COM_BINREC::COM_BINTHK, "0.5", "1/2", "1/2", {}, nullptr, nullptr},
      {"edBinHigh", &COM_BINREC::COM_BINHIGH, "", "0", "4", zeroMessage, nullptr, nullptr},
      {"edBinHigh", &COM_BINREC::COM_BINHIGH, "1.1", "1.1", "4",
       QStringLiteral("Invalid Tape Measurement!"), nullptr, nullptr},
      {"edBinHigh", &COM_BINREC::COM_BINHIGH, " 4 ", "4", "4", {}, nullptr, nullptr},
      {"edBinDeep", &COM_BINREC::COM_BINDEEP, "6 1/4", "6 1/4", "6 1/4", {}, nullptr, nullptr},
      {"edDivThk", &COM_BINREC::COM_DIVTHK, "", "0", "1/4", zeroMessage, nullptr, nullptr},
      {"edDivThk", &COM_BINREC::COM_DIVTHK, "", "0", "0", {}, "edDivMat", ""},
      {"edBatThk", &COM_BINREC::COM_BATTHK, "", "0", "0", {}, "edBatMat", "  "},
      {"edBatThk", &COM_BINREC::COM_BATTHK, "", "0", "3/4", zeroMessage, "edBatMat", "Ash"},
      {"edBinMat", &COM_BINREC::COM_BINMAT, " Pine ", " Pine ", "Pine", {}, nullptr, nullptr},
      {"edBinMat", &COM_BINREC::COM_BINMAT, "pine", "pine", "pine", {}, nullptr, nullptr},
      {"edBinMat", &COM_BINREC::COM_BINMAT, " ", " ", "Pine", QStringLiteral("Required field"),
       nullptr, nullptr},
      {"edBinMat", &COM_BINREC::COM_BINMAT, "0", "0", "0", {}, nullptr, nullptr},
      {"edDivMat", &COM_BINREC::COM_DIVMAT, "", "", "", {}, nullptr, nullptr},
      {"edBatMat", &COM_BINREC::COM_BATMAT, "Ash ", "Ash ", "Ash ", {}, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.edit) + " <- \"" + c.typed + "\"");
    openProject(exampleRecord());
    start();
    calculate();
    const QByteArray written = fileBytes();
    if (c.neighbour) edit(c.neighbour)->setText(QString::fromLatin1(c.neighbourText));
    fakes.dialogs.clear();

    QLineEdit* e = edit(c.edit);
    enter(e, QString::fromLatin1(c.typed));
    EXPECT_EQ(e->text(), QString::fromLatin1(c.shows));
    EXPECT_EQ(COM_BINDATA.*c.field, c.stored);
    const bool refused = !c.message.isEmpty();
    EXPECT_EQ(fakes.dialogs.texts(), refused ? QStringList{c.message} : QStringList{});
    EXPECT_EQ(e->hasFocus(), refused);
    // Storing a value and turning red go together.
    EXPECT_EQ(indicator(), COM_BINDATA.*c.field != exampleRecord().*c.field ? kRed : kGreen);
    EXPECT_EQ(fileBytes(), written);  // leaving an edit never writes
    window.reset();
    COM_BINFILE.close();
  }
}

TEST_F(CutListWindowTest, LongMaterialIsStoredCutAndStaysDifferentFromItsEdit) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY");
  enter(w.edBinMat, letters);
  EXPECT_EQ(COM_BINDATA.COM_BINMAT, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(w.edBinMat->text(), letters);
  calculate();
  EXPECT_EQ(w.lbSide->text(), QStringLiteral("Sides: \n1/2 ") + letters);
  EXPECT_EQ(indicator(), kGreen);
  EXPECT_EQ(fileBytes().mid(400, 21), QByteArray("\x14"
                                                 "ABCDEFGHIJKLMNOPQRST"));

  // The edit still differs from the record, so leaving it stores again.
  QTest::mouseClick(w.edBinMat, Qt::LeftButton);
  QTest::keyClick(w.edBinMat, Qt::Key_Tab);
  EXPECT_EQ(indicator(), kRed);

  w.close();
  start();
  EXPECT_EQ(window->edBinMat->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
}

TEST_F(CutListWindowTest, FailedChecksStopTheCalculationAtTheFirstField) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  w.edBinMat->setText(QStringLiteral("0"));
  w.edBinHigh->setText(QStringLiteral(" 0 "));
  calculate();
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Required field")});
  EXPECT_TRUE(w.edBinHigh->hasFocus());
  EXPECT_EQ(w.lbSide->text(), QStringLiteral("Side"));
  EXPECT_TRUE(w.meFront->toPlainText().isEmpty());
  EXPECT_EQ(indicator(), kRed);
  EXPECT_EQ(fileBytes(), bytesOf(exampleRecord()));

  // The material alone: accepted when its edit is left, refused by the check.
  w.edBinHigh->setText(QStringLiteral("4"));
  fakes.dialogs.clear();
  calculate();
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Required field")});
  EXPECT_TRUE(w.edBinMat->hasFocus());

  // A refused pending entry is told, then the first failed check takes the focus for good.
  w.edBinMat->setText(QStringLiteral("Pine"));
  w.edBinHigh->setText(QStringLiteral("0"));
  typeInto(w.edBinThk, QStringLiteral("1.1"));
  fakes.dialogs.clear();
  calculate();
  EXPECT_EQ(fakes.dialogs.texts(), (QStringList{QStringLiteral("Invalid Tape Measurement!"),
                                                QStringLiteral("Required field")}));
  EXPECT_TRUE(w.edBinHigh->hasFocus());
  w.edBinHigh->setText(QStringLiteral("4"));
  w.edBinThk->setText(QStringLiteral("1/2"));

  // A thickness of 0 beside a divider material is refused; without the material it passes.
  w.edBinMat->setText(QStringLiteral("Pine"));
  w.edDivThk->setText(QStringLiteral("0"));
  fakes.dialogs.clear();
  calculate();
  EXPECT_TRUE(w.edDivThk->hasFocus());
  w.edDivMat->clear();
  fakes.dialogs.clear();
  calculate();
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  EXPECT_EQ(indicator(), kGreen);
}

TEST_F(CutListWindowTest, LettersInAMeasurementEndTheHandlerWithTheErrorBox) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  calculate();
  enter(w.edBinDeep, QStringLiteral("six"));
  ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
  EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("error"));
  EXPECT_EQ(w.edBinDeep->text(), QStringLiteral("six"));
  EXPECT_EQ(COM_BINDATA, exampleRecord());
  EXPECT_EQ(indicator(), kGreen);
  EXPECT_EQ(fileBytes(), bytesOf(exampleRecord()));
}

TEST_F(CutListWindowTest, ACalculationThatFailsHalfWayKeepsTheEarlierListsAndWritesNothing) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  calculate();
  const QString oldBinBattens = w.meBattenB->toPlainText();
  enter(w.edBinHigh, QStringLiteral("5"));
  EXPECT_EQ(COM_BINDATA.COM_BINHIGH, "5");
  // The bin battens are the first list that reads the batten thickness as a number.
  enter(w.edBatThk, QStringLiteral("thick"));
  fakes.dialogs.clear();
  calculate();
  ASSERT_EQ(fakes.dialogs.texts(QStringLiteral("error")).size(), 1);
  EXPECT_EQ(w.edSide->text(), QStringLiteral("10 @ 5 x 5 1/2"));
  EXPECT_EQ(w.edBattenW->text(), QStringLiteral("2 @ 4 x 20"));
  EXPECT_EQ(w.lbBattenB->text(), QStringLiteral("Batten (Bin):\n3/4 Oak"));
  EXPECT_EQ(w.meBattenB->toPlainText(), oldBinBattens);
  EXPECT_EQ(indicator(), kRed);
  EXPECT_EQ(fileBytes(), bytesOf(exampleRecord()));
}

TEST_F(CutListWindowTest, TheButtonLeavesAPendingEntryOnceBeforeCalculating) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  typeInto(w.edBinHigh, QStringLiteral("4.5"));
  calculate();
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  EXPECT_EQ(w.edBinHigh->text(), QStringLiteral("4 1/2"));
  EXPECT_EQ(w.edSide->text(), QStringLiteral("10 @ 4 1/2 x 5 1/2"));
  EXPECT_EQ(COM_BINDATA.COM_BINHIGH, "4 1/2");
  EXPECT_EQ(fileBytes(), bytesOf(COM_BINDATA));
  EXPECT_EQ(indicator(), kGreen);
  EXPECT_TRUE(w.btnDoCalcs->hasFocus());

  // A refused entry is told once and keeps the focus; it is not stored.
  typeInto(w.edBinThk, QStringLiteral("1.1"));
  fakes.dialogs.clear();
  calculate();
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Invalid Tape Measurement!")});
  EXPECT_TRUE(w.edBinThk->hasFocus());
  EXPECT_EQ(COM_BINDATA.COM_BINTHK, "1/2");
  // Still pending: leaving the edit checks it again.
  fakes.dialogs.clear();
  QTest::keyClick(w.edBinThk, Qt::Key_Tab);
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Invalid Tape Measurement!")});
}

TEST_F(CutListWindowTest, OtherWindowsTakingTheKeyboardDoNotLeaveTheEdit) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  typeInto(w.edBinHigh, QStringLiteral("5"));
  for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(w.edBinHigh, &out);
    QFocusEvent in(QEvent::FocusIn, reason);
    QCoreApplication::sendEvent(w.edBinHigh, &in);
  }
  EXPECT_EQ(COM_BINDATA.COM_BINHIGH, "4");
  QTest::keyClick(w.edBinHigh, Qt::Key_Tab);
  EXPECT_EQ(COM_BINDATA.COM_BINHIGH, "5");

  // Coming back from a window opened here reloads the edits from the record.
  typeInto(w.edBinDeep, QStringLiteral("9"));
  w.miAbout->trigger();
  EXPECT_EQ(fakes.modal.ran, std::vector<QString>{QStringLiteral("Tfm_About")});
  EXPECT_EQ(w.edBinDeep->text(), QStringLiteral("6"));
  EXPECT_EQ(w.edBinHigh->text(), QStringLiteral("5"));
  EXPECT_EQ(COM_BINDATA.COM_BINDEEP, "6");
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(CutListWindowTest, ClosingWritesTheRecordOnlyWhileItHasChanged) {
  // Opened and closed at once: the layout's unsaved rows reach the file.
  COM_BINREC planned = exampleRecord();
  planned.COM_BINVALS[5][0] = 30;
  openProject(exampleRecord(), planned);
  start().miExit->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(fileBytes(), bytesOf(planned));

  // Closed right after a calculation: nothing is written.
  start();
  calculate();
  const QByteArray elsewhere(520, 'x');
  folder.write(QStringLiteral("Garage.dat"), elsewhere);
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(fileBytes(), elsewhere);

  // An entry still being typed is stored and written on the way out.
  openProject(exampleRecord());
  start();
  calculate();
  typeInto(window->edBinDeep, QStringLiteral("8"));
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(COM_BINDATA.COM_BINDEEP, "8");
  EXPECT_EQ(fileBytes(), bytesOf(COM_BINDATA));
}

TEST_F(CutListWindowTest, AFailedWriteOnClosingAsksWhetherToLeaveAnyway) {
  COM_BINDATA = exampleRecord();
  COM_BINFILE.open(QStringLiteral("/dev/full"));
  Tfm_CutList& w = start();

  fakes.dialogs.confirmAnswers = {false};
  w.close();
  EXPECT_TRUE(w.isVisible());
  ASSERT_EQ(fakes.dialogs.shown.size(), 2u);
  EXPECT_EQ(fakes.dialogs.shown[0].kind, QStringLiteral("error"));
  EXPECT_TRUE(fakes.dialogs.shown[0].text.contains(QStringLiteral("/dev/full")));
  EXPECT_EQ(fakes.dialogs.shown[1].kind, QStringLiteral("confirm"));
  EXPECT_EQ(fakes.dialogs.shown[1].text,
            QStringLiteral("Your last changes could not be saved. Close this window anyway?"));
  EXPECT_EQ(indicator(), kRed);

  fakes.dialogs.clear();
  fakes.dialogs.confirmAnswers = {true};
  w.close();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("confirm")).size(), 1);
}

TEST_F(CutListWindowTest, TheWindowSpringsBackToItsSmallestSize) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  const int menu = w.height() - w.client()->height();
  w.resize(400, 300);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.client()->size(), QSize(645, 565));
  EXPECT_EQ(w.pnCutList->height(), 237);
  for (QPlainTextEdit* memo : {w.meFront, w.meBack, w.meBase, w.meDivider, w.meBattenB}) {
    EXPECT_EQ(memo->height(), 130);
  }

  w.resize(700, 665 + menu);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.client()->size(), QSize(700, 665));
  EXPECT_EQ(w.pnCutList->height(), 337);
  EXPECT_EQ(w.meBattenB->height(), 230);
  EXPECT_EQ(w.meQty->height(), 177);
  EXPECT_EQ(w.status.bar->geometry(), QRect(0, 642, 700, 23));
  EXPECT_EQ(w.status.Status2->x(), 620);
}

TEST_F(CutListWindowTest, ResultsCannotBeTypedInto) {
  openProject(exampleRecord());
  Tfm_CutList& w = start();
  calculate();
  const QString front = w.meFront->toPlainText();
  QTest::mouseClick(w.meFront->viewport(), Qt::LeftButton);
  EXPECT_FALSE(w.meFront->hasFocus());
  EXPECT_TRUE(w.meFront->isEnabled());
  EXPECT_TRUE(w.meFront->viewport()->isEnabled());
  QTest::keyClicks(w.meFront, QStringLiteral("x"));
  EXPECT_EQ(w.meFront->toPlainText(), front);

  const QString side = w.edSide->text();
  QTest::mouseClick(w.edSide, Qt::LeftButton);
  EXPECT_FALSE(w.edSide->hasFocus());
  QTest::keyClicks(w.edSide, QStringLiteral("x"));
  EXPECT_EQ(w.edSide->text(), side);

  // Tabbing on from the last specification edit passes every result by.
  QTest::mouseClick(w.edBatThk, Qt::LeftButton);
  QTest::keyClick(w.edBatThk, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.edBinHigh);
  QTest::keyClick(w.edBinHigh, Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), w.edBatThk);
  for (QWidget* result :
       std::initializer_list<QWidget*>{w.meQty, w.meWidth, w.meBattenB, w.edSide, w.edBattenW}) {
    EXPECT_TRUE(result->isEnabled());
  }
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

}  // namespace
}  // namespace hm

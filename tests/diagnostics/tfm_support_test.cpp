#include "support/tfm_support.h"
#include "support/error_log.h"
#include "support/fake_services.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace hm {
namespace {

// Which of the given widgets, sharing one parent, lies on top.
QWidget* topOf(std::initializer_list<QWidget*> widgets) {
  QWidget* top = nullptr;
  qsizetype best = -1;
  for (QWidget* w : widgets) {
    const qsizetype at = w->parentWidget()->children().indexOf(w);
    if (at > best) {
      best = at;
      top = w;
    }
  }
  return top;
}

class SupportWindow : public ::testing::Test {
 protected:
  SupportWindow() {
    ERRLOG = QStringList{QStringLiteral("2024-03-04 09:15 qvl_privs InitAll x")};
    fm.show();
    QCoreApplication::processEvents();
  }
  ~SupportWindow() override { ERRLOG.clear(); }
  QWidget* page() { return topOf({fm.meInstructions, fm.pnDetail, fm.mePlatform}); }
  QWidget* button() { return topOf({fm.btnContinue, fm.btnDetail, fm.btnTicket}); }

  test::FakeServices fakes;
  TFmSupport fm;
};

TEST_F(SupportWindow, WalksThroughThePagesToTheReport) {
  EXPECT_EQ(fm.windowTitle(), QStringLiteral("Request for Product Support"));
  EXPECT_EQ(page(), fm.meInstructions);
  EXPECT_EQ(button(), fm.btnContinue);
  EXPECT_FALSE(fm.edLogFile->isVisible());
  EXPECT_TRUE(fm.meInstructions->toPlainText().startsWith(QStringLiteral("When you click")));

  fm.btnContinue->click();
  EXPECT_EQ(page(), fm.pnDetail);
  EXPECT_EQ(button(), fm.btnDetail);
  fm.edError->setText(QStringLiteral("Range check error"));
  fm.cbDuplicate->setChecked(true);
  fm.meError->setPlainText(QStringLiteral("clicked Create"));

  // Coming back to the window starts over on the instructions, keeping what was typed.
  fm.FormActivate();
  EXPECT_EQ(page(), fm.meInstructions);
  fm.btnContinue->click();
  EXPECT_EQ(fm.edError->text(), QStringLiteral("Range check error"));

  fm.btnDetail->click();
  EXPECT_EQ(page(), fm.mePlatform);
  EXPECT_EQ(button(), fm.btnTicket);
  EXPECT_TRUE(fm.edLogFile->isVisible());
  const QStringList lines = fm.mePlatform->toPlainText().split(QLatin1Char('\n'));
  EXPECT_EQ(lines.first(), QStringLiteral("2024-03-05 14:07 (Local Time) or 13:07 (UTC)"));
  EXPECT_EQ(lines[3], QStringLiteral(".   Version: 4.25.1017.1553"));
  EXPECT_EQ(lines.mid(39),
            (QStringList{".   ErrMsg: Range check error", ".   CanDuplicateError=Yes",
                         ".   FormName=not provided", "UserNotes:", ".   clicked Create",
                         "Log File:", ".   2024-03-04 09:15 qvl_privs InitAll x", "End."}));
  // Built again from scratch on the next click.
  fm.btnDetail->click();
  EXPECT_EQ(fm.mePlatform->toPlainText().split(QLatin1Char('\n')), lines);
}

TEST_F(SupportWindow, TicketOpensThePortalAndClosesWithOk) {
  fm.btnContinue->click();
  fm.btnDetail->click();
  fakes.shell.accept = false;  // no browser: the window stays on the report
  fm.btnTicket->click();
  ASSERT_EQ(fakes.shell.urls.size(), 1u);
  EXPECT_TRUE(fm.isVisible());
  EXPECT_FALSE(fm.GOODRUN);
  EXPECT_EQ(page(), fm.mePlatform);

  fakes.shell.accept = true;
  fm.btnTicket->click();
  ASSERT_EQ(fakes.shell.urls.size(), 2u);
  EXPECT_TRUE(fakes.shell.urls[1].startsWith(
      QStringLiteral("https://www.quorvale.example/app-support/?ticket-id=20240305140707&enviro="
                     "2024-03-05%2014%3A07%20%28Local%20Time%29")));
  EXPECT_TRUE(fakes.shell.urls[1].endsWith(QStringLiteral("%0AEnd.")));
  EXPECT_FALSE(fm.isVisible());
  EXPECT_EQ(fm.result(), TFmSupport::kResultOk);
}

TEST_F(SupportWindow, ClosingOtherwiseIsCancel) {
  fm.close();
  EXPECT_FALSE(fm.isVisible());
  EXPECT_EQ(fm.result(), TFmSupport::kResultCancel);
  EXPECT_TRUE(fakes.shell.urls.empty());
}

TEST_F(SupportWindow, SpringsBackToTheSmallestSizeAndKeepsTheButtonsAtTheBottom) {
  fm.resize(400, 200);
  QCoreApplication::processEvents();
  EXPECT_EQ(fm.size(), QSize(520, 300));
  fm.resize(700, 500);
  QCoreApplication::processEvents();
  EXPECT_EQ(fm.btnTicket->y(), 470);
  EXPECT_EQ(fm.btnContinue->y(), 470);
  EXPECT_EQ(fm.edLogFile->y(), 470);
  EXPECT_EQ(fm.edLogFile->geometry().right() + 1, 700 - 13);
  EXPECT_EQ(fm.mePlatform->geometry(), QRect(10, 5, 677, 459));
}

}  // namespace
}  // namespace hm

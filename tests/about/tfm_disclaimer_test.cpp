#include "about/tfm_disclaimer.h"
#include "support/fake_services.h"

#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWindow>

#include <gtest/gtest.h>

// Readable sizes and points in failure messages.
static void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }
static void PrintTo(const QPoint& p, std::ostream* os) { *os << p.x() << ", " << p.y(); }

namespace hm {
namespace {

class DisclaimerWindow : public ::testing::Test {
 protected:
  void SetUp() override { fakes.screen.screenSize = QSize(1280, 1024); }
  static QPlainTextEdit* memo(QWidget& w) {
    return w.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
  }
  test::FakeServices fakes;
};

TEST_F(DisclaimerWindow, ShowsTheEightParagraphs) {
  Tfm_Disclaimer window;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Disclaimer"));
  EXPECT_EQ(window.size(), QSize(510, 535));
  EXPECT_EQ(DEFAULTWIDE, 510);
  EXPECT_EQ(DEFAULTHIGH, 535);
  const QStringList paragraphs = memo(window)->toPlainText().split(QStringLiteral("\n\n"));
  ASSERT_EQ(paragraphs.size(), 8);
  EXPECT_EQ(paragraphs.first(),
            QStringLiteral("Please Note: This information is Summary Data only. It is not part of "
                           "and does not replace the full and current License Agreement."));
  EXPECT_EQ(paragraphs.last(), QStringLiteral("View the current License Acreement by clicking "
                                              "License at the bottom-left of most Forms."));
  EXPECT_FALSE(paragraphs.contains(QString()));
  EXPECT_TRUE(memo(window)->isReadOnly());
}

TEST_F(DisclaimerWindow, AnyResizeRestoresItsSize) {
  Tfm_Disclaimer window;
  window.show();
  QCoreApplication::processEvents();
  for (const QSize asked : {QSize(600, 700), QSize(300, 200), QSize(510, 600)}) {
    SCOPED_TRACE(testing::Message() << asked.width() << " x " << asked.height());
    window.resize(asked);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(510, 535));
    // Even when the window system ignores the fixed size.
    window.windowHandle()->resize(asked);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(510, 535));
  }
}

TEST_F(DisclaimerWindow, StaysOnTheScreen) {
  Tfm_Disclaimer window;
  window.show();
  QCoreApplication::processEvents();
  struct Case {
    QPoint asked, kept;
  };
  const Case cases[] = {
      {{-40, -25}, {0, 0}},
      {{1000, 100}, {1280 - 510, 100}},
      {{100, 700}, {100, 1024 - 535 - 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.asked.x() << ", " << c.asked.y());
    window.move(c.asked);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.pos(), c.kept);
  }
}

TEST_F(DisclaimerWindow, OpensCentredOverTheMainWindow) {
  QMainWindow main;
  main.setObjectName(QStringLiteral("fmMain"));
  main.setGeometry(100, 120, 500, 300);
  main.show();
  QCoreApplication::processEvents();
  Tfm_Disclaimer window;
  services().modal->run(window);
  // Halving an odd size may round by a pixel.
  EXPECT_LE((window.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 2);
}

TEST_F(DisclaimerWindow, MemoGivesTheFocusBackAndStaysUsable) {
  Tfm_Disclaimer window;
  window.show();
  window.activateWindow();
  QCoreApplication::processEvents();
  QPlainTextEdit* text = memo(window);
  text->setFocus(Qt::MouseFocusReason);
  QCoreApplication::processEvents();
  EXPECT_FALSE(text->hasFocus());
  EXPECT_TRUE(text->isEnabled());
  // Its parts are enabled again too, so the text can still be scrolled.
  EXPECT_TRUE(text->viewport()->isEnabled());
  EXPECT_TRUE(text->verticalScrollBar()->isEnabled());
}

}  // namespace
}  // namespace hm

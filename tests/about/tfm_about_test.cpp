#include "about/tfm_about.h"
#include "app/app_version.h"
#include "app/build_settings.h"
#include "app/com_state.h"
#include "support/fake_services.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

// Readable sizes in failure messages.
static void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }

namespace hm {
namespace {

class AboutWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    REPLACEMENTDATA = COM_APP_DESC;
    THISCOPYRIGHT = COM_COPYRIGHT;
  }

  // A window as the openers make it: created without owner after the globals were set.
  std::unique_ptr<Tfm_About> make() { return std::make_unique<Tfm_About>(); }
  static QPlainTextEdit* memo(QWidget& w) {
    return w.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
  }
  static QStringList memoLines(QWidget& w) {
    return memo(w)->toPlainText().split(QLatin1Char('\n'));
  }

  test::FakeServices fakes;
};

TEST_F(AboutWindow, CreationSetsCaptionAndStatusPanels) {
  auto about = make();
  EXPECT_EQ(about->windowTitle(), QStringLiteral("Hollowmere - About"));
  EXPECT_EQ(about->size(), QSize(600, 450));
  EXPECT_EQ(about->statusPanel(0)->text(), QString());
  EXPECT_EQ(about->statusPanel(1)->text(), COM_COPYRIGHT);
  EXPECT_EQ(about->statusPanel(1)->width(), 600 - 50 - VERBAR);
  EXPECT_EQ(about->statusPanel(2)->text(), GetAppVersion());
  for (const char* name : {"Logo", "lbLink", "Memo1", "StatusBar1"}) {
    EXPECT_NE(about->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
  }
  EXPECT_TRUE(memoLines(*about).contains(Tfm_About::kMarker));
}

TEST_F(AboutWindow, MarkerIsReplacedOnceAcrossActivations) {
  auto about = make();
  fakes.modal.scripts.push_back([](QWidget& w) {
    static_cast<Tfm_About&>(w).FormActivate();  // the opener activates it again
    return 0;
  });
  services().modal->run(*about);
  ASSERT_EQ(fakes.modal.ran, std::vector<QString>{QStringLiteral("Tfm_About")});
  const QStringList lines = memoLines(*about);
  EXPECT_FALSE(memo(*about)->toPlainText().contains(Tfm_About::kMarker));
  EXPECT_EQ(lines.count(QStringLiteral("Hollowmere:")), 1);
  EXPECT_EQ(lines.count(COM_APP_DESC), 1);
  const qsizetype at = lines.indexOf(QStringLiteral("Hollowmere:"));
  ASSERT_GT(at, 0);
  EXPECT_EQ(lines.value(at + 1), COM_APP_DESC);
  EXPECT_EQ(lines.value(at - 1), QString());
  EXPECT_EQ(lines.first(), QStringLiteral("Quorvale"));
  EXPECT_EQ(lines.last(), QStringLiteral("Quorvale"));
}

TEST_F(AboutWindow, MarkerLineIsReplacedWhole) {
  struct Case {
    const char* name;
    QString description;
    QStringList expected;
  };
  const Case cases[] = {
      {"marker inside other text",
       QStringLiteral("Plans walls of bins."),
       {"before", "Hollowmere:", "Plans walls of bins.", "after"}},
      {"description holding the marker itself",
       QStringLiteral("see ** APP_DESC **"),
       {"before", "Hollowmere:", "see ** APP_DESC **", "after"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    REPLACEMENTDATA = c.description;
    auto about = make();
    memo(*about)->setPlainText(QStringLiteral("before\nxx ** APP_DESC ** yy\nafter"));
    about->show();
    about->FormActivate();
    EXPECT_EQ(memoLines(*about), c.expected);
  }
}

TEST_F(AboutWindow, SpringsBackToItsSmallestSize) {
  auto about = make();
  about->show();
  QCoreApplication::processEvents();
  struct Case {
    QSize asked, window, memo;
    int panel1;
  };
  const Case cases[] = {
      {{500, 400}, {600, 450}, {585, 355}, 440},
      {{800, 300}, {800, 450}, {785, 355}, 640},
      {{900, 700}, {900, 700}, {885, 605}, 740},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.asked.width() << " x " << c.asked.height());
    about->resize(c.asked);
    QCoreApplication::processEvents();
    EXPECT_EQ(about->size(), c.window);
    EXPECT_EQ(memo(*about)->size(), c.memo);
    EXPECT_EQ(about->statusPanel(1)->width(), c.panel1);
    const QWidget* bar = about->findChild<QWidget*>(QStringLiteral("StatusBar1"));
    EXPECT_EQ(bar->geometry().bottom(), c.window.height() - 1);
  }

  // A window system that ignores the smallest size: the window still comes back.
  about->windowHandle()->resize(500, 400);
  QCoreApplication::processEvents();
  EXPECT_EQ(about->size(), QSize(600, 450));
  EXPECT_EQ(memo(*about)->size(), QSize(585, 355));
}

TEST_F(AboutWindow, LinkAndLogoOpenTheSiteAndARefusalIsSilent) {
  for (const bool accepted : {true, false}) {
    for (const char* name : {"lbLink", "Logo"}) {
      SCOPED_TRACE(testing::Message() << name << (accepted ? " accepted" : " refused"));
      fakes.shell.accept = accepted;
      fakes.shell.urls.clear();
      auto about = make();
      about->show();
      auto* control = about->findChild<QLabel*>(QString::fromLatin1(name));
      EXPECT_EQ(control->toolTip(), siteUrl());
      QTest::mouseClick(control, Qt::LeftButton);
      EXPECT_EQ(fakes.shell.urls, std::vector<QString>{siteUrl()});
      EXPECT_TRUE(fakes.dialogs.shown.empty());
      EXPECT_TRUE(about->isVisible());
    }
  }
}

TEST_F(AboutWindow, SiteAddressFollowsTheEnvironment) {
  fakes.environment.values[QStringLiteral("HOLLOWMERE_SITE_URL")] =
      QStringLiteral("https://bins.test");
  auto about = make();
  about->show();
  QTest::mouseClick(about->findChild<QLabel*>(QStringLiteral("lbLink")), Qt::LeftButton);
  EXPECT_EQ(fakes.shell.urls, std::vector<QString>{QStringLiteral("https://bins.test/")});
}

TEST_F(AboutWindow, ClickedMemoStaysInertUntilTheMouseLeaves) {
  auto about = make();
  about->show();
  QCoreApplication::processEvents();
  QPlainTextEdit* text = memo(*about);
  QTest::mouseMove(text->viewport(), QPoint(40, 40));
  QTest::mousePress(text->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
  EXPECT_FALSE(text->isEnabled());
  QTest::mouseRelease(text->viewport(), Qt::LeftButton, {}, QPoint(60, 40));
  QTest::mouseMove(text->viewport(), QPoint(80, 60));
  EXPECT_FALSE(text->isEnabled());
  QTest::mouseMove(about.get(), QPoint(300, 20));  // above the memo
  EXPECT_TRUE(text->isEnabled());
}

}  // namespace
}  // namespace hm

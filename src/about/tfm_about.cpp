#include "tfm_about.h"

#include "app/app_version.h"
#include "app/build_settings.h"
#include "app/window_common.h"
#include "platform/guard.h"
#include "platform/services.h"
#include "quorvale_logo.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStatusBar>
#include <QStringList>

#include <algorithm>

namespace hm {

QString REPLACEMENTDATA;
QString THISCOPYRIGHT;

const QString Tfm_About::kMarker = QStringLiteral("** APP_DESC **");

namespace {

constexpr int kPanel0Width = 50;

// The About text, one paragraph per line; the marker line is filled in when the window is shown.
QStringList aboutLines() {
  return {
      QStringLiteral("Quorvale"),
      QStringLiteral("Unit 4, Tanner's Yard, 27 Fenwick Row"),
      QStringLiteral("Elmstead Falls, VT 05907, USA"),
      QString(),
      Tfm_About::kMarker,
      QString(),
      QStringLiteral("About Me:"),
      QStringLiteral(
          "Quorvale is a small workshop of one that writes software for people who make things. "
          "Each program helps to manage one specific task, and every one of them is free for "
          "personal use. Each program comes with a user manual and with built-in hints, shown when "
          "the mouse rests over buttons and input areas; the hints can be switched off and on at "
          "any time from the Help menu."),
      QString(),
      QStringLiteral("Support:"),
      QStringLiteral("I provide support services for all software I distribute. A support portal "
                     "is provided within each application under Help -> Support."),
      QString(),
      QStringLiteral("With thanks for using my software, Corin Halvorsen"),
      QStringLiteral("Quorvale"),
  };
}

QString appTitle() { return QGuiApplication::applicationDisplayName(); }

}  // namespace

Tfm_About::Tfm_About(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tfm_About"));
  resize(kClientWidth, kClientHeight);
  // The window manager is asked not to go below the smallest size; FormResize enforces it anyway.
  setMinimumSize(kClientWidth, kClientHeight);

  const QString site = siteUrl();

  Logo = new QLabel(this);
  Logo->setObjectName(QStringLiteral("Logo"));
  Logo->setGeometry(8, 4, 200, 55);
  Logo->setPixmap(quorvaleLogo(Logo->size(), devicePixelRatioF()));
  Logo->setCursor(Qt::PointingHandCursor);
  Logo->setToolTip(site);

  lbLink = new QLabel(QStringLiteral("Go to Quorvale WebSite"), this);
  lbLink->setObjectName(QStringLiteral("lbLink"));
  lbLink->setGeometry(280, 42, 199, 17);
  QFont linkFont = lbLink->font();
  linkFont.setBold(true);
  linkFont.setItalic(true);
  linkFont.setUnderline(true);
  lbLink->setFont(linkFont);
  QPalette linkPalette = lbLink->palette();
  linkPalette.setColor(QPalette::WindowText, Qt::blue);
  lbLink->setPalette(linkPalette);
  lbLink->setCursor(Qt::PointingHandCursor);
  lbLink->setToolTip(site);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(8, 64, 585, 355);
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setFocusPolicy(Qt::ClickFocus);  // no tab stop
  Memo1->setPlainText(aboutLines().join(QLatin1Char('\n')));

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  // The panels sit side by side and are placed by FormResize, not by the bar's own layout, so that
  // the version keeps exactly the VERBAR pixels at the right.
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(StatusBar1);
    panels_[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panels_[i]->setIndent(4);
  }
  panels_[0]->resize(kPanel0Width, kStatusHeight);
  panels_[1]->setAlignment(Qt::AlignCenter);

  // Clicks and the mouse over the memo reach the handlers only once every control exists.
  for (QWidget* watched : {static_cast<QWidget*>(Logo), static_cast<QWidget*>(lbLink),
                           static_cast<QWidget*>(Memo1), Memo1->viewport()}) {
    watched->installEventFilter(this);
  }

  FormCreate();
  FormResize();
}

QLabel* Tfm_About::statusPanel(int index) const {
  return index >= 0 && index < 3 ? panels_[index] : nullptr;
}

void Tfm_About::FormCreate() {
  setWindowTitle(appTitle() + QStringLiteral(" - About"));
  panels_[1]->resize(std::max(0, width() - panels_[0]->width() - VERBAR), kStatusHeight);
  panels_[1]->setText(THISCOPYRIGHT);
  panels_[2]->setText(GetAppVersion());
}

void Tfm_About::FormActivate() {
  // The replacement is done once per window, even should the description itself hold the marker.
  if (replaced_) return;
  QString description = REPLACEMENTDATA;
  description.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QStringList lines = Memo1->toPlainText().split(QLatin1Char('\n'));
  QStringList result;
  bool found = false;
  for (const QString& line : lines) {
    if (line.contains(kMarker)) {
      result << appTitle() + QLatin1Char(':') << description;
      found = true;
    } else {
      result << line;
    }
  }
  if (!found) return;
  replaced_ = true;
  Memo1->setPlainText(result.join(QLatin1Char('\n')));
}

void Tfm_About::FormResize() {
  const int w = std::max(width(), kClientWidth);
  const int h = std::max(height(), kClientHeight);
  if (w != width() || h != height()) resize(w, h);
  // Laid out for the size asked for: a window manager may report the new size only later.
  Memo1->setGeometry(Memo1->x(), Memo1->y(), w - 15, h - 95);
  StatusBar1->setGeometry(0, h - kStatusHeight, w, kStatusHeight);
  const int panel0 = panels_[0]->width();
  const int panel1 = std::max(0, w - panel0 - VERBAR);
  panels_[0]->setGeometry(0, 0, panel0, kStatusHeight);
  panels_[1]->setGeometry(panel0, 0, panel1, kStatusHeight);
  panels_[2]->setGeometry(panel0 + panel1, 0, std::max(0, w - panel0 - panel1), kStatusHeight);
}

void Tfm_About::lbLinkClick() { WebLink(); }

void Tfm_About::LogoClick() { WebLink(); }

void Tfm_About::WebLink() {
  // Without a browser there is nothing to say: the user is still reading the window.
  services().shell->openUrl(siteUrl());
}

void Tfm_About::Memo1MouseDown() { Memo1->setEnabled(false); }

void Tfm_About::Memo1MouseLeave() { Memo1->setEnabled(true); }

void Tfm_About::centreOnScreen() {
  const QSize screen = services().screen->size();
  const QSize frame = frameGeometry().size();
  move(std::max(0, (screen.width() - frame.width()) / 2),
       std::max(0, (screen.height() - frame.height()) / 2));
}

void Tfm_About::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (firstShown_) return;
  firstShown_ = true;
  guarded([&] {
    centreOnScreen();
    FormActivate();
  });
}

void Tfm_About::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  guarded([&] { FormResize(); });
}

bool Tfm_About::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((watched == Logo || watched == lbLink) && type == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto* label = static_cast<QWidget*>(watched);
    if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
      guarded([&] { watched == Logo ? LogoClick() : lbLinkClick(); });
      return true;
    }
  } else if (watched == Memo1->viewport() && type == QEvent::MouseButtonPress) {
    guarded([&] { Memo1MouseDown(); });
  } else if (watched == Memo1 && type == QEvent::Leave) {
    guarded([&] { Memo1MouseLeave(); });
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace hm

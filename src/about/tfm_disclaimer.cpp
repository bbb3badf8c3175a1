#include "tfm_disclaimer.h"

#include "app/window_common.h"
#include "platform/guard.h"
#include "platform/services.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QStringList>

#include <algorithm>

namespace hm {

int DEFAULTHIGH = 0;
int DEFAULTWIDE = 0;

QStringList Tfm_Disclaimer::paragraphs() {
  return {
      QStringLiteral("Please Note: This information is Summary Data only. It is not part of and "
                     "does not replace the full and current License Agreement."),
      QStringLiteral("All information contained in and produced by this application is provided "
                     "for educational purposes only."),
      QStringLiteral("This information may not meet your needs. Although it is derived from "
                     "research and literature, its correctness, comprehensiveness and currency "
                     "cannot be guaranteed. You alone are responsible for any decisions you make "
                     "and any actions you take based on it."),
      QStringLiteral("Neither Quorvale, the author of this application, nor any other party "
                     "involved in preparing, publishing or distributing this software shall be "
                     "liable for any special, consequential or exemplary damages resulting from "
                     "its use."),
      QStringLiteral("Quorvale disclaims all warranties, express or implied, as to the quality, "
                     "accuracy, currency or suitability of this information for any purpose."),
      QStringLiteral("Quorvale and the author, developers and distributors of this application "
                     "take no responsibility for erroneous results caused by defects in it. "
                     "ACCESS TO AND USE OF THIS APPLICATION IS PROVIDED WITHOUT WARRANTY OF "
                     "MERCHANTABILITY OR FITNESS FOR A PARTICULAR PURPOSE OR ANY OTHER WARRANTY, "
                     "EXPRESS OR IMPLIED. In no event shall Quorvale be liable for any damages, "
                     "charges, claims, costs, losses or expenses of any kind arising from its "
                     "use."),
      QStringLiteral("By using this application, its documentation or any software contained in "
                     "it, you agree to abide by national and international copyright law and all "
                     "other applicable laws."),
      QStringLiteral("View the current License Acreement by clicking License at the bottom-left "
                     "of most Forms."),
  };
}

Tfm_Disclaimer::Tfm_Disclaimer(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tfm_Disclaimer"));
  setWindowTitle(QStringLiteral("Disclaimer"));
  resize(kClientWidth, kClientHeight);
  // Asks the window manager for a fixed size too, so that the size rule rarely has to act.
  setFixedSize(kClientWidth, kClientHeight);
  QPalette maroon = palette();
  maroon.setColor(QPalette::Window, QColor(0x80, 0x00, 0x00));
  setPalette(maroon);
  setAutoFillBackground(true);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(8, 8, 496, 520);
  Memo1->setReadOnly(true);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette hint = Memo1->palette();
  hint.setColor(QPalette::Base, hint.color(QPalette::ToolTipBase));
  hint.setColor(QPalette::Text, hint.color(QPalette::ToolTipText));
  Memo1->setPalette(hint);
  Memo1->setPlainText(paragraphs().join(QStringLiteral("\n\n")));
  Memo1->installEventFilter(this);

  FormCreate();
}

void Tfm_Disclaimer::FormCreate() {
  DEFAULTHIGH = height();
  DEFAULTWIDE = width();
}

void Tfm_Disclaimer::FormResize() {
  if (width() != DEFAULTWIDE || height() != DEFAULTHIGH) resize(DEFAULTWIDE, DEFAULTHIGH);
}

void Tfm_Disclaimer::FormChangeBounds() { FitForm(*this); }

// The memo only shows text: it gives the focus back as soon as it gets it. Disabling it takes the
// focus away at once, so the exit that this causes waits until the disabling is complete.
void Tfm_Disclaimer::Memo1Enter() {
  entering_ = true;
  Memo1->setEnabled(false);
  entering_ = false;
  if (!Memo1->hasFocus()) Memo1Exit();
}

void Tfm_Disclaimer::Memo1Exit() {
  if (entering_) return;
  Memo1->setEnabled(true);
}

void Tfm_Disclaimer::centreOverMainWindow() {
  const QWidget* main = nullptr;
  for (const QWidget* w : QApplication::topLevelWidgets()) {
    if (w != this && w->isVisible() && w->objectName() == QLatin1String("fmMain")) main = w;
  }
  const QRect frame = frameGeometry();
  QRect over(QPoint(0, 0), services().screen->size());
  if (main) over = main->frameGeometry();
  move(over.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void Tfm_Disclaimer::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (firstShown_) return;
  firstShown_ = true;
  guarded([&] { centreOverMainWindow(); });
}

void Tfm_Disclaimer::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  guarded([&] {
    FormResize();
    FormChangeBounds();
  });
}

void Tfm_Disclaimer::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  guarded([&] { FormChangeBounds(); });
}

bool Tfm_Disclaimer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Memo1) {
    if (event->type() == QEvent::FocusIn) {
      guarded([&] { Memo1Enter(); });
    } else if (event->type() == QEvent::FocusOut) {
      guarded([&] { Memo1Exit(); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace hm

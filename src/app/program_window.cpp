#include "program_window.h"

#include "platform/guard.h"
#include "platform/services.h"
#include "window_common.h"

#include <QCloseEvent>
#include <QTimer>

#include <algorithm>

namespace hm {

void ProgramWindow::FormChangeBounds() { FitForm(*this); }

void ProgramWindow::activate() {
  guarded([this] { FormActivate(); });
}

QRect ProgramWindow::openOver() const { return QRect(QPoint(0, 0), services().screen->size()); }

void ProgramWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (firstShown_) return;
  firstShown_ = true;
  const QRect over = openOver();
  const QSize frame = frameGeometry().size();
  move(std::max(0, over.center().x() - frame.width() / 2),
       std::max(0, over.center().y() - frame.height() / 2));
  // Activation runs once the window is on the screen, so that its messages appear over it.
  QTimer::singleShot(0, this, [this] { activate(); });
}

void ProgramWindow::closeEvent(QCloseEvent* event) {
  bool agree = false;
  guarded([&] { agree = FormCloseQuery(); });
  if (agree) {
    event->accept();
  } else {
    event->ignore();
  }
}

void ProgramWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  guarded([this] {
    FormResize();
    if (isVisible()) FormChangeBounds();
  });
}

void ProgramWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (isVisible()) guarded([this] { FormChangeBounds(); });
}

}  // namespace hm

#include "tfm_main.h"

#include "platform/services.h"

#include <QShowEvent>

namespace hm {

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("fmMain"));
  setWindowTitle(QStringLiteral("Hollowmere - Project Identification"));
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
}

void TfmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!centred_) {
    centred_ = true;
    centreOnScreen();
  }
}

void TfmMain::centreOnScreen() {
  const QSize screen = services().screen->size();
  const QSize frame = frameGeometry().size();
  move((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
}

}  // namespace hm

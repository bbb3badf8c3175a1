#include "platform/services.h"
#include "tfm_main.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Hollowmere"));
  QApplication::setOrganizationName(QStringLiteral("Quorvale"));
  hm::installQtServices();

  hm::TfmMain fmMain;
  fmMain.show();
  return QApplication::exec();
}

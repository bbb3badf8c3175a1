#include "work_window.h"

#include "about/tfm_about.h"
#include "about/tfm_disclaimer.h"
#include "com_state.h"
#include "platform/guard.h"
#include "platform/services.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace hm {

WorkWindow::WorkWindow(const QString& objectName, QSize designClient, QSize smallestClient,
                       const QString& statusBarName) {
  setObjectName(objectName);
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setMinimumSize(smallestClient);
  client_->resize(designClient);
  setCentralWidget(client_);
  status = makeStatusBar(client_, statusBarName);
  connectStatusBar(this, status);
  buildMenu();
  resize(designClient.width(), designClient.height() + menuBar()->sizeHint().height());
}

void WorkWindow::buildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  const auto action = [this](QMenu* menu, const char* name, const QString& caption,
                             void (WorkWindow::*handler)()) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this,
            [this, handler] { guarded([&] { (this->*handler)(); }); });
    return a;
  };
  miFile = bar->addMenu(QStringLiteral("File"));
  miFile->setObjectName(QStringLiteral("miFile"));
  miExit = action(miFile, "miExit", QStringLiteral("Exit"), &WorkWindow::miExitClick);
  miHelp = bar->addMenu(QStringLiteral("Help"));
  miHelp->setObjectName(QStringLiteral("miHelp"));
  miHints = miHelp->addMenu(QStringLiteral("Hints"));
  miHints->setObjectName(QStringLiteral("miHints"));
  miShow = action(miHints, "miShow", QStringLiteral("Show"), &WorkWindow::miShowClick);
  miShow->setCheckable(true);
  miHide = action(miHints, "miHide", QStringLiteral("Hide"), &WorkWindow::miHideClick);
  miHide->setCheckable(true);
  miGuide = action(miHelp, "miGuide", QStringLiteral("User Guide"), &WorkWindow::miGuideClick);
  miAbout = action(miHelp, "miAbout", QStringLiteral("About"), &WorkWindow::miAboutClick);
  SetHints(miShow, miHide, hintDisplay());
}

void WorkWindow::FormResize() { AdjustStatusBar(); }

void WorkWindow::miExitClick() { close(); }

void WorkWindow::miShowClick() { SetHints(miShow, miHide, true); }

void WorkWindow::miHideClick() { SetHints(miShow, miHide, false); }

void WorkWindow::miGuideClick() {
  if (!openUserGuide()) {
    services().dialogs->message(QStringLiteral("Document not found - reinstall software"));
  }
}

void WorkWindow::miAboutClick() {
  REPLACEMENTDATA = COM_APP_DESC;
  THISCOPYRIGHT = COM_COPYRIGHT;
  Tfm_About about;
  runChild(about);
}

void WorkWindow::Status0Click() {
  if (!ShowEULA()) services().dialogs->message(QStringLiteral("Website not available"));
}

void WorkWindow::Status1Click() {
  Tfm_Disclaimer disclaimer;
  runChild(disclaimer);
}

void WorkWindow::StatusEnter(QWidget* cell) { cell->setEnabled(false); }

void WorkWindow::StatusExit(QWidget* cell) { cell->setEnabled(true); }

void WorkWindow::AdjustStatusBar() { layoutStatusBar(status, client_->width(), client_->height()); }

void WorkWindow::runChild(QWidget& child) {
  services().modal->run(child);
  activate();
}

QRect WorkWindow::openOver() const {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != this && w->isVisible() && qobject_cast<QMainWindow*>(w) && w->isActiveWindow()) {
      return w->frameGeometry();
    }
  }
  return ProgramWindow::openOver();
}

}  // namespace hm

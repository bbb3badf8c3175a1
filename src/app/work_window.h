#pragma once

#include "window_common.h"

#include "program_window.h"

class QAction;
class QMenu;

namespace hm {

// The frame of a working window opened from another one (the layout and the cut-list windows):
// a client area with a smallest size, the status bar, and the menu "File" (Exit) and "Help"
// (Hints: Show, Hide; User Guide; About) with their handlers.
//
// Activation: FormActivate runs once the window is first shown, and again whenever a window that
// this one opened modally (runChild) has closed; never on Qt's own activation events, so message
// boxes and dialogs do not trigger it.
class WorkWindow : public ProgramWindow {
  Q_OBJECT

 public:
  WorkWindow(const QString& objectName, QSize designClient, QSize smallestClient,
             const QString& statusBarName);

  // The window's own layout work after a resize; ends with AdjustStatusBar.
  void FormResize() override;

  void miExitClick();
  void miShowClick();
  void miHideClick();
  void miGuideClick();
  void miAboutClick();
  void Status0Click();
  void Status1Click();
  void StatusEnter(QWidget* cell);
  void StatusExit(QWidget* cell);
  void AdjustStatusBar();

  // Shows a window of the program modally; this window is activated again once it has closed.
  void runChild(QWidget& child);

  QWidget* client() const { return client_; }

  StatusBar status;
  QMenu* miFile = nullptr;
  QAction* miExit = nullptr;
  QMenu* miHelp = nullptr;
  QMenu* miHints = nullptr;
  QAction* miShow = nullptr;
  QAction* miHide = nullptr;
  QAction* miGuide = nullptr;
  QAction* miAbout = nullptr;

 protected:
  // Centred on the window that opened this one.
  QRect openOver() const override;

 private:
  void buildMenu();
  QWidget* client_ = nullptr;
};

}  // namespace hm

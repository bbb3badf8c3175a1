#pragma once

#include <QMainWindow>
#include <QRect>

namespace hm {

// What every window of the program with a menu bar does with Qt's events: its first showing
// centres it and then runs its activation; a close asks FormCloseQuery; a resize runs FormResize;
// every move or resize keeps it on the screen. All of it inside the handler guard.
//
// Activation runs at the first showing only; the window calls activate() again itself when a
// window it opened modally has closed. Qt's own activation events never run it, so message
// boxes and dialogs do not.
class ProgramWindow : public QMainWindow {
  Q_OBJECT

 public:
  using QMainWindow::QMainWindow;

  virtual void FormActivate() = 0;
  // Whether the window may close now; the default agrees.
  virtual bool FormCloseQuery() { return true; }
  virtual void FormResize() {}
  void FormChangeBounds();

 protected:
  // Runs FormActivate inside the handler guard; windows that must react to a failed activation
  // override it.
  virtual void activate();
  // The area the window opens centred on: the screen.
  virtual QRect openOver() const;

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  bool firstShown_ = false;
};

}  // namespace hm

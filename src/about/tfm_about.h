#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QStatusBar;

namespace hm {

// Set by the opener before it creates the About window: the description that replaces the marker
// line of the About text, and the notice line of the status bar.
extern QString REPLACEMENTDATA;
extern QString THISCOPYRIGHT;

// Pixels kept free at the right of the About window's status bar for the version.
inline constexpr int VERBAR = 110;

// Who makes the program, what it is for and how to get support; links to the maker's site.
// Open it modally through services().modal, then destroy it.
class Tfm_About : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 600;
  static constexpr int kClientHeight = 450;
  static constexpr int kStatusHeight = 23;
  // The line of the About text that the description replaces.
  static const QString kMarker;

  explicit Tfm_About(QWidget* parent = nullptr);

  // Runs at the first showing; puts the application name and REPLACEMENTDATA in place of the
  // marker line, once per window.
  void FormActivate();

  // The status bar's panels: 0 empty, 1 the notice line, 2 the version.
  QLabel* statusPanel(int index) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormResize();
  void lbLinkClick();
  void LogoClick();
  void WebLink();
  void Memo1MouseDown();
  void Memo1MouseLeave();
  void centreOnScreen();

  QLabel* Logo = nullptr;
  QLabel* lbLink = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* panels_[3] = {nullptr, nullptr, nullptr};
  bool firstShown_ = false;
  bool replaced_ = false;
};

}  // namespace hm

#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include "platform/guard.h"

class QAction;
class QWidget;

// What the working windows share: the hint switch, the status bar, panels used as buttons,
// display-only fields, the licence page, the user guide and keeping a window on the screen.
namespace hm {

// The application-wide hint display. While it is off no tool tip appears anywhere.
void setHintDisplay(bool on);
bool hintDisplay();

// Switches the hint display and ticks Show or Hide to match.
void SetHints(QAction* Show, QAction* Hide, bool State);

// The widget's font in bold, at the given point size when one is given.
QFont boldFont(const QWidget* widget, int pointSize = 0);

// Sets a control's hint; "\r\n" in the program's texts becomes a line break.
void setHint(QWidget* widget, const QString& hint);

// Keeps a window on the screen after it was moved or resized. A window wider than the screen falls
// back to its smallest allowed width (its minimum width); the rule never fights the size rule.
void FitForm(QWidget& form);

// The licence page for this program's file name; true when the system accepted the address.
bool ShowEULA();
// The licence page address for a name: the maker's site + name + "-eula".
QString eulaAddress(const QString& name);

// Opens "UserGuide.pdf" from the current working folder; true when the system accepted it.
bool openUserGuide();

// A single-line field that only shows: it never keeps the focus, shows no caret and cannot be
// edited. It reports a click, and reports getting and losing the focus (the window disables it
// then, and enables it again).
class DisplayField : public QLineEdit {
  Q_OBJECT

 public:
  explicit DisplayField(QWidget* parent = nullptr);

 Q_SIGNALS:
  void clicked();
  void entered();
  void left();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// A panel used as a button: bold centred caption, a colour, a single border, a click.
class PanelButton : public QLabel {
  Q_OBJECT

 public:
  PanelButton(const QString& caption, const QColor& colour, QWidget* parent = nullptr);
  void setColour(const QColor& colour);

 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The status bar of a working window: a 23-pixel panel along the bottom edge holding "License",
// the notice line and "Version".
struct StatusBar {
  QWidget* bar = nullptr;
  DisplayField* Status0 = nullptr;
  DisplayField* Status1 = nullptr;
  DisplayField* Status2 = nullptr;
};
inline constexpr int kStatusBarHeight = 23;

// Builds the status bar at the bottom of `client` with its cells, texts and hints.
StatusBar makeStatusBar(QWidget* client, const QString& barName);

// Places the bar and its cells for a client area of the given size.
void layoutStatusBar(const StatusBar& status, int clientWidth, int clientHeight);

// Connects the cells to a window's handlers: clicks on "License" and the notice, and the cells
// getting and losing the focus.
template <class Window>
void connectStatusBar(Window* window, const StatusBar& s) {
  QObject::connect(s.Status0, &DisplayField::clicked, window,
                   [window] { guarded([window] { window->Status0Click(); }); });
  QObject::connect(s.Status1, &DisplayField::clicked, window,
                   [window] { guarded([window] { window->Status1Click(); }); });
  for (DisplayField* cell : {s.Status0, s.Status1, s.Status2}) {
    QObject::connect(cell, &DisplayField::entered, window,
                     [window, cell] { window->StatusEnter(cell); });
    QObject::connect(cell, &DisplayField::left, window,
                     [window, cell] { window->StatusExit(cell); });
  }
}

}  // namespace hm

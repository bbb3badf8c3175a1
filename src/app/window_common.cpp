#include "window_common.h"

#include "build_settings.h"
#include "com_state.h"
#include "platform/services.h"
#include "settings_store.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>

namespace hm {
namespace {

// Drops tool-tip events application-wide while the hint display is off.
class HintFilter final : public QObject {
 public:
  bool on = true;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!on && (event->type() == QEvent::ToolTip || event->type() == QEvent::WhatsThis)) {
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

HintFilter& hintFilter() {
  static HintFilter* filter = [] {
    auto* f = new HintFilter;
    if (QCoreApplication* app = QCoreApplication::instance()) {
      f->setParent(app);
      app->installEventFilter(f);
    }
    return f;
  }();
  return *filter;
}

}  // namespace

void setHintDisplay(bool on) { hintFilter().on = on; }
bool hintDisplay() { return hintFilter().on; }

void SetHints(QAction* Show, QAction* Hide, bool State) {
  setHintDisplay(State);
  if (Show) Show->setChecked(State);
  if (Hide) Hide->setChecked(!State);
}

QFont boldFont(const QWidget* widget, int pointSize) {
  QFont f = widget->font();
  f.setBold(true);
  if (pointSize > 0) f.setPointSize(pointSize);
  return f;
}

void setHint(QWidget* widget, const QString& hint) {
  QString text = hint;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  widget->setToolTip(text);
}

void FitForm(QWidget& form) {
  const QSize screen = services().screen->size();
  QPoint pos = form.pos();
  int width = form.width();
  const int height = form.height();
  if (pos.x() < 0) pos.setX(0);
  if (pos.y() < 0) pos.setY(0);
  if (width > screen.width()) {
    // The smallest allowed width; on a screen narrower than that the window simply stays wider.
    width = std::max(form.minimumWidth(), 0);
    if (width != form.width()) form.resize(width, height);
    width = form.width();
  }
  if (height > screen.height()) pos.setY(0);
  if (pos.x() + width > screen.width()) pos.setX(std::max(0, screen.width() - width));
  if (pos.y() + height > screen.height()) pos.setY(std::max(0, screen.height() - height - 30));
  if (pos != form.pos()) form.move(pos);
}

QString eulaAddress(const QString& name) { return siteUrl() + name + QStringLiteral("-eula"); }

bool ShowEULA() {
  QString name = ThisAppName();
  name.chop(1);  // the trailing "\"
  return services().shell->openUrl(eulaAddress(name));
}

bool openUserGuide() { return services().shell->openDocument(QStringLiteral("UserGuide.pdf")); }

DisplayField::DisplayField(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setFocusPolicy(Qt::NoFocus);
  setContextMenuPolicy(Qt::NoContextMenu);
}

void DisplayField::mousePressEvent(QMouseEvent* event) {
  event->accept();
  Q_EMIT clicked();
}

void DisplayField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  Q_EMIT entered();
}

void DisplayField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  Q_EMIT left();
}

PanelButton::PanelButton(const QString& caption, const QColor& colour, QWidget* parent)
    : QLabel(caption, parent) {
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setAutoFillBackground(true);
  QFont f = font();
  f.setBold(true);
  setFont(f);
  setColour(colour);
  setCursor(Qt::PointingHandCursor);
}

void PanelButton::setColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::Window, colour);
  setPalette(p);
}

void PanelButton::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Q_EMIT clicked();
  }
}

StatusBar makeStatusBar(QWidget* client, const QString& barName) {
  StatusBar s;
  s.bar = new QWidget(client);
  s.bar->setObjectName(barName);
  const auto cell = [&](const char* name, const QString& text, const QString& hint) {
    auto* c = new DisplayField(s.bar);
    c->setObjectName(QString::fromLatin1(name));
    c->setText(text);
    c->setAlignment(Qt::AlignCenter);
    QPalette p = c->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    c->setPalette(p);
    setHint(c, hint);
    return c;
  };
  s.Status0 = cell("Status0", QStringLiteral("License"), COM_HINT_EULA);
  s.Status1 = cell("Status1", COM_COPYRIGHT, COM_HINT_COPYRIGHT);
  s.Status2 = cell("Status2", QStringLiteral("Version"), COM_APPVERSION);
  layoutStatusBar(s, client->width(), client->height());
  return s;
}

void layoutStatusBar(const StatusBar& s, int clientWidth, int clientHeight) {
  s.bar->setGeometry(0, clientHeight - kStatusBarHeight, clientWidth, kStatusBarHeight);
  s.Status0->setGeometry(0, 0, COM_VERBAR, kStatusBarHeight);
  s.Status1->setGeometry(COM_VERBAR, 0, std::max(0, clientWidth - 2 * COM_VERBAR),
                         kStatusBarHeight);
  s.Status2->setGeometry(clientWidth - COM_VERBAR, 0, COM_VERBAR, kStatusBarHeight);
}

}  // namespace hm

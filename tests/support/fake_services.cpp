#include "fake_services.h"

#include <QCoreApplication>
#include <QWidget>

namespace hm::test {

namespace {
template <class T>
T takeOr(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T value = queue.front();
  queue.pop_front();
  return value;
}
}  // namespace

void FakeDialogs::message(const QString& text) {
  shown.push_back({QStringLiteral("message"), QString(), text});
  if (onShow) onShow(shown.back());
}

bool FakeDialogs::confirm(const QString& text) {
  shown.push_back({QStringLiteral("confirm"), QString(), text});
  if (onShow) onShow(shown.back());
  return takeOr(confirmAnswers, false);
}

int FakeDialogs::question(const QString& caption, const QString& text, const QStringList& buttons,
                          int defaultButton) {
  Q_UNUSED(defaultButton);
  shown.push_back(
      {QStringLiteral("question"), caption,
       text + QStringLiteral(" [") + buttons.join(QStringLiteral("|")) + QStringLiteral("]")});
  if (onShow) onShow(shown.back());
  return takeOr(questionAnswers, -1);
}

void FakeDialogs::warning(const QString& caption, const QString& text) {
  shown.push_back({QStringLiteral("warning"), caption, text});
  if (onShow) onShow(shown.back());
}

ErrorBoxChoice FakeDialogs::errorBox(const QString& title, const QString& text) {
  shown.push_back({QStringLiteral("error"), title, text});
  if (onShow) onShow(shown.back());
  return takeOr(errorAnswers, ErrorBoxChoice::Ok);
}

std::optional<QString> FakeDialogs::chooseFolder(const QString& start) {
  shown.push_back({QStringLiteral("folder"), QString(), start});
  if (onShow) onShow(shown.back());
  const QString chosen = takeOr(folderAnswers, QString());
  if (chosen.isNull()) return std::nullopt;
  return chosen;
}

void FakeDialogs::beep() { ++beeps; }

QStringList FakeDialogs::texts(const QString& kind) const {
  QStringList out;
  for (const ShownBox& box : shown) {
    if (kind.isEmpty() || box.kind == kind) out.append(box.text);
  }
  return out;
}

void FakeDialogs::clear() {
  shown.clear();
  beeps = 0;
}

int FakeModalRunner::run(QWidget& window) {
  ran.push_back(window.objectName());
  window.show();
  QCoreApplication::processEvents();
  int result = 0;
  if (!scripts.empty()) {
    auto script = std::move(scripts.front());
    scripts.pop_front();
    result = script(window);
  }
  if (window.isVisible()) window.close();
  return result;
}

bool FakeShell::openUrl(const QString& url) {
  urls.push_back(url);
  return accept;
}

bool FakeShell::openDocument(const QString& path) {
  documents.push_back(path);
  return accept;
}

bool FakeProcess::startDetached(const QString& program, const QString& argument) {
  started.emplace_back(program, argument);
  return startResult;
}

void FakeProcess::endNow(int exitCode) { endedWith = exitCode; }

std::optional<QString> FakeEnvironment::value(const QString& name) {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

FakeServices::FakeServices() : saved_(services()) {
  Services& s = services();
  s.dialogs = &dialogs;
  s.modal = &modal;
  s.shell = &shell;
  s.process = &process;
  s.clock = &clock;
  s.environment = &environment;
  s.system = &system;
  s.screen = &screen;
  // HTTP stays the real one: tests talk to a server of their own on 127.0.0.1.
  installQtServices();
}

FakeServices::~FakeServices() { services() = saved_; }

}  // namespace hm::test

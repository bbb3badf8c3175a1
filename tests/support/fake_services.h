#pragma once

#include "platform/services.h"

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

// Test doubles for what a test cannot own: boxes answered from a queue, a browser that records,
// a fixed clock and screen. FakeServices installs them all and puts the old ones back at the end.
namespace hm::test {

struct ShownBox {
  QString kind;  // "message", "confirm", "question", "warning", "error", "folder", "beep"
  QString caption;
  QString text;
};

class FakeDialogs final : public Dialogs {
 public:
  std::vector<ShownBox> shown;
  std::deque<bool> confirmAnswers;          // default when empty: false (No)
  std::deque<int> questionAnswers;          // default when empty: -1 (closed)
  std::deque<ErrorBoxChoice> errorAnswers;  // default when empty: Ok
  std::deque<QString> folderAnswers;        // a null QString, or none left: cancelled
  // Runs while a box is "open", e.g. to check what the window looks like at that moment.
  std::function<void(const ShownBox&)> onShow;
  int beeps = 0;

  void message(const QString& text) override;
  bool confirm(const QString& text) override;
  int question(const QString& caption, const QString& text, const QStringList& buttons,
               int defaultButton) override;
  void warning(const QString& caption, const QString& text) override;
  ErrorBoxChoice errorBox(const QString& title, const QString& text) override;
  std::optional<QString> chooseFolder(const QString& start) override;
  void beep() override;

  // The texts of the boxes shown, in order, of one kind (all kinds when empty).
  QStringList texts(const QString& kind = QString()) const;
  void clear();
};

// Shows the window (so its first-show work runs), runs the script the test queued for it, then
// closes it. A window without a script is just closed again.
class FakeModalRunner final : public ModalRunner {
 public:
  std::deque<std::function<int(QWidget&)>> scripts;
  std::vector<QString> ran;  // objectNames of the windows run, in order
  int run(QWidget& window) override;
};

class FakeShell final : public Shell {
 public:
  std::vector<QString> urls;
  std::vector<QString> documents;
  bool accept = true;
  bool openUrl(const QString& url) override;
  bool openDocument(const QString& path) override;
};

class FakeProcess final : public Process {
 public:
  std::vector<std::pair<QString, QString>> started;
  bool startResult = true;
  std::optional<int> endedWith;
  bool startDetached(const QString& program, const QString& argument) override;
  void endNow(int exitCode) override;
};

class FakeClock final : public Clock {
 public:
  QDateTime fixed = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 30));
  int offset = 3600;
  QDateTime now() override { return fixed; }
  int utcOffsetSeconds() override { return offset; }
};

class FakeEnvironment final : public Environment {
 public:
  std::map<QString, QString> values;
  std::optional<QString> value(const QString& name) override;
};

class FakeSystemInfo final : public SystemInfo {
 public:
  QString host = QStringLiteral("WORKSHOP");
  int processors = 4;
  QString architecture = QStringLiteral("x86_64");
  ProcessorInfo cpu{QStringLiteral("Intel64 Family 6 Model 158 Stepping 10, GenuineIntel"),
                    QStringLiteral("6"), QStringLiteral("9e0a")};
  QString os = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
  std::optional<WindowsVersion> windows;
  RegionalFormats formats;
  QString hostName() override { return host; }
  int processorCount() override { return processors; }
  QString cpuArchitecture() override { return architecture; }
  ProcessorInfo processor() override { return cpu; }
  QString osName() override { return os; }
  std::optional<WindowsVersion> windowsVersion() override { return windows; }
  RegionalFormats regionalFormats() override { return formats; }
};

class FakeScreen final : public Screen {
 public:
  QSize screenSize = QSize(1920, 1080);
  QSize size() override { return screenSize; }
};

class FakeServices {
 public:
  FakeServices();
  ~FakeServices();
  FakeServices(const FakeServices&) = delete;
  FakeServices& operator=(const FakeServices&) = delete;

  FakeDialogs dialogs;
  FakeModalRunner modal;
  FakeShell shell;
  FakeProcess process;
  FakeClock clock;
  FakeEnvironment environment;
  FakeSystemInfo system;
  FakeScreen screen;

 private:
  Services saved_;
};

}  // namespace hm::test

#include "services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHostAddress>
#include <QLocale>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <memory>

namespace hm {
namespace {

// Texts of the program use "\r\n" for line breaks; Qt's boxes want "\n".
QString boxText(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

QString appTitle() { return QGuiApplication::applicationDisplayName(); }

class QtDialogs final : public Dialogs {
 public:
  void message(const QString& text) override {
    QMessageBox box(QMessageBox::NoIcon, appTitle(), boxText(text), QMessageBox::Ok);
    box.exec();
  }
  bool confirm(const QString& text) override {
    QMessageBox box(QMessageBox::Question, appTitle(), boxText(text),
                    QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  }
  int question(const QString& caption, const QString& text, const QStringList& buttons,
               int defaultButton) override {
    QMessageBox box(QMessageBox::NoIcon, caption, boxText(text));
    QList<QAbstractButton*> made;
    for (const QString& b : buttons) {
      made.append(box.addButton(b, QMessageBox::AcceptRole));
    }
    if (defaultButton >= 0 && defaultButton < made.size()) {
      box.setDefaultButton(static_cast<QPushButton*>(made[defaultButton]));
    }
    box.exec();
    return static_cast<int>(made.indexOf(box.clickedButton()));
  }
  void warning(const QString& caption, const QString& text) override {
    QMessageBox box(QMessageBox::Warning, caption, boxText(text), QMessageBox::Ok);
    box.exec();
  }
  ErrorBoxChoice errorBox(const QString& title, const QString& text) override {
    QMessageBox box(QMessageBox::Critical, title, boxText(text),
                    QMessageBox::Ok | QMessageBox::Abort);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Abort ? ErrorBoxChoice::Abort : ErrorBoxChoice::Ok;
  }
  std::optional<QString> chooseFolder(const QString& start) override {
    const QString dir = QFileDialog::getExistingDirectory(nullptr, QString(), start);
    if (dir.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dir);
  }
  void beep() override { QApplication::beep(); }
};

// Quits a local event loop once the watched window has been hidden by closing.
class CloseWatcher final : public QObject {
 public:
  CloseWatcher(QWidget& window, QEventLoop& loop) : window_(window), loop_(loop) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Hide && !window_.isVisible()) {
      loop_.quit();
    }
    return false;
  }

 private:
  QWidget& window_;
  QEventLoop& loop_;
};

class QtModalRunner final : public ModalRunner {
 public:
  int run(QWidget& window) override {
    if (auto* dialog = qobject_cast<QDialog*>(&window)) {
      return dialog->exec();
    }
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    CloseWatcher watcher(window, loop);
    window.installEventFilter(&watcher);
    window.show();
    if (window.isVisible()) loop.exec(QEventLoop::DialogExec);
    window.removeEventFilter(&watcher);
    return 0;
  }
};

class QtShell final : public Shell {
 public:
  bool openUrl(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
  bool openDocument(const QString& path) override {
    const QFileInfo info(path);
    // A viewer would be started even for a missing file; the user should hear about it instead.
    if (!info.isFile()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
  }
};

bool isLoopback(const QUrl& url) {
  const QString host = url.host();
  if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) return true;
  const QHostAddress address(host);
  return !address.isNull() && address.isLoopback();
}

class QtHttp final : public Http {
 public:
  static constexpr int kStallMs = 8000;     // no byte for this long: give up
  static constexpr int kOverallMs = 10000;  // a dead source must not freeze the window for longer

  std::optional<QString> download(const QString& address, const QString& localPath,
                                  std::int64_t maxBytes) override {
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || !(scheme == QLatin1String("https") ||
                            (scheme == QLatin1String("http") && isLoopback(url)))) {
      return QStringLiteral("Not a secure web address: %1").arg(address);
    }
    QSaveFile out(localPath);
    if (!out.open(QIODevice::WriteOnly)) {
      return QStringLiteral("Cannot write %1: %2").arg(localPath, out.errorString());
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(kStallMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QEventLoop loop;
    std::optional<QString> failure;
    std::int64_t received = 0;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
      const QByteArray chunk = reply->readAll();
      received += chunk.size();
      if (received > maxBytes) {
        failure = QStringLiteral("The download from %1 is larger than expected").arg(address);
        reply->abort();
        return;
      }
      if (out.write(chunk) != chunk.size()) {
        failure = QStringLiteral("Cannot write %1: %2").arg(localPath, out.errorString());
        reply->abort();
      }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer overall;
    overall.setSingleShot(true);
    QObject::connect(&overall, &QTimer::timeout, &loop, [&] {
      failure = QStringLiteral("No answer from %1 in time").arg(address);
      reply->abort();
    });
    overall.start(kOverallMs);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    overall.stop();
    if (!failure && reply->bytesAvailable() > 0) {
      const QByteArray rest = reply->readAll();
      received += rest.size();
      if (received > maxBytes) {
        failure = QStringLiteral("The download from %1 is larger than expected").arg(address);
      } else if (out.write(rest) != rest.size()) {
        failure = QStringLiteral("Cannot write %1: %2").arg(localPath, out.errorString());
      }
    }
    if (failure) return failure;
    if (reply->error() != QNetworkReply::NoError) return reply->errorString();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299) {
      return QStringLiteral("HTTP status %1 from %2").arg(status).arg(address);
    }
    // Written bytes are buffered: a full disk may show only here, and commit() alone would put
    // the short file in place.
    if (!out.flush() || !out.commit()) {
      return QStringLiteral("Cannot write %1: %2").arg(localPath, out.errorString());
    }
    return std::nullopt;
  }
};

class QtProcess final : public Process {
 public:
  bool startDetached(const QString& program, const QString& argument) override {
    return QProcess::startDetached(program, {argument});
  }
  void endNow(int exitCode) override { std::_Exit(exitCode); }
};

class QtClock final : public Clock {
 public:
  QDateTime now() override { return QDateTime::currentDateTime(); }
  int utcOffsetSeconds() override { return QDateTime::currentDateTime().offsetFromUtc(); }
};

class QtEnvironment final : public Environment {
 public:
  std::optional<QString> value(const QString& name) override {
    const QByteArray key = name.toLocal8Bit();
    if (!qEnvironmentVariableIsSet(key.constData())) return std::nullopt;
    return qEnvironmentVariable(key.constData());
  }
};

// The first character of a format that is neither a letter nor a quote: the separator it uses.
QString separatorIn(const QString& format, const QString& fallback) {
  for (const QChar c : format) {
    if (!c.isLetter() && c != QLatin1Char('\'') && !c.isSpace()) return QString(c);
  }
  return fallback;
}

class QtSystemInfo final : public SystemInfo {
 public:
  QString hostName() override { return QSysInfo::machineHostName(); }
  int processorCount() override { return QThread::idealThreadCount(); }
  QString cpuArchitecture() override { return QSysInfo::currentCpuArchitecture(); }
  ProcessorInfo processor() override {
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (!cpuinfo.open(QIODevice::ReadOnly)) return {};
    // A pseudo-file: its size is 0, so it is read until the end, but never beyond a sane size.
    return processorFromCpuInfo(QString::fromUtf8(cpuinfo.read(1 << 20)), cpuArchitecture());
  }
  QString osName() override { return QSysInfo::prettyProductName(); }
  std::optional<WindowsVersion> windowsVersion() override {
#ifdef Q_OS_WIN
    const QOperatingSystemVersion v = QOperatingSystemVersion::current();
    return WindowsVersion{v.majorVersion(), v.minorVersion(), true};
#else
    return std::nullopt;
#endif
  }
  RegionalFormats regionalFormats() override {
    const QLocale locale = QLocale::system();
    RegionalFormats f;
    // The C library knows where the currency symbol and the sign go; Qt does not say.
    const std::lconv* conv = std::localeconv();
    if (conv) {
      f.currencyFormat = windowsCurrencyFormat(conv->p_cs_precedes, conv->p_sep_by_space);
      f.negCurrFormat =
          windowsNegCurrFormat(conv->n_cs_precedes, conv->n_sep_by_space, conv->n_sign_posn);
      if (conv->frac_digits != CHAR_MAX) f.currencyDecimals = conv->frac_digits;
    }
    f.thousandSeparator = locale.groupSeparator();
    f.decimalSeparator = locale.decimalPoint();
    f.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    f.longDateFormat = locale.dateFormat(QLocale::LongFormat);
    f.timeFormat = locale.timeFormat(QLocale::ShortFormat);
    f.longTimeFormat = locale.timeFormat(QLocale::LongFormat);
    f.dateSeparator = separatorIn(f.shortDateFormat, QStringLiteral("/"));
    f.timeSeparator = separatorIn(f.timeFormat, QStringLiteral(":"));
    // Windows' rule: a comma, unless the comma is the decimal separator.
    f.listSeparator =
        f.decimalSeparator == QLatin1String(",") ? QStringLiteral(";") : QStringLiteral(",");
    f.currencySymbol = locale.currencySymbol();
    f.amString = locale.amText();
    f.pmString = locale.pmText();
    for (int month = 1; month <= 12; ++month) {
      f.shortMonthNames << locale.monthName(month, QLocale::ShortFormat);
      f.longMonthNames << locale.monthName(month, QLocale::LongFormat);
    }
    for (const int day : {7, 1, 2, 3, 4, 5, 6}) {  // Qt counts from Monday, the report Sunday
      f.shortDayNames << locale.dayName(day, QLocale::ShortFormat);
      f.longDayNames << locale.dayName(day, QLocale::LongFormat);
    }
    f.localeName = locale.name();
    return f;
  }
};

class QtScreen final : public Screen {
 public:
  QSize size() override {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
  }
};

}  // namespace

void installQtServices() {
  static QtDialogs dialogs;
  static QtModalRunner modal;
  static QtShell shell;
  static QtHttp http;
  static QtProcess process;
  static QtClock clock;
  static QtEnvironment environment;
  static QtSystemInfo system;
  static QtScreen screen;
  Services& s = services();
  if (!s.dialogs) s.dialogs = &dialogs;
  if (!s.modal) s.modal = &modal;
  if (!s.shell) s.shell = &shell;
  if (!s.http) s.http = &http;
  if (!s.process) s.process = &process;
  if (!s.clock) s.clock = &clock;
  if (!s.environment) s.environment = &environment;
  if (!s.system) s.system = &system;
  if (!s.screen) s.screen = &screen;
}

}  // namespace hm

#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

// The program's window onto Qt and the operating system. Every service is a small interface with
// one Qt implementation (installed by main) and one test double (tests/support). Windows reach them
// only through services(), so a test can answer a dialog or a browser request without a real one.
namespace hm {

enum class ErrorBoxChoice { Ok, Abort };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A plain message with one OK button.
  virtual void message(const QString& text) = 0;
  // A Yes/No confirmation; true for Yes. Closing the box counts as No.
  virtual bool confirm(const QString& text) = 0;
  // A question without icon and with the given buttons; returns the index of the button chosen,
  // or -1 when the box was closed otherwise. `defaultButton` is the one Enter presses.
  virtual int question(const QString& caption, const QString& text, const QStringList& buttons,
                       int defaultButton) = 0;
  // A warning (warning icon, one OK button) with its own caption.
  virtual void warning(const QString& caption, const QString& text) = 0;
  // The standard error box: title, the failure's text and a warning, OK and Abort.
  virtual ErrorBoxChoice errorBox(const QString& title, const QString& text) = 0;
  // The folder selection dialog; nothing when cancelled.
  virtual std::optional<QString> chooseFolder(const QString& start) = 0;
  virtual void beep() = 0;
};

class ModalRunner {
 public:
  virtual ~ModalRunner() = default;
  // Shows the window modally and returns once it has closed, with its result (QDialog's result
  // code; 0 for a main window). The caller owns the window and destroys it afterwards.
  virtual int run(QWidget& window) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Hands a web address to the default browser; true when the system accepted it. Does not wait.
  virtual bool openUrl(const QString& url) = 0;
  // Opens a document with the program registered for its type; true when the system accepted it.
  virtual bool openDocument(const QString& path) = 0;
};

class Http {
 public:
  virtual ~Http() = default;
  // Downloads `url` into the file `localPath` (replacing it). Returns an error text, or nothing on
  // success. Any status other than success fails; so does a body larger than `maxBytes`, and a
  // transfer that stalls longer than the time-out.
  virtual std::optional<QString> download(const QString& url, const QString& localPath,
                                          std::int64_t maxBytes) = 0;
};

class Process {
 public:
  virtual ~Process() = default;
  // Starts `program` with the single argument `argument`, detached; true when it started.
  virtual bool startDetached(const QString& program, const QString& argument) = 0;
  // Ends the program at once, without any closing sequence.
  virtual void endNow(int exitCode) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime now() = 0;         // local time
  virtual int utcOffsetSeconds() = 0;  // local time minus UTC
};

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value; nothing when it is not set.
  virtual std::optional<QString> value(const QString& name) = 0;
};

// The user's regional formats as the support report lists them. Codes and separators follow the
// Windows settings of the same names, so that reports from every platform read alike.
struct RegionalFormats {
  int currencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  int negCurrFormat = 0;   // 0 to 15, the Windows numbering of negative amounts
  QString thousandSeparator;
  QString decimalSeparator;
  int currencyDecimals = 2;
  QString dateSeparator;
  QString timeSeparator;
  QString listSeparator;
  QString currencySymbol;
  QString shortDateFormat;
  QString longDateFormat;
  QString amString;
  QString pmString;
  QString timeFormat;  // the short time format
  QString longTimeFormat;
  QStringList shortMonthNames;  // January first, 12 names
  QStringList longMonthNames;
  QStringList shortDayNames;  // Sunday first, 7 names
  QStringList longDayNames;
  QString localeName;
};

// The processor as Windows describes it in PROCESSOR_IDENTIFIER, _LEVEL and _REVISION.
struct ProcessorInfo {
  QString identifier;  // e.g. "Intel64 Family 6 Model 158 Stepping 10, GenuineIntel"
  QString level;       // the family, e.g. "6"
  QString revision;    // model and stepping in hex, e.g. "9e0a"
};

// The version numbers of a running Windows.
struct WindowsVersion {
  int major = 0;
  int minor = 0;
  bool nt = true;  // the NT line rather than 95/98/ME
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual QString hostName() = 0;
  virtual int processorCount() = 0;
  virtual QString cpuArchitecture() = 0;
  virtual ProcessorInfo processor() = 0;
  // The product name of the running system, e.g. "Debian GNU/Linux 12 (bookworm)".
  virtual QString osName() = 0;
  // Set only when running on Windows.
  virtual std::optional<WindowsVersion> windowsVersion() = 0;
  virtual RegionalFormats regionalFormats() = 0;
};

// The Windows codes of a currency format described as the C library's localeconv() does:
// whether the symbol comes first, its sep_by_space value and, for negative amounts, sign_posn.
// A value of CHAR_MAX (not given by the locale) falls back to the symbol first, no space, sign
// before.
int windowsCurrencyFormat(int csPrecedes, int sepBySpace);
int windowsNegCurrFormat(int csPrecedes, int sepBySpace, int signPosn);

// PROCESSOR_IDENTIFIER, _LEVEL and _REVISION made from the text of Linux's /proc/cpuinfo.
ProcessorInfo processorFromCpuInfo(const QString& cpuinfo, const QString& architecture);

class Screen {
 public:
  virtual ~Screen() = default;
  // Full size of the primary screen in pixels.
  virtual QSize size() = 0;
};

struct Services {
  Dialogs* dialogs = nullptr;
  ModalRunner* modal = nullptr;
  Shell* shell = nullptr;
  Http* http = nullptr;
  Process* process = nullptr;
  Clock* clock = nullptr;
  Environment* environment = nullptr;
  SystemInfo* system = nullptr;
  Screen* screen = nullptr;
};

// The registry that main fills with the Qt implementations and tests fill with doubles.
Services& services();

// Fills every empty slot of services() with the Qt implementation.
void installQtServices();

}  // namespace hm

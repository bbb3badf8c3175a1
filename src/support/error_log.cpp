#include "error_log.h"

#include "platform/services.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace hm {

QStringList ERRLOG;
QString ERRFILENAME;

const QString ERRIGNORE = QStringLiteral(
    "\r\n\r\n"
    "Updates will not be available until this is resolved.\r\n"
    "Please check your Internet connection.\r\n"
    "\r\n"
    "Click OK to continue using the application but you may be missing critical updates.\r\n"
    "\r\n"
    "If this is a new issue and you have not already requested support, please consider "
    "submitting a SUPPORT REQUEST by choosing HELP -> SUPPORT. You will receive progress reports "
    "as the error is investigated and resolved.");

namespace {

#ifdef Q_OS_WIN
constexpr char kLineEnd[] = "\r\n";
#else
constexpr char kLineEnd[] = "\n";
#endif

// Lines of a text read back: CR LF, LF and a lone CR all end a line; the last line end adds no
// entry, but an empty line in between is an entry of its own.
QStringList splitLines(const QString& text) {
  QStringList lines;
  QString current;
  bool open = false;  // a line has begun that no line end has closed yet
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ++i;
      lines.append(current);
      current.clear();
      open = false;
    } else {
      current.append(c);
      open = true;
    }
  }
  if (open) lines.append(current);
  return lines;
}

// Replaces the file with the entries; false when it could not. QSaveFile writes beside the target
// and renames at commit, so a failed write leaves the old file as it was, not half written.
bool writeLogFile(const QString& path, const QStringList& entries) {
  // The rename must never land on a folder or a device that sits where the log should be.
  const QFileInfo target(path);
  if (target.exists() && !target.isFile()) return false;
  QByteArray bytes;
  for (const QString& entry : entries) {
    bytes += entry.toUtf8();
    bytes += kLineEnd;
  }
  QSaveFile file(path);
  // The write is only buffered; a full disk shows when it is flushed, and commit() would put the
  // short file in place of the old one without a word.
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

void DefineErrLog() { ERRLOG.clear(); }

bool OpenErrLog() {
  ERRLOG.clear();
  const QFileInfo info(ERRFILENAME);
  // Only a regular file is read: a folder or a device in its place counts as no log at all, and a
  // pipe must not stall the activation of the project window.
  if (ERRFILENAME.isEmpty() || !info.exists() || !info.isFile()) return false;
  QFile file(ERRFILENAME);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return false;
  QStringDecoder decode(QStringDecoder::Utf8);  // skips a byte-order mark left by an editor
  ERRLOG = splitLines(decode(bytes));
  return !ERRLOG.isEmpty();
}

void LogError(const QString& AUnit, const QString& ASect, const QString& AMsg, bool AShow) {
  if (AShow) services().dialogs->message(AMsg);
  const QString stamp = services().clock->now().toString(QStringLiteral("yyyy-MM-dd hh:mm "));
  ERRLOG.append(stamp + AUnit + QLatin1Char(' ') + ASect + QLatin1Char(' ') + AMsg);
}

void CloseErrLog() noexcept {
  if (ERRFILENAME.isEmpty()) return;
  try {
    writeLogFile(ERRFILENAME, ERRLOG);
  } catch (...) {
    // The program is closing; there is nobody left to tell.
  }
  ERRLOG.clear();
}

void ClearErrLog() noexcept {
  ERRLOG.clear();
  if (ERRFILENAME.isEmpty()) return;
  try {
    writeLogFile(ERRFILENAME, ERRLOG);
  } catch (...) {
    // The errors stay in the file and are offered again; nothing else is lost.
  }
}

void CustomErr(const QString& AUnit, const QString& ASect, const QString& AErr) {
  LogError(AUnit, ASect, AErr, false);
  services().dialogs->warning(QStringLiteral("Possible Bug?"), AErr + ERRIGNORE);
}

}  // namespace hm

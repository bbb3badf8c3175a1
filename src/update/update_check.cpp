#include "update_check.h"

#include "app/build_settings.h"
#include "app/com_state.h"
#include "app/settings_store.h"
#include "platform/services.h"
#include "support/error_log.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <sodium.h>

#include <algorithm>

namespace hm {

QString THISAPP;
QString THISVER;
QString TEMPFLD;
QString URL;
QString TEMPVER;
QString REPOVER;
QString REPOINS;
QString REPOSIG;
QString TEMPINS;
QString UPDATEKEY;

const QString kUpdateAvailable = QStringLiteral("Update available - click to download");

namespace {

const QString kPrivs = QStringLiteral("qvl_privs");
const QString kFindUpdate = QStringLiteral("FindUpdate");
const QString kUnprocessable = QStringLiteral("Unable to process Downloaded Version Control Info");

// Warned about and logged by CustomErr, then logged once more by the routine itself.
void reportTwice(const QString& section, const QString& message) {
  CustomErr(kPrivs, section, message);
  LogError(kPrivs, section, message, false);
}

// The lines of a text: a final line end adds no line.
QStringList textLines(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = t.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

std::optional<QByteArray> fromBase64(const QString& text, qsizetype size) {
  const auto decoded = QByteArray::fromBase64Encoding(text.trimmed().toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
  if (!decoded || decoded.decoded.size() != size) return std::nullopt;
  return decoded.decoded;
}

}  // namespace

std::optional<QString> FmtVersion(const QString& AVERSION) {
  QStringList fields = AVERSION.split(QLatin1Char('.'));
  while (fields.size() < 4) fields.append(QString());
  QStringList out;
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    const int n = fields[i].toInt(&ok, 10);
    if (!ok) return std::nullopt;
    // n + 10000 without its first digit: four digits for 0 to 9999.
    out << QString::number(static_cast<qint64>(n) + 10000).mid(1);
  }
  return out.join(QLatin1Char('.'));
}

VersionInfo parseVersionInfo(const QByteArray& bytes) {
  QStringDecoder decode(QStringDecoder::Utf8);
  const QStringList lines = textLines(decode(bytes));
  VersionInfo info;
  if (lines.size() < 2) return info;
  const std::optional<QString> published = FmtVersion(lines[0]);
  if (!published) {
    info.status = VersionInfo::Status::NotAVersion;
    return info;
  }
  if (!installerNameAcceptable(lines[1])) return info;
  info.status = VersionInfo::Status::Ok;
  info.version = *published;
  info.installer = lines[1];
  info.signature = lines.value(2).trimmed();
  return info;
}

bool InitAll(QAction* menuItem) {
  const QString sep = QDir::separator();
  QString label = QStringLiteral("MenuItem initialization fault");
  bool ok = menuItem != nullptr;
  if (ok) {
    menuItem->setText(QString());
    label = QStringLiteral("Application name is unknown");
    THISAPP = ThisAppName();
    THISAPP.chop(1);  // the trailing "\"
    ok = !THISAPP.isEmpty();
  }
  if (ok) {
    label = QStringLiteral("Version Control calculation failed");
    const std::optional<QString> running = FmtVersion(COM_APPVERSION);
    ok = running.has_value();
    if (ok) THISVER = *running;
  }
  if (ok) {
    label = QStringLiteral("TMP Environment variable not found");
    // Where TMP is not set the system's temporary folder stands in.
    const std::optional<QString> tmp = services().environment->value(QStringLiteral("TMP"));
    const QString base = tmp ? *tmp : QDir::toNativeSeparators(QDir::tempPath());
    TEMPFLD = base + sep + QStringLiteral("Quorvale") + sep + THISAPP + sep;
    UPDATEKEY = updateKey();
  }
  if (!ok) {
    reportTwice(QStringLiteral("InitAll"), label);
    return false;
  }
  return true;
}

bool FindUpdate(QAction* menuItem) {
  const QString base = updateUrl();
  if (base.isEmpty()) return false;  // this copy has no update source: nothing to check
  if (!QDir().mkpath(TEMPFLD)) {
    reportTwice(kFindUpdate, QStringLiteral("Unable to allocate Temp Folder"));
    return false;
  }
  // Kept in the settings for the maker's other programs; the check itself does not use it.
  GetRegI(QStringLiteral("Application"), QStringLiteral("Nets"), 0);
  URL = base + THISAPP + QStringLiteral("/refs/heads/main/") + THISAPP + QStringLiteral(".txt");
  TEMPVER = TEMPFLD + THISAPP + QStringLiteral(".txt");

  if (services().http->download(URL, TEMPVER, kVersionFileMaxBytes)) {
    CustomErr(kPrivs, kFindUpdate, QStringLiteral("Unable to Fetch Version Control Info"));
    LogError(kPrivs, kFindUpdate,
             QStringLiteral("SimpleGet.URL failure: Unable to Fetch Version Control Info"), false);
    return false;
  }

  bool result = false;
  QFile file(TEMPVER);
  QByteArray bytes;
  bool readable = file.open(QIODevice::ReadOnly);
  if (readable) {
    bytes = file.read(kVersionFileMaxBytes + 1);
    readable = file.error() == QFileDevice::NoError;
    file.close();
  }
  // An unreadable download ends the check without a word.
  if (readable) {
    const VersionInfo info = parseVersionInfo(bytes);
    switch (info.status) {
      case VersionInfo::Status::Ok:
        result = true;
        REPOVER = info.version;
        REPOINS = info.installer;
        REPOSIG = info.signature;
        break;
      case VersionInfo::Status::Unprocessable:
        reportTwice(kFindUpdate, kUnprocessable);
        break;
      case VersionInfo::Status::NotAVersion:
        break;  // a first line that is not a version ends the check without a word
    }
  }
  QFile::remove(TEMPVER);

  if (result && REPOVER > THISVER) {
    menuItem->setText(kUpdateAvailable);
    return true;
  }
  menuItem->setText(QString());
  return false;
}

bool installerNameAcceptable(const QString& name) {
  if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String(".."))) {
    return false;
  }
  return std::none_of(name.begin(), name.end(), [](QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
           c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control;
  });
}

bool verifyInstaller(const QString& path, const QString& signatureBase64,
                     const QString& publicKeyBase64) {
  if (sodium_init() < 0) return false;
  const std::optional<QByteArray> key = fromBase64(publicKeyBase64, crypto_sign_PUBLICKEYBYTES);
  const std::optional<QByteArray> signature = fromBase64(signatureBase64, crypto_sign_BYTES);
  if (!key || !signature) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  // Mapped rather than read: an installer may be large, and the signature covers all of it.
  const uchar* bytes = size > 0 ? file.map(0, size) : nullptr;
  if (size > 0 && !bytes) return false;
  static const unsigned char kEmpty = 0;
  const bool good =
      crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature->constData()),
                                  bytes ? bytes : &kEmpty, static_cast<unsigned long long>(size),
                                  reinterpret_cast<const unsigned char*>(key->constData())) == 0;
  return good;
}

bool ExecUpdate() {
  URL = URL.left(URL.lastIndexOf(QLatin1Char('/')) + 1) + REPOINS;
  TEMPINS = TEMPFLD + REPOINS;
  if (!installerNameAcceptable(REPOINS)) return false;
  if (services().http->download(URL, TEMPINS, kInstallerMaxBytes)) return false;
  if (!UPDATEKEY.isEmpty() && !verifyInstaller(TEMPINS, REPOSIG, UPDATEKEY)) {
    QFile::remove(TEMPINS);  // nothing unproven is left lying where it could be started
    return false;
  }
#ifndef Q_OS_WIN
  // A download arrives without the execute bit, and the installer is there to be started.
  QFile::setPermissions(TEMPINS, QFile::permissions(TEMPINS) | QFileDevice::ExeOwner);
#endif
  return true;
}

}  // namespace hm

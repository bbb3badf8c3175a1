// The version file that the update check downloads: any bytes the update source (or whoever sits
// between) sends. What it accepts must be a normalised version and a plain file name that stays
// inside the work folder, whatever else the file holds.
#include "update/update_check.h"

#include "fuzz_support.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

using namespace hm;

std::string utf8(const QString& text) { return text.toStdString(); }

// Four fields of ASCII digits. A negative field comes out short, even empty ("-10000" gives
// nothing), as the normalisation has always done it; only its characters are checked here.
bool normalisedVersion(const QString& version) {
  const QStringList fields = version.split(QLatin1Char('.'));
  if (fields.size() != 4) return false;
  for (const QString& field : fields) {
    if (field.size() > 10) return false;
    for (QChar c : field) {
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const VersionInfo info = parseVersionInfo(bytes);

  const QString whole = QString::fromUtf8(bytes);
  if (const std::optional<QString> version = FmtVersion(whole)) {
    HM_FUZZ_CHECK(normalisedVersion(*version), utf8(*version));
  }

  if (info.status != VersionInfo::Status::Ok) return 0;
  HM_FUZZ_CHECK(normalisedVersion(info.version), utf8(info.version));
  HM_FUZZ_CHECK(installerNameAcceptable(info.installer), utf8(info.installer));
  HM_FUZZ_CHECK(info.signature == info.signature.trimmed(), utf8(info.signature));

  // The installer is saved as work folder + name: it must land in the work folder itself.
  const QString folder = QStringLiteral("/tmp/Quorvale/Hollowmere");
  const QString path = QDir::cleanPath(folder + QLatin1Char('/') + info.installer);
  HM_FUZZ_CHECK(path.startsWith(folder + QLatin1Char('/')), utf8(path));
  HM_FUZZ_CHECK(path.mid(folder.size() + 1) == info.installer, utf8(path));
  HM_FUZZ_CHECK(
      !info.installer.contains(QLatin1Char('\n')) && !info.installer.contains(QLatin1Char('\r')),
      utf8(info.installer));

  // A malformed signature or key is refused, never trusted, and never read past its end.
  HM_FUZZ_CHECK(!verifyInstaller(QString(), info.signature, info.signature), utf8(info.signature));
  return 0;
}

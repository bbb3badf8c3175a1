#include "app_version.h"

#include <QStringList>

namespace hm {

QString formatAppVersion(const std::optional<QString>& fileVersion) {
  if (!fileVersion) return QStringLiteral("Version unknown");
  QString raw = fileVersion->trimmed();
  if (raw.isEmpty()) raw = QStringLiteral("0.0.0.0");
  QStringList fields = raw.split(QLatin1Char('.'));
  while (fields.size() < 4) fields.append(QString());
  const auto fourDigits = [](const QString& f) { return (QStringLiteral("0000") + f).right(4); };
  return fields[0] + QLatin1Char('.') + fields[1] + QLatin1Char('.') + fourDigits(fields[2]) +
         QLatin1Char('.') + fourDigits(fields[3]);
}

QString GetAppVersion() { return formatAppVersion(QStringLiteral(HOLLOWMERE_FILE_VERSION)); }

}  // namespace hm

#include "build_settings.h"

#include "platform/services.h"

namespace hm {
namespace {

QString setting(const char* name, const char* built) {
  QString value = QString::fromUtf8(built);
  if (Environment* env = services().environment) {
    if (const auto overridden = env->value(QString::fromLatin1(name))) value = *overridden;
  }
  return value.trimmed();
}

QString withSlash(QString url) {
  if (!url.isEmpty() && !url.endsWith(QLatin1Char('/'))) url += QLatin1Char('/');
  return url;
}

}  // namespace

QString siteUrl() { return withSlash(setting("HOLLOWMERE_SITE_URL", HOLLOWMERE_SITE_URL)); }

QString updateUrl() { return withSlash(setting("HOLLOWMERE_UPDATE_URL", HOLLOWMERE_UPDATE_URL)); }

QString updateKey() { return QString::fromLatin1(HOLLOWMERE_UPDATE_KEY).trimmed(); }

}  // namespace hm

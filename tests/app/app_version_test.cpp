#include "app/app_version.h"

#include <gtest/gtest.h>

namespace hm {
namespace {

TEST(AppVersion, NormalisesTheFileVersion) {
  const std::pair<const char*, const char*> cases[] = {
      {"4.25.1017.1553", "4.25.1017.1553"}, {"1.2.3.45", "1.2.0003.0045"}, {"1.2", "1.2.0000.0000"},
      {"1.2.12345.6", "1.2.2345.0006"},     {"0.0.0.0", "0.0.0000.0000"},  {"  ", "0.0.0000.0000"},
      {"1.2.3.4.5", "1.2.0003.0004"},
  };
  for (const auto& [raw, shown] : cases) {
    EXPECT_EQ(formatAppVersion(QString::fromLatin1(raw)), QString::fromLatin1(shown)) << raw;
  }
  EXPECT_EQ(formatAppVersion(std::nullopt), QStringLiteral("Version unknown"));
}

TEST(AppVersion, ThisReleaseIsItsOwnText) {
  EXPECT_EQ(GetAppVersion(), QStringLiteral("4.25.1017.1553"));
}

}  // namespace
}  // namespace hm

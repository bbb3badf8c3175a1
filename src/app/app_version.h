#pragma once

#include <QString>

#include <optional>

namespace hm {

// "4.25.1017.1553"-style file version -> the shown text: fields 3 and 4 padded or cut to four
// digits. No version information gives "Version unknown".
QString formatAppVersion(const std::optional<QString>& fileVersion);

// The program's own version text.
QString GetAppVersion();

}  // namespace hm

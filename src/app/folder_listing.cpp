#include "folder_listing.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace hm {
namespace {
constexpr std::uint32_t kReadOnlyAttribute = 1;

// Where the file system keeps letter case, "*.dat" matches only ".dat", so that every listed
// name maps back to name + ".dat".
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr QDir::Filters kCaseRule = {};
#else
constexpr QDir::Filters kCaseRule = QDir::CaseSensitive;
#endif
}  // namespace

bool IsFlagSet(std::uint32_t Flags, std::uint32_t Mask) { return (Flags & Mask) == Mask; }

bool IsReadOnlyFile(const QString& FName) {
#ifdef Q_OS_WIN
  const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(FName.utf16()));
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return IsFlagSet(attributes, kReadOnlyAttribute);
#else
  struct stat info {};
  if (::stat(QFile::encodeName(FName).constData(), &info) != 0) return false;
  const std::uint32_t attributes = (info.st_mode & S_IWUSR) ? 0 : kReadOnlyAttribute;
  return IsFlagSet(attributes, kReadOnlyAttribute);
#endif
}

void GetFileList(const QString& Folder, const QString& FileExt, QStringList& YourStrings,
                 bool SkipReadOnlyFiles) {
  const QStringList patterns = FileExt.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  QDirIterator it(Folder, patterns, QDir::Files | kCaseRule);
  YourStrings.clear();
  while (it.hasNext()) {
    const QString path = it.next();
    if (SkipReadOnlyFiles && IsReadOnlyFile(path)) continue;
    YourStrings.append(QFileInfo(path).completeBaseName());
  }
}

}  // namespace hm

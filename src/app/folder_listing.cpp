#include "folder_listing.h"

#include <QDirIterator>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#endif

namespace hm {
namespace {
constexpr std::uint32_t kReadOnlyAttribute = 1;

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

namespace {

// The name without its last extension: x.dat.dat -> x.dat.
QString withoutExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

}  // namespace

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
void GetFileList(const QString& Folder, const QString& FileExt, QStringList& YourStrings,
                 bool SkipReadOnlyFiles) {
  const QStringList patterns = FileExt.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  // These file systems ignore letter case, so x.DAT opens as x + ".dat" too.
  QDirIterator it(Folder, patterns, QDir::Files);
  YourStrings.clear();
  while (it.hasNext()) {
    const QString path = it.next();
    if (SkipReadOnlyFiles && IsReadOnlyFile(path)) continue;
    YourStrings.append(withoutExtension(it.fileName()));
  }
}
#else
// Matched with its letter case, so that every listed name maps back to name + ".dat".
// Read straight from the directory: a folder of ten thousand projects must list within a frame,
// and one stat per file (relative to the open folder) is all the work a name needs.
void GetFileList(const QString& Folder, const QString& FileExt, QStringList& YourStrings,
                 bool SkipReadOnlyFiles) {
  YourStrings.clear();
  std::vector<QByteArray> patterns;
  for (const QString& p : FileExt.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    patterns.push_back(QFile::encodeName(p.trimmed()));
  }
  DIR* dir = ::opendir(QFile::encodeName(Folder).constData());
  if (!dir) return;
  const int fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const char* name = entry->d_name;
    // Hidden names are not listed; a pattern's "*" does not match a leading dot either.
    const bool matches = std::any_of(patterns.begin(), patterns.end(), [&](const QByteArray& p) {
      return ::fnmatch(p.constData(), name, FNM_PERIOD) == 0;
    });
    if (!matches || name[0] == '.') continue;
    struct stat info {};
    const bool known = ::fstatat(fd, name, &info, 0) == 0;
    if (!known || !S_ISREG(info.st_mode)) continue;  // folders, broken links, devices
    if (SkipReadOnlyFiles &&
        IsFlagSet((info.st_mode & S_IWUSR) ? 0 : kReadOnlyAttribute, kReadOnlyAttribute)) {
      continue;
    }
    YourStrings.append(withoutExtension(QFile::decodeName(name)));
  }
  ::closedir(dir);
}
#endif

}  // namespace hm

#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace hm {

// Fills YourStrings with the names (without folder and last extension) of the files directly in
// Folder that match FileExt ("*.dat"; several patterns separated by ";"), in the order the folder
// delivers them. Read-only files are left out when SkipReadOnlyFiles is set.
void GetFileList(const QString& Folder, const QString& FileExt, QStringList& YourStrings,
                 bool SkipReadOnlyFiles);

// True when the file's attributes can be read and mark it read-only. Outside Windows: its mode has
// no write bit for its owner (root may write anyway, so access() would not tell).
bool IsReadOnlyFile(const QString& FName);

// True when every bit of Mask is set in Flags.
bool IsFlagSet(std::uint32_t Flags, std::uint32_t Mask);

}  // namespace hm

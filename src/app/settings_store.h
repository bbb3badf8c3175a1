#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The per-user settings, addressed by section and value name like the registry keys
// Software\Quorvale\<program>\<section>. Every read takes a default and, where it finds nothing
// usable, writes the default back. Write failures throw IoError to the caller.
namespace hm {

bool GetRegB(const QString& Sect, const QString& Ident, bool Valu);
qint32 GetRegI(const QString& Sect, const QString& Ident, qint32 Valu);
QString GetRegS(const QString& Sect, const QString& Ident, const QString& Valu);
void SetRegB(const QString& Sect, const QString& Ident, bool Valu);
void SetRegI(const QString& Sect, const QString& Ident, qint32 Valu);
void SetRegS(const QString& Sect, const QString& Ident, const QString& Valu);

// The running executable's file name without folder and extension, followed by "\".
QString ThisAppName();
QString appNameFromPath(const QString& executablePath);

// One accessor on the store of this program. Outside Windows it is a file that keeps each value's
// type (32-bit integer or string), so that a value of the wrong type is told apart.
std::unique_ptr<QSettings> openSettingsStore();

// Where the store's file lives (outside Windows); tests point it at a temporary folder.
void setSettingsFolder(const QString& folder);

}  // namespace hm

#include "settings_store.h"

#include "platform/errors.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>

namespace hm {
namespace {

#ifndef Q_OS_WIN
// The file keeps {"Section": {"Name": 1, "Other": "text"}}: JSON numbers are 32-bit integers and
// JSON strings are texts, so a read can tell the two types apart as the registry does.
bool readTyped(QIODevice& device, QSettings::SettingsMap& map) {
  const QByteArray data = device.readAll();
  if (data.trimmed().isEmpty()) return true;
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return false;
  const QJsonObject root = doc.object();
  for (auto section = root.begin(); section != root.end(); ++section) {
    if (!section->isObject()) continue;
    const QJsonObject values = section->toObject();
    for (auto value = values.begin(); value != values.end(); ++value) {
      const QString key = section.key() + QLatin1Char('/') + value.key();
      if (value->isString()) {
        map.insert(key, value->toString());
      } else if (value->isDouble()) {
        const double d = value->toDouble();
        if (d >= -2147483648.0 && d <= 2147483647.0 && std::floor(d) == d) {
          map.insert(key, static_cast<qint32>(d));
        } else {
          map.insert(key, value->toVariant());  // kept, but not a usable integer
        }
      } else {
        map.insert(key, value->toVariant());
      }
    }
  }
  return true;
}

bool writeTyped(QIODevice& device, const QSettings::SettingsMap& map) {
  QJsonObject root;
  for (auto it = map.begin(); it != map.end(); ++it) {
    const qsizetype slash = it.key().lastIndexOf(QLatin1Char('/'));
    const QString section = slash < 0 ? QString() : it.key().left(slash);
    const QString name = slash < 0 ? it.key() : it.key().mid(slash + 1);
    QJsonObject values = root.value(section).toObject();
    if (it.value().typeId() == QMetaType::Int) {
      values.insert(name, it.value().toInt());
    } else if (it.value().typeId() == QMetaType::QString) {
      values.insert(name, it.value().toString());
    } else {
      values.insert(name, QJsonValue::fromVariant(it.value()));
    }
    root.insert(section, values);
  }
  return device.write(QJsonDocument(root).toJson()) >= 0;
}

QSettings::Format typedFormat() {
  static const QSettings::Format format =
      QSettings::registerFormat(QStringLiteral("json"), readTyped, writeTyped, Qt::CaseSensitive);
  return format;
}
#endif

QString programName() {
  QString name = ThisAppName();
  name.chop(1);  // the trailing "\"
  return name;
}

QString keyOf(const QString& Sect, const QString& Ident) { return Sect + QLatin1Char('/') + Ident; }

bool sectionExists(QSettings& store, const QString& Sect) {
  return store.childGroups().contains(Sect);
}

void writeValue(QSettings& store, const QString& Sect, const QString& Ident,
                const QVariant& value) {
  const QString key = keyOf(Sect, Ident);
  store.setValue(key, value);
  store.sync();
  if (store.status() == QSettings::FormatError) {
    // The file was unreadable when this accessor opened it, and the accessor keeps saying so even
    // after its write has replaced the file by a good one. A fresh accessor tells whether the
    // value is in the store now.
    const auto fresh = openSettingsStore();
    if (fresh->status() == QSettings::NoError && fresh->value(key) == value) return;
  }
  if (store.status() != QSettings::NoError) {
    throw IoError(
        QStringLiteral("Cannot write the setting %1 / %2 to %3: the settings store is not "
                       "writable")
            .arg(Sect, Ident, store.fileName())
            .toStdString());
  }
}

bool isInt(const QVariant& v) { return v.typeId() == QMetaType::Int; }
bool isString(const QVariant& v) { return v.typeId() == QMetaType::QString; }

}  // namespace

QString appNameFromPath(const QString& executablePath) {
  QString name = QFileInfo(executablePath).fileName();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  return name + QLatin1Char('\\');
}

QString ThisAppName() {
  if (!QCoreApplication::instance()) return QStringLiteral("Hollowmere\\");
  return appNameFromPath(QCoreApplication::applicationFilePath());
}

std::unique_ptr<QSettings> openSettingsStore() {
#ifdef Q_OS_WIN
  return std::make_unique<QSettings>(
      QStringLiteral("HKEY_CURRENT_USER\\Software\\Quorvale\\") + programName(),
      QSettings::NativeFormat);
#else
  return std::make_unique<QSettings>(typedFormat(), QSettings::UserScope,
                                     QStringLiteral("Quorvale"), programName());
#endif
}

void setSettingsFolder(const QString& folder) {
#ifdef Q_OS_WIN
  Q_UNUSED(folder);
#else
  QSettings::setPath(typedFormat(), QSettings::UserScope, folder);
#endif
}

void SetRegB(const QString& Sect, const QString& Ident, bool Valu) {
  SetRegI(Sect, Ident, Valu ? 1 : 0);
}

void SetRegI(const QString& Sect, const QString& Ident, qint32 Valu) {
  const auto store = openSettingsStore();
  writeValue(*store, Sect, Ident, QVariant::fromValue<qint32>(Valu));
}

void SetRegS(const QString& Sect, const QString& Ident, const QString& Valu) {
  const auto store = openSettingsStore();
  writeValue(*store, Sect, Ident, Valu);
}

bool GetRegB(const QString& Sect, const QString& Ident, bool Valu) {
  const auto store = openSettingsStore();
  const QVariant v = store->value(keyOf(Sect, Ident));
  if (isInt(v)) return v.toInt() != 0;
  writeValue(*store, Sect, Ident, QVariant::fromValue<qint32>(Valu ? 1 : 0));
  return Valu;
}

qint32 GetRegI(const QString& Sect, const QString& Ident, qint32 Valu) {
  const auto store = openSettingsStore();
  if (!sectionExists(*store, Sect)) return Valu;
  const QVariant v = store->value(keyOf(Sect, Ident));
  if (isInt(v)) return v.toInt();
  writeValue(*store, Sect, Ident, QVariant::fromValue<qint32>(Valu));
  return Valu;
}

QString GetRegS(const QString& Sect, const QString& Ident, const QString& Valu) {
  const auto store = openSettingsStore();
  QString result = Valu;
  if (sectionExists(*store, Sect)) {
    const QVariant v = store->value(keyOf(Sect, Ident));
    if (!v.isValid()) {
      result.clear();
    } else if (isString(v)) {
      result = v.toString();
    } else {
      writeValue(*store, Sect, Ident, Valu);
      return Valu;
    }
  }
  if (result.isEmpty()) {
    writeValue(*store, Sect, Ident, Valu);
    return Valu;
  }
  return result;
}

}  // namespace hm

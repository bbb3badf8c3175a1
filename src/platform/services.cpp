#include "services.h"

#include <QMap>

#include <climits>

namespace hm {

Services& services() {
  static Services registry;
  return registry;
}

namespace {

bool given(int value) { return value != CHAR_MAX; }

}  // namespace

int windowsCurrencyFormat(int csPrecedes, int sepBySpace) {
  const bool first = !given(csPrecedes) || csPrecedes != 0;
  const bool space = given(sepBySpace) && sepBySpace != 0;
  if (first) return space ? 2 : 0;
  return space ? 3 : 1;
}

int windowsNegCurrFormat(int csPrecedes, int sepBySpace, int signPosn) {
  const bool first = !given(csPrecedes) || csPrecedes != 0;
  const bool space = given(sepBySpace) && sepBySpace != 0;
  // Rows: sign_posn 0 to 4; columns: symbol first / after, each without and with a space.
  static constexpr int kCodes[5][4] = {
      {0, 14, 4, 15},  // (  ) around: ($1.1) ($ 1.1) (1.1$) (1.1 $)
      {1, 9, 5, 8},    // sign before both: -$1.1 -$ 1.1 -1.1$ -1.1 $
      {3, 11, 7, 10},  // sign after both: $1.1- $ 1.1- 1.1$- 1.1 $-
      {1, 9, 6, 13},   // sign just before the symbol: -$1.1 -$ 1.1 1.1-$ 1.1- $
      {2, 12, 7, 10},  // sign just after the symbol: $-1.1 $ -1.1 1.1$- 1.1 $-
  };
  const int row = given(signPosn) && signPosn >= 0 && signPosn <= 4 ? signPosn : 1;
  return kCodes[row][(first ? 0 : 2) + (space ? 1 : 0)];
}

ProcessorInfo processorFromCpuInfo(const QString& cpuinfo, const QString& architecture) {
  // The first processor's block is enough: the fields are the same for every core.
  QMap<QString, QString> fields;
  for (const QString& line : cpuinfo.split(QLatin1Char('\n'))) {
    if (line.trimmed().isEmpty()) {
      if (!fields.isEmpty()) break;
      continue;
    }
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0) continue;
    const QString key = line.left(colon).trimmed();
    if (!fields.contains(key)) fields.insert(key, line.mid(colon + 1).trimmed());
  }
  ProcessorInfo info;
  const QString vendor = fields.value(QStringLiteral("vendor_id"));
  const QString family = fields.value(QStringLiteral("cpu family"));
  const QString model = fields.value(QStringLiteral("model"));
  const QString stepping = fields.value(QStringLiteral("stepping"));
  bool modelOk = false;
  bool steppingOk = false;
  const int modelNumber = model.toInt(&modelOk);
  const int steppingNumber = stepping.toInt(&steppingOk);
  if (!vendor.isEmpty() && !family.isEmpty() && modelOk && steppingOk) {
    QString prefix = QStringLiteral("x86");
    if (architecture.contains(QLatin1String("64"))) {
      prefix = vendor == QLatin1String("AuthenticAMD") ? QStringLiteral("AMD64")
                                                       : QStringLiteral("Intel64");
    }
    info.identifier = QStringLiteral("%1 Family %2 Model %3 Stepping %4, %5")
                          .arg(prefix, family, model, stepping, vendor);
    info.level = family;
    info.revision = QStringLiteral("%1%2")
                        .arg(modelNumber, 2, 16, QLatin1Char('0'))
                        .arg(steppingNumber, 2, 16, QLatin1Char('0'));
    return info;
  }
  // Other processors (ARM, say) name themselves in one of these.
  for (const char* key : {"model name", "Processor", "Hardware", "cpu model"}) {
    const QString value = fields.value(QString::fromLatin1(key));
    if (!value.isEmpty()) {
      info.identifier = value;
      break;
    }
  }
  info.level = fields.value(QStringLiteral("CPU architecture"));
  info.revision = fields.value(QStringLiteral("CPU revision"));
  return info;
}

}  // namespace hm

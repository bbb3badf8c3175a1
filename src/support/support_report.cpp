#include "support_report.h"

#include <QUrl>

#include <algorithm>

namespace hm {
namespace {

const QString kItem = QStringLiteral(".   ");
const QString kNames = QStringLiteral("   .   ");

// Nothing but spaces and control characters.
bool blank(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0x20; });
}

// The memo's lines: a final line end adds no line, an empty line between others is one.
QStringList memoLines(const QString& text) {
  if (text.isEmpty()) return {};
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = t.split(QLatin1Char('\n'));
  if (lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QString variableOr(Environment& env, const char* name, const QString& fallback) {
  const std::optional<QString> value = env.value(QString::fromLatin1(name));
  return value ? *value : fallback;
}

// Names followed by one space each, from index `from`, `count` of them.
QString nameList(const QStringList& names, int from, int count) {
  QString line = kNames;
  for (int i = from; i < from + count; ++i) line += names.value(i) + QLatin1Char(' ');
  return line;
}

QString encodeValue(const QString& value) {
  return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

}  // namespace

QString windowsName(const WindowsVersion& v) {
  if (v.major == 4) {
    if (v.nt) return QStringLiteral("Windows NT v.4");
    if (v.minor == 10) return QStringLiteral("Windows 98");
    if (v.minor == 90) return QStringLiteral("Windows ME");
    return QStringLiteral("Windows 95");
  }
  if (v.major == 5) {
    if (v.minor == 0) return QStringLiteral("Windows 2000");
    if (v.minor == 1) return QStringLiteral("Windows XP");
    if (v.minor >= 2) return QStringLiteral("Windows Server 2003/Windows XP64");
  }
  if (v.major == 6) {
    if (v.minor == 0) return QStringLiteral("Windows Vista");
    if (v.minor == 1) return QStringLiteral("Windows 7");
    if (v.minor == 2) return QStringLiteral("Windows 8");
  }
  if (v.major == 10 && v.minor == 0) return QStringLiteral("Windows 10/11");
  return QStringLiteral("Unrecognized Windows Version");
}

QStringList GetData(const ReportSources& s, const SupportEntries& e) {
  QStringList r;
  const QDateTime local = s.clock.now();
  // UTC is the local time less its offset; computed without a time zone, so a fixed clock and a
  // fixed offset give a fixed line.
  const QDateTime utc =
      QDateTime(local.date(), local.time(), Qt::UTC).addSecs(-s.clock.utcOffsetSeconds());
  r << local.toString(QStringLiteral("yyyy-MM-dd hh:mm")) + QStringLiteral(" (Local Time) or ") +
           utc.toString(QStringLiteral("hh:mm")) + QStringLiteral(" (UTC)");
  r << QStringLiteral("Application: ");
  r << kItem + QStringLiteral("Name: ") + s.appTitle;
  r << kItem + QStringLiteral("Version: ") + s.appVersion;

  Environment& env = s.environment;
  SystemInfo& sys = s.system;
  const ProcessorInfo cpu = sys.processor();
  const std::optional<WindowsVersion> windows = sys.windowsVersion();
  r << QStringLiteral("Computer:");
  r << kItem + QStringLiteral("Name: ") + variableOr(env, "COMPUTERNAME", sys.hostName());
  r << kItem + QStringLiteral("OS: ") + (windows ? windowsName(*windows) : sys.osName());
  r << kItem + QStringLiteral("Number of Processors: ") +
           variableOr(env, "NUMBER_OF_PROCESSORS", QString::number(sys.processorCount()));
  r << kItem + QStringLiteral("Processor Architecture: ") +
           variableOr(env, "PROCESSOR_ARCHITECTURE", sys.cpuArchitecture());
  r << kItem + QStringLiteral("Processor Identifier: ") +
           variableOr(env, "PROCESSOR_IDENTIFIER", cpu.identifier);
  r << kItem + QStringLiteral("Processor Level: ") + variableOr(env, "PROCESSOR_LEVEL", cpu.level);
  r << kItem + QStringLiteral("Processor Revision: ") +
           variableOr(env, "PROCESSOR_REVISION", cpu.revision);

  const RegionalFormats f = sys.regionalFormats();
  r << QStringLiteral("Environment:");
  r << kItem + QStringLiteral("CurrencyFormat: ") + QString::number(f.currencyFormat);
  r << kItem + QStringLiteral("NegCurrFormat: ") + QString::number(f.negCurrFormat);
  r << kItem + QStringLiteral("ThousandsSeparator: ") + f.thousandSeparator;
  r << kItem + QStringLiteral("DecimalSeparator: ") + f.decimalSeparator;
  r << kItem + QStringLiteral("CurrencyDecimals: ") + QString::number(f.currencyDecimals);
  r << kItem + QStringLiteral("DateSeparator: ") + f.dateSeparator;
  r << kItem + QStringLiteral("TimeSeparator: ") + f.timeSeparator;
  r << kItem + QStringLiteral("ListSeparator: ") + f.listSeparator;
  r << kItem + QStringLiteral("CurrencyString: ") + f.currencySymbol;
  r << kItem + QStringLiteral("ShortDateFormat: ") + f.shortDateFormat;
  r << kItem + QStringLiteral("LongDateFormat: ") + f.longDateFormat;
  r << kItem + QStringLiteral("TimeAMString: ") + f.amString;
  r << kItem + QStringLiteral("TimePMString: ") + f.pmString;
  r << kItem + QStringLiteral("ShortTimeFormat: ") + f.timeFormat;
  r << kItem + QStringLiteral("LongTimeFormat: ") + f.longTimeFormat;
  r << kItem + QStringLiteral("ShortMonthNames:");
  r << nameList(f.shortMonthNames, 0, 6) << nameList(f.shortMonthNames, 6, 6);
  r << kItem + QStringLiteral("LongMonthNames:");
  r << nameList(f.longMonthNames, 0, 6) << nameList(f.longMonthNames, 6, 6);
  r << kItem + QStringLiteral("ShortDayNames:");
  r << nameList(f.shortDayNames, 0, 7);
  r << kItem + QStringLiteral("LongDayNames:");
  r << nameList(f.longDayNames, 0, 7);

  r << QStringLiteral("Error Message Info\"");
  r << (blank(e.errorMessage) ? kItem + QStringLiteral("ErrMsg=none")
                              : kItem + QStringLiteral("ErrMsg: ") + e.errorMessage);
  r << kItem + (e.canDuplicate ? QStringLiteral("CanDuplicateError=Yes")
                               : QStringLiteral("CanDuplicateError=No"));
  r << (blank(e.formName) ? kItem + QStringLiteral("FormName=not provided")
                          : kItem + QStringLiteral("FormName=") + e.formName);
  const QStringList notes = memoLines(e.notes);
  if (!notes.isEmpty()) {
    r << QStringLiteral("UserNotes:");
    for (const QString& line : notes) r << kItem + line;
  }
  r << QStringLiteral("Log File:");
  if (s.errorLog.isEmpty()) {
    r << QStringLiteral("*ErrorLog is Empty*}");
  } else {
    for (const QString& entry : s.errorLog) r << kItem + entry;
  }
  r << QStringLiteral("End.");
  return r;
}

QString ticketNumber(const QDateTime& localTime) {
  const QString minute = localTime.toString(QStringLiteral("mm"));
  return localTime.toString(QStringLiteral("yyyyMMddhh")) + minute + minute;
}

QString ticketAddress(const QString& site, const QDateTime& localTime, const QStringList& report) {
  return site + QStringLiteral("app-support/?ticket-id=") + encodeValue(ticketNumber(localTime)) +
         QStringLiteral("&enviro=") + encodeValue(report.join(QLatin1Char('\n')));
}

}  // namespace hm

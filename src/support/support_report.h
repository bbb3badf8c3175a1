#pragma once

#include "platform/services.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The support request's report and ticket address, as plain functions over plain inputs: the
// window reads its controls and the services, and writes the lines back into its memo.
namespace hm {

// What the user typed on the description page.
struct SupportEntries {
  QString errorMessage;       // edError
  bool canDuplicate = false;  // cbDuplicate
  QString formName;           // edForm
  QString notes;              // meError, as one text
};

// Everything else the report is made of.
struct ReportSources {
  Clock& clock;
  Environment& environment;
  SystemInfo& system;
  QString appTitle;
  QString appVersion;
  QStringList errorLog;
};

// The report, one line per entry: time, application, computer, regional formats, the user's
// description, the error log, "End.". Windows' own variables win over what the running system
// says about itself (host name, processors), so a report from Windows reads as Windows tells it.
QStringList GetData(const ReportSources& sources, const SupportEntries& entries);

// The name of a Windows version for the report's OS line.
QString windowsName(const WindowsVersion& version);

// The support portal address: the maker's site + "app-support/?ticket-id=" + the number +
// "&enviro=" + the report's lines joined by line feeds. Both values are percent-encoded as query
// values (UTF-8, everything but letters, digits and "-._~" as %XX), so whatever the user typed
// stays inside the report.
QString ticketAddress(const QString& site, const QDateTime& localTime, const QStringList& report);

// The ticket number: year, month, day, hour and minute, and the minute once more.
QString ticketNumber(const QDateTime& localTime);

}  // namespace hm

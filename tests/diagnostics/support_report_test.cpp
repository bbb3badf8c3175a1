#include "support/support_report.h"
#include "support/fake_services.h"

#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace hm {
namespace {

RegionalFormats usFormats() {
  RegionalFormats f;
  f.currencyFormat = 0;
  f.negCurrFormat = 1;
  f.thousandSeparator = QStringLiteral(",");
  f.decimalSeparator = QStringLiteral(".");
  f.currencyDecimals = 2;
  f.dateSeparator = QStringLiteral("/");
  f.timeSeparator = QStringLiteral(":");
  f.listSeparator = QStringLiteral(",");
  f.currencySymbol = QStringLiteral("$");
  f.shortDateFormat = QStringLiteral("M/d/yy");
  f.longDateFormat = QStringLiteral("dddd, MMMM d, yyyy");
  f.amString = QStringLiteral("AM");
  f.pmString = QStringLiteral("PM");
  f.timeFormat = QStringLiteral("h:mm AP");
  f.longTimeFormat = QStringLiteral("h:mm:ss AP t");
  f.shortMonthNames = QStringList{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  f.longMonthNames =
      QStringList{"January", "February", "March",     "April",   "May",      "June",
                  "July",    "August",   "September", "October", "November", "December"};
  f.shortDayNames = QStringList{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  f.longDayNames =
      QStringList{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return f;
}

class SupportReport : public ::testing::Test {
 protected:
  SupportReport() { fakes.system.formats = usFormats(); }
  QStringList report(const SupportEntries& entries = {}) {
    const ReportSources sources{fakes.clock,
                                fakes.environment,
                                fakes.system,
                                QStringLiteral("Hollowmere"),
                                QStringLiteral("4.25.1017.1553"),
                                log};
    return GetData(sources, entries);
  }
  test::FakeServices fakes;  // 2024-03-05 14:07:30, one hour ahead of UTC
  QStringList log;
};

TEST_F(SupportReport, WholeReportFromWindowsVariablesWithEntriesNotesAndLog) {
  fakes.environment.values = {
      {"COMPUTERNAME", "BENCH-PC"},
      {"NUMBER_OF_PROCESSORS", "8"},
      {"PROCESSOR_ARCHITECTURE", "AMD64"},
      {"PROCESSOR_IDENTIFIER", "Intel64 Family 6 Model 60 Stepping 3, GenuineIntel"},
      {"PROCESSOR_LEVEL", "6"},
      {"PROCESSOR_REVISION", "3c03"},
  };
  fakes.system.windows = WindowsVersion{10, 0, true};
  log = QStringList{
      QStringLiteral("2024-03-04 09:15 qvl_privs FindUpdate Unable to Fetch Version Control Info"),
      QStringLiteral("2024-03-04 09:15 qvl_privs FindUpdate SimpleGet.URL failure: Unable to "
                     "Fetch Version Control Info")};
  const SupportEntries entries{QStringLiteral("  Access violation & more"), true,
                               QStringLiteral("Tfm_Layout"),
                               QStringLiteral("Opened a project\n\nclicked > on row 0\n")};
  const QStringList expected = {
      "2024-03-05 14:07 (Local Time) or 13:07 (UTC)",
      "Application: ",
      ".   Name: Hollowmere",
      ".   Version: 4.25.1017.1553",
      "Computer:",
      ".   Name: BENCH-PC",
      ".   OS: Windows 10/11",
      ".   Number of Processors: 8",
      ".   Processor Architecture: AMD64",
      ".   Processor Identifier: Intel64 Family 6 Model 60 Stepping 3, GenuineIntel",
      ".   Processor Level: 6",
      ".   Processor Revision: 3c03",
      "Environment:",
      ".   CurrencyFormat: 0",
      ".   NegCurrFormat: 1",
      ".   ThousandsSeparator: ,",
      ".   DecimalSeparator: .",
      ".   CurrencyDecimals: 2",
      ".   DateSeparator: /",
      ".   TimeSeparator: :",
      ".   ListSeparator: ,",
      ".   CurrencyString: $",
      ".   ShortDateFormat: M/d/yy",
      ".   LongDateFormat: dddd, MMMM d, yyyy",
      ".   TimeAMString: AM",
      ".   TimePMString: PM",
      ".   ShortTimeFormat: h:mm AP",
      ".   LongTimeFormat: h:mm:ss AP t",
      ".   ShortMonthNames:",
      "   .   Jan Feb Mar Apr May Jun ",
      "   .   Jul Aug Sep Oct Nov Dec ",
      ".   LongMonthNames:",
      "   .   January February March April May June ",
      "   .   July August September October November December ",
      ".   ShortDayNames:",
      "   .   Sun Mon Tue Wed Thu Fri Sat ",
      ".   LongDayNames:",
      "   .   Sunday Monday Tuesday Wednesday Thursday Friday Saturday ",
      "Error Message Info\"",
      ".   ErrMsg:   Access violation & more",
      ".   CanDuplicateError=Yes",
      ".   FormName=Tfm_Layout",
      "UserNotes:",
      ".   Opened a project",
      ".   ",
      ".   clicked > on row 0",
      "Log File:",
      ".   2024-03-04 09:15 qvl_privs FindUpdate Unable to Fetch Version Control Info",
      ".   2024-03-04 09:15 qvl_privs FindUpdate SimpleGet.URL failure: Unable to Fetch Version "
      "Control Info",
      "End.",
  };
  EXPECT_EQ(report(entries), expected);
}

// Without the Windows variables the running system describes itself; blank entries read as none.
TEST_F(SupportReport, LinuxValuesBlankEntriesAndAnEmptyLog) {
  fakes.clock.fixed = QDateTime(QDate(2024, 1, 1), QTime(0, 30));
  fakes.clock.offset = 2 * 3600;
  const QStringList r = report({QStringLiteral(" \t "), false, QStringLiteral("   "), QString()});
  EXPECT_EQ(r.first(), QStringLiteral("2024-01-01 00:30 (Local Time) or 22:30 (UTC)"));
  EXPECT_EQ(r.mid(5, 7), (QStringList{
                             ".   Name: WORKSHOP",
                             ".   OS: Debian GNU/Linux 12 (bookworm)",
                             ".   Number of Processors: 4",
                             ".   Processor Architecture: x86_64",
                             ".   Processor Identifier: Intel64 Family 6 Model 158 Stepping 10, "
                             "GenuineIntel",
                             ".   Processor Level: 6",
                             ".   Processor Revision: 9e0a",
                         }));
  EXPECT_EQ(r.mid(38), (QStringList{"Error Message Info\"", ".   ErrMsg=none",
                                    ".   CanDuplicateError=No", ".   FormName=not provided",
                                    "Log File:", "*ErrorLog is Empty*}", "End."}));
  // A variable that is set but empty wins over the system's own value.
  fakes.environment.values = {{"COMPUTERNAME", ""}};
  EXPECT_EQ(report()[5], QStringLiteral(".   Name: "));
}

TEST(WindowsName, NamesEveryVersionOfTheTable) {
  struct Case {
    int major, minor;
    bool nt;
    const char* name;
  };
  const Case cases[] = {
      {4, 0, true, "Windows NT v.4"},
      {4, 10, false, "Windows 98"},
      {4, 90, false, "Windows ME"},
      {4, 0, false, "Windows 95"},
      {5, 0, true, "Windows 2000"},
      {5, 1, true, "Windows XP"},
      {5, 2, true, "Windows Server 2003/Windows XP64"},
      {5, 7, true, "Windows Server 2003/Windows XP64"},
      {6, 0, true, "Windows Vista"},
      {6, 1, true, "Windows 7"},
      {6, 2, true, "Windows 8"},
      {10, 0, true, "Windows 10/11"},
      {3, 51, true, "Unrecognized Windows Version"},
      {6, 3, true, "Unrecognized Windows Version"},
      {7, 0, true, "Unrecognized Windows Version"},
      {10, 1, true, "Unrecognized Windows Version"},
      {11, 0, true, "Unrecognized Windows Version"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(windowsName({c.major, c.minor, c.nt}), QString::fromLatin1(c.name))
        << c.major << "." << c.minor;
  }
}

TEST(TicketAddress, NumberRepeatsTheMinuteAndValuesAreEncoded) {
  const QDateTime at(QDate(2024, 3, 5), QTime(14, 7, 59));
  EXPECT_EQ(ticketNumber(at), QStringLiteral("20240305140707"));
  const QStringList report{QStringLiteral("a b"), QStringLiteral(".   ErrMsg: x&y=1#z 50% a+b"),
                           QStringLiteral("caf\u00E9"), QStringLiteral("End.")};
  const QString address =
      ticketAddress(QStringLiteral("https://www.quorvale.example/"), at, report);
  EXPECT_EQ(address, QStringLiteral("https://www.quorvale.example/app-support/"
                                    "?ticket-id=20240305140707&enviro=a%20b%0A.%20%20%20ErrMsg%3A"
                                    "%20x%26y%3D1%23z%2050%25%20a%2Bb%0Acaf%C3%A9%0AEnd."));
  // What the user typed can no longer add parameters or cut the address: the portal reads back
  // exactly the two values.
  const QUrl url(address);
  ASSERT_TRUE(url.isValid());
  EXPECT_FALSE(url.hasFragment());
  const QUrlQuery query(url);
  EXPECT_EQ(query.queryItems().size(), 2);
  EXPECT_EQ(query.queryItemValue(QStringLiteral("enviro"), QUrl::FullyDecoded),
            report.join(QLatin1Char('\n')));
}

}  // namespace
}  // namespace hm

#include "platform/services.h"

#include <QString>

#include <gtest/gtest.h>

#include <climits>

namespace hm {
namespace {

// Every combination localeconv() can describe lands on the Windows code that prints the same way.
TEST(CurrencyCodes, FollowTheWindowsNumbering) {
  struct Case {
    int precedes, space, sign;
    int positive, negative;  // e.g. "$1.1" and "($1.1)"
  };
  const Case cases[] = {
      {1, 0, 0, 0, 0},
      {0, 0, 0, 1, 4},
      {1, 1, 0, 2, 14},
      {0, 1, 0, 3, 15},
      {1, 0, 1, 0, 1},
      {0, 0, 1, 1, 5},
      {1, 1, 1, 2, 9},
      {0, 1, 1, 3, 8},
      {1, 0, 2, 0, 3},
      {0, 0, 2, 1, 7},
      {1, 1, 2, 2, 11},
      {0, 1, 2, 3, 10},
      {1, 0, 3, 0, 1},
      {0, 0, 3, 1, 6},
      {1, 1, 3, 2, 9},
      {0, 1, 3, 3, 13},
      {1, 0, 4, 0, 2},
      {0, 0, 4, 1, 7},
      {1, 1, 4, 2, 12},
      {0, 1, 4, 3, 10},
      {1, 2, 1, 2, 9},  // sep_by_space 2 still means a space
      // The "C" locale gives nothing: symbol first, no space, sign before.
      {CHAR_MAX, CHAR_MAX, CHAR_MAX, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.precedes << " " << c.space << " " << c.sign);
    EXPECT_EQ(windowsCurrencyFormat(c.precedes, c.space), c.positive);
    EXPECT_EQ(windowsNegCurrFormat(c.precedes, c.space, c.sign), c.negative);
  }
}

TEST(ProcessorFromCpuInfo, DescribesTheFirstProcessorTheWindowsWay) {
  const QString intel = QStringLiteral(
      "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n"
      "model name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\nstepping\t: 10\n\n"
      "processor\t: 1\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 1\nstepping\t: 1\n");
  const ProcessorInfo i = processorFromCpuInfo(intel, QStringLiteral("x86_64"));
  EXPECT_EQ(i.identifier, QStringLiteral("Intel64 Family 6 Model 158 Stepping 10, GenuineIntel"));
  EXPECT_EQ(i.level, QStringLiteral("6"));
  EXPECT_EQ(i.revision, QStringLiteral("9e0a"));

  const ProcessorInfo amd = processorFromCpuInfo(
      QStringLiteral("vendor_id : AuthenticAMD\ncpu family : 23\nmodel : 1\nstepping : 2\n"),
      QStringLiteral("x86_64"));
  EXPECT_EQ(amd.identifier, QStringLiteral("AMD64 Family 23 Model 1 Stepping 2, AuthenticAMD"));
  EXPECT_EQ(amd.revision, QStringLiteral("0102"));

  const ProcessorInfo arm = processorFromCpuInfo(
      QStringLiteral("processor : 0\nBogoMIPS : 48.00\nCPU architecture: 8\nCPU revision : 4\n"
                     "model name : ARMv8 Processor rev 4 (v8l)\n"),
      QStringLiteral("arm64"));
  EXPECT_EQ(arm.identifier, QStringLiteral("ARMv8 Processor rev 4 (v8l)"));
  EXPECT_EQ(arm.level, QStringLiteral("8"));
  EXPECT_EQ(arm.revision, QStringLiteral("4"));

  const ProcessorInfo none = processorFromCpuInfo(QString(), QStringLiteral("x86_64"));
  EXPECT_TRUE(none.identifier.isEmpty());
  EXPECT_TRUE(none.level.isEmpty());
}

}  // namespace
}  // namespace hm

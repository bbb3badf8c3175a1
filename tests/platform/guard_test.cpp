#include "platform/guard.h"
#include "platform/errors.h"
#include "support/fake_services.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace hm {
namespace {

TEST(Guard, ShowsTheFailureInTheStandardErrorBoxAndGoesOn) {
  test::FakeServices fakes;
  bool after = false;
  guarded([&] {
    throw IoError("Cannot open /x/y.dat: No such file or directory");
    after = true;  // never reached: the handler ends at the failing step
  });
  EXPECT_FALSE(after);
  ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
  const test::ShownBox& box = fakes.dialogs.shown[0];
  EXPECT_EQ(box.kind, QStringLiteral("error"));
  EXPECT_EQ(box.caption, QStringLiteral("Hollowmere"));
  EXPECT_TRUE(
      box.text.startsWith(QStringLiteral("Cannot open /x/y.dat: No such file or directory")));
  EXPECT_TRUE(box.text.contains(QStringLiteral("risk data corruption")));
  EXPECT_FALSE(fakes.process.endedWith.has_value());
}

TEST(Guard, AbortEndsTheProgramAtOnce) {
  test::FakeServices fakes;
  fakes.dialogs.errorAnswers.push_back(ErrorBoxChoice::Abort);
  guarded([] { throw std::runtime_error("boom"); });
  EXPECT_EQ(fakes.process.endedWith, 1);
}

TEST(Guard, CatchesAnythingAndPassesQuietHandlers) {
  test::FakeServices fakes;
  guarded([] { throw 42; });
  EXPECT_EQ(fakes.dialogs.texts(QStringLiteral("error")).size(), 1);
  int ran = 0;
  guarded([&] { ++ran; });
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(fakes.dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace hm

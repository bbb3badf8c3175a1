#include "measure/edit_tape.h"
#include "platform/errors.h"
#include "support/fake_services.h"

#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace hm {
namespace {

class EditTapeTest : public ::testing::Test {
 protected:
  test::FakeServices fakes;
  QWidget window;
  QLineEdit* field = new QLineEdit(&window);
  QLineEdit* other = new QLineEdit(&window);
};

TEST_F(EditTapeTest, ReturnsNormalFormWithoutTouchingTheField) {
  field->setText(QStringLiteral("12.5"));
  bool tapeError = true;
  EXPECT_EQ(EditTape(field, tapeError), QStringLiteral("12 1/2"));
  EXPECT_FALSE(tapeError);
  EXPECT_EQ(field->text(), QStringLiteral("12.5"));
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(EditTapeTest, InvalidMeasurementShowsMessageAndTakesFocus) {
  window.show();
  other->setFocus();
  field->setText(QStringLiteral("1 1/3"));
  bool tapeError = false;
  EXPECT_EQ(EditTape(field, tapeError), QStringLiteral("1 1/3"));
  EXPECT_TRUE(tapeError);
  EXPECT_EQ(fakes.dialogs.texts(), QStringList{QStringLiteral("Invalid Tape Measurement!")});
  EXPECT_EQ(window.focusWidget(), field);
}

TEST_F(EditTapeTest, NotANumberPropagatesWithoutMessage) {
  field->setText(QStringLiteral("abc"));
  bool tapeError = true;
  EXPECT_THROW(EditTape(field, tapeError), ConversionError);
  EXPECT_FALSE(tapeError);
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

}  // namespace
}  // namespace hm

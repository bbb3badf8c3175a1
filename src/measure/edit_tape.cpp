#include "edit_tape.h"

#include "platform/services.h"
#include "tape.h"

#include <QLineEdit>

namespace hm {

QString EditTape(QLineEdit* sender, bool& tapeError) {
  tapeError = false;
  const QString text = sender->text();
  const TapeResult result = editTapeText(text.toStdString());
  if (!result.tapeError) return QString::fromStdString(result.text);
  tapeError = true;
  services().dialogs->message(QStringLiteral("Invalid Tape Measurement!"));
  sender->setFocus();
  return text;
}

}  // namespace hm

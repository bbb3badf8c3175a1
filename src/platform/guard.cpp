#include "guard.h"

#include "services.h"

#include <QGuiApplication>

namespace hm {

void showStandardError(const QString& failureText) noexcept {
  try {
    Services& s = services();
    const QString title = QGuiApplication::applicationDisplayName();
    const QString text = failureText + QStringLiteral(
                                           "\n\nPress OK to ignore and risk data corruption.\n"
                                           "Press Abort to kill the program.");
    if (s.dialogs && s.dialogs->errorBox(title, text) == ErrorBoxChoice::Abort && s.process) {
      s.process->endNow(1);
    }
  } catch (...) {
    // Nothing sensible is left to do if even the error box fails; the program goes on.
  }
}

}  // namespace hm

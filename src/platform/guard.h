#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace hm {

// Shows the standard error box for a failure that ended a handler. OK goes on; Abort ends the
// program at once, without any closing sequence.
void showStandardError(const QString& failureText) noexcept;

// Runs one event handler. Whatever it throws ends the handler there and is shown in the standard
// error box; nothing ever reaches Qt's event loop.
template <class Handler>
void guarded(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& e) {
    showStandardError(QString::fromUtf8(e.what()));
  } catch (...) {
    showStandardError(QStringLiteral("Unknown failure"));
  }
}

}  // namespace hm

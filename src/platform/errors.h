#pragma once

#include <stdexcept>
#include <string>

// The three failures that end an event handler. They carry a text the user can read;
// the handler guard shows it in the standard error box.
namespace hm {

class HandlerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that is not a number.
class ConversionError : public HandlerError {
 public:
  using HandlerError::HandlerError;
};

// A division by zero.
class ArithmeticError : public HandlerError {
 public:
  using HandlerError::HandlerError;
};

// A failed file or settings operation: the OS reason and the file.
class IoError : public HandlerError {
 public:
  using HandlerError::HandlerError;
};

}  // namespace hm

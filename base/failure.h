#pragma once
// The game's failure convention. No error crosses an operation boundary: every operation that can
// fail runs its body under one catch-all trap that writes "Class - Operation - " and the error's
// description to the error log and returns False. Errors carry the number and description the
// player would see in the log.
#include <stdexcept>
#include <string>

#include "base/error_log.h"

class GameError : public std::runtime_error {
 public:
  GameError(int nNumber, const std::string& sDescription)
      : std::runtime_error(sDescription), number_(nNumber) {}
  int Number() const { return number_; }

 private:
  int number_;
};

// The numbers of the errors the game raises itself.
constexpr int ERR_ILLEGAL_CALL = 5;  // an invalid argument, or a call the device refused
constexpr int ERR_OUT_OF_MEMORY = 7;
constexpr int ERR_DIVISION_BY_ZERO = 11;
constexpr int ERR_OBJECT_NOT_SET = 91;  // a picture, sound or surface that is not there
constexpr int ERR_NOT_INITIALIZED = 1001;
constexpr int ERR_FILE_NOT_FOUND = 53;
constexpr int ERR_INPUT_PAST_END = 62;
constexpr int ERR_BAD_FILE_FORMAT = 321;
constexpr int ERR_PATH_FILE_ACCESS = 75;
// A pipe, a device, a folder or a link where a file of the game should be.
constexpr int ERR_NOT_A_FILE = 1002;
// A file larger than its format could ever need.
constexpr int ERR_FILE_TOO_LARGE = 1003;

[[noreturn]] inline void RaiseNotInitialized() {
  throw GameError(ERR_NOT_INITIALIZED, "Not initialized.");
}

// Runs `body` (which returns bool) under the trap with the given log prefix. An error ends the
// body, is logged as prefix + description (+ suffix) and makes the result False.
template <class Body>
bool Trapped(const char* sPrefix, Body&& body, const std::string& sSuffix = "") {
  try {
    return body();
  } catch (const std::exception& e) {
    LogError(std::string(sPrefix) + e.what() + sSuffix);
    return false;
  }
}

#pragma once

#include <exception>
#include <functional>

// Runs one user command. An error that the command does not catch ends only
// that command: the user sees its number and description, and the program
// and its other documents go on as they were.
class CommandGuard {
 public:
  // True when the command ran to its end.
  static bool Run(const std::function<void()>& command);
  // Shows an error that ended a command; for code that catches by itself.
  static void Report(const std::exception* error);
};

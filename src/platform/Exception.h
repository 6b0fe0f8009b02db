// The base of every failure the program raises: a message and, optionally,
// a help context.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& Message, int HelpContext = 0)
      : std::runtime_error(Message), FHelpContext(HelpContext) {}

  std::string Message() const { return what(); }
  int HelpContext() const { return FHelpContext; }

 private:
  int FHelpContext;
};

// The list index error: an index outside the list.
class EListError : public Exception {
 public:
  explicit EListError(int Index)
      : Exception("List index out of bounds (" + std::to_string(Index) + ")") {}
};

#pragma once

#include <cstdio>
#include <string>

#include "tools/tilecvt/console.h"

namespace tilecvt {

inline constexpr const char* kWarningPrefix = "***WARNING: ";
inline constexpr const char* kErrorPrefix = "***ERROR: ";

// printf-style formatting into a string.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  int length = std::snprintf(nullptr, 0, format, args...);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, args...);
  text.resize(static_cast<size_t>(length));
  return text;
}

// The one place that prints the tool's messages and decides its exit status.
// Texts carrying a prefix take it as their first "%s" argument; the caller
// passes kWarningPrefix or kErrorPrefix so each message reads as written.
class Report {
 public:
  explicit Report(Console& console) : console_(console) {}

  void setQuiet(bool quiet) { quiet_ = quiet; }
  bool quiet() const { return quiet_; }

  // Standard output, suppressed in quiet mode.
  template <typename... Args>
  void progress(const char* format, Args... args) {
    if (!quiet_) console_.write(Format(format, args...));
  }
  // Standard output, always.
  template <typename... Args>
  void print(const char* format, Args... args) {
    console_.write(Format(format, args...));
  }
  // Error stream; the run goes on.
  template <typename... Args>
  void warning(const char* format, Args... args) {
    console_.writeError(Format(format, args...));
  }
  // Error stream; the run ends (or, for an output, its failure is remembered).
  template <typename... Args>
  void error(const char* format, Args... args) {
    console_.writeError(Format(format, args...));
    failed_ = true;
  }
  void printErr(const std::string& text) { console_.writeError(text); }

  // An output that could not be written: the run goes on, the exit status
  // says something is missing.
  void markFailed() { failed_ = true; }
  int exitStatus() const { return failed_ ? 1 : 0; }

 private:
  Console& console_;
  bool quiet_ = false;
  bool failed_ = false;
};

}  // namespace tilecvt

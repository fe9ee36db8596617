#pragma once

#include <string>
#include <string_view>

namespace tilecvt {

// The two streams the tool writes to. The program uses the process's standard
// output and error stream; tests and benchmarks capture or drop the text.
class Console {
 public:
  virtual ~Console() = default;
  virtual void write(std::string_view text) = 0;
  virtual void writeError(std::string_view text) = 0;
};

class StdConsole final : public Console {
 public:
  void write(std::string_view text) override;
  void writeError(std::string_view text) override;
};

class CapturingConsole final : public Console {
 public:
  void write(std::string_view text) override { out += text; }
  void writeError(std::string_view text) override { err += text; }
  std::string out;
  std::string err;
};

class SilentConsole final : public Console {
 public:
  void write(std::string_view) override {}
  void writeError(std::string_view) override {}
};

}  // namespace tilecvt

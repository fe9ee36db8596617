#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The desktop services the program hands work to.
class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document (help page, file) with the desktop's default application.
  virtual bool openDocument(const std::string& path) = 0;
  // Starts a program from a command line and returns at once.
  virtual bool startProgram(const std::string& commandLine) = 0;
  // Deletes a file.
  virtual bool deleteFile(const std::string& path) = 0;
  // Opens a text file in the desktop's text editor.
  virtual bool editTextFile(const std::string& path) = 0;
};

class Machine {
 public:
  virtual ~Machine() = default;
  virtual uint64_t physicalMemoryBytes() = 0;
};

}  // namespace platform

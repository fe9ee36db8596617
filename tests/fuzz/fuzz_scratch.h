#pragma once

// A scratch directory per fuzzing process: temp/<prefix>-<pid>. libFuzzer
// ends a process on a timeout or a crash without running exit handlers, so
// each process also removes the directories that processes no longer alive
// left behind.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzztest {

inline void RemoveAbandoned(const std::string& prefix) {
  std::error_code ec;
  const std::string start = prefix + "-";
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::temp_directory_path(), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, start.size(), start) != 0) continue;
    const std::string digits = name.substr(start.size());
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const long pid = std::strtol(digits.c_str(), nullptr, 10);
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH))
      std::filesystem::remove_all(entry.path(), ec);
  }
}

// Created on the first call, removed at exit (and by a later process when
// this one is killed).
inline const std::filesystem::path& Directory(const char* prefix) {
  // Never destroyed: the exit handler still needs it after static destructors.
  static const std::filesystem::path* const dir = [prefix] {
    RemoveAbandoned(prefix);
    auto* path =
        new std::filesystem::path(std::filesystem::temp_directory_path() /
                                  (std::string(prefix) + "-" + std::to_string(::getpid())));
    std::filesystem::create_directories(*path);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(Directory(nullptr), ec);
    });
    return path;
  }();
  return *dir;
}

// The scratch directory is the current one for one input only: libFuzzer
// reads its corpus and writes its findings between inputs, under the names it
// was given, relative ones included. What the input left there is removed.
class InsideForOneInput {
 public:
  explicit InsideForOneInput(const std::filesystem::path& dir) : dir_(dir) {
    std::error_code ec;
    previous_ = std::filesystem::current_path(ec);
    std::filesystem::current_path(dir_, ec);
  }
  ~InsideForOneInput() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    for (const auto& entry : std::filesystem::directory_iterator(dir_, ec))
      std::filesystem::remove_all(entry, ec);
  }
  InsideForOneInput(const InsideForOneInput&) = delete;
  InsideForOneInput& operator=(const InsideForOneInput&) = delete;

 private:
  std::filesystem::path dir_;
  std::filesystem::path previous_;
};

}  // namespace fuzztest

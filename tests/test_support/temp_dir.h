#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

// A fresh directory under the system temporary directory, removed with its
// contents when the object goes out of scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers for tests (binary, no conversion).
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// Whether golden tests rewrite their expected files instead of comparing:
// run the tests with TESSEL_UPDATE_GOLDEN=1, then review the diff.
bool UpdatingGoldenFiles();

// Path of a file under tests/data.
std::string DataPath(std::string_view relative);

}  // namespace testsupport

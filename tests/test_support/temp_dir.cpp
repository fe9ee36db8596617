#include "test_support/temp_dir.h"

#include <cstdlib>

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir() {
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "tessel-test-" << std::hex << rd() << rd();
    auto candidate = base / name.str();
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string DataPath(std::string_view relative) {
  return (std::filesystem::path(TESSEL_TEST_DATA_DIR) / relative).string();
}

bool UpdatingGoldenFiles() {
  const char* update = std::getenv("TESSEL_UPDATE_GOLDEN");
  return update != nullptr && update[0] == '1';
}

}  // namespace testsupport

// The source outputs of the golden cases go through real tools: C with gcc
// (as C and as C++) and the GCC assembler form with arm-none-eabi-as (its
// "@" comments are ARM syntax, which the host's assembler does not take).
#include <gtest/gtest.h>
#include <cstdlib>

#include "test_support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

bool Have(const std::string& tool) {
  return std::system((tool + " --version > /dev/null 2>&1").c_str()) == 0;
}

std::vector<fs::path> GoldenFiles(const std::string& extension) {
  std::vector<fs::path> files;
  for (const auto& entry :
       fs::recursive_directory_iterator(testsupport::DataPath("tilecvt/golden")))
    if (entry.is_regular_file() && entry.path().extension() == extension)
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool Succeeds(const std::string& command) {
  return std::system((command + " > /dev/null 2>&1").c_str()) == 0;
}

// The GCC form is told apart from the ARM one by its directives.
bool IsGccAssembler(const fs::path& file) {
  return testsupport::ReadFile(file).find("\t.SECTION ") != std::string::npos;
}

TEST(CompileOutput, CSourceCompilesAsCAndCpp) {
  if (!Have("gcc") || !Have("g++")) GTEST_SKIP() << "gcc is not installed";
  testsupport::TempDir dir;
  const auto files = GoldenFiles(".c");
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    const std::string object = dir.file("out.o");
    // C warns about "extern" on a definition, which -extern asks for (C++ needs it).
    const bool isExtern = testsupport::ReadFile(file).find("extern const") != std::string::npos;
    EXPECT_TRUE(Succeeds("gcc -std=c99 -Wall -pedantic " + std::string(isExtern ? "" : "-Werror ") +
                         "-x c -c '" + file.string() + "' -o '" + object + "'"))
        << file;
    EXPECT_TRUE(Succeeds("g++ -std=c++17 -Wall -Werror -pedantic -x c++ -c '" + file.string() +
                         "' -o '" + object + "'"))
        << file;
  }
}

TEST(CompileOutput, GccAssemblerFormAssembles) {
  if (!Have("arm-none-eabi-as"))
    GTEST_SKIP() << "arm-none-eabi-as is not installed (Debian: binutils-arm-none-eabi)";
  testsupport::TempDir dir;
  int checked = 0;
  for (const fs::path& file : GoldenFiles(".s")) {
    if (!IsGccAssembler(file)) continue;
    ++checked;
    EXPECT_TRUE(Succeeds("arm-none-eabi-as --fatal-warnings '" + file.string() + "' -o '" +
                         dir.file("out.o") + "'"))
        << file;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace

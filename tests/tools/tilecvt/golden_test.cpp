// Each folder under tests/data/tilecvt/golden holds a command line (one
// argument a line in "command"), the console output ("stdout", "stderr") and
// every file the run writes, byte for byte. The run happens in a copy of
// tests/data/tilecvt/images. TESSEL_UPDATE_GOLDEN=1 rewrites the folders.
#include <gtest/gtest.h>
#include <cstdlib>
#include <set>
#include <sstream>

#include "test_support/temp_dir.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Cases() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(testsupport::DataPath("tilecvt/golden")))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, OutputMatchesByteForByte) {
  const fs::path folder = testsupport::DataPath("tilecvt/golden/" + GetParam());
  testsupport::TempDir dir;
  std::set<std::string> inputs;
  for (const auto& entry : fs::directory_iterator(testsupport::DataPath("tilecvt/images"))) {
    fs::copy_file(entry.path(), dir.path() / entry.path().filename());
    inputs.insert(entry.path().filename().string());
  }
  const auto arguments = Lines(testsupport::ReadFile(folder / "command"));
  const auto result = tilecvttest::RunTool(dir.path(), arguments);

  std::map<std::string, std::string> produced = {{"stdout", result.out}, {"stderr", result.err}};
  for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
    const std::string name = fs::relative(entry.path(), dir.path()).generic_string();
    if (entry.is_regular_file() && !inputs.count(name))
      produced[name] = testsupport::ReadFile(entry.path());
  }
  produced["exit"] = std::to_string(result.exitStatus) + "\n";

  if (testsupport::UpdatingGoldenFiles()) {
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().filename() != "command") fs::remove_all(entry.path());
    for (const auto& [name, bytes] : produced) {
      fs::create_directories((folder / name).parent_path());
      testsupport::WriteFile(folder / name, bytes);
    }
    GTEST_SKIP() << "golden files rewritten";
  }

  std::set<std::string> expected;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).generic_string();
    if (entry.is_regular_file() && name != "command") expected.insert(name);
  }
  std::set<std::string> names;
  for (const auto& item : produced) names.insert(item.first);
  EXPECT_EQ(names, expected);
  for (const std::string& name : expected) {
    if (!produced.count(name)) continue;
    EXPECT_TRUE(produced[name] == testsupport::ReadFile(folder / name)) << name << " differs";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace

#include "tool_run.h"

#include "test_support/temp_dir.h"
#include "tools/tilecvt/console.h"
#include "tools/tilecvt/converter.h"

namespace tilecvttest {

ToolResult RunTool(const std::filesystem::path& directory,
                   const std::vector<std::string>& arguments) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(directory);
  tilecvt::CapturingConsole console;
  ToolResult result;
  result.exitStatus = tilecvt::RunTilecvt(arguments, "tilecvt", console);
  std::filesystem::current_path(previous);
  result.out = console.out;
  result.err = console.err;
  return result;
}

void CopyInput(const std::string& name, const std::filesystem::path& directory) {
  std::filesystem::copy_file(testsupport::DataPath("tilecvt/images/" + name), directory / name,
                             std::filesystem::copy_options::overwrite_existing);
}

void WriteBmp8(const std::filesystem::path& path, int width, int height,
               const std::vector<uint8_t>& pixels, const std::vector<uint8_t>& rgbPalette) {
  const size_t colours = rgbPalette.size() / 3;
  const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
  const size_t dataStart = 54 + colours * 4;
  std::string file(dataStart + stride * static_cast<size_t>(height), '\0');
  auto put = [&file](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      file[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, static_cast<uint32_t>(file.size()), 4);
  put(10, static_cast<uint32_t>(dataStart), 4);
  put(14, 40, 4);
  put(18, static_cast<uint32_t>(width), 4);
  put(22, static_cast<uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 8, 2);
  put(46, static_cast<uint32_t>(colours), 4);
  for (size_t i = 0; i < colours; ++i) {
    file[54 + i * 4] = static_cast<char>(rgbPalette[i * 3 + 2]);
    file[54 + i * 4 + 1] = static_cast<char>(rgbPalette[i * 3 + 1]);
    file[54 + i * 4 + 2] = static_cast<char>(rgbPalette[i * 3]);
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      file[dataStart + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x)] =
          static_cast<char>(pixels[static_cast<size_t>(y * width + x)]);
  testsupport::WriteFile(path, file);
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::string text = testsupport::ReadFile(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace tilecvttest

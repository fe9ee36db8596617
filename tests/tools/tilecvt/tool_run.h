#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tilecvttest {

struct ToolResult {
  int exitStatus = -1;
  std::string out;  // standard output
  std::string err;  // error stream
};

// Runs the whole tool in-process with `directory` as the current directory,
// so file names on the command line and in the messages stay relative.
ToolResult RunTool(const std::filesystem::path& directory,
                   const std::vector<std::string>& arguments);

// Copies tests/data/tilecvt/images/NAME into `directory`.
void CopyInput(const std::string& name, const std::filesystem::path& directory);

// Writes an uncompressed 8-bit BMP (rows top to bottom in `pixels`); the
// palette holds (red, green, blue) triplets.
void WriteBmp8(const std::filesystem::path& path, int width, int height,
               const std::vector<uint8_t>& pixels, const std::vector<uint8_t>& rgbPalette);

// Reads a file as bytes.
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

}  // namespace tilecvttest

#include "tools/hdrbake/hdrbake_run.h"

#include <cstdio>
#include <ostream>
#include <vector>

#include "tools/hdrbake/command_line.h"
#include "tools/hdrbake/file_bytes.h"
#include "tools/hdrbake/header_text.h"
#include "tools/hdrbake/output_name.h"
#include "tools/hdrbake/pcx_reader.h"

namespace hdrbake {

namespace {

void PrintHeaderLine(std::ostream& console, const char* format, int value) {
  char line[64];
  std::snprintf(line, sizeof line, format, value);
  console << line;
}

// Reads the input and reports on the console what it found; true only when
// the whole image, palette included, was read.
bool ReadInput(const std::string& inputName, std::ostream& console, PcxImage& image) {
  std::vector<std::uint8_t> bytes;
  PcxStatus status = PcxStatus::ShortHeader;
  if (ReadFileBytes(inputName, bytes)) {
    PcxHeader header;
    status = ReadPcx(bytes, header, image);
    if (status != PcxStatus::ShortHeader) {
      PrintHeaderLine(console, "height           %8i\n", header.height);
      PrintHeaderLine(console, "width            %8i\n", header.width);
      PrintHeaderLine(console, "bits_per_pixel   %8d\n", header.bitsPerPixel);
    }
  }
  if (status == PcxStatus::Complete) return true;
  if (status == PcxStatus::TooLarge)
    console << "image too large (at most " << kMaxPcxPixels << " pixels)\n";
  console << "string";
  return false;
}

}  // namespace

RunResult RunHdrbake(std::span<const std::string> args, std::ostream& console) {
  HdrbakeSettings settings;
  if (!ParseCommandLine(args, settings)) {
    // Asking for the usage text is not a failure: scripts that print it
    // (no arguments) expect a zero status.
    console << "Usage:\n"
            << "HDRBAKE  filename [outputfile]";
    return {kExitSuccess, true};
  }
  if (settings.outputNamed) console << "wtf?";

  // Whatever was read goes into the header even after a failure (an empty
  // image when nothing could be), so a build sees a header and a failed status.
  PcxImage image;
  const bool inputRead = ReadInput(settings.inputName, console, image);
  if (!inputRead) console << "failed to open pcx file";

  if (!WriteTextFile(settings.outputName, HeaderText(image, HeaderPrefix(settings.outputName)))) {
    console << "failed to create " << settings.outputName << "\n";
    return {kExitFailure, false};
  }
  return {inputRead ? kExitSuccess : kExitFailure, true};
}

}  // namespace hdrbake

// Any byte string through the PCX reader, and what it read through the header
// writer: neither may touch memory outside its buffers, and what the reader
// hands over must be self-consistent whatever the file claims.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/hdrbake/header_text.h"
#include "tools/hdrbake/pcx_reader.h"

namespace {

// Keeps each run short; the writer's cost grows with the pixel count alone.
constexpr std::size_t kMostPixelsToWrite = 1 << 16;

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  hdrbake::PcxHeader header;
  hdrbake::PcxImage image;
  const hdrbake::PcxStatus status = hdrbake::ReadPcx({data, size}, header, image);

  Require(image.pixels.size() ==
          static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
  const bool hasImage =
      status == hdrbake::PcxStatus::Complete || status == hdrbake::PcxStatus::NoPalette;
  Require(hasImage == (image.width > 0));
  if (hasImage) Require(image.width == header.width && image.height == header.height);

  if (image.pixels.size() <= kMostPixelsToWrite) {
    const std::string text = hdrbake::HeaderText(image, "fuzz");
    Require(text.size() >= 2 && text.compare(text.size() - 2, 2, "};") == 0);
  }
  return 0;
}

#pragma once

namespace tilecvt {

// Why an image could not be read; the numbers are the tool's error codes.
enum class ImageError : int {
  None = 0,
  Unknown = 1,
  FileNotFound = 2,
  OutOfMemory = 3,
  ReadWrite = 4,      // also: the file ends before its data does
  UnknownFormat = 5,  // also: header fields that cannot describe an image
  Compressed = 6,
  UnsupportedDepth = 7,
  FramePalettes = 8,
  FrameSize = 9,
  NoPalette = 10,
  TrueColour = 11,  // a PNG without a palette (nor greys of up to 8 bits)
};

const char* ImageErrorText(ImageError error);

}  // namespace tilecvt

#pragma once

#include "tools/tilecvt/settings.h"

namespace tilecvt {

// How a data block is written: bytes alone or as an array in source text.
enum class ArrayForm { None, Raw, C, Gcc, Arm };

struct FormatInfo {
  OutputFormat id;
  const char* name;       // as the tool reports it
  const char* extension;  // appended to the file name after the suffix
  ArrayForm form;         // None: not an array format (object file, TIM)
};

const FormatInfo& FormatOf(OutputFormat format);

}  // namespace tilecvt

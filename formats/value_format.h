#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/text_position.h"

namespace platform {
class UserDialogs;
}

// Value formats such as "0x%04x, ": literal text around one or more
// conversions "%" [0] [width digit] letter, with the letters i (decimal),
// x / X (hexadecimal, lower / upper case) and b (width raw bytes,
// little-endian; width 1, 2 or 4). Any other letter is dropped.
namespace formats {

class OutputSink;

// Writes `value` through the value format.
void WriteValue(OutputSink& out, std::string_view valueFormat, int32_t value,
                platform::UserDialogs& dialogs);

// Reads one value written with `valueFormat` at `pos`. Literal characters must
// equal the text; at the first difference the walk stops and the value read so
// far counts, so a value whose trailing literal was partly overwritten by a
// backspace still reads. A conversion with a width but no zero flag first
// skips the blanks it may have been padded with. Returns the position after
// what was consumed, or kNoPosition when nothing was (the element's values
// end there).
size_t ReadValue(std::string_view text, size_t pos, std::string_view valueFormat, int32_t& value,
                 platform::UserDialogs& dialogs);

// A decimal integer at the start of `text`: a minus sign directly followed by
// a digit, then the run of digits, wrapping around at 32 bits; 0 when there is
// no digit. *end (when given) is the index after what was read (0 then).
int32_t ParseDecimal(std::string_view text, size_t* end = nullptr);

// Appends `value` in decimal or hexadecimal, padded to `width` with zeros or
// blanks, the way the value formats and templates print numbers.
void AppendNumber(OutputSink& out, int32_t value, char conversion, int width, bool zeroPad);

// Appends the low `count` bytes of `value`, least significant first.
void AppendRawBytes(OutputSink& out, uint32_t value, int count);

}  // namespace formats

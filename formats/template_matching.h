#pragma once

#include <cstddef>
#include <string_view>

#include "formats/text_position.h"

namespace platform {
class UserDialogs;
}

namespace formats {

class TemplateValues;

// Reads text written by a template back, the reverse of Expand: the template's
// first literal is searched for from `pos` (text before it is skipped), then
// each token captures the text up to the next literal into its placeholder or
// user text; a "#d" integer takes exactly its d bytes (little-endian,
// unsigned), whatever they hold. Conditions ("%+if=X%", "%+if<>X%",
// "%+else%", "%+end%") choose the branch from the text at hand;
// "%+noerror%" .. "%+endnoerror%" silence the recovery message. When a literal
// cannot be found, the first later literal of at least 4 characters that
// occurs in the text is where reading resumes.
//
// Returns the position after the last literal matched, or kNoPosition (past
// the end of any text) when the template does not match.
size_t Match(std::string_view text, size_t pos, std::string_view tmpl, TemplateValues& values,
             platform::UserDialogs& dialogs);

}  // namespace formats

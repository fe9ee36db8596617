#pragma once

#include <string_view>

namespace platform {
class UserDialogs;
}

namespace formats {

class OutputSink;
class TemplateValues;

// Writes a template (Windows-1252 bytes) to the sink. A byte 8 steps the
// output back one byte; "%name%" writes a placeholder ("$name" in lower-case
// hexadecimal, "#dname" as d raw little-endian bytes), "%user[n]%" a user
// text; control tokens ("%+if...%", "%+end...%", "%+noerror%") write nothing
// and "%+else%" skips to the next "%+end...%", so output always takes the
// first branch of a condition. Unknown names write nothing.
void Expand(std::string_view tmpl, OutputSink& out, const TemplateValues& values,
            platform::UserDialogs& dialogs);

}  // namespace formats

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/text_position.h"

namespace platform {
class UserDialogs;
}

// The object template: the text that writes and reads one object of a list,
// with field references "#name#" ("#type#", "#x#", "#y#" or a model field).
// The text is file bytes (Windows-1252).
namespace formats {

class OutputSink;
struct ListModel;

struct ObjectTemplate {
  enum class Target : uint8_t { Type, X, Y, Integer, Raw, Unknown };
  struct Reference {
    Target target = Target::Unknown;
    uint32_t offset = 0;  // within the object
    uint32_t size = 0;
  };

  std::string text;
  // literals[i] comes before references[i]; the last literal ends the
  // object. An unterminated reference ends the object where it starts.
  std::vector<std::string> literals{std::string()};
  std::vector<Reference> references;
};

// With `expandParams` (the built-in format), each "#+param:SEP:END#" (SEP and
// END delimited by '"' or '\'') becomes, for every model field in order, SEP
// "#name#" END; a name of the form P<T>S gives SEP P "#name#" S END, so the
// text around the angle brackets is written around the value.
std::string ExpandParamTokens(std::string_view text, const ListModel& model);

// Cuts the template into literals and references resolved against the model.
ObjectTemplate CompileObjectTemplate(std::string text, const ListModel& model);

// What ends an object for the lenient reader: the list's `line` text, or when
// it is empty the text after the template's last '#'.
std::string_view ObjectEndMarker(std::string_view listLine, const ObjectTemplate& tmpl);

// Writes one object (its bytes laid out by the model the template was
// compiled with): references in decimal or as raw text, literals as they are.
void WriteObject(OutputSink& out, const ObjectTemplate& tmpl, std::span<const uint8_t> object);

enum class ObjectReadMode { Strict, Lenient };

// Reads one object at `pos` into `object`. Strict: every literal must be where
// the template puts it; a mismatch shows a message, sets `errorMark` and
// fails. Lenient (recovery of a list whose model changed): mismatches only set
// `errorMark`, a value also ends at `endMarker`, and the object is complete
// when the text at the position starts with the end marker.
// Returns the position after the object, or kNoPosition on failure.
size_t ReadObject(std::string_view text, size_t pos, const ObjectTemplate& tmpl,
                  std::span<uint8_t> object, ObjectReadMode mode, std::string_view endMarker,
                  bool& errorMark, platform::UserDialogs& dialogs);

}  // namespace formats

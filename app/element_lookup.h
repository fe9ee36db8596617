#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include "app/language.h"

namespace project {
class Project;
}

namespace app {

// Index of the first Element of that kind code with exactly that name, or -1.
int FindElement(const project::Project& project, uint32_t kindCode, std::string_view name);

// The name a converted element takes when none is given: the file's name
// without its directory and without its extensions ("hero" for
// "gfx/hero.til.c"), at most 30 characters.
std::string ElementNameFromFile(std::string_view path);

}  // namespace app

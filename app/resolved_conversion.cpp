#include "app/resolved_conversion.h"

#include "app/platforms.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

ResolvedConversion ResolveConversion(const Workshop& w) {
  return ResolvedConversion{.platform = CurrentPlatform(w),
                            .colourModeIndex = CurrentColourModeIndex(w),
                            .mapFormatIndex = CurrentMapFormatIndex(w),
                            .tileWidth = w.conversion.tileWidth,
                            .tileHeight = w.conversion.tileHeight};
}

}  // namespace app

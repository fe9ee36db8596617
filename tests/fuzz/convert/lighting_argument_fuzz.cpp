// The colour-effect argument comes from scripts and project files: any text
// must leave the settings finite and the tables built.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "convert/colour_tables.h"
#include "convert/conversion_settings.h"
#include "convert/gba_modes.h"
#include "convert/lighting_argument.h"
#include "platform/recording_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  platform::RecordingDialogs dialogs;
  convert::ConversionSettings settings;
  convert::ColourTables tables;
  const auto& mode = convert::kGbaColourModes[1];
  convert::SetLighting(text, settings, &mode, tables, dialogs);
  if (!tables.built) std::abort();
  for (size_t c = 0; c < 3; ++c)
    if (!std::isfinite(settings.gammaExponent[c]) || !std::isfinite(settings.addition[c]) ||
        !std::isfinite(settings.towardsWhite[c]))
      std::abort();
  for (size_t i = 0; i < 256; ++i)
    if (tables.red[i] > 31 || tables.green[i] > 31 || tables.blue[i] > 31) std::abort();
  return 0;
}

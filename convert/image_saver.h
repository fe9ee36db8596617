#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "convert/image_data.h"

// Writing pictures: the encoder is chosen by the file name's extension.
namespace convert {

struct Surface;

// The MIME type of the encoder for an extension (compared exactly, case
// included), or empty when none matches.
std::string_view EncoderMimeType(std::string_view extension);

// The name a picture is written under: the name itself when its extension
// names an encoder ("png", "jpg", "jpeg", "bmp", "gif", "tiff"), otherwise
// the name with ".bmp" appended (written as BMP).
std::string SavedImageFileName(std::string_view fileName);

// Writes the picture under SavedImageFileName(fileName), replacing the file
// atomically. An indexed picture keeps its palette in the formats that have
// one (JPEG stores the colours). Failures are not reported here.
bool SaveImage(const ImageToEncode& image, const std::string& fileName);

// The warning of the callers that export a picture through the screen when
// its colour depth cannot hold the picture exactly.
inline constexpr std::string_view kLowScreenDepthText =
    "Pour un résultat optimal, vous devriez paramétrer les couleurs de votre écran en 24 ou 32 "
    "bits. Le mode actuel n'est pas assez précis pour stocker l'image et des informations comme "
    "la couleur transparente ont été perdues.\nSi cela ne fonctionne toujours pas, utilisez la "
    "fonction exporter l'image.";

// The visible part of a surface. With a palette the surface words are
// indices into it (their low 8 bits); without, colours.
bool SaveSurfaceImage(const Surface& surface, std::span<const uint32_t> palette,
                      const std::string& fileName);

}  // namespace convert

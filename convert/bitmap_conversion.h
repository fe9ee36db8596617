#pragma once

// Converting the loaded picture into a bitmap element and a palette element.
namespace convert {

struct BitmapJob;
struct ConversionContext;

// In a palette mode the colours are reduced with the current method to at
// most K (the existing palette's entries, when one is given, coming first;
// the zero colour at index 0 in modes that reserve it), then the bitmap and
// the palette are written, in that order. In a direct-colour mode only the
// colour tables apply and only the bitmap is written. False when the
// conversion ends without output (a message was shown, or the user
// cancelled) or a writer failed.
bool ConvertBitmap(const BitmapJob& job, const ConversionContext& context);

}  // namespace convert

// The text engine's public entry points. Drawing and measuring text goes
// through TCanvas (TextOut, TextWidth, TextHeight); this header only offers
// the start-up check.
#pragma once

#include "platform/Export.h"

namespace korvo::text {

// Checks that fontconfig lists at least one scalable font that FreeType can
// open, and raises EFontError ("No usable font found: ... install
// fonts-dejavu-core") when it does not. Programs call it once at start-up so
// that a machine without fonts fails with a clear message; the first text
// call makes the same check. Cheap after the first success.
PLOTWELL_API void EnsureFontsAvailable();

}  // namespace korvo::text

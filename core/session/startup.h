// The start of a run: the data folder, the options, the settings, the regional format, the house
// system checked at start and the reports folder, in that order.
#pragma once

#include <filesystem>

#include "session/session.h"

namespace talvenor {

inline constexpr const char* kOptionsMissingMessage =
    "The options file OPTIONS.OPT could not be read. The default settings are used.";

// Reads the options file of the data folder into session.options; when it cannot be read, shows
// kOptionsMissingMessage ("Warning!") and uses DefaultOptions(). False when the defaults were used.
bool LoadOptions(Session& session, const std::filesystem::path& optionsFile);

// The data window's font step from the screen: 1.5 on a 640-pixel screen and on an 800-pixel one unless it
// has 12 twips per pixel; otherwise 1.2, but 1.5 at 15 twips per pixel.
double ChooseFontStep(int screenWidthPixels, double twipsPerPixel);

// The whole start-up sequence for the folder (options, settings, regional format, house code, reports
// folder).
void StartSession(Session& session, const std::filesystem::path& appFolder);

}  // namespace talvenor

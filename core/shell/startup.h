// The start of a run: the data folder, the options, the settings, the regional format, the house
// system checked at start and the reports folder, in that order.
#pragma once

#include <filesystem>

#include "shell/session.h"

namespace talvenor {

inline constexpr const char* kOptionsMissingMessage =
    "The options file OPTIONS.OPT could not be read. The default settings are used.";

// Reads the options file of the data folder into session.options; when it cannot be read, shows
// kOptionsMissingMessage ("Warning!") and uses DefaultOptions(). False when the defaults were used.
bool LoadOptions(Session& session, const std::filesystem::path& optionsFile);

// The whole start-up sequence for the folder (options, settings, regional format, house code, reports
// folder).
void StartSession(Session& session, const std::filesystem::path& appFolder);

}  // namespace talvenor

// The names window's Import and Export: the exchange files read and written, with the questions and
// messages of the two commands.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "environment/regional_format.h"
#include "environment/user_dialogs.h"
#include "exchange/exchange_files.h"
#include "report/report_buffer.h"

namespace talvenor {

// The names window's Import: reads the source, asks for the names file the births go to (an empty answer
// is Cancel), asks before writing, and adds them there. Nothing is written unless the user said Yes, and
// a Cancel shows nothing either. The report becomes the page of `report` when births were added, when
// adding them failed, and when none could be converted.
ExchangeRun ImportCommand(const std::filesystem::path& source,
                          const std::function<std::string()>& chooseTarget, ZoneSources& zones,
                          const RegionalFormat& regional, UserDialogs& dialogs, ReportBuffer& report);

// The names window's Export of a names file into the chosen file, whose ending (.aaf, .qck, .csv) gives
// the format; the file is replaced through a temporary file. The report becomes the page of `report`.
ExchangeRun ExportCommand(const std::filesystem::path& namesFile, const std::filesystem::path& target,
                          const RegionalFormat& regional, UserDialogs& dialogs, ReportBuffer& report);

}  // namespace talvenor

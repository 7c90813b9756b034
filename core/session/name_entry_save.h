// The natal window's "Save to disk": the entry checked, the replace questions asked, the names file
// rewritten.
#pragma once

#include <filesystem>
#include <optional>

#include "chart/input_texts.h"
#include "datafiles/names_file.h"
#include "environment/regional_format.h"
#include "environment/text_files.h"
#include "environment/user_dialogs.h"

namespace talvenor {

// The checks "Save to disk" makes before it asks for the file (RefuseEntryBeforeSave), its message shown.
// No value when the entry can be saved. SaveNameEntry makes the same checks itself.
std::optional<SaveEntryOutcome> CheckEntryBeforeSave(const InputTexts& natal, const RegionalFormat& regional,
                                                     UserDialogs& dialogs);

// Save to disk into the chosen file (an empty path is the Cancel of the file choice): the file read
// (ReadNamesFileForSave), one replace question for each record whose name matches, in file order, then
// the file written (WriteNamesFileForSave) and its message, if any, shown.
SaveEntryOutcome SaveNameEntry(const std::filesystem::path& chosenFile,
                               const std::filesystem::path& appFolder, const InputTexts& natal,
                               const RegionalFormat& regional, UserDialogs& dialogs,
                               const RewriteFault& fault = {});

}  // namespace talvenor

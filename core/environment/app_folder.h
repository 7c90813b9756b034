// Where the program's data files live.
#pragma once

#include <filesystem>
#include <string>

namespace talvenor {

// Overrides the data folder, for tests and for users who keep their files elsewhere.
inline constexpr const char* kDataDirVariable = "TALVENOR_DATA_DIR";

// The data folder:
//   1. the folder named by TALVENOR_DATA_DIR when that variable is set and not empty;
//   2. the folder of the executable when it holds OPTIONS.OPT (running from the build tree, or a
//      portable install);
//   3. otherwise a per-user folder, $XDG_DATA_HOME/talvenor (default ~/.local/share/talvenor), which
//      is created and, on first use, seeded with the shipped data files from installedDataDir when it
//      lacks them (all but the read-in-place files). Files the user already has are never overwritten.
std::filesystem::path FindAppFolder(const std::filesystem::path& executableDir,
                                    const std::filesystem::path& installedDataDir);

// The folder holding the running executable (from /proc/self/exe).
std::filesystem::path ExecutableDir();

// Where an installed program keeps its shipped data files: share/talvenor beside its bin folder.
std::filesystem::path InstalledDataDir(const std::filesystem::path& executableDir);

// Shipped files that are only ever read, and large: they stay where they are installed instead of being
// copied into every user's folder (the world atlas and its index).
bool IsReadInPlaceFile(const std::string& name);

// A data file name as the program addresses it, "\NAME", inside the folder: "\REPORTS\LASTPAGE.TXT"
// becomes folder/REPORTS/LASTPAGE.TXT, with the capitalisation given.
std::filesystem::path DataFile(const std::filesystem::path& appFolder, const std::string& backslashName);

// Creates the REPORTS folder; an existing folder, or one that cannot be made, is not reported.
void CreateReportsFolder(const std::filesystem::path& appFolder);

}  // namespace talvenor

#include "environment/app_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <system_error>

namespace talvenor {
namespace {

namespace fs = std::filesystem;

std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The user's home: $HOME, else the password database, else nothing.
fs::path HomeFolder() {
    const std::string home = EnvironmentText("HOME");
    if (!home.empty()) return fs::path(home);
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return fs::path(entry->pw_dir);
    }
    return {};
}

// $XDG_DATA_HOME/talvenor, or ~/.local/share/talvenor. A relative XDG_DATA_HOME is not a valid
// setting and is passed over, so that the folder never depends on the working directory.
fs::path UserDataFolder() {
    const fs::path xdg(EnvironmentText("XDG_DATA_HOME"));
    if (!xdg.empty() && xdg.is_absolute()) return xdg / "talvenor";
    const fs::path home = HomeFolder();
    if (home.empty()) return {};
    return home / ".local" / "share" / "talvenor";
}

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// Copies one shipped file into the user's folder unless the user has it already. The copy is made
// under a temporary name and renamed, so an interrupted first start never leaves a truncated file
// that would then count as the user's own.
void SeedFile(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec))) return;
    fs::path temporary = target;
    temporary += ".seed-" + std::to_string(getpid());
    if (!fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec) || ec) {
        fs::remove(temporary, ec);
        return;
    }
    if (fs::exists(fs::symlink_status(target, ec))) {
        fs::remove(temporary, ec);
        return;
    }
    fs::rename(temporary, target, ec);
    if (ec) fs::remove(temporary, ec);
}

void SeedUserFolder(const fs::path& userFolder, const fs::path& installedDataDir) {
    if (installedDataDir.empty()) return;
    std::error_code ec;
    if (fs::equivalent(userFolder, installedDataDir, ec)) return;
    fs::directory_iterator entries(installedDataDir, ec);
    if (ec) return;
    for (const fs::directory_iterator end; entries != end; entries.increment(ec)) {
        if (ec) return;
        const fs::path& source = entries->path();
        if (!IsRegularFile(source) || IsReadInPlaceFile(source.filename().string())) continue;
        SeedFile(source, userFolder / source.filename());
    }
}

}  // namespace

fs::path FindAppFolder(const fs::path& executableDir, const fs::path& installedDataDir) {
    const std::string overridden = EnvironmentText(kDataDirVariable);
    if (!overridden.empty()) return fs::path(overridden);

    if (!executableDir.empty() && IsRegularFile(executableDir / "OPTIONS.OPT")) return executableDir;

    const fs::path userFolder = UserDataFolder();
    // Without any home there is nowhere of our own to keep files; the executable's folder is the
    // last place the data files can be looked for.
    if (userFolder.empty()) return executableDir;

    // Neither failure is fatal: the program still starts and reports the missing files where it
    // reads them.
    std::error_code ec;
    fs::create_directories(userFolder, ec);
    SeedUserFolder(userFolder, installedDataDir);
    return userFolder;
}

fs::path ExecutableDir() {
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !executable.empty()) return executable.parent_path();
    fs::path current = fs::current_path(ec);
    return ec ? fs::path() : current;
}

fs::path InstalledDataDir(const fs::path& executableDir) {
    return (executableDir / ".." / "share" / "talvenor").lexically_normal();
}

bool IsReadInPlaceFile(const std::string& name) {
    for (const char* file : {"ATLAS.TXT", "ATLASREG.TXT", "ATLASCTY.TXT", "ATLAS.DB"}) {
        if (name == file) return true;
    }
    return false;
}

fs::path DataFile(const fs::path& appFolder, const std::string& backslashName) {
    // Every part is appended on its own, so that neither a leading separator nor a doubled one can
    // turn the name into an absolute path that leaves the folder. A forward slash separates as well.
    fs::path result = appFolder;
    std::string_view rest(backslashName);
    while (!rest.empty()) {
        const std::size_t cut = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, cut);
        if (!part.empty()) result /= fs::path(std::string(part));
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + 1);
    }
    return result;
}

void CreateReportsFolder(const fs::path& appFolder) {
    std::error_code ec;
    fs::create_directory(DataFile(appFolder, "\\REPORTS"), ec);
}

}  // namespace talvenor

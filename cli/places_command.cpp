// talvenor-report places: the world atlas from the shell.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "arguments.h"
#include "atlas/atlas_search.h"
#include "atlas/place_format.h"
#include "atlas_commands.h"
#include "environment/app_folder.h"

namespace talvenor::cli {
namespace {

constexpr std::size_t kDefaultLimit = 10;
constexpr std::size_t kMostPlaces = 1000;

}  // namespace

void IndexBuildNote::Started(const std::string& indexFile) {
    Tell("making the index of the world atlas, " + indexFile + " (a few seconds)");
}

int PlacesCommand(const std::vector<std::string>& args) {
    std::optional<std::string> query, dataDir;
    std::size_t limit = kDefaultLimit;
    const Option options[] = {
        Option::Count("--limit", limit, 1, kMostPlaces),
        Option::Text("--data-dir", dataDir, "a folder"),
    };
    const std::string problem = ReadArguments(args, options, [&query](const std::string& a) -> std::string {
        if (query || (a.size() > 1 && a[0] == '-' && a[1] == '-'))
            return query ? "places takes one query; quote a name with blanks" : "unknown option " + a;
        query = a;
        return "";
    });
    if (!problem.empty()) return BadArguments(problem, kSeeHelp);
    if (!query) return BadArguments("places needs a QUERY", kSeeHelp);
    std::error_code ec;
    if (dataDir && !std::filesystem::is_directory(*dataDir, ec))
        return BadArguments("--data-dir is not a folder: " + *dataDir, kSeeHelp);
    const std::filesystem::path installed = InstalledDataDir(ExecutableDir());
    const std::filesystem::path folder =
        dataDir ? std::filesystem::path(*dataDir) : FindAppFolder(ExecutableDir(), installed);

    // An index that is missing or damaged is made first, and one found damaged by the search made again.
    const AtlasLocation where = LocateAtlas(folder, installed);
    IndexBuildNote note;
    AtlasOpenResult opened = Atlas::Open(where, &note);
    if (!opened.atlas) {
        Tell(opened.message);
        return 1;
    }
    const AtlasSearchResult found = SearchMakingIndexAgain(opened.atlas, where, *query, limit, &note);
    if (!found.error.empty()) {
        Tell(found.error);
        return 1;
    }
    for (const WorldPlace& p : found.places) {
        std::printf("%s\t%s\t%s\t%s\t%s\t%s\t%lld\n", p.name.c_str(), p.region.c_str(), p.country.c_str(),
                    CitiesLatitude(p.latitude).c_str(), CitiesLongitude(p.longitude).c_str(), p.zone.c_str(),
                    static_cast<long long>(p.population));
    }
    if (found.places.empty()) {
        Tell("no place matches \"" + query->substr(0, 80) + "\"");
        return 1;
    }
    return 0;
}

}  // namespace talvenor::cli

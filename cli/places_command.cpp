// talvenor-report places: the world atlas from the shell.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

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

int PlacesCommand(const std::vector<std::string>& given) {
    std::optional<std::string> query, dataDir;
    std::size_t limit = kDefaultLimit;
    // --near takes two values, the latitude and the longitude: taken out before the other arguments.
    std::vector<std::string> args = given;
    std::optional<std::pair<double, double>> near;
    if (const auto at = std::find(args.begin(), args.end(), "--near"); at != args.end()) {
        if (args.end() - at < 3) return BadArguments("--near needs LAT LON in degrees", kSeeHelp);
        const std::optional<double> latitude = ReadNumber(at[1], -90, 90);
        const std::optional<double> longitude = ReadNumber(at[2], -180, 180);
        if (!latitude || !longitude) {
            return BadArguments(
                "--near needs a latitude from -90 to 90 and a longitude from -180 to 180 in "
                "degrees (north and east positive): " +
                    at[1] + " " + at[2],
                kSeeHelp);
        }
        near = std::make_pair(*latitude, *longitude);
        args.erase(at, at + 3);
    }
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
    if (query && near) return BadArguments("places takes a QUERY or --near LAT LON, not both", kSeeHelp);
    if (!query && !near) return BadArguments("places needs a QUERY", kSeeHelp);
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
    std::vector<double> distances;
    const AtlasSearchResult found = near ? opened.atlas->Nearest(near->first, near->second, limit, distances)
                                         : SearchMakingIndexAgain(opened.atlas, where, *query, limit, &note);
    if (!found.error.empty()) {
        Tell(found.error);
        return 1;
    }
    for (std::size_t i = 0; i < found.places.size(); ++i) {
        const WorldPlace& p = found.places[i];
        std::printf("%s\t%s\t%s\t%s\t%s\t%s\t%lld", p.name.c_str(), p.region.c_str(), p.country.c_str(),
                    CitiesLatitude(p.latitude).c_str(), CitiesLongitude(p.longitude).c_str(), p.zone.c_str(),
                    static_cast<long long>(p.population));
        // The distance from the position asked for, in km with one decimal, as an eighth column.
        if (near) std::printf("\t%.1f", distances[i]);
        std::printf("\n");
    }
    if (found.places.empty()) {
        if (near) {
            Tell("the atlas holds no place");
            return 1;
        }
        Tell("no place matches \"" + query->substr(0, 80) + "\"");
        return 1;
    }
    return 0;
}

}  // namespace talvenor::cli

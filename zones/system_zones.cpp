#include "system_zones.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>

#include "atlas/zone_ids.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

// The folders Qt reads the zone files from, in its order.
constexpr std::array<const char*, 3> kZoneFolders = {"/usr/share/zoneinfo", "/usr/lib/zoneinfo",
                                                     "/usr/share/lib/zoneinfo"};

// Every zone id of the database's zone list, the links and backward names included; empty when no
// folder holds the list.
std::vector<std::string> ListedZoneIds() {
    for (const char* folder : kZoneFolders) {
        std::ifstream in(fs::path(folder) / kZoneListFile, std::ios::binary);
        if (!in) continue;
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> ids = ZoneIdsOfZoneList(text);
        if (!ids.empty()) return ids;
    }
    return {};
}

// Without a zone list: a zone file of that name, which begins with the magic "TZif".
bool HasZoneFile(const std::string& id) {
    for (const char* folder : kZoneFolders) {
        std::ifstream in(fs::path(folder) / id, std::ios::binary);
        char magic[4] = {};
        if (in && in.read(magic, 4) && std::string_view(magic, 4) == "TZif") return true;
    }
    return false;
}

}  // namespace

// The zones asked for so far, each read from its file once.
struct SystemZoneDatabase::Zones {
    std::map<std::string, QTimeZone> known;
    std::vector<std::string> listed = ListedZoneIds();

    // Every id of the database and nothing else: Qt would also take offsets such as "UTC+05:00", and
    // files that are no zones of the database ("posixrules", "right/UTC"), as zone ids.
    bool InDatabase(const std::string& id) const {
        if (!HasZoneIdShape(id)) return false;
        if (!listed.empty()) return std::binary_search(listed.begin(), listed.end(), id);
        return HasZoneFile(id);
    }

    const QTimeZone* Find(const std::string& id) {
        auto it = known.find(id);
        if (it == known.end()) {
            QTimeZone zone;
            if (InDatabase(id)) zone = QTimeZone(QByteArray::fromStdString(id));
            it = known.emplace(id, zone).first;
        }
        return it->second.isValid() ? &it->second : nullptr;
    }
};

SystemZoneDatabase::SystemZoneDatabase() : zones_(std::make_unique<Zones>()) {}
SystemZoneDatabase::~SystemZoneDatabase() = default;

bool SystemZoneDatabase::HasZone(const std::string& zone) {
    return zones_->Find(zone) != nullptr;
}

std::optional<ZonePeriod> SystemZoneDatabase::PeriodAt(const std::string& zone, std::int64_t utSeconds) {
    const QTimeZone* tz = zones_->Find(zone);
    if (!tz) return std::nullopt;
    const QDateTime at = QDateTime::fromSecsSinceEpoch(utSeconds, Qt::UTC);
    ZonePeriod p;
    if (!tz->hasTransitions()) {
        // Qt reads "UTC" itself, as a zone without transitions, for which it gives no offset data.
        p.offsetSeconds = tz->offsetFromUtc(at);
        p.standardSeconds = tz->standardTimeOffset(at);
        p.daylightSeconds = tz->daylightTimeOffset(at);
        p.abbreviation = tz->abbreviation(at).toStdString();
        return p;
    }
    const QTimeZone::OffsetData data = tz->offsetData(at);
    if (data.offsetFromUtc == std::numeric_limits<int>::min()) return std::nullopt;
    p.offsetSeconds = data.offsetFromUtc;
    p.standardSeconds = data.standardTimeOffset;
    p.daylightSeconds = data.daylightTimeOffset;
    p.abbreviation = data.abbreviation.toStdString();
    return p;
}

std::vector<std::int64_t> SystemZoneDatabase::ChangesBetween(const std::string& zone, std::int64_t from,
                                                             std::int64_t to) {
    std::vector<std::int64_t> changes;
    const QTimeZone* tz = zones_->Find(zone);
    if (!tz) return changes;
    QTimeZone::OffsetData next = tz->nextTransition(QDateTime::fromSecsSinceEpoch(from, Qt::UTC));
    while (next.atUtc.isValid()) {
        const std::int64_t at = next.atUtc.toSecsSinceEpoch();
        if (at > to) break;
        if (at > from) changes.push_back(at);
        next = tz->nextTransition(next.atUtc);
    }
    return changes;
}

}  // namespace talvenor

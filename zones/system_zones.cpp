#include "system_zones.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <limits>
#include <map>

namespace talvenor {

// The zones asked for so far, each read from its file once.
struct SystemZoneDatabase::Zones {
    std::map<std::string, QTimeZone> known;

    const QTimeZone* Find(const std::string& id) {
        auto it = known.find(id);
        if (it == known.end()) {
            // Only IANA names: Qt would also take offsets such as "UTC+05:00" as zone ids.
            QTimeZone zone(QByteArray::fromStdString(id));
            if (id.find('/') == std::string::npos && id != "UTC" && id != "GMT") zone = QTimeZone();
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
    const QTimeZone::OffsetData data = tz->offsetData(QDateTime::fromSecsSinceEpoch(utSeconds, Qt::UTC));
    if (data.offsetFromUtc == std::numeric_limits<int>::min()) return std::nullopt;
    ZonePeriod p;
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

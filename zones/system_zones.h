// The time-zone database of the system (the IANA tz files of the tzdata package, with their history back
// to local mean time), read through Qt's QTimeZone. A plain C++ interface: no Qt type shows here.
#pragma once

#include <memory>

#include "atlas/zone_readings.h"

namespace talvenor {

class SystemZoneDatabase : public ZoneDatabase {
  public:
    SystemZoneDatabase();
    ~SystemZoneDatabase() override;
    SystemZoneDatabase(const SystemZoneDatabase&) = delete;
    SystemZoneDatabase& operator=(const SystemZoneDatabase&) = delete;

    bool HasZone(const std::string& zone) override;
    std::optional<ZonePeriod> PeriodAt(const std::string& zone, std::int64_t utSeconds) override;
    std::vector<std::int64_t> ChangesBetween(const std::string& zone, std::int64_t from,
                                             std::int64_t to) override;

  private:
    struct Zones;
    std::unique_ptr<Zones> zones_;
};

}  // namespace talvenor

// The modern engine's tables as the program ships them, read once for all the tests of a program.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "ephemeris/modern_sky.h"

namespace talvenor::testing_support {

// The tables of data/ephemeris; a test that reads them fails when they cannot be read.
inline const std::shared_ptr<const ModernTables>& ShippedModernTables() {
    static const ModernTablesRead read =
        LoadModernTables(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris");
    EXPECT_FALSE(read.fault.has_value()) << read.fault.value_or("");
    static const std::shared_ptr<const ModernTables> tables =
        read.tables ? read.tables : std::make_shared<const ModernTables>();
    return tables;
}

inline const ModernTables& Tables() {
    return *ShippedModernTables();
}

// The difference of two angles in degrees as seconds of arc, signed (Arcseconds) or not (ArcsecondsApart).
inline double Arcseconds(double degrees) {
    return std::remainder(degrees, 360.0) * 3600.0;
}
inline double ArcsecondsApart(double degrees) {
    return std::fabs(Arcseconds(degrees));
}

// The bodies of the sky whose series reach every instant: all but Pluto.
inline constexpr ModernBody kNineBodies[] = {ModernBody::Sun,    ModernBody::Moon,   ModernBody::Mercury,
                                             ModernBody::Venus,  ModernBody::Mars,   ModernBody::Jupiter,
                                             ModernBody::Saturn, ModernBody::Uranus, ModernBody::Neptune};

}  // namespace talvenor::testing_support

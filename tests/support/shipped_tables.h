// The modern engine's tables as the program ships them, read once for all the tests of a program.
#pragma once

#include <gtest/gtest.h>

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

}  // namespace talvenor::testing_support

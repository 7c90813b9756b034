// Damage done to an atlas index on purpose, as a failing disk or an interrupted copy does it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "atlas/sqlite_support.h"

namespace talvenor::testing_support {

// Zeros over the leaf pages of the given tables of an index file ("name_keys", "places": where every
// search goes), found through SQLite's dbstat table. The header, the schema, the index's signature and the
// word index's structure stay as they were, so that the file opens as an index, and every search ran into
// "database disk image is malformed". The number of pages zeroed; 0 when the file cannot be read.
inline std::size_t ZeroLeafPages(const std::filesystem::path& indexFile,
                                 std::initializer_list<const char*> tables) {
    std::vector<std::int64_t> pages;
    std::int64_t pageSize = 0;
    {
        atlas_sql::Connection db;
        std::string error;
        if (!db.Open(indexFile.string(), SQLITE_OPEN_READONLY, error)) return 0;
        atlas_sql::Statement size(db, "PRAGMA page_size");
        if (size.Step() != SQLITE_ROW) return 0;
        pageSize = size.Int(0);
        atlas_sql::Statement leaves(db, "SELECT pageno FROM dbstat WHERE name = ?1 AND pagetype = 'leaf'");
        for (const char* table : tables) {
            leaves.BindText(1, table);
            while (leaves.Step() == SQLITE_ROW) pages.push_back(leaves.Int(0));
            leaves.Reset();
        }
    }
    std::fstream file(indexFile, std::ios::binary | std::ios::in | std::ios::out);
    const std::string zeros(static_cast<std::size_t>(pageSize), '\0');
    for (const std::int64_t page : pages) {
        file.seekp(static_cast<std::streamoff>((page - 1) * pageSize));
        file.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }
    return file ? pages.size() : 0;
}

// "Place 1" to "Place count" of Baden-Württemberg, the first the largest, as lines of ATLAS.TXT.
inline std::string NumberedPlaces(int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i) {
        lines += "Place " + std::to_string(i) + "\t\tOther " + std::to_string(i) + "\tDE\t01\t" +
                 std::to_string(47 + i % 7) + ".5\t" + std::to_string(6 + i % 9) + ".25\tEurope/Berlin\t" +
                 std::to_string(1000000 - i) + "\n";
    }
    return lines;
}

}  // namespace talvenor::testing_support

// TZ.DAT: the table as the time-zone picker reads it, and a pick of every entry of its list.
#include "datafiles/time_zones.h"
#include "fuzz_support.h"
#include "text/basic_text.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TimeZoneTable table = LoadTimeZoneTable(WriteInputFile("TZ.DAT", data, size));
    Require(table.opened, "an existing TZ.DAT opens");
    Require(table.entries.size() == table.rows.size(), "one list entry for each row");

    for (std::size_t k = 0; k < table.rows.size(); ++k) {
        const TimeZoneRow& row = table.rows[k];
        Require(!row.Name.empty(), "an empty name ends the table");
        const auto pick = PickTimeZone(table, table.entries[k]);
        // The entry's name is what stands before its first dash, less its trailing blanks, so a name with
        // a dash of its own, or a quoted one ending in blanks, is not found; every other entry gives the
        // zone of the first row of its name.
        if (row.Name.find('-') != std::string::npos || row.Name.back() == ' ') continue;
        Require(pick.has_value(), "every entry of the list can be picked");
        std::size_t first = 0;
        while (table.rows[first].Name != row.Name) ++first;
        const double offset = LeadingNumber(table.rows[first].Offset);
        Require(pick->zoneText == GeneralNumber(offset) && pick->east == (offset < 0),
                "a pick gives the zone of its row");
    }
    return 0;
}

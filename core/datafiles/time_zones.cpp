#include "datafiles/time_zones.h"

#include <utility>

#include "environment/text_files.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

constexpr std::size_t kNameWidth = 32;
constexpr std::size_t kAbbrevWidth = 4;

// Blanks in front of the offset, so that the usual values line up in the fixed-pitch list.
std::size_t OffsetIndent(const std::string& offset) {
    if (offset.starts_with("-0,")) return 2;
    const double v = LeadingNumber(offset);
    if (v >= 100) return 1;
    if (v >= 10) return 2;
    if (v >= 0) return 3;
    if (v > -10) return 2;
    if (v > -100) return 1;
    return 0;
}

std::string Blanks(std::size_t width, std::string_view text) {
    const std::size_t count = CharacterCount(text);
    return std::string(count < width ? width - count : 0, ' ');
}

}  // namespace

TimeZoneTable LoadTimeZoneTable(const std::filesystem::path& file) {
    TimeZoneTable table;
    auto text = ReadTextFile(file);
    if (!text) return table;
    table.opened = true;

    FieldReader reader(std::move(*text));
    while (!reader.AtEnd()) {
        auto name = reader.Next();
        if (!name || name->empty()) break;
        auto abbrev = reader.Next();
        auto offset = reader.Next();
        if (!abbrev || !offset || CharacterCount(*name) > kNameWidth ||
            CharacterCount(*abbrev) > kAbbrevWidth || offset->size() > kLongestListField) {
            table.corrupt = true;
            break;
        }
        TimeZoneRow row{std::move(*name), std::move(*abbrev), std::move(*offset)};
        table.entries.push_back(TimeZoneListEntry(row));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string TimeZoneListEntry(const TimeZoneRow& row) {
    return row.Name + Blanks(kNameWidth, row.Name) + " - " + Blanks(kAbbrevWidth, row.Abbrev) + row.Abbrev +
           " =" + std::string(OffsetIndent(row.Offset), ' ') + row.Offset;
}

std::optional<ZonePick> PickTimeZone(const TimeZoneTable& table, const std::string& entryText) {
    // The name is what stands before the " - " of the entry; a name holding a dash of its own is cut
    // short there and is not found.
    const std::size_t dash = entryText.find('-');
    if (dash == std::string::npos || dash == 0) return std::nullopt;
    std::string name = entryText.substr(0, dash - 1);
    while (!name.empty() && name.back() == ' ') name.pop_back();

    for (const TimeZoneRow& row : table.rows) {
        if (row.Name != name) continue;
        const double v = LeadingNumber(row.Offset);
        return ZonePick{GeneralNumber(v), v < 0};
    }
    return std::nullopt;
}

}  // namespace talvenor

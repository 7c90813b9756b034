#include "atlas/zone_ids.h"

#include <algorithm>

namespace talvenor {
namespace {

// The blank-separated words of a line.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool IsIdCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '+' || c == '.';
}

}  // namespace

std::vector<std::string> ZoneIdsOfZoneList(std::string_view text) {
    std::vector<std::string> ids;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::vector<std::string_view> words = Words(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (words.empty()) continue;
        // "Z NAME ..." names a zone; "L TARGET NAME" a link.
        if ((words[0] == "Z" || words[0] == "Zone") && words.size() >= 2) {
            ids.emplace_back(words[1]);
        } else if ((words[0] == "L" || words[0] == "Link") && words.size() >= 3) {
            ids.emplace_back(words[2]);
        }
    }
    std::erase_if(ids, [](const std::string& id) { return !HasZoneIdShape(id); });
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

bool HasZoneIdShape(std::string_view text) {
    if (text.empty() || text.size() > 255) return false;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('/', start);
        const std::string_view part = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty() || part.front() == '.' || !std::all_of(part.begin(), part.end(), IsIdCharacter))
            return false;
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

}  // namespace talvenor

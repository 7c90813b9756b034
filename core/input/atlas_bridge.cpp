#include "input/atlas_bridge.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "environment/text_files.h"
#include "input/input_fills.h"
#include "input/strict_number.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The first `count` lines of a file's decoded text; no value when the file cannot be read or is
// shorter, as a read past its end fails.
std::optional<std::vector<std::string>> FirstLines(const fs::path& file, std::size_t count) {
    const std::optional<std::string> text = ReadTextFile(file);
    if (!text) return std::nullopt;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (lines.size() < count && start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    if (lines.size() < count) return std::nullopt;
    return lines;
}

// The folder (ending in "/") of the first executable file of that name on PATH; "" when none.
std::string FolderOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path) return {};
    std::string_view rest(path);
    while (true) {
        const std::size_t colon = rest.find(':');
        std::string folder(rest.substr(0, colon));
        if (folder.empty()) folder = ".";
        if (folder.back() != '/') folder += '/';
        const std::string candidate = folder + name;
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return folder;
        if (colon == std::string_view::npos) return {};
        rest.remove_prefix(colon + 1);
    }
}

// A folder read from a file, ready for a file name to be appended; an empty one stays empty.
std::string FolderForAppending(std::string_view folder) {
    return Trimmed(folder).empty() ? std::string() : AtlasFolder(folder);
}

// A zone line that starts with a number (after blanks, an optional sign, then a digit or a point and a
// digit); the leading-number rule would read anything else as 0.
bool StartsWithNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    return !text.empty() && IsDigit(text.front());
}

// Degrees before the direction letter and the two characters of minutes after it, both as the windows
// show them; no value when either is not a number.
bool ReadDegreesAndMinutes(std::string_view text, std::size_t letter, std::string& degrees,
                           std::string& minutes) {
    const std::string_view before = text.substr(0, letter);
    const std::string_view after = text.substr(letter + 1, 2);
    if (!StrictNumber(before) || !StrictNumber(after)) return false;
    degrees = GeneralNumber(LeadingNumber(before));
    minutes = GeneralNumber(LeadingNumber(after));
    return true;
}

void FillPlace(std::string& zone, std::string& longDeg, std::string& longMin, std::string& latDeg,
               std::string& latMin, bool wasEast, const AtlasPlace& place) {
    zone = place.zone;
    longDeg = place.longDeg;
    longMin = place.longMin;
    latDeg = place.latDeg;
    latMin = place.latMin;
    if (place.east != wasEast) ApplyEastWestToZone(zone, place.east);
}

}  // namespace

std::string AtlasPathFileMissingMessage(std::string_view atlasDir) {
    return "Cannot find the file called PCATPATH in the " + std::string(atlasDir) + " directory.";
}

std::string AtlasAnswerFileMissingMessage(std::string_view tsrDir) {
    return "Cannot find the file called TSRTEMP.TXT in the " + std::string(tsrDir) + " directory.";
}

std::string AtlasAnswerUnreadableMessage(std::string_view answerFile) {
    return "The atlas answer file " + std::string(answerFile) +
           " does not hold a latitude such as 40N42, a longitude such as 74W00 and a time zone. The place "
           "was not used.";
}

std::string AtlasAcceptQuestion(std::string_view longText, std::string_view latText, float zone) {
    return "Accept following data? \n\nLongitude = " + std::string(longText) +
           "\nLatitude  = " + std::string(latText) + "\nTime zone = " + GeneralNumberSingle(zone);
}

bool RunAndWait(const std::string& commandLine) {
    if (commandLine.empty()) return false;
    std::vector<char> program(commandLine.begin(), commandLine.end());
    program.push_back('\0');
    char* argv[] = {program.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program.data(), nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    while (waitpid(child, &status, 0) == -1 && errno == EINTR) {
    }
    return true;
}

std::string AtlasFolder(std::string_view typed) {
    std::string folder(Trimmed(typed));
    if (folder.empty()) return folder;
    for (char& c : folder) {
        if (c == '\\') c = '/';
    }
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::optional<AtlasPlace> ReadAtlasPlace(std::string_view latText, std::string_view longText, float zone) {
    AtlasPlace place;
    std::size_t west = longText.find('W');
    const std::size_t longLetter = west != std::string_view::npos ? west : longText.find('E');
    std::size_t north = latText.find('N');
    const std::size_t latLetter = north != std::string_view::npos ? north : latText.find('S');
    if (longLetter == std::string_view::npos || latLetter == std::string_view::npos || !std::isfinite(zone))
        return std::nullopt;
    if (!ReadDegreesAndMinutes(longText, longLetter, place.longDeg, place.longMin) ||
        !ReadDegreesAndMinutes(latText, latLetter, place.latDeg, place.latMin))
        return std::nullopt;
    place.zone = GeneralNumberSingle(zone);
    place.east = west == std::string_view::npos;
    place.south = north == std::string_view::npos;
    return place;
}

AtlasLookupResult ReadAtlasAnswer(const std::string& AtlasDir) {
    AtlasLookupResult r;
    const auto refuse = [&r](std::string message) {
        r.AtlasOK = false;
        r.fault = UserMessage{std::move(message), kAtlasWarningTitle, MessageIcon::Critical};
        return r;
    };
    // A program found on PATH keeps its files in the folder it was found in.
    const std::string atlasFolder = AtlasDir.empty() ? FolderOnPath(kAtlasProgramName) : AtlasDir;
    const auto pathFile = FirstLines(atlasFolder + kAtlasPathFileName, 1);
    if (!pathFile) return refuse(AtlasPathFileMissingMessage(atlasFolder));
    // An empty first line names the atlas folder itself.
    std::string TsrDir = FolderForAppending((*pathFile)[0]);
    if (TsrDir.empty()) TsrDir = atlasFolder;

    const std::string answerFile = TsrDir + kAtlasAnswerFileName;
    const auto answer = FirstLines(answerFile, 5);
    if (!answer) return refuse(AtlasAnswerFileMissingMessage(TsrDir));
    r.AtlasLatText = (*answer)[1];
    r.AtlasLongText = (*answer)[2];
    const std::string& zoneLine = (*answer)[4];
    r.AtlasTZ = static_cast<float>(LeadingNumber(zoneLine));

    // The fields are only offered a place that can be written into them whole.
    const std::optional<AtlasPlace> place = StartsWithNumber(zoneLine)
                                                ? ReadAtlasPlace(r.AtlasLatText, r.AtlasLongText, r.AtlasTZ)
                                                : std::nullopt;
    if (!place) return refuse(AtlasAnswerUnreadableMessage(answerFile));
    r.place = *place;
    return r;
}

void FillNatalFromAtlas(InputTexts& n, const AtlasPlace& place) {
    FillPlace(n.zone, n.longDeg, n.longMin, n.latDeg, n.latMin, n.east, place);
    n.SelectEast(place.east);
    n.SelectSouth(place.south);
}

void FillDiurnalFromAtlas(SecondInputTexts& d, const AtlasPlace& place) {
    FillPlace(d.zone, d.longDeg, d.longMin, d.latDeg, d.latMin, d.east, place);
    d.SelectEast(place.east);
    d.SelectSouth(place.south);
}

}  // namespace talvenor

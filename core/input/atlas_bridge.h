// The exchange with the outside atlas program: it is started and waited for, the place it leaves in its
// answer file is offered to the user, and an accepted place goes into an input window's fields.
//
// The atlas program is found as AtlasDir + "ATLAS.EXE"; on Linux that is whatever program or launcher
// script the user keeps under that name. It leaves PCATPATH.TXT in its own folder, whose first line
// names the folder of the answer file TSRTEMP.TXT.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "chart/input_texts.h"
#include "environment/user_message.h"

namespace talvenor {

inline constexpr const char* kAtlasProgramName = "ATLAS.EXE";
inline constexpr const char* kAtlasPathFileName = "PCATPATH.TXT";
inline constexpr const char* kAtlasAnswerFileName = "TSRTEMP.TXT";

inline constexpr const char* kAtlasFolderTitle = "Where do I find ATLAS.EXE?";
inline constexpr const char* kAtlasFolderPrompt =
    "Enter the complete path for where ATLAS.EXE resides: \n\n"
    "(Example: c:\\atlas OR c:\\charts\\atlas OR d:\\windows\\atlas\\)";
inline constexpr const char* kAtlasWarningTitle = "Warning!";
inline constexpr const char* kAtlasAcceptTitle = "Accept or Reject data";

// The answers of the accept question.
inline constexpr std::int16_t kAtlasAnswerYes = 6;
inline constexpr std::int16_t kAtlasAnswerNo = 7;

std::string AtlasPathFileMissingMessage(std::string_view atlasDir);
std::string AtlasAnswerFileMissingMessage(std::string_view tsrDir);
// The answer file holds no place that can be used; the fields stay as they were.
std::string AtlasAnswerUnreadableMessage(std::string_view answerFile);
std::string AtlasAcceptQuestion(std::string_view longText, std::string_view latText, float zone);

// Starts the program named by the command line as a child process and waits, without a time limit,
// until it has ended. The whole command line is the program: a name without a "/" is searched on PATH,
// anything else is a path (blanks in folder names need no quoting). The child inherits the environment,
// the working folder and the open files. False when the program could not be started.
bool RunAndWait(const std::string& commandLine);

using ProgramRunner = std::function<bool(const std::string& commandLine)>;

// A folder as the user typed it, made ready to have a file name appended: a "\" counts as a separator
// and becomes "/", and a "/" is added when the folder does not end in one. Blanks around it are
// dropped; an empty answer stays empty.
std::string AtlasFolder(std::string_view typed);

// A place from the answer file in the texts the input windows show.
struct AtlasPlace {
    std::string zone;  // general number format
    std::string longDeg, longMin, latDeg, latMin;
    bool east = false;
    bool south = false;
};

// Reads the answer file's latitude line (40N42), longitude line (74W00) and zone. The degrees are the
// characters before the direction letter, the minutes the two after it; a line without its direction
// letters, degrees or minutes that are not numbers, or a zone that does not start with a number give no
// place.
std::optional<AtlasPlace> ReadAtlasPlace(std::string_view latText, std::string_view longText, float zone);

struct AtlasLookupResult {
    bool AtlasOK = true;
    std::int16_t AtlasAnswer = kAtlasAnswerNo;
    std::string AtlasLatText, AtlasLongText;
    float AtlasTZ = 0;
    AtlasPlace place;                  // read when AtlasOK
    std::optional<UserMessage> fault;  // why not, when the answer could not be read
};

// After the atlas program ran: reads PCATPATH.TXT in the atlas folder and TSRTEMP.TXT in the folder it
// names. Missing files and an answer file without a usable place leave AtlasOK false with the message
// to show. With AtlasDir empty the atlas folder is the PATH folder the program was found in. (The
// dialogue around it, AtlasLookup, is the session's: session/atlas_lookup.h.)
AtlasLookupResult ReadAtlasAnswer(const std::string& AtlasDir);

// Writes an accepted place into the fields: the zone, the degrees and minutes, North or South, and
// East or West; when East or West changes, the zone takes that side's sign (as a click on it would).
void FillNatalFromAtlas(InputTexts& natal, const AtlasPlace& place);
void FillDiurnalFromAtlas(SecondInputTexts& diurnal, const AtlasPlace& place);

}  // namespace talvenor

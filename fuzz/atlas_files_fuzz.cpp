// The atlas program's answer: PCATPATH.TXT in the atlas folder names the folder of TSRTEMP.TXT, whose
// place a Yes writes into the natal or the diurnal window. The program itself is not started.
//
// Input: line 1 is the first line of PCATPATH.TXT, written after the atlas folder's own path (so "\" or
// "" name the atlas folder itself); when line 1 starts with "=", the rest of it is the whole line as it
// stands. The remaining lines are TSRTEMP.TXT, kept in the atlas folder.
#include <cmath>

#include "chart/house_systems.h"
#include "fuzz_support.h"
#include "session/atlas_lookup.h"
#include "session/compute_charts.h"
#include "text/basic_text.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

// Accepts every place offered.
class AcceptingDialogs : public CountingDialogs {
  public:
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return true; }
};

bool IsGeneralNumber(const std::string& text) {
    const double value = LeadingNumber(text);
    return std::isfinite(value) && text == GeneralNumber(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = AsText(data, size);
    const std::size_t cut = input.find('\n');
    const std::string_view first = input.substr(0, cut);
    const std::string_view answer =
        cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

    const std::string atlasDir = (FuzzFolder() / "atlas").string() + "/";
    std::filesystem::create_directories(atlasDir);
    const std::string pathLine = first.starts_with("=")
                                     ? std::string(first.substr(1))
                                     : atlasDir.substr(0, atlasDir.size() - 1) + std::string(first);
    WriteTextFile("atlas/PCATPATH.TXT", pathLine + "\r\n");
    WriteTextFile("atlas/TSRTEMP.TXT", answer);

    AcceptingDialogs dialogs;
    Session session(dialogs);
    session.settings.AtlasDir = atlasDir;
    const auto run = [&](const std::string& commandLine) {
        Require(commandLine == atlasDir + kAtlasProgramName, "the atlas program is started from its folder");
        return true;
    };
    const bool natalFilled = LookUpNatalPlace(session, run);
    const int natalMessages = dialogs.messages;
    const bool diurnalFilled = LookUpDiurnalPlace(session, run);
    Require(natalFilled == diurnalFilled, "both windows take the same answer file alike");
    Require(session.settings.AtlasDir == atlasDir, "a folder that worked is kept");
    if (!natalFilled) {
        Require(natalMessages == 1, "an answer that is not used is reported once");
        return 0;
    }
    const InputTexts& n = session.natal;
    const SecondInputTexts& d = session.diurnal;
    Require(n.zone == d.zone && n.longDeg == d.longDeg && n.longMin == d.longMin && n.latDeg == d.latDeg &&
                n.latMin == d.latMin && n.east == d.east && n.south == d.south,
            "a place fills both windows alike");
    // Every field holds a number in the general number format, which may be an exponent form
    // (" 1.5E+12") that the input checks refuse later.
    Require(std::isfinite(LeadingNumber(n.zone)) && IsGeneralNumber(n.longDeg) &&
                IsGeneralNumber(n.longMin) && IsGeneralNumber(n.latDeg) && IsGeneralNumber(n.latMin),
            "an accepted place leaves numbers in the fields");

    // The place with a date and a time either computes or is refused with its message.
    for (std::string* text : {&session.natal.month, &session.diurnal.month}) *text = "3";
    for (std::string* text : {&session.natal.day, &session.diurnal.day}) *text = "14";
    for (std::string* text : {&session.natal.year, &session.diurnal.year}) *text = "1962";
    for (std::string* text : {&session.natal.hour, &session.diurnal.hour}) *text = "10";
    for (std::string* text : {&session.natal.minute, &session.diurnal.minute}) *text = "15";
    session.checkedHouse = HouseSystemOfMenuCode("M");
    dialogs.messages = 0;
    const ComputeOutcome outcome = ComputeCharts(session);
    Require((outcome == ComputeOutcome::Computed) == (dialogs.messages == 0),
            "a chart that is not computed says why");
    return 0;
}

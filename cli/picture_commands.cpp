#include "picture_commands.h"

#include <cmath>

#include "arguments.h"
#include "input/strict_number.h"
#include "midpoints/dial_panel.h"
#include "midpoints/planetary_pictures.h"
#include "session/picture_commands.h"

namespace talvenor::cli {

namespace {

std::string FourDecimals(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", v);
    if (std::string(text) == "-0.0000") return "0.0000";
    return text;
}

}  // namespace

std::string TakePictureArguments(std::vector<std::string>& args, PictureArguments& taken) {
    const Option options[] = {
        Option::Text("--orb", taken.orb, "a number"),
        Option::Text("--target", taken.target, "a factor or a degree"),
        Option::Flag("--tsv", taken.tsv),
        Option::Flag("--pictures", taken.pictures),
    };
    return TakeArguments(args, options);
}

std::string CheckPictureArguments(const std::string& report, const PictureArguments& a, FactorSet set) {
    if (report != "pictures") {
        if (a.orb) return "--orb belongs to pictures only";
        if (a.target) return "--target belongs to pictures only";
        if (a.tsv) return "--tsv belongs to pictures only";
    }
    if (a.pictures && report != "dial-panel") return "--pictures belongs to dial-panel only";
    if (a.orb) {
        if (!ReadNumber(*a.orb, 0, 180)) return "--orb must be a number of degrees from 0 to 180: " + *a.orb;
    }
    if (a.target && !ParsePictureChoice(*a.target, set)) {
        return "--target must be a factor (" + FactorNameList(set) +
               ") or a degree from 0 to below 360: " + *a.target;
    }
    return "";
}

PictureRequest PictureRequestOf(const Session& s, float modulus, const PictureArguments& a) {
    PictureRequest request;
    request.modulus = modulus;
    request.orb = a.orb ? *StrictNumber(*a.orb) : s.options.treeOrb();
    if (a.target) request.choice = *ParsePictureChoice(*a.target, s.factors);
    return request;
}

std::string PicturesTsvLines(const Session& s, const PictureRequest& request, const std::string& lineEnd) {
    return PicturesTsv(ChartPictures(s.natalChart, s.secondChart, s.options, request), request.modulus,
                       lineEnd);
}

std::string DialPanelPictureLines(const Session& s, float modulus, double pointer,
                                  const std::string& lineEnd) {
    std::string text;
    for (const Picture& p : PicturesAt(s.natalChart, s.options, modulus, pointer, s.options.treeOrb())) {
        text += PictureShortName(p) + "\t" + DialPositionText(p.position, modulus) + "\t" +
                FourDecimals(p.orb) + lineEnd;
    }
    return text;
}

}  // namespace talvenor::cli

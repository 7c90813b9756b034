#include "midpoints/planetary_pictures.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "chart/point_catalogue.h"
#include "midpoints/analysis_table.h"
#include "midpoints/dial_panel.h"
#include "midpoints/midpoint_trees.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

// v reduced to 0 to below m.
double OnDial(double v, double m) {
    v = std::fmod(v, m);
    if (v < 0) v += m;
    return v >= m ? 0.0 : v;
}

std::string Upper(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string FourDecimals(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", v);
    if (std::string(text) == "-0.0000") return "0.0000";
    return text;
}

std::string TargetName(const PictureTarget& t, float modulus) {
    if (t.factor == 0) return DialPositionText(OnDial(t.lon, modulus), modulus);
    return (t.second ? "Tr." : "") + PictureFactorName(t.factor);
}

// A dial position as degrees and minutes, right-aligned in seven characters (" 5°07'", "45°00'").
std::string DialPlace(double position) {
    std::string place = DialDegreeText(position);
    while (DisplayWidth(place) < 7) place.insert(place.begin(), ' ');
    return place;
}

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

std::vector<double> Factors(const AnalysisTable& table) {
    std::vector<double> f(static_cast<std::size_t>(table.FactorCount()) + 1, 0.0);
    for (std::size_t i = 1; i < f.size(); ++i) f[i] = table.Lon[i];
    return f;
}

std::vector<PictureTarget> FactorTargets(std::span<const double> factors, int only, bool second) {
    std::vector<PictureTarget> targets;
    for (int f = 1; f < static_cast<int>(factors.size()); ++f) {
        if (only != 0 && f != only) continue;
        targets.push_back({f, factors[static_cast<std::size_t>(f)], second});
    }
    return targets;
}

std::string TargetHeading(const PictureTarget& t, double modulus) {
    if (t.factor == 0) return "  At" + DialPlace(OnDial(t.lon, modulus)) + " on the dial";
    return "  " + std::string(t.second ? "Tr. " : "") + Padded(PictureFactorName(t.factor), 3) + "  (" +
           PositionText(t.lon) + ") " + DialPlace(OnDial(t.lon, modulus));
}

std::string PictureLine(const Picture& p) {
    return "    " + Padded(PictureFactorName(p.a), 3) + " + " + Padded(PictureFactorName(p.b), 3) + " - " +
           Padded(PictureFactorName(p.c), 3) + "  " + DialPlace(p.position) + "  " + TreeOrbText(p.orb);
}

}  // namespace

std::string PictureFactorName(int factor) {
    if (factor < 1 || factor > kUranianFactorCount) return "";
    return FactorName(factor);
}

int PictureFactorOfName(std::string_view name, FactorSet set) {
    const std::string n = Upper(Trimmed(name));
    if (n.empty()) return 0;
    if (n == "NOD" || n == "NODE") return 11;
    for (int f = 1; f <= FactorCountOf(set); ++f) {
        const std::string analysis = Trimmed(FactorOf(f).analysisName);
        if (n == PictureFactorName(f) || n == analysis || n == FactorCode(f)) return f;
    }
    // The Aries point by its full name too.
    if (set == FactorSet::Uranian && n == "ARIES POINT") return kAriesPointFactor;
    return 0;
}

std::string FactorNameList(FactorSet set) {
    return set == FactorSet::Uranian ? "SUN, MOO ... NN, ASC, MC, ARI, CUP, HAD, ZEU, KRO, APO, ADM, VUL, POS"
                                     : "SUN, MOO ... NN, ASC, MC";
}

double PicturePosition(double a, double b, double c, double modulus) {
    return OnDial(a + b - c, modulus);
}

double PictureOrb(double position, double targetLon, double modulus) {
    const double d = OnDial(position - targetLon, modulus);
    return d >= modulus / 2 ? d - modulus : d;
}

std::vector<Picture> FindPictures(std::span<const double> factors, const std::vector<PictureTarget>& targets,
                                  double modulus, double orb) {
    std::vector<Picture> found;
    if (!(modulus > 0) || !(orb >= 0) || factors.size() < 4) return found;
    // Every pair with each of the other factors, placed once: of the 13 classic factors the 78 pairs with
    // 11 others, 858 pictures; of the 22 Uranian factors 231 pairs with 20 others, 4620.
    const int count = static_cast<int>(factors.size()) - 1;
    std::vector<Picture> all;
    all.reserve(static_cast<std::size_t>(count * (count - 1) / 2 * (count - 2)));
    for (int a = 1; a < count; ++a) {
        for (int b = a + 1; b <= count; ++b) {
            for (int c = 1; c <= count; ++c) {
                if (c == a || c == b) continue;
                Picture p;
                p.a = a;
                p.b = b;
                p.c = c;
                p.position = PicturePosition(factors[static_cast<std::size_t>(a)],
                                             factors[static_cast<std::size_t>(b)],
                                             factors[static_cast<std::size_t>(c)], modulus);
                all.push_back(p);
            }
        }
    }
    // Pictures plainly out of orb are passed over by their distance on the dial before the orb itself is
    // measured (the margin keeps every picture that measures within the orb).
    const double reach = orb + 1e-6 * modulus;
    for (const PictureTarget& t : targets) {
        const std::size_t first = found.size();
        const double place = OnDial(t.lon, modulus);
        for (const Picture& p : all) {
            if (!t.second && t.factor != 0 && (t.factor == p.a || t.factor == p.b)) continue;
            const double apart = std::fabs(p.position - place);
            if (apart > reach && modulus - apart > reach) continue;
            const double o = PictureOrb(p.position, t.lon, modulus);
            if (!(std::fabs(o) <= orb)) continue;
            Picture hit = p;
            hit.target = t;
            hit.orb = o;
            found.push_back(hit);
        }
        std::stable_sort(
            found.begin() + static_cast<std::ptrdiff_t>(first), found.end(),
            [](const Picture& x, const Picture& y) { return std::fabs(x.orb) < std::fabs(y.orb); });
    }
    return found;
}

std::optional<PictureChoice> ParsePictureChoice(std::string_view text, FactorSet set) {
    const std::string t = Trimmed(text);
    PictureChoice choice;
    if (t.empty()) return choice;
    if (const int f = PictureFactorOfName(t, set); f != 0) {
        choice.factor = f;
        return choice;
    }
    // Read as every number a user types is read, whatever the C locale's decimal separator.
    const std::optional<double> v = WholeNumber(t);
    if (!v || *v < 0 || *v >= 360) return std::nullopt;
    choice.degree = *v;
    return choice;
}

std::string PictureTargetRefusal(std::string_view answer, FactorSet set) {
    std::string quoted = Trimmed(answer);
    if (quoted.size() > 40) quoted = quoted.substr(0, 40) + "...";
    return "\"" + quoted + "\" is neither a factor (" + FactorNameList(set) +
           ") nor a degree from 0 to below 360.";
}

std::string PictureTargetPrompt(FactorSet set) {
    return "Enter the target D of A + B - C: a factor (" + FactorNameList(set) +
           "), a degree from 0 to below 360, or nothing for every factor:";
}

std::vector<Picture> ChartPictures(const Chart& natalChart, const Chart& secondChart, const Options& options,
                                   const PictureRequest& request) {
    const std::vector<double> natal = Factors(NatalAnalysisTable(natalChart, options));
    if (request.choice.degree) {
        // A degree is a place on the dial: 100 on the 45 dial is 10.
        const double place = OnDial(*request.choice.degree, request.modulus);
        return FindPictures(natal, {{0, place, false}}, request.modulus, request.orb);
    }
    const std::vector<double> second = Factors(SecondAnalysisTable(secondChart));
    std::vector<PictureTarget> targets = FactorTargets(natal, request.choice.factor, false);
    const std::vector<PictureTarget> seconds = FactorTargets(second, request.choice.factor, true);
    targets.insert(targets.end(), seconds.begin(), seconds.end());
    return FindPictures(natal, targets, request.modulus, request.orb);
}

std::vector<Picture> PicturesAt(const Chart& natal, const Options& options, float modulus, double degree,
                                double orb) {
    // As ChartPictures with a degree for its target: the second chart has no part in it.
    const std::vector<double> factors = Factors(NatalAnalysisTable(natal, options));
    return FindPictures(factors, {{0, OnDial(degree, modulus), false}}, modulus, orb);
}

void WritePicturesReport(const Chart& natalChart, const Chart& secondChart, const Options& options,
                         const SecondInputTexts& diurnal, const PictureRequest& request,
                         ReportBuffer& report) {
    report.AppendLine("  Planetary Pictures A + B - C = D - modulus =" +
                      GeneralNumberSingle(request.modulus) + ", orb =" + GeneralNumber(request.orb));
    const std::vector<Picture> pictures = ChartPictures(natalChart, secondChart, options, request);

    std::vector<PictureTarget> targets;
    if (request.choice.degree) {
        targets.push_back({0, *request.choice.degree, false});
    } else {
        const AnalysisTable natal = NatalAnalysisTable(natalChart, options);
        const AnalysisTable second = SecondAnalysisTable(secondChart);
        targets = FactorTargets(Factors(natal), request.choice.factor, false);
        const auto seconds = FactorTargets(Factors(second), request.choice.factor, true);
        targets.insert(targets.end(), seconds.begin(), seconds.end());
    }

    bool secondSection = false;
    report.AppendBlankLine();
    report.AppendLine("  NATAL PICTURES AT THE NATAL FACTORS");
    for (const PictureTarget& t : targets) {
        if (t.second && !secondSection) {
            secondSection = true;
            report.AppendBlankLine();
            report.AppendLine(diurnal.secondPerson
                                  ? "  " + diurnal.secondPersonName + "'s FACTORS AT THE NATAL PICTURES"
                                  : std::string("  TRANSITING FACTORS AT THE NATAL PICTURES"));
        }
        report.AppendBlankLine();
        report.AppendLine(TargetHeading(t, request.modulus));
        bool any = false;
        for (const Picture& p : pictures) {
            if (p.target.factor != t.factor || p.target.second != t.second) continue;
            report.AppendLine(PictureLine(p));
            any = true;
        }
        if (!any) report.AppendLine("    none");
    }
    report.AppendBlankLine();
}

std::string PicturesTsv(const std::vector<Picture>& pictures, float modulus, const std::string& lineEnd) {
    std::string text;
    for (const Picture& p : pictures) {
        text += PictureFactorName(p.a) + "\t" + PictureFactorName(p.b) + "\t" + PictureFactorName(p.c) +
                "\t" + TargetName(p.target, modulus) + "\t" + DialPositionText(p.position, modulus) + "\t" +
                FourDecimals(p.orb) + lineEnd;
    }
    return text;
}

std::string PictureShortName(const Picture& p) {
    return FactorCode(p.a) + "+" + FactorCode(p.b) + "-" + FactorCode(p.c);
}

}  // namespace talvenor

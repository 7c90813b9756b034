// Planetary pictures: A + B - C over the thirteen midpoint factors, reduced to a modulus, standing within
// an orb of a target D on the dial. A + B - C = D says that the midpoints A/B and C/D coincide: the
// picture is the point that completes the symmetry of A and B about C.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"
#include "chart/input_texts.h"
#include "environment/options.h"
#include "report/report_buffer.h"

namespace talvenor {

// The three-letter name of factor f (1..22) as the formulas report writes it: SUN, MOO, MER ... PLU, NN,
// ASC, MC, then ARI, CUP ... POS.
std::string PictureFactorName(int factor);

// The factor of a set a name stands for: the three-letter names above, the analysis names (MOON,
// MERCURY ... CUPIDO), NOD for the node and the trees' two-letter codes (SU, MO ... AS, CU), in any case;
// 0 when none (a Uranian name with the classic set is none).
int PictureFactorOfName(std::string_view name, FactorSet set = FactorSet::Classic);

// The factors' names as the messages list them: "SUN, MOO ... NN, ASC, MC", and the nine more of the
// Uranian set.
std::string FactorNameList(FactorSet set);

// What the pictures are measured against.
struct PictureTarget {
    int factor = 0;       // 1..13, or 0 for a degree on the dial
    double lon = 0;       // the factor's longitude, or the degree
    bool second = false;  // a factor of the second chart (the pictures themselves are always natal)
};

struct Picture {
    int a = 0, b = 0, c = 0;  // factors, a < b, c neither of them
    PictureTarget target;     // D
    double position = 0;      // A + B - C on the dial, 0 to below the modulus
    double orb = 0;           // position - D the short way round the dial, -modulus/2 to below modulus/2
};

// A + B - C on the dial of the modulus.
double PicturePosition(double a, double b, double c, double modulus);
// The signed distance from the target to the picture on the dial.
double PictureOrb(double position, double targetLon, double modulus);

// Every picture of factors[1..n] (n = factors.size() - 1: 13, or 22 Uranian) within orb of a target, by
// target in the order given, then by the absolute orb; equal orbs keep the order of A, then B, then C. A
// natal factor as target is not tried with pictures that hold it as A or B: A + B - C = A only says that B
// and C stand together.
std::vector<Picture> FindPictures(std::span<const double> factors, const std::vector<PictureTarget>& targets,
                                  double modulus, double orb);

// The target a user asks for: every factor, one factor, or a degree on the dial.
struct PictureChoice {
    int factor = 0;                // 1..13 for one factor
    std::optional<double> degree;  // a degree, 0 to below 360
    bool all() const { return factor == 0 && !degree; }
};

// Reads a target: an empty text is every factor, a factor's name of the set one factor, a number from 0 to
// below 360 a degree (all of the text a number, as WholeNumber reads it); nothing for anything else.
std::optional<PictureChoice> ParsePictureChoice(std::string_view text, FactorSet set = FactorSet::Classic);

// The question for the target, naming the set's factors.
std::string PictureTargetPrompt(FactorSet set = FactorSet::Classic);
inline constexpr const char* kPictureTargetTitle = "Planetary Pictures";
// The message for an answer that ParsePictureChoice refuses, which quotes it and names the set's factors.
std::string PictureTargetRefusal(std::string_view answer, FactorSet set = FactorSet::Classic);

// The pictures of a chart for a request: the natal pictures at the natal factors (or at the chosen factor,
// or at the degree), then, unless the target is a degree, the second chart's factors at the natal
// pictures. The natal node is the one option 161 chooses; the second chart keeps its own point 11.
struct PictureRequest {
    float modulus = 360;
    double orb = 1.5;
    PictureChoice choice;
};
std::vector<Picture> ChartPictures(const Chart& natal, const Chart& second, const Options& options,
                                   const PictureRequest& request);

// The natal pictures at one degree of the dial (the dial's pointer), nearest first.
std::vector<Picture> PicturesAt(const Chart& natal, const Options& options, float modulus, double degree,
                                double orb);

// The page after the command's natal heading: the title with modulus and orb, then each target with its
// pictures (or "none").
void WritePicturesReport(const Chart& natal, const Chart& second, const Options& options,
                         const SecondInputTexts& diurnal, const PictureRequest& request,
                         ReportBuffer& report);

// One line per picture of the dial of `modulus`, tab-separated: A, B, C, D by their three-letter names (a
// second-chart factor as "Tr." and its name, a degree as its place on the dial with four decimals), the
// picture's position on the dial (DialPositionText) and the signed orb, both with four decimals.
std::string PicturesTsv(const std::vector<Picture>& pictures, float modulus,
                        const std::string& lineEnd = "\n");

// A picture as the dial's panel names it: "SU+MO-ME".
std::string PictureShortName(const Picture& picture);

}  // namespace talvenor

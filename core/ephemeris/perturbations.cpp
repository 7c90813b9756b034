#include "ephemeris/perturbations.h"

#include <array>
#include <span>

namespace talvenor {

namespace {

// The arguments the perturbation terms are built from (degrees, not reduced).
enum Arg : int { V, W, Zeta, Psi, Q, H, S, G, Eta, Theta, kArgCount };
using Arguments = std::array<double, kArgCount>;

enum class Fn : int { One, Sin, Cos };

// fn(k1 a1 + k2 a2)
struct Wave {
    Fn fn = Fn::One;
    int k1 = 0;
    Arg a1 = V;
    int k2 = 0;
    Arg a2 = V;
};
constexpr Wave Sin(int k, Arg a) {
    return {Fn::Sin, k, a, 0, V};
}
constexpr Wave Cos(int k, Arg a) {
    return {Fn::Cos, k, a, 0, V};
}
constexpr Wave Sin(int k1, Arg a1, int k2, Arg a2) {
    return {Fn::Sin, k1, a1, k2, a2};
}
constexpr Wave Cos(int k1, Arg a1, int k2, Arg a2) {
    return {Fn::Cos, k1, a1, k2, a2};
}

// (c0 + c1 nu + c2 nu^2)
struct Coefficient {
    double c0 = 0, c1 = 0, c2 = 0;
};

// (c0 + c1 nu + c2 nu^2) * first * second
struct Term {
    Coefficient c;
    Wave first;
    Wave second{};
};

double Evaluate(const Wave& w, const Arguments& args) {
    if (w.fn == Fn::One) return 1.0;
    const double angle = w.k1 * args[w.a1] + w.k2 * args[w.a2];
    return w.fn == Fn::Sin ? SinDeg(angle) : CosDeg(angle);
}

// The waves of one routine's sums, each worked out once. The sums of a planet repeat the same few sines
// and cosines of a single argument many times over (sin Q appears in dozens of terms), and a wave has the
// same value every time it is met; sharing them halves the time of a chart pass.
class WaveValues {
  public:
    explicit WaveValues(const Arguments& args) : args_(args) {}

    double operator()(const Wave& w) {
        // Waves of two arguments, and multiples beyond the table, are rare: evaluated each time.
        if (w.fn == Fn::One || w.k2 != 0 || w.a2 != V || w.k1 < 0 || w.k1 > kMaxMultiple) {
            return Evaluate(w, args_);
        }
        const std::size_t i =
            (static_cast<std::size_t>(w.fn == Fn::Sin ? 0 : kArgCount) + static_cast<std::size_t>(w.a1)) *
                (kMaxMultiple + 1) +
            static_cast<std::size_t>(w.k1);
        if (!known_[i]) {
            values_[i] = Evaluate(w, args_);
            known_[i] = true;
        }
        return values_[i];
    }

  private:
    static constexpr int kMaxMultiple = 8;
    static constexpr std::size_t kSlots = 2 * kArgCount * (kMaxMultiple + 1);
    const Arguments& args_;
    std::array<double, kSlots> values_;
    std::array<bool, kSlots> known_{};
};

double Sum(std::span<const Term> terms, double nu, WaveValues& waves) {
    double sum = 0;
    for (const Term& t : terms) {
        sum += (t.c.c0 + t.c.c1 * nu + t.c.c2 * nu * nu) * waves(t.first) * waves(t.second);
    }
    return sum;
}

// clang-format off

// ------------------------------------ Jupiter ------------------------------------
// dL and dB in degrees, de in units of 1e-7, da in units of 1e-6 AU.
constexpr Term kJupiterDL[] = {
    {{0.331364, -0.010281, -0.004692}, Sin(1, V)},
    {{0.003228, -0.064436, 0.002075}, Cos(1, V)},
    {{-0.003083, -0.000275, 0.000489}, Sin(2, V)},
    {{0.002472}, Sin(1, W)},
    {{0.013619}, Sin(1, Zeta)},
    {{0.018472}, Sin(2, Zeta)},
    {{0.006717}, Sin(3, Zeta)},
    {{0.002775}, Sin(4, Zeta)},
    {{0.007275, -0.001253}, Sin(1, Zeta), Sin(1, Q)},
    {{0.006417}, Sin(2, Zeta), Sin(1, Q)},
    {{0.002439}, Sin(3, Zeta), Sin(1, Q)},
    {{-0.033839, -0.001125}, Cos(1, Zeta), Sin(1, Q)},
    {{-0.003767}, Cos(2, Zeta), Sin(1, Q)},
    {{-0.035681, -0.001208}, Sin(1, Zeta), Cos(1, Q)},
    {{-0.004261}, Sin(2, Zeta), Cos(1, Q)},
    {{0.002178}, Cos(1, Q)},
    {{-0.006333, 0.001161}, Cos(1, Zeta), Cos(1, Q)},
    {{-0.006675}, Cos(2, Zeta), Cos(1, Q)},
    {{-0.002664}, Cos(3, Zeta), Cos(1, Q)},
    {{-0.002572}, Sin(1, Zeta), Sin(2, Q)},
    {{-0.003567}, Sin(2, Zeta), Sin(2, Q)},
    {{0.002094}, Cos(1, Zeta), Cos(2, Q)},
    {{0.003342}, Cos(2, Zeta), Cos(2, Q)},
};
constexpr Term kJupiterDE[] = {
    {{3606, 130, -43}, Sin(1, V)},
    {{1289, -580}, Cos(1, V)},
    {{-6764}, Sin(1, Zeta), Sin(1, Q)},
    {{-1110}, Sin(2, Zeta), Sin(1, Q)},
    {{-224}, Sin(3, Zeta), Sin(1, Q)},
    {{-204}, Sin(1, Q)},
    {{1284, 116}, Cos(1, Zeta), Sin(1, Q)},
    {{188}, Cos(2, Zeta), Sin(1, Q)},
    {{1460, 130}, Sin(1, Zeta), Cos(1, Q)},
    {{224}, Sin(2, Zeta), Cos(1, Q)},
    {{-817}, Cos(1, Q)},
    {{6074}, Cos(1, Zeta), Cos(1, Q)},
    {{992}, Cos(2, Zeta), Cos(1, Q)},
    {{508}, Cos(3, Zeta), Cos(1, Q)},
    {{230}, Cos(4, Zeta), Cos(1, Q)},
    {{108}, Cos(5, Zeta), Cos(1, Q)},
    {{-956, -73}, Sin(1, Zeta), Sin(2, Q)},
    {{448}, Sin(2, Zeta), Sin(2, Q)},
    {{137}, Sin(3, Zeta), Sin(2, Q)},
    {{-997, 108}, Cos(1, Zeta), Sin(2, Q)},
    {{480}, Cos(2, Zeta), Sin(2, Q)},
    {{148}, Cos(3, Zeta), Sin(2, Q)},
    {{-956, 99}, Sin(1, Zeta), Cos(2, Q)},
    {{490}, Sin(2, Zeta), Cos(2, Q)},
    {{158}, Sin(3, Zeta), Cos(2, Q)},
    {{179}, Cos(2, Q)},
    {{1024, 75}, Cos(1, Zeta), Cos(2, Q)},
    {{-437}, Cos(2, Zeta), Cos(2, Q)},
    {{-132}, Cos(3, Zeta), Cos(2, Q)},
};
constexpr Term kJupiterDB[] = {
    {{0.007192, -0.003147}, Sin(1, V)},
    {{-0.020428, -0.000675, 0.000197}, Cos(1, V)},
    {{0.007269, 0.000672}, Sin(1, Zeta), Sin(1, Q)},
    {{-0.004344}, Sin(1, Q)},
    {{0.034036}, Cos(1, Zeta), Sin(1, Q)},
    {{0.005614}, Cos(2, Zeta), Sin(1, Q)},
    {{0.002964}, Cos(3, Zeta), Sin(1, Q)},
    {{0.037761}, Sin(1, Zeta), Cos(1, Q)},
    {{0.006158}, Sin(2, Zeta), Cos(1, Q)},
    {{-0.006603}, Cos(1, Zeta), Cos(1, Q)},
    {{-0.005356}, Sin(1, Zeta), Sin(2, Q)},
    {{0.002722}, Sin(2, Zeta), Sin(2, Q)},
    {{0.004483}, Cos(1, Zeta), Sin(2, Q)},
    {{-0.002536}, Sin(2, Zeta), Cos(2, Q)},
    {{-0.002642}, Cos(2, Zeta), Sin(2, Q)},
    {{0.005547}, Cos(1, Zeta), Cos(2, Q)},
    {{0.004403}, Sin(1, Zeta), Cos(2, Q)},
    {{-0.002689}, Cos(2, Zeta), Cos(2, Q)},
};
constexpr Term kJupiterDA[] = {
    {{-263}, Cos(1, V)},
    {{205}, Cos(1, Zeta)},
    {{693}, Cos(2, Zeta)},
    {{312}, Cos(3, Zeta)},
    {{147}, Cos(4, Zeta)},
    {{299}, Sin(1, Zeta), Sin(1, Q)},
    {{181}, Cos(2, Zeta), Sin(1, Q)},
    {{204}, Sin(2, Zeta), Cos(1, Q)},
    {{111}, Sin(3, Zeta), Cos(1, Q)},
    {{-337}, Cos(1, Zeta), Cos(1, Q)},
    {{-111}, Cos(2, Zeta), Cos(1, Q)},
};

// ------------------------------------ Saturn ------------------------------------
// Same units as Jupiter.
constexpr Term kSaturnDL[] = {
    {{-0.814181, 0.01815, 0.016714}, Sin(1, V)},
    {{-0.010497, 0.160906, -0.0041}, Cos(1, V)},
    {{0.007581}, Sin(2, V)},
    {{-0.007986}, Sin(1, W)},
    {{-0.148811}, Sin(1, Zeta)},
    {{-0.040786}, Sin(2, Zeta)},
    {{-0.015208}, Sin(3, Zeta)},
    {{-0.006339}, Sin(4, Zeta)},
    {{-0.006244}, Sin(1, Q)},
    {{0.008931, 0.002728}, Sin(1, Zeta), Sin(1, Q)},
    {{-0.0165}, Sin(2, Zeta), Sin(1, Q)},
    {{-0.005775}, Sin(3, Zeta), Sin(1, Q)},
    {{0.081344, 0.003206}, Cos(1, Zeta), Sin(1, Q)},
    {{0.015019}, Cos(2, Zeta), Sin(1, Q)},
    {{0.085581, 0.002494}, Sin(1, Zeta), Cos(1, Q)},
    {{0.025328, -0.003117}, Cos(1, Zeta), Cos(1, Q)},
    {{0.014394}, Cos(2, Zeta), Cos(1, Q)},
    {{0.006319}, Cos(3, Zeta), Cos(1, Q)},
    {{0.006369}, Sin(1, Zeta), Sin(2, Q)},
    {{0.009156}, Sin(2, Zeta), Sin(2, Q)},
    {{0.007525}, Sin(3, Psi), Sin(2, Q)},
    {{-0.005236}, Cos(1, Zeta), Cos(2, Q)},
    {{-0.007736}, Cos(2, Zeta), Cos(2, Q)},
    {{-0.007528}, Cos(3, Psi), Cos(2, Q)},
};
constexpr Term kSaturnDE[] = {
    {{-7927, 2548, 91}, Sin(1, V)},
    {{13381, 1226, -253}, Cos(1, V)},
    {{248, -121}, Sin(2, V)},
    {{-305, -91}, Cos(2, V)},
    {{412}, Sin(2, Zeta)},
    {{12415}, Sin(1, Q)},
    {{390, -617}, Sin(1, Zeta), Sin(1, Q)},
    {{165, -204}, Sin(2, Zeta), Sin(1, Q)},
    {{26599}, Cos(1, Zeta), Sin(1, Q)},
    {{-4687}, Cos(2, Zeta), Sin(1, Q)},
    {{-1870}, Cos(3, Zeta), Sin(1, Q)},
    {{-821}, Cos(4, Zeta), Sin(1, Q)},
    {{-377}, Cos(5, Zeta), Sin(1, Q)},
    {{497}, Cos(2, Psi), Sin(1, Q)},
    {{163, -611}, Cos(1, Q)},
    {{-12696}, Sin(1, Zeta), Cos(1, Q)},
    {{-4200}, Sin(2, Zeta), Cos(1, Q)},
    {{-1503}, Sin(3, Zeta), Cos(1, Q)},
    {{-619}, Sin(4, Zeta), Cos(1, Q)},
    {{-268}, Sin(5, Zeta), Cos(1, Q)},
    {{-282, -1306}, Cos(1, Zeta), Cos(1, Q)},
    {{-86, 230}, Cos(2, Zeta), Cos(1, Q)},
    {{461}, Sin(2, Psi), Cos(1, Q)},
    {{-350}, Sin(2, Q)},
    {{2211, -286}, Sin(1, Zeta), Sin(2, Q)},
    {{-2208}, Sin(2, Zeta), Sin(2, Q)},
    {{-568}, Sin(3, Zeta), Sin(2, Q)},
    {{-346}, Sin(4, Zeta), Sin(2, Q)},
    {{-2780, -222}, Cos(1, Zeta), Sin(2, Q)},
    {{2022, 263}, Cos(2, Zeta), Sin(2, Q)},
    {{248}, Cos(3, Zeta), Sin(2, Q)},
    {{242}, Sin(3, Psi), Sin(2, Q)},
    {{467}, Cos(3, Psi), Sin(2, Q)},
    {{-490}, Cos(2, Q)},
    {{-2842, -279}, Sin(1, Zeta), Cos(2, Q)},
    {{128, 226}, Sin(2, Zeta), Cos(2, Q)},
    {{224}, Sin(3, Zeta), Cos(2, Q)},
    {{-1594, 282}, Cos(1, Zeta), Cos(2, Q)},
    {{2162, -207}, Cos(2, Zeta), Cos(2, Q)},
    {{561}, Cos(3, Zeta), Cos(2, Q)},
    {{343}, Cos(4, Zeta), Cos(2, Q)},
    {{469}, Sin(3, Psi), Cos(2, Q)},
    {{-242}, Cos(3, Psi), Cos(2, Q)},
    {{-205}, Sin(1, Zeta), Sin(3, Q)},
    {{262}, Sin(3, Zeta), Sin(3, Q)},
    {{208}, Cos(1, Zeta), Cos(3, Q)},
    {{-271}, Cos(3, Zeta), Cos(3, Q)},
    {{-382}, Cos(3, Zeta), Sin(4, Q)},
    {{-376}, Sin(3, Zeta), Cos(4, Q)},
};
constexpr Term kSaturnDB[] = {
    {{0.077108, 0.007186, -0.001533}, Sin(1, V)},
    {{0.045803, -0.014766, -0.000536}, Cos(1, V)},
    {{-0.007075}, Sin(1, Zeta)},
    {{-0.075825}, Sin(1, Zeta), Sin(1, Q)},
    {{-0.024839}, Sin(2, Zeta), Sin(1, Q)},
    {{-0.008631}, Sin(3, Zeta), Sin(1, Q)},
    {{-0.072586}, Cos(1, Q)},
    {{-0.150383}, Cos(1, Zeta), Cos(1, Q)},
    {{0.026897}, Cos(2, Zeta), Cos(1, Q)},
    {{0.010053}, Cos(3, Zeta), Cos(1, Q)},
    {{-0.013597, -0.001719}, Sin(1, Zeta), Sin(2, Q)},
    {{-0.007742, 0.001517}, Cos(1, Zeta), Sin(2, Q)},
    {{0.013586, -0.001375}, Cos(2, Zeta), Sin(2, Q)},
    {{-0.013667, 0.001239}, Sin(1, Zeta), Cos(2, Q)},
    {{0.011981}, Sin(2, Zeta), Cos(2, Q)},
    {{0.014861, 0.001136}, Cos(1, Zeta), Cos(2, Q)},
    {{-0.013064, -0.001628}, Cos(2, Zeta), Cos(2, Q)},
};
constexpr Term kSaturnDA[] = {
    {{0, 572}, Sin(1, V)},
    {{2933}, Cos(1, V)},
    {{33629}, Cos(1, Zeta)},
    {{-3081}, Cos(2, Zeta)},
    {{-1423}, Cos(3, Zeta)},
    {{-671}, Cos(4, Zeta)},
    {{-320}, Cos(5, Zeta)},
    {{1098}, Sin(1, Q)},
    {{-2812}, Sin(1, Zeta), Sin(1, Q)},
    {{688}, Sin(2, Zeta), Sin(1, Q)},
    {{-393}, Sin(3, Zeta), Sin(1, Q)},
    {{-228}, Sin(4, Zeta), Sin(1, Q)},
    {{2138}, Cos(1, Zeta), Sin(1, Q)},
    {{-999}, Cos(2, Zeta), Sin(1, Q)},
    {{-642}, Cos(3, Zeta), Sin(1, Q)},
    {{-325}, Cos(4, Zeta), Sin(1, Q)},
    {{-890}, Cos(1, Q)},
    {{2206}, Sin(1, Zeta), Cos(1, Q)},
    {{-1590}, Sin(2, Zeta), Cos(1, Q)},
    {{-647}, Sin(3, Zeta), Cos(1, Q)},
    {{-344}, Sin(4, Zeta), Cos(1, Q)},
    {{2885}, Cos(1, Zeta), Cos(1, Q)},
    {{2172, 102}, Cos(2, Zeta), Cos(1, Q)},
    {{296}, Cos(3, Zeta), Cos(1, Q)},
    {{-267}, Sin(2, Zeta), Sin(2, Q)},
    {{-778}, Cos(1, Zeta), Sin(2, Q)},
    {{495}, Cos(2, Zeta), Sin(2, Q)},
    {{250}, Cos(3, Zeta), Sin(2, Q)},
    {{-856}, Sin(1, Zeta), Cos(2, Q)},
    {{441}, Sin(2, Zeta), Cos(2, Q)},
    {{296}, Cos(2, Zeta), Cos(2, Q)},
    {{211}, Cos(3, Zeta), Cos(2, Q)},
    {{-427}, Sin(1, Zeta), Sin(3, Q)},
    {{398}, Sin(3, Zeta), Sin(3, Q)},
    {{344}, Cos(1, Zeta), Cos(3, Q)},
    {{-427}, Cos(3, Zeta), Cos(3, Q)},
};

// ------------------------------------ Uranus ------------------------------------
// dL, dB and the longitude correction in degrees, de in units of 1e-7, da in AU.
constexpr Term kUranusDL[] = {
    {{0.864319, -0.001583}, Sin(1, H)},
    {{0.082222, -0.006833}, Cos(1, H)},
    {{0.036017}, Sin(2, H)},
    {{-0.003019}, Cos(2, H)},
    {{0.008122}, Sin(1, W)},
};
constexpr Term kUranusDE[] = {
    {{-3349, 163}, Sin(1, H)},
    {{20981}, Cos(1, H)},
    {{1311}, Cos(2, H)},
};
constexpr Term kUranusDB[] = {
    {{0.120303}, Sin(1, H)},
    {{0.019472, -0.000947}, Cos(1, H)},
    {{0.006197}, Sin(2, H)},
};
constexpr Term kUranusDA[] = {
    {{-0.003825}, Cos(1, H)},
};
constexpr Term kUranusLonCorrection[] = {
    {{0.010122, -0.000988}, Sin(1, S, 1, Eta)},
    {{-0.038581, 0.002031, -0.00191}, Cos(1, S, 1, Eta)},
    {{0.034964, -0.001038, 0.000868}, Cos(2, S, 1, Eta)},
    {{0.005594}, Sin(3, Theta, 1, S)},
    {{-0.014808}, Sin(1, Zeta)},
    {{-0.005794}, Sin(1, Eta)},
    {{0.002347}, Cos(1, Eta)},
    {{0.009872}, Sin(1, Theta)},
    {{0.008803}, Sin(2, Theta)},
    {{-0.004308}, Sin(3, Theta)},
};

// ------------------------------------ Neptune ------------------------------------
// dL, dB and the longitude correction in degrees, de in units of 1e-7, da in units of 1e-6 AU.
constexpr Term kNeptuneDL[] = {
    {{-0.589833, 0.001089}, Sin(1, H)},
    {{-0.056094, 0.004658}, Cos(1, H)},
    {{-0.024286}, Sin(2, H)},
};
constexpr Term kNeptuneDE[] = {
    {{4389}, Sin(1, H)},
    {{1129}, Sin(2, H)},
    {{4262}, Cos(1, H)},
    {{1089}, Cos(2, H)},
};
constexpr Term kNeptuneDB[] = {
    {{0.024039}, Sin(1, H)},
    {{-0.025303}, Cos(1, H)},
    {{0.006206}, Sin(2, H)},
    {{-0.005992}, Cos(2, H)},
};
constexpr Term kNeptuneDA[] = {
    {{-817}, Sin(1, H)},
    {{8189}, Cos(1, H)},
    {{781}, Cos(2, H)},
};
constexpr Term kNeptuneLonCorrection[] = {
    {{-0.009556}, Sin(1, Zeta)},
    {{-0.005178}, Sin(1, Eta)},
    {{0.002572}, Sin(2, Theta)},
    {{-0.002972}, Cos(2, Theta), Sin(1, G)},
    {{-0.002833}, Sin(2, Theta), Cos(1, G)},
};

// ------------------------------------ Pluto ------------------------------------
// Multipliers of Jupiter's, Saturn's and Pluto's mean longitudes, and the sine and cosine coefficients
// of longitude, latitude and radius in units of 1e-6 (degree, degree, AU).
struct PlutoTerm {
    int j, s, p;
    int lonSin, lonCos, latSin, latCos, radSin, radCos;
};
constexpr PlutoTerm kPlutoSeries[] = {
    // J  S   P       lon sin    lon cos    lat sin    lat cos    rad sin   rad cos
    {0, 0,  1,  -19977972,  19667536,  -5323113, -15024245,  6623876,  6955990},
    {0, 0,  2,     987114,  -4939350,   3497557,   1735457, -1181808,   -54836},
    {0, 0,  3,     577978,   1226898,  -1059559,    299464,   163227,  -139603},
    {0, 0,  4,    -334695,   -201966,    189102,   -285383,    -3644,    48144},
    {0, 0,  5,     130519,    -29025,     14231,    101218,    -6268,    -8851},
    {0, 0,  6,     -39851,     28968,    -29164,    -27461,     3111,     -408},
    {0, 1, -1,      20387,     -9832,      4935,     11282,     -621,     2223},
    {0, 1,  0,      -3986,     -4954,       312,      -128,      438,      450},
    {0, 1,  1,      -5817,     -3365,      2057,      -904,     -153,       61},
    {0, 1,  2,      -3903,      2895,        19,      -674,       -3,       79},
    {0, 1,  3,       -738,      3443,      -307,      -576,       50,       54},
    {0, 2, -2,       1234,       472,       -65,        39,       -1,      -22},
    {0, 2, -1,       1101,      -894,       -97,       208,       84,      -48},
    {0, 2,  0,        625,     -1214,         0,      -160,      -30,       61},
    {1, -1, 0,       2485,      -486,      -177,       259,       26,      -39},
    {1, -1, 1,        852,     -1407,        15,       235,      -19,      -40},
    {1, 0, -3,       -948,      1073,       578,      -293,     -321,       42},
    {1, 0, -2,      -2309,     -1024,      -294,       694,      797,     -792},
    {1, 0, -1,       7047,       770,       156,       201,       -4,     4564},
    {1, 0,  0,       1184,      -344,       294,       829,      852,      855},
    {1, 0,  1,        394,       -55,      -123,       -31,      -88,      -82},
    {1, 0,  2,        119,      -264,         0,         0,       21,      -12},
    {1, 0,  3,        -46,      -156,         0,         0,      -14,        6},
    {1, 0,  4,        -77,       -33,         0,         0,        0,        0},
    {1, 1, -3,        -34,       -26,         0,         0,        0,        0},
    {1, 1, -2,        -43,         0,         0,         0,        0,        0},
    {1, 1, -1,        -15,        21,         0,         0,        0,        0},
    {2, 0, -3,         10,        22,         0,         0,       -6,        1},
    {2, 0, -2,        -57,       -32,         0,         0,        0,        0},
    {2, 0, -1,        158,       -43,         0,         0,       25,      107},
    {2, 1, -2,          0,         0,         0,         0,       13,      -23},
    {2, 0,  0,          0,         0,         0,         0,       25,       16},
};
static_assert(std::size(kPlutoSeries) == 32);

// clang-format on

struct PerturbationSet {
    std::span<const Term> dL, de, dB, da;
    double deUnit, daUnit;
};

// The arguments shared by the four routines, recomputed for each call.
Arguments CommonArguments(double t) {
    Arguments a{};
    const double p = 237.47555 + 3034.9061 * t;
    const double q = 265.9165 + 1222.1139 * t;
    const double s = 243.51721 + 428.4677 * t;
    a[Q] = q;
    a[S] = s;
    a[V] = 5.0 * q - 2.0 * p;
    a[W] = 2.0 * p - 6.0 * q + 3.0 * s;
    a[Zeta] = q - p;
    a[Psi] = s - q;
    return a;
}
double Nu(double t) {
    return t / 5.0 + 0.1;
}

// Applies dL, dB, de and da to the loaded elements. The semi-major axis correction is added to the axis
// already in kilometres, so it leaves no visible trace in the positions; that is how the published
// positions of this theory were made, and it is kept.
void Apply(PlanetWork& w, const PerturbationSet& set, double nu, WaveValues& waves, double meanAnomaly) {
    const double e = w.ElemE;
    const double dL = Sum(set.dL, nu, waves);
    const double dB = Sum(set.dB, nu, waves);
    const double de = Sum(set.de, nu, waves) * set.deUnit;
    const double da = Sum(set.da, nu, waves) * set.daUnit;
    w.ElemMeanAnomaly = meanAnomaly + dL - dB / e;
    w.ElemArgPeri = w.ElemArgPeri + dB / e;
    w.ElemE = e + de;
    w.ElemA = w.ElemA + da;
}

}  // namespace

void ApplyJupiterPerturbations(PlanetWork& w) {
    const double t = w.CenturiesT;
    const Arguments args = CommonArguments(t);
    WaveValues waves(args);
    Apply(w, {kJupiterDL, kJupiterDE, kJupiterDB, kJupiterDA, 1e-7, 1e-6}, Nu(t), waves, w.ElemMeanAnomaly);
}

void ApplySaturnPerturbations(PlanetWork& w) {
    const double t = w.CenturiesT;
    const Arguments args = CommonArguments(t);
    WaveValues waves(args);
    Apply(w, {kSaturnDL, kSaturnDE, kSaturnDB, kSaturnDA, 1e-7, 1e-6}, Nu(t), waves, w.ElemMeanAnomaly);
}

void ApplyUranusPerturbations(PlanetWork& w) {
    const double t = w.CenturiesT;
    Arguments args = CommonArguments(t);
    const double p = 237.47555 + 3034.9061 * t;
    const double q = args[Q], s = args[S];
    args[G] = 83.76922 + 218.4901 * t;
    args[H] = 2.0 * args[G] - s;
    args[Zeta] = s - p;
    args[Eta] = s - q;
    args[Theta] = args[G] - s;
    const double nu = Nu(t);
    // Uranus's own mean anomaly replaces the one loaded from the elements.
    const double m0 = 72.64878 + 428.37911 * t + 0.000079 * t * t;
    WaveValues waves(args);
    Apply(w, {kUranusDL, kUranusDE, kUranusDB, kUranusDA, 1e-7, 1.0}, nu, waves, m0);
    w.OuterLonCorrection = Sum(kUranusLonCorrection, nu, waves);
}

void ApplyNeptunePerturbations(PlanetWork& w) {
    const double t = w.CenturiesT;
    Arguments args = CommonArguments(t);
    const double p = 237.47555 + 3034.9061 * t;
    const double q = args[Q], s = args[S];
    args[G] = 83.76922 + 218.4901 * t;
    args[H] = 2.0 * args[G] - s;
    args[Zeta] = args[G] - p;
    args[Eta] = args[G] - q;
    args[Theta] = args[G] - s;
    const double nu = Nu(t);
    const double m0 = 37.73063 + 218.46134 * t - 0.00007 * t * t;
    WaveValues waves(args);
    Apply(w, {kNeptuneDL, kNeptuneDE, kNeptuneDB, kNeptuneDA, 1e-7, 1e-6}, nu, waves, m0);
    w.OuterLonCorrection = Sum(kNeptuneLonCorrection, nu, waves);
}

void ComputePlutoSeries(PlanetWork& w) {
    const double t = w.CenturiesT;
    const double j = Norm360(238.74 + 3034.9057 * t);
    const double s = Norm360(267.26 + 1222.1138 * t);
    const double p = Norm360(93.48 + 144.96 * t);
    double lon = 0, lat = 0, rad = 0;
    for (const PlutoTerm& term : kPlutoSeries) {
        const double alpha = term.j * j + term.s * s + term.p * p;
        const double sinA = SinDeg(alpha), cosA = CosDeg(alpha);
        lon += term.lonSin * sinA + term.lonCos * cosA;
        lat += term.latSin * sinA + term.latCos * cosA;
        rad += term.radSin * sinA + term.radCos * cosA;
    }
    w.PlutoHelioLon = 93.297471 + 144.96 * t + lon / 1000000.0;
    w.PlutoHelioLat = lat / 1000000.0 - 3.909434;
    w.PlutoRadiusAU = rad / 1000000.0 + 40.724725;
}

}  // namespace talvenor

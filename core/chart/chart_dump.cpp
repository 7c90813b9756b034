#include "chart/chart_dump.h"

#include <cmath>
#include <cstdio>
#include <span>

#include "chart/chart_state.h"
#include "chart/house_systems.h"
#include "chart/point_catalogue.h"

namespace talvenor {

namespace {

class JsonObject {
  public:
    explicit JsonObject(std::string& out, int indent) : out_(out), indent_(indent) { out_ += "{"; }

    void Real(const char* key, double v) { Key(key) += RealText(v); }
    void Integer(const char* key, long long v) { Key(key) += std::to_string(v); }
    void Text(const char* key, const std::string& v) { Key(key) += Quoted(v); }
    void Reals(const char* key, std::span<const double> values) {
        std::string& out = Key(key);
        out += "[";
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i) out += ", ";
            out += RealText(values[i]);
        }
        out += "]";
    }
    void Pass(const char* key, const PassTimeOutputs& t) {
        std::string& out = Key(key);
        JsonObject o(out, indent_ + 2);
        o.Real("DayFraction", t.DayFraction);
        o.Real("JulianDayNumber", t.JulianDayNumber);
        o.Real("CenturiesT", t.CenturiesT);
        o.Real("RamcRad", t.RamcRad);
        o.Real("ObliquityRad", t.ObliquityRad);
        o.Real("ObliquityDeg", t.ObliquityDeg);
        o.Real("Midheaven", t.Midheaven);
        o.Real("Ascendant", t.Ascendant);
        o.Real("Vertex", t.Vertex);
        o.Real("EquatorialAscendant", t.EquatorialAscendant);
        o.Real("CoAscendant", t.CoAscendant);
        o.Real("PolarAscendant", t.PolarAscendant);
        o.Real("AuxLatitudeRad", t.AuxLatitudeRad);
        o.Integer("SiderealHours", t.SiderealHours);
        o.Integer("SiderealMinutes", t.SiderealMinutes);
        o.Integer("SiderealSeconds", t.SiderealSeconds);
        o.Close();
    }
    void Close() { out_ += "\n" + std::string(static_cast<std::size_t>(indent_ - 2), ' ') + "}"; }

  private:
    std::string& Key(const char* key) {
        out_ += first_ ? "\n" : ",\n";
        first_ = false;
        out_ += std::string(static_cast<std::size_t>(indent_), ' ') + Quoted(key) + ": ";
        return out_;
    }
    static std::string RealText(double v) {
        if (!std::isfinite(v)) return "null";
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        return buffer;
    }
    static std::string Quoted(const std::string& s) {
        std::string q = "\"";
        for (std::size_t i = 0; i < s.size(); ++i) {
            const auto c = static_cast<unsigned char>(s[i]);
            // Every control character escaped, DEL and the C1 controls (UTF-8 C2 80 to C2 9F) too, so
            // that none reaches a terminal raw and the name still reads back exactly.
            const auto next = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
            const bool c1 = c == 0xC2 && next >= 0x80 && next <= 0x9F;
            if (c == '"' || c == '\\') {
                q += '\\';
                q += static_cast<char>(c);
            } else if (c < 0x20 || c == 0x7F || c1) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c1 ? static_cast<unsigned>(next) : c);
                q += buffer;
                if (c1) ++i;
            } else {
                q += static_cast<char>(c);
            }
        }
        return q + "\"";
    }

    std::string& out_;
    int indent_;
    bool first_ = true;
};

// The tables both charts have under their own names: the pass's time outputs, the special points, the
// cusps, the house column, the positions, declinations, retrograde flags and solstice points.
struct ChartTables {
    PassTimeOutputs& pass;
    double &vertex, &equatorialAsc, &coAsc, &polarAsc;
    CuspArray& cusp;
    std::string& houseText;
    PointArray &lon, &decl;
    std::string& retroFlags;
    PointArray& solsticePt;
};

void StoreTables(const Chart& c, const ChartTables& t) {
    t.pass = c.time;
    t.vertex = c.Vertex();
    t.equatorialAsc = c.EquatorialAsc();
    t.coAsc = c.CoAsc();
    t.polarAsc = c.PolarAsc();
    t.cusp = c.Cusp;
    t.houseText = c.HouseText;
    t.lon = c.Lon;
    t.decl = c.Decl;
    t.retroFlags = c.RetroFlags;
    t.solsticePt = c.SolsticePt;
}

// The natal tables, with NatalEclLat, NatalMeanNode, the true node and its declination, and the midpoint
// table.
void StoreNatalChart(const Chart& c, ChartState& st) {
    StoreTables(c, {st.NatalPass, st.NatalVertex, st.NatalEquatorialAsc, st.NatalCoAsc, st.NatalPolarAsc,
                    st.NatalCusp, st.NatalHouseText, st.NatalLon, st.NatalDecl, st.NatalRetroFlags,
                    st.NatalSolsticePt});
    st.NatalEclLat = c.EclLat;
    st.NatalMeanNode = c.MeanNode;
    st.TrueNode = c.TrueNode;
    st.TrueNodeDecl = c.TrueNodeDecl;
    st.MidpointFactor = c.MidpointFactor;
    st.MidpointFactorNames = std::string(kMidpointFactorNames);
    st.MidpointLon = c.MidpointLon;
    st.MidpointCount = c.MidpointCount;
}

void StoreSecondChart(const Chart& c, ChartState& st) {
    StoreTables(c, {st.DiurnalPass, st.DiurnalVertex, st.DiurnalEquatorialAsc, st.DiurnalCoAsc,
                    st.DiurnalPolarAsc, st.DiurnalCusp, st.DiurnalHouseText, st.DiurnalLon, st.DiurnalDecl,
                    st.DiurnalRetroFlags, st.DiurnalSolsticePt});
}

// The working set and the time outputs as the pass of a chart leaves them.
void StoreWorkingSet(const Chart& c, ChartState& st) {
    const PassTimeOutputs& t = c.time;
    st.DayFraction = t.DayFraction;
    st.JulianDayNumber = t.JulianDayNumber;
    st.RamcRad = t.RamcRad;
    st.ObliquityRad = t.ObliquityRad;
    st.ObliquityDeg = t.ObliquityDeg;
    st.Midheaven = t.Midheaven;
    st.Ascendant = t.Ascendant;
    st.Vertex = t.Vertex;
    st.EquatorialAscendant = t.EquatorialAscendant;
    st.CoAscendant = t.CoAscendant;
    st.PolarAscendant = t.PolarAscendant;
    st.AuxLatitudeRad = t.AuxLatitudeRad;
    st.SiderealHours = t.SiderealHours;
    st.SiderealMinutes = t.SiderealMinutes;
    st.SiderealSeconds = t.SiderealSeconds;
    PairWorkingTables(st, c, [](auto& working, const auto& chart) { working = chart; });
}

// The tables of the two charts as the natal data page after a computation leaves them: the input section
// holds both births; the time outputs and the rest of the working set are the second chart's, computed
// last, and the working positions, declinations, cusps, houses and retrograde flags the natal chart's.
ChartState DumpedState(const Chart& natal, const Chart& second) {
    ChartState state;
    state.ChartName = natal.birth.name;
    state.HouseSystemCode = std::string(CodeOfHouseSystem(natal.houseSystem));
    TransferNatalBirth(natal.birth, state);
    TransferDiurnalBirth(second.birth, state);
    // The natal header prints the natal hemisphere words; the diurnal pass leaves its own in the input.
    state.NatalEastWestCopy = state.NatalEastWest;
    state.NatalNorthSouthCopy = state.NatalNorthSouth;
    state.NatalNorthSouth = state.DiurnalNorthSouth;
    StoreNatalChart(natal, state);
    StoreSecondChart(second, state);
    StoreWorkingSet(second, state);
    state.ChartSelector = kSelectDiurnal;
    state.PointLon = natal.Lon;
    state.PointDecl = natal.Decl;
    state.HouseCusp = natal.Cusp;
    state.PointHouseText = natal.HouseText;
    state.RetroFlags = natal.RetroFlags;
    return state;
}

std::string ChartStateJson(const ChartState& c) {
    std::string out;
    JsonObject o(out, 2);
    o.Text("ChartName", c.ChartName);
    o.Integer("NatalDay", c.NatalDay);
    o.Integer("NatalMonth", c.NatalMonth);
    o.Integer("NatalYear", c.NatalYear);
    o.Real("NatalTime", c.NatalTime);
    o.Real("NatalTZ", c.NatalTZ);
    o.Real("NatalLongitude", c.NatalLongitude);
    o.Real("NatalLatitude", c.NatalLatitude);
    o.Text("NatalAmPm", c.NatalAmPm);
    o.Text("NatalEastWest", c.NatalEastWest);
    o.Text("NatalNorthSouth", c.NatalNorthSouth);
    o.Text("NatalDateText", c.NatalDateText);
    o.Integer("DiurnalDay", c.DiurnalDay);
    o.Integer("DiurnalMonth", c.DiurnalMonth);
    o.Integer("DiurnalYear", c.DiurnalYear);
    o.Real("DiurnalTime", c.DiurnalTime);
    o.Real("DiurnalTZ", c.DiurnalTZ);
    o.Real("DiurnalLongitude", c.DiurnalLongitude);
    o.Real("DiurnalLatitude", c.DiurnalLatitude);
    o.Text("DiurnalAmPm", c.DiurnalAmPm);
    o.Text("DiurnalEastWest", c.DiurnalEastWest);
    o.Text("DiurnalNorthSouth", c.DiurnalNorthSouth);
    o.Text("DiurnalDateText", c.DiurnalDateText);
    o.Text("NatalEastWestCopy", c.NatalEastWestCopy);
    o.Text("NatalNorthSouthCopy", c.NatalNorthSouthCopy);
    o.Integer("AgeYears", c.AgeYears);
    o.Integer("LastBirthdayYear", c.LastBirthdayYear);
    o.Text("HouseSystemCode", c.HouseSystemCode);
    o.Integer("ChartSelector", c.ChartSelector);
    o.Integer("InputErrorFlag", c.InputErrorFlag);
    o.Real("DayFraction", c.DayFraction);
    o.Real("JulianDayNumber", c.JulianDayNumber);
    o.Real("CenturiesT", c.CenturiesT);
    o.Real("RamcRad", c.RamcRad);
    o.Real("ObliquityRad", c.ObliquityRad);
    o.Real("ObliquityDeg", c.ObliquityDeg);
    o.Real("Midheaven", c.Midheaven);
    o.Real("Ascendant", c.Ascendant);
    o.Real("Vertex", c.Vertex);
    o.Real("EquatorialAscendant", c.EquatorialAscendant);
    o.Real("CoAscendant", c.CoAscendant);
    o.Real("PolarAscendant", c.PolarAscendant);
    o.Real("AuxLatitudeRad", c.AuxLatitudeRad);
    o.Integer("SiderealHours", c.SiderealHours);
    o.Integer("SiderealMinutes", c.SiderealMinutes);
    o.Integer("SiderealSeconds", c.SiderealSeconds);
    o.Pass("NatalPass", c.NatalPass);
    o.Pass("DiurnalPass", c.DiurnalPass);
    o.Reals("PointLon", c.PointLon);
    o.Reals("PointDecl", c.PointDecl);
    o.Reals("PointEclLat", c.PointEclLat);
    o.Reals("PointLonNextDay", c.PointLonNextDay);
    o.Reals("HouseCusp", c.HouseCusp);
    o.Text("RetroFlags", c.RetroFlags);
    o.Text("PointHouseText", c.PointHouseText);
    o.Real("MeanNode", c.MeanNode);
    o.Real("TrueNodeWork", c.TrueNodeWork);
    o.Real("MoonDeclNextDay", c.MoonDeclNextDay);
    o.Reals("NatalLon", c.NatalLon);
    o.Reals("NatalDecl", c.NatalDecl);
    o.Reals("NatalEclLat", c.NatalEclLat);
    o.Reals("NatalCusp", c.NatalCusp);
    o.Reals("NatalSolsticePt", c.NatalSolsticePt);
    o.Real("NatalVertex", c.NatalVertex);
    o.Real("NatalEquatorialAsc", c.NatalEquatorialAsc);
    o.Real("NatalCoAsc", c.NatalCoAsc);
    o.Real("NatalPolarAsc", c.NatalPolarAsc);
    o.Text("NatalHouseText", c.NatalHouseText);
    o.Text("NatalRetroFlags", c.NatalRetroFlags);
    o.Real("TrueNodeDecl", c.TrueNodeDecl);
    o.Real("NatalMeanNode", c.NatalMeanNode);
    o.Reals("DiurnalLon", c.DiurnalLon);
    o.Reals("DiurnalDecl", c.DiurnalDecl);
    o.Reals("DiurnalCusp", c.DiurnalCusp);
    o.Reals("DiurnalSolsticePt", c.DiurnalSolsticePt);
    o.Real("DiurnalVertex", c.DiurnalVertex);
    o.Real("DiurnalEquatorialAsc", c.DiurnalEquatorialAsc);
    o.Real("DiurnalCoAsc", c.DiurnalCoAsc);
    o.Real("DiurnalPolarAsc", c.DiurnalPolarAsc);
    o.Text("DiurnalHouseText", c.DiurnalHouseText);
    o.Text("DiurnalRetroFlags", c.DiurnalRetroFlags);
    o.Reals("MidpointFactor", c.MidpointFactor);
    o.Text("MidpointFactorNames", c.MidpointFactorNames);
    o.Reals("MidpointLon", c.MidpointLon);
    o.Integer("MidpointCount", c.MidpointCount);
    o.Real("TrueNode", c.TrueNode);
    o.Close();
    return out + "\n";
}

}  // namespace

std::string ChartDumpJson(const Chart& natal, const Chart& second) {
    std::string json = ChartStateJson(DumpedState(natal, second));
    // Charts of the Uranian factors say so first and add the Aries point and the hypothetical points of
    // both charts (0 the Aries point, 1..8 Cupido .. Poseidon) after the rest.
    if (natal.factors == FactorSet::Uranian) {
        std::string points;
        JsonObject o(points, 2);
        o.Reals("NatalUranianLon", natal.UranianLon);
        o.Reals("NatalUranianDecl", natal.UranianDecl);
        o.Reals("DiurnalUranianLon", second.UranianLon);
        o.Reals("DiurnalUranianDecl", second.UranianDecl);
        // After the last value, before the line of the closing brace.
        json.insert(json.rfind("\n}"), "," + points.substr(1));
        json.insert(1, "\n  \"Factors\": \"uranian\",");
    }
    // Charts of the modern engine say so first; those of the program's theory as they always were.
    if (natal.engine.IsModern()) json.insert(1, "\n  \"Ephemeris\": \"modern\",");
    return json;
}

}  // namespace talvenor

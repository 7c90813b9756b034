// The texts and button states of the two input windows, named after their controls.
//
// The windows only collect text; the checks and the transfer into the chart state read these fields
// when a chart is computed.
#pragma once

#include <string>

namespace talvenor {

struct NatalInputFields {
    std::string txtName;
    std::string txtMonth, txtDay, txtYear;
    std::string txtBirthHour, txtBirthMinute;
    std::string txtTZ;
    std::string txtLongDeg, txtLongMin;
    std::string txtLatDeg, txtLatMin;
    // Radio pairs; the design selects AM, West and North.
    bool optAM = true, optPM = false;
    bool optEast = false, optWest = true;
    bool optNorth = true, optSouth = false;

    void SelectAM(bool am) { optAM = am, optPM = !am; }
    void SelectEast(bool east) { optEast = east, optWest = !east; }
    void SelectSouth(bool south) { optSouth = south, optNorth = !south; }
};

inline constexpr const char* kSecondPersonCaption = "2nd Person";

struct DiurnalInputFields {
    std::string txtDiurnalMonth, txtDiurnalDay, txtDiurnalYear;
    std::string txtDiurnalHour, txtDiurnalMinute;
    std::string txtDiurnalTZ;
    std::string txtDiurnalLongDeg, txtDiurnalLongMin;
    std::string txtDiurnalLatDeg, txtDiurnalLatMin;
    bool optDiurnalAM = true, optDiurnalPM = false;
    bool optDiurnalEast = false, optDiurnalWest = true;
    bool optDiurnalNorth = true, optDiurnalSouth = false;
    bool chkNatOrNow = true;    // "Use natal data"
    bool chk2ndPerson = false;  // second-person mode; the caption then holds the person's name
    std::string chk2ndPersonCaption = kSecondPersonCaption;

    void SelectAM(bool am) { optDiurnalAM = am, optDiurnalPM = !am; }
    void SelectEast(bool east) { optDiurnalEast = east, optDiurnalWest = !east; }
    void SelectSouth(bool south) { optDiurnalSouth = south, optDiurnalNorth = !south; }
};

}  // namespace talvenor

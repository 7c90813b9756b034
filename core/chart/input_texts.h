// The texts and buttons of an input window, as typed: what the natal and the diurnal window hand to core.
//
// The windows only collect text. A Birth is read from these texts once, when a chart is computed
// (BirthFromWindow); the fills that write into a window (the present moment, a names-file entry, a place)
// produce these texts.
#pragma once

#include <string>

namespace talvenor {

struct InputTexts {
    std::string name;  // the natal window's name; the diurnal window has none
    std::string month, day, year;
    std::string hour, minute;  // 12-hour clock
    std::string zone;          // hours west of Greenwich, east negative
    std::string longDeg, longMin;
    std::string latDeg, latMin;
    // Radio pairs; the design selects AM, West and North.
    bool am = true, pm = false;
    bool east = false, west = true;
    bool north = true, south = false;

    void SelectAM(bool isAm) { am = isAm, pm = !isAm; }
    void SelectEast(bool isEast) { east = isEast, west = !isEast; }
    void SelectSouth(bool isSouth) { south = isSouth, north = !isSouth; }
};

inline constexpr const char* kSecondPersonCaption = "2nd Person";

// The diurnal window: the second chart's moment and place, and its two check boxes.
struct SecondInputTexts : InputTexts {
    bool useNatal = true;       // "Use natal data"
    bool secondPerson = false;  // second-person mode; the caption then holds the person's name
    std::string secondPersonName = kSecondPersonCaption;
};

}  // namespace talvenor

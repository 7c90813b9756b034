// Everything one run of the program holds: the chart, the options, the report buffer, the settings, the
// regional format, the texts of the two input windows and the house menu's choice. The desktop program
// and the command line each own one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "chart/chart.h"
#include "chart/input_texts.h"
#include "environment/options.h"
#include "environment/regional_format.h"
#include "environment/settings.h"
#include "environment/user_dialogs.h"
#include "report/report_buffer.h"

namespace talvenor {

struct Session {
    explicit Session(UserDialogs& userDialogs) : dialogs(&userDialogs) { report.dialogs = dialogs; }

    std::filesystem::path appFolder;
    // The natal and the second chart of the last computation.
    Chart natalChart;
    Chart secondChart;
    Options options;
    ReportBuffer report;
    Settings settings;
    RegionalFormat regional;
    InputTexts natal;
    SecondInputTexts diurnal;
    // The house system carrying the check mark in the house menu. Lasts for the run; option 27 gives the
    // one checked at start (HouseSystemForOption).
    HouseSystem checkedHouse = HouseSystem::Placidus;
    // The engine asked for, the one the charts are computed with, and the folder of the modern engine's
    // tables, which are read at the first computation that needs them (see ephemeris_choice.h).
    EphemerisChoice ephemeris = EphemerisChoice::Theory;
    SkyEngine engine;
    std::filesystem::path ephemerisFolder;
    // The factors the charts are computed and paged with (the settings file's choice, the Factors menu or
    // --factors).
    FactorSet factors = FactorSet::Classic;
    // 1 while a natal midpoint report runs.
    std::int16_t AnalysisMode = 0;
    // The dial modulus of the sort and tree commands.
    float Modulus = 360;
    // The data window's font step (1.5 or 1.2), chosen at start from the screen.
    double FontStep = 1.2;
    // The file of the last successful Save As; "" when there is none.
    std::string SaveFileName;
    // A minimized data window receives no new report.
    bool DataWindowMinimized = false;
    UserDialogs* dialogs;
};

// Finishes the page in the report buffer and writes the last-page file (nothing while the data window is
// minimized or the data buffer is empty).
ShowResult ShowSessionReport(Session& session);

}  // namespace talvenor

// Charts computed from names-file records, as the program computes them, for tests that need real
// positions (wheels, dials, panels).
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "chart/house_systems.h"
#include "datafiles/name_record.h"
#include "input/input_fills.h"
#include "session/compute_charts.h"
#include "session/session.h"
#include "support/scripted_dialogs.h"

namespace talvenor::testing_support {

struct ChartRecords {
    const char* name;  // for test names
    const char* natal;
    const char* diurnal;
};

inline constexpr ChartRecords kSampleCharts[] = {
    {"Sample", "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52",
     "Transit,7 Dec 2026,9.30,A,0,000.00,51.29"},
    {"Sydney", "Sydney Person,5 Jan 1990,6.45,A,-10,-151.13,-33.52",
     "Second Person,22 Jul 1985,3.20,P,-1,-013.24,52.31"},
    {"Delhi", "Delhi Person,2 Oct 1969,11.50,A,-5.5,-077.13,28.40",
     "Transit,1 Jan 2000,12.00,P,-5.5,-077.13,28.40"},
};

// A session with both charts computed with the shipped options (no data folder: nothing is written).
struct ComputedChart {
    ScriptedDialogs dialogs;
    Session session{dialogs};

    explicit ComputedChart(const ChartRecords& records, const char* house = "P") {
        session.options = DefaultOptions();
        session.checkedHouse = HouseSystemOfMenuCode(house);
        EXPECT_FALSE(FillNatalFromRecord(*ParseNameRecord(records.natal), session.regional, session.natal));
        EXPECT_FALSE(
            FillDiurnalFromRecord(*ParseNameRecord(records.diurnal), session.regional, session.diurnal));
        session.diurnal.secondPersonName = kSecondPersonCaption;
        EXPECT_EQ(ComputeCharts(session), ComputeOutcome::Computed);
    }
};

}  // namespace talvenor::testing_support

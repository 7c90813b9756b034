// The sample person of the names-file tests: the record, the natal window that gives it, and the names of
// a list in their order.
#pragma once

#include <string>
#include <vector>

#include "chart/input_texts.h"
#include "datafiles/names_file.h"

namespace talvenor::testing_support {

inline constexpr const char* kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";
inline constexpr const char* kAnn = "ANN,1 Jan 1990,1.00,A,0,000.00,51.30";

inline std::vector<std::string> Names(const NamesList& list) {
    std::vector<std::string> names;
    for (const auto& record : list.records) names.push_back(record.Field[1]);
    return names;
}

// The natal window of the sample person; tests change what they look at.
inline InputTexts SampleWindow(const std::string& name = "Sample Person") {
    InputTexts natal;
    natal.name = name;
    natal.month = "3";
    natal.day = "14";
    natal.year = "1962";
    natal.hour = " 10";
    natal.minute = "15";
    natal.SelectAM(false);
    natal.zone = " 6";
    natal.longDeg = " 87";
    natal.longMin = "39";
    natal.latDeg = " 41";
    natal.latMin = "52";
    return natal;
}

// The line the sample window saves under another name.
inline std::string NewLine(const std::string& name) {
    return name + ",14 Mar 1962,10.15,P, 6,087.39,41.52";
}

}  // namespace talvenor::testing_support

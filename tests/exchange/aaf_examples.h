// The two examples of the AAF format, as the exchange tests import them.
#pragma once

namespace talvenor::testing_support {

inline constexpr const char* kAafExamples =
    "#: the format's two examples\n"
    "#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel/Pfalz,D\n"
    "#B93:*,49n05,8e11,1he,0\n"
    "#ZNAM:CET\n"
    "#COM:Programmierer der AAF-DLL\n"
    "\n"
    "#A93:Cezanne,Paul,m,19.1.1839,1:00,Aix-En-Provence,F\n"
    "#B93:2392758.526528,43n31,5e27,*,L\n";

}  // namespace talvenor::testing_support

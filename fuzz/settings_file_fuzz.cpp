// The settings file Talvenor.ini: read over the defaults, written back and read again.
#include "environment/settings.h"
#include "fuzz_support.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

Settings ReadBack(const Settings& defaults, const Settings& written) {
    Settings settings = defaults;
    ReadSettings(WriteTextFile("Talvenor.ini", SettingsText(written)), settings);
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Settings defaults = DefaultSettings(FuzzFolder());
    Settings read = defaults;
    ReadSettings(WriteInputFile("Talvenor.ini", data, size), read);
    Require(read.DataFontSize >= 7.75, "the font size is never below the smallest step");
    Require(read.MainHeight > 0 && read.MainWidth > 0, "the main window keeps a size");
    // A positive value may still round to 0 (0.5 rounds to the even 0), but never below.
    Require(read.DataHeight >= 0 && read.DataWidth >= 0 && read.DataTop >= 0,
            "the data window never goes negative");

    // What the program writes at exit must read back as what it holds. A path with a line break cannot be
    // written and comes back as the default; from the first write on the file is stable.
    const Settings first = ReadBack(defaults, read);
    const Settings second = ReadBack(defaults, first);
    Require(second == first, "a written settings file reads back as the settings it was written from");
    return 0;
}

#include "session/startup.h"

#include "chart/house_systems.h"
#include "environment/app_folder.h"
#include "session/ephemeris_choice.h"

namespace talvenor {

bool LoadOptions(Session& session, const std::filesystem::path& optionsFile) {
    Options read;
    const OptionsReadResult result = ReadOptionsFile(optionsFile, read);
    if (!result.opened || result.linesRead == 0) {
        session.dialogs->ShowMessage(kOptionsMissingMessage, "Warning!", MessageIcon::Information);
        session.options = DefaultOptions();
        return false;
    }
    session.options = read;
    return true;
}

double ChooseFontStep(int screenWidthPixels, double twipsPerPixel) {
    if (screenWidthPixels == 640) return 1.5;
    if (screenWidthPixels == 800) return twipsPerPixel == 12 ? 1.2 : 1.5;
    return twipsPerPixel == 15 ? 1.5 : 1.2;
}

void StartSession(Session& session, const std::filesystem::path& appFolder) {
    session.appFolder = appFolder;
    LoadOptions(session, appFolder / kOptionsFileName);
    session.settings = DefaultSettings(appFolder);
    ReadSettings(appFolder / kSettingsFileName, session.settings);
    session.regional = ReadRegionalFormat();
    session.checkedHouse = HouseSystemForOption(session.options.startHouseSystem());
    session.ephemerisFolder = ModernTablesFolder(appFolder, InstalledDataDir(ExecutableDir()));
    ChooseEphemeris(session, session.settings.Ephemeris);
    session.factors = session.settings.Factors;
    CreateReportsFolder(appFolder);
}

}  // namespace talvenor

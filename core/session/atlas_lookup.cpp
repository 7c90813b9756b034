#include "session/atlas_lookup.h"

#include "environment/app_folder.h"

namespace talvenor {

AtlasLocation SessionAtlas(const Session& session) {
    return LocateAtlas(session.appFolder, InstalledDataDir(ExecutableDir()));
}

bool LookUpNatalPlace(Session& session, const ProgramRunner& run) {
    const AtlasLookupResult r = AtlasLookup(session.settings.AtlasDir, *session.dialogs, run);
    if (r.AtlasAnswer != kAtlasAnswerYes || !r.AtlasOK) return false;
    FillNatalFromAtlas(session.natal, r.place);
    return true;
}

bool LookUpDiurnalPlace(Session& session, const ProgramRunner& run) {
    const AtlasLookupResult r = AtlasLookup(session.settings.AtlasDir, *session.dialogs, run);
    if (r.AtlasAnswer != kAtlasAnswerYes || !r.AtlasOK) return false;
    FillDiurnalFromAtlas(session.diurnal, r.place);
    return true;
}

}  // namespace talvenor

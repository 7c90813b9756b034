#include "session/atlas_lookup.h"

#include "environment/app_folder.h"

namespace talvenor {

AtlasLocation SessionAtlas(const Session& session) {
    return LocateAtlas(session.appFolder, InstalledDataDir(ExecutableDir()));
}

AtlasLookupResult AtlasLookup(std::string& AtlasDir, UserDialogs& dialogs, const ProgramRunner& run) {
    while (!run(AtlasDir + kAtlasProgramName)) {
        AtlasDir.clear();
        const std::optional<std::string> answer = dialogs.AskText(kAtlasFolderPrompt, kAtlasFolderTitle, "");
        AtlasDir = answer ? AtlasFolder(*answer) : std::string();
        if (AtlasDir.empty()) {
            AtlasLookupResult r;
            r.AtlasOK = false;
            return r;
        }
    }
    AtlasLookupResult r = ReadAtlasAnswer(AtlasDir);
    if (r.fault) {
        dialogs.ShowMessage(r.fault->text, r.fault->title, r.fault->icon);
        return r;
    }
    const bool yes = dialogs.AskYesNo(AtlasAcceptQuestion(r.AtlasLongText, r.AtlasLatText, r.AtlasTZ),
                                      kAtlasAcceptTitle, MessageIcon::Question);
    r.AtlasAnswer = yes ? kAtlasAnswerYes : kAtlasAnswerNo;
    return r;
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

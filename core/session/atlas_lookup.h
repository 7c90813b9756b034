// The "ACS Atlas" labels of the two input windows: the atlas lookup with the session's atlas folder and
// dialogs, and the fill of that window's fields when the place was accepted. And where the session's world
// atlas is, for Find Place and the import's place lookups.
#pragma once

#include "atlas/atlas_search.h"
#include "environment/user_dialogs.h"
#include "input/atlas_bridge.h"
#include "session/session.h"

namespace talvenor {

// The world atlas of the session's data folder, or the installed one read in place; an index the
// program makes goes into the data folder (see LocateAtlas).
AtlasLocation SessionAtlas(const Session& session);

// The lookup dialogue: runs AtlasDir + "ATLAS.EXE"; when it cannot be started, empties AtlasDir and asks
// for the folder until the program starts or the answer is empty (AtlasDir keeps a folder that worked).
// Then reads the answer files (ReadAtlasAnswer), shows why when they cannot be read (AtlasOK false), and
// asks whether to accept the place.
AtlasLookupResult AtlasLookup(std::string& AtlasDir, UserDialogs& dialogs,
                              const ProgramRunner& run = RunAndWait);

// True when the fields changed.
bool LookUpNatalPlace(Session& session, const ProgramRunner& run = RunAndWait);
bool LookUpDiurnalPlace(Session& session, const ProgramRunner& run = RunAndWait);

}  // namespace talvenor

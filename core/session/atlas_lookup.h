// The "ACS Atlas" labels of the two input windows: the atlas lookup with the session's atlas folder and
// dialogs, and the fill of that window's fields when the place was accepted.
#pragma once

#include "input/atlas_bridge.h"
#include "session/session.h"

namespace talvenor {

// True when the fields changed.
bool LookUpNatalPlace(Session& session, const ProgramRunner& run = RunAndWait);
bool LookUpDiurnalPlace(Session& session, const ProgramRunner& run = RunAndWait);

}  // namespace talvenor

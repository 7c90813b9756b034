// The Data menu's planetary pictures, solar arc directions and secondary progressions: each writes one page
// over the chart as last computed, with the natal heading, and shows it.
#pragma once

#include <optional>

#include "midpoints/planetary_pictures.h"
#include "report/report_buffer.h"
#include "session/session.h"

namespace talvenor {

// Asks for the target of the pictures until the answer reads as one (PictureChoice), saying why an answer
// is refused (PictureTargetRefusal) before it asks again; nothing on Cancel.
std::optional<PictureChoice> AskPictureTarget(UserDialogs& dialogs, FactorSet set = FactorSet::Classic);

// "Planetary Pictures": asks for the modulus and the target; the orb is the tree orb (option 40).
// NothingToShow when a prompt ends the command.
ShowResult PlanetaryPicturesCommand(Session& session);
ShowResult PlanetaryPicturesCommand(Session& session, const PictureRequest& request);

// "Solar Arc Directions" and "Secondary Progressions" for the diurnal window's date: ask for the
// modulus of the aspect list. A date before the birth is refused with a message, and a fault in the
// computation is shown as the chart computation shows it; both end the command with NothingToShow.
ShowResult SolarArcCommand(Session& session);
ShowResult SolarArcCommand(Session& session, float modulus);
ShowResult ProgressionsCommand(Session& session);
ShowResult ProgressionsCommand(Session& session, float modulus);

}  // namespace talvenor

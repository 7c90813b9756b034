// Saving the data buffer of the session as a document: the data window's Save and Save As.
#pragma once

#include "report/data_commands.h"
#include "session/session.h"

namespace talvenor {

// Save: with an empty data buffer shows kNoDataToWriteMessage; without a file from an earlier Save As
// runs Save As; otherwise writes the data buffer to session.SaveFileName with option 45 lines a page.
SaveOutcome SaveData(Session& session, const SaveFileChooser& choose);

// Save As: with an empty data buffer shows kNoDataToWriteMessage; otherwise asks for a file (proposed
// in the program folder under ProposedSaveName of the chart name) and writes the data buffer to it.
// SaveFileName becomes the chosen file only when the document was written.
SaveOutcome SaveDataAs(Session& session, const SaveFileChooser& choose);

}  // namespace talvenor

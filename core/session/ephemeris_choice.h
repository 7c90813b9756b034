// The engine of a session: the choice of the settings file, the Options menu or --ephemeris, and the
// modern engine's tables, read at the first computation that needs them. When they cannot be read, the
// user is told which file is at fault and the session goes on with the program's theory.
#pragma once

#include <filesystem>
#include <string>

#include "ephemeris/sky_engine.h"
#include "session/session.h"

namespace talvenor {

inline constexpr const char* kModernTablesTitle = "Modern ephemeris";

// The message shown when the modern tables cannot be used: the fault (which names the file), then what
// the program does instead.
std::string ModernTablesFaultMessage(const std::string& fault);

// The folder of the modern tables: "ephemeris" in the data folder when it holds the planetary table,
// otherwise the installed one when that holds it, otherwise the data folder's (which the fault then names).
std::filesystem::path ModernTablesFolder(const std::filesystem::path& dataFolder,
                                         const std::filesystem::path& installedDataDir);

// Asks for an engine; the tables are not read yet.
void ChooseEphemeris(Session& session, EphemerisChoice choice);

// The engine to compute with now. For the modern engine the tables are read once, from
// session.ephemerisFolder; when they cannot be read the fault is shown (ModernTablesFaultMessage, title
// kModernTablesTitle, a warning) and the session goes on with the program's theory.
const SkyEngine& EngineForComputing(Session& session);

// The engine the session computes with, or will once its tables are read: the menu's check mark and the
// window title follow it.
EphemerisChoice EphemerisInUse(const Session& session);

}  // namespace talvenor

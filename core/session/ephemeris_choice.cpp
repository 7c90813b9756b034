#include "session/ephemeris_choice.h"

#include <system_error>

#include "ephemeris/modern_sky.h"

namespace talvenor {

namespace {

bool HoldsTables(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / "vsop87b.txt", error);
}

}  // namespace

std::string ModernTablesFaultMessage(const std::string& fault) {
    return fault + " The charts are computed with the program's theory instead.";
}

std::filesystem::path ModernTablesFolder(const std::filesystem::path& dataFolder,
                                         const std::filesystem::path& installedDataDir) {
    const std::filesystem::path own = dataFolder / "ephemeris";
    if (HoldsTables(own)) return own;
    if (!installedDataDir.empty() && HoldsTables(installedDataDir / "ephemeris"))
        return installedDataDir / "ephemeris";
    return own;
}

void ChooseEphemeris(Session& session, EphemerisChoice choice) {
    session.ephemeris = choice;
    if (choice == EphemerisChoice::Theory) session.engine = SkyEngine();
}

const SkyEngine& EngineForComputing(Session& session) {
    if (session.ephemeris == EphemerisChoice::Theory) {
        session.engine = SkyEngine();
    } else if (!session.engine.IsModern()) {
        ModernTablesRead read = LoadModernTables(session.ephemerisFolder);
        if (read.tables) {
            session.engine = SkyEngine(std::move(read.tables));
        } else {
            session.ephemeris = EphemerisChoice::Theory;
            session.engine = SkyEngine();
            session.dialogs->ShowMessage(ModernTablesFaultMessage(read.fault.value_or("")),
                                         kModernTablesTitle, MessageIcon::Exclamation);
        }
    }
    return session.engine;
}

EphemerisChoice EphemerisInUse(const Session& session) {
    return session.ephemeris;
}

}  // namespace talvenor

// "Save to disk" writes only records that the names window can read back as typed: a name or zone the
// record cannot hold is refused before anything is written.
#include <gtest/gtest.h>

#include <string>

#include "datafiles/name_record.h"
#include "datafiles/names_file.h"
#include "session/name_entry_save.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

constexpr const char* kKept = "Kept Person,14 Mar 1962,10.15,P,6,087.39,41.52";

InputTexts Window(const std::string& name, const std::string& zone) {
    InputTexts natal;
    natal.name = name;
    natal.month = "3", natal.day = "14", natal.year = "1962";
    natal.hour = "10", natal.minute = "15";
    natal.SelectAM(false);
    natal.zone = zone;
    natal.longDeg = "87", natal.longMin = "39", natal.latDeg = "41", natal.latMin = "52";
    return natal;
}

TEST(SavedEntryTest, NamesAndZonesThatWouldNotReadBackAreRefusedAndNothingIsWritten) {
    const struct {
        std::string name;
        std::string zone;
        std::string error;
    } cases[] = {
        // A leading quote made the reader take the rest of the line as the name, and the records after it
        // were read a field out of step.
        {"\"Open Quote", "6", kNameCannotBeWrittenWarning},
        {"  \"Quoted\" Name", "6", kNameCannotBeWrittenWarning},
        {"Two\rLines", "6", kNameCannotBeWrittenWarning},
        {"Two\nLines", "6", kNameCannotBeWrittenWarning},
        // The zone is written as typed; these were saved and then refused with the format error ever after.
        {"No Zone", "", "The time zone \"\" is not a number. Please correct it and save again."},
        {"Dash Zone", "-", "The time zone \"-\" is not a number. Please correct it and save again."},
        {"Points", "1.2.3", "The time zone \"1.2.3\" is not a number. Please correct it and save again."},
        // The names list takes a field of more than 1024 bytes for a damaged file.
        {std::string(1025, 'A'), "6", kEntryTooLongWarning},
        {"Long Zone", "0." + std::string(1023, '0') + "5", kEntryTooLongWarning},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.substr(0, 20));
        TemporaryFolder folder;
        const auto file = folder.path() / "NAMES.FIL";
        WriteBytes(file, std::string(kKept) + "\r\n");
        ScriptedDialogs dialogs;
        EXPECT_EQ(SaveNameEntry(file, folder.path(), Window(c.name, c.zone), RegionalFormat{}, dialogs),
                  SaveEntryOutcome::Failed);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, c.error);
        EXPECT_EQ(dialogs.shown[0].title, "Warning!");
        const NamesList list = LoadNamesList(file, folder.path());
        EXPECT_FALSE(list.error.has_value());
        EXPECT_EQ(list.records.size(), 1u);
    }
}

TEST(SavedEntryTest, QuotesInsideANameAndAnyZoneNumberReadBackAsTyped) {
    for (const char* zone : {"-3.5", "0", "12"}) {
        SCOPED_TRACE(zone);
        TemporaryFolder folder;
        const auto file = folder.path() / "NAMES.FIL";
        WriteBytes(file, std::string(kKept) + "\r\n");
        ScriptedDialogs dialogs;
        ASSERT_EQ(SaveNameEntry(file, folder.path(), Window("Bob \"Junior\" Smith", zone), RegionalFormat{},
                                dialogs),
                  SaveEntryOutcome::Saved);

        const NamesList list = LoadNamesList(file, folder.path());
        ASSERT_FALSE(list.error.has_value());
        ASSERT_EQ(list.records.size(), 2u);
        EXPECT_EQ(list.records[0].Field[1], "Kept Person");
        InputTexts back;
        ASSERT_FALSE(FillNatalFromRecord(list.records[1], RegionalFormat{}, back).has_value());
        EXPECT_EQ(back.name, "Bob \"Junior\" Smith");
        EXPECT_EQ(back.zone, std::string(zone[0] == '-' ? "" : " ") + zone);
    }
}

}  // namespace
}  // namespace talvenor

#include "session/atlas_lookup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "session/session.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::ScopedEnvironment;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

constexpr const char* kSydneyAnswer = "Sydney, Australia\r\n33S55\r\n151E10\r\nAEST\r\n10\r\n";

// A stand-in for the atlas program: a shell script named ATLAS.EXE that takes a moment, as a user
// would, and then leaves PCATPATH.TXT beside itself and the answer file in its own folder.
class AtlasBridgeTest : public ::testing::Test {
  protected:
    AtlasBridgeTest() : session(dialogs) {
        atlasDir = folder.path().string() + "/atlas/";
        answerDir = folder.path().string() + "/answers/";
        fs::create_directories(atlasDir);
        fs::create_directories(answerDir);
        session.natal.zone = " 5";
        session.natal.longDeg = " 74";
        session.natal.longMin = " 0";
        session.natal.latDeg = " 40";
        session.natal.latMin = " 42";
    }

    void WriteAtlasProgram(const std::string& answer) {
        WriteBytes(answerDir + "answer.txt", answer);
        const std::string script = "#!/bin/sh\nsleep 0.2\nprintf '%s\\r\\nsecond line\\r\\n' '" + answerDir +
                                   "' > '" + atlasDir + "PCATPATH.TXT'\ncp '" + answerDir + "answer.txt' '" +
                                   answerDir + "TSRTEMP.TXT'\n";
        WriteBytes(atlasDir + "ATLAS.EXE", script);
        chmod((atlasDir + "ATLAS.EXE").c_str(), 0755);
    }

    TemporaryFolder folder;
    std::string atlasDir, answerDir;
    ScriptedDialogs dialogs;
    Session session;
};

TEST_F(AtlasBridgeTest, AnAcceptedPlaceFillsTheFieldsAndEastGivesAWesternZoneItsSign) {
    WriteAtlasProgram(kSydneyAnswer);
    const struct {
        bool eastBefore;
        const char* zone;
    } cases[] = {{false, "-10"}, {true, " 10"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.eastBefore);
        dialogs.shown.clear();
        fs::remove(answerDir + "TSRTEMP.TXT");
        session.settings.AtlasDir = atlasDir;
        session.natal.SelectEast(c.eastBefore);
        session.natal.SelectSouth(false);
        dialogs.yesNoAnswers = {true};

        ASSERT_TRUE(LookUpNatalPlace(session));
        const InputTexts& n = session.natal;
        EXPECT_EQ(n.zone, c.zone);
        EXPECT_EQ(n.longDeg, " 151");
        EXPECT_EQ(n.longMin, " 10");
        EXPECT_EQ(n.latDeg, " 33");
        EXPECT_EQ(n.latMin, " 55");
        EXPECT_TRUE(n.east && !n.west);
        EXPECT_TRUE(n.south && !n.north);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text,
                  "Accept following data? \n\nLongitude = 151E10\nLatitude  = 33S55\nTime zone =  10");
        EXPECT_EQ(dialogs.shown[0].title, "Accept or Reject data");
        EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Question);
    }
}

TEST_F(AtlasBridgeTest, TheDiurnalWindowIsFilledTheSameWayAndWestKeepsTheZoneAsGiven) {
    WriteAtlasProgram("New York\r\n40N42\r\n74W00\r\n\r\n5\r\n");
    session.settings.AtlasDir = atlasDir;
    session.diurnal.SelectEast(true);
    session.diurnal.SelectSouth(true);
    session.diurnal.zone = "-3";
    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(LookUpDiurnalPlace(session));
    const SecondInputTexts& d = session.diurnal;
    EXPECT_EQ(d.zone, " 5");
    EXPECT_EQ(d.longDeg, " 74");
    EXPECT_EQ(d.longMin, " 0");
    EXPECT_EQ(d.latDeg, " 40");
    EXPECT_EQ(d.latMin, " 42");
    EXPECT_TRUE(d.west && d.north);
}

TEST_F(AtlasBridgeTest, AnsweringNoChangesNothing) {
    WriteAtlasProgram(kSydneyAnswer);
    session.settings.AtlasDir = atlasDir;
    const InputTexts before = session.natal;
    EXPECT_FALSE(LookUpNatalPlace(session));
    EXPECT_EQ(session.natal.zone, before.zone);
    EXPECT_EQ(session.natal.latDeg, before.latDeg);
    EXPECT_TRUE(session.natal.west && session.natal.north);
    EXPECT_EQ(dialogs.shown.size(), 1u);  // only the question
}

TEST_F(AtlasBridgeTest, AProgramNotFoundAsksForItsFolderAndKeepsTheAnswer) {
    WriteAtlasProgram(kSydneyAnswer);
    session.settings.AtlasDir = "";
    // The folder typed without its final separator.
    dialogs.answers = {atlasDir.substr(0, atlasDir.size() - 1)};
    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(LookUpNatalPlace(session));
    EXPECT_EQ(session.settings.AtlasDir, atlasDir);
    EXPECT_EQ(session.natal.latMin, " 55");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].title, "Where do I find ATLAS.EXE?");
    EXPECT_EQ(dialogs.shown[0].text,
              "Enter the complete path for where ATLAS.EXE resides: \n\n"
              "(Example: c:\\atlas OR c:\\charts\\atlas OR d:\\windows\\atlas\\)");
}

TEST_F(AtlasBridgeTest, AFolderTypedWithBackslashesIsStartedWithSlashes) {
    std::vector<std::string> started;
    const ProgramRunner run = [&](const std::string& commandLine) {
        started.push_back(commandLine);
        return commandLine != "ATLAS.EXE" && commandLine != "/nowhere/ATLAS.EXE";
    };
    session.settings.AtlasDir = "/nowhere/";
    dialogs.answers = {"c:\\atlas"};
    EXPECT_FALSE(LookUpNatalPlace(session, run));
    EXPECT_EQ(started, (std::vector<std::string>{"/nowhere/ATLAS.EXE", "c:/atlas/ATLAS.EXE"}));
    EXPECT_EQ(session.settings.AtlasDir, "c:/atlas/");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "Cannot find the file called PCATPATH in the c:/atlas/ directory.");
    EXPECT_EQ(dialogs.shown[1].title, "Warning!");
    EXPECT_EQ(dialogs.shown[1].icon, MessageIcon::Critical);
}

TEST_F(AtlasBridgeTest, CancellingTheFolderQuestionEndsTheLookupWithAnEmptyFolder) {
    session.settings.AtlasDir = folder.path().string() + "/missing/";
    EXPECT_FALSE(LookUpNatalPlace(session));
    EXPECT_EQ(session.settings.AtlasDir, "");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Where do I find ATLAS.EXE?");
}

TEST_F(AtlasBridgeTest, MissingExchangeFilesAreReportedAndChangeNothing) {
    const ProgramRunner started = [](const std::string&) { return true; };
    session.settings.AtlasDir = atlasDir;
    const InputTexts before = session.natal;

    EXPECT_FALSE(LookUpNatalPlace(session, started));
    WriteBytes(atlasDir + "PCATPATH.TXT", answerDir + "\r\n");
    EXPECT_FALSE(LookUpNatalPlace(session, started));
    WriteBytes(answerDir + "TSRTEMP.TXT", "only\r\nfour\r\nlines\r\nhere\r\n");
    EXPECT_FALSE(LookUpNatalPlace(session, started));

    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text,
              "Cannot find the file called PCATPATH in the " + atlasDir + " directory.");
    EXPECT_EQ(dialogs.shown[1].text,
              "Cannot find the file called TSRTEMP.TXT in the " + answerDir + " directory.");
    EXPECT_EQ(dialogs.shown[2].text, dialogs.shown[1].text);  // a short answer file cannot be read either
    for (const auto& shown : dialogs.shown) {
        EXPECT_EQ(shown.title, "Warning!");
        EXPECT_EQ(shown.icon, MessageIcon::Critical);
    }
    EXPECT_EQ(session.natal.zone, before.zone);
    EXPECT_EQ(session.settings.AtlasDir, atlasDir);
}

TEST_F(AtlasBridgeTest, AnAnswerFileWithoutAUsablePlaceLeavesTheFieldsAlone) {
    const ProgramRunner started = [](const std::string&) { return true; };
    session.settings.AtlasDir = atlasDir;
    WriteBytes(atlasDir + "PCATPATH.TXT", answerDir.substr(0, answerDir.size() - 1) + "\r\n");
    const char* answers[] = {
        "x\r\n33 55\r\n151E10\r\n\r\n10\r\n",    // no N or S
        "x\r\n33S55\r\n151 10\r\n\r\n10\r\n",    // no W or E
        "x\r\n33S55\r\nabcE10\r\n\r\n10\r\n",    // degrees that are not a number
        "x\r\n33S55\r\n151E\r\n\r\n10\r\n",      // no minutes
        "x\r\n33Sx5\r\n151E10\r\n\r\n10\r\n",    // minutes that are not a number
        "x\r\n33S55\r\n151E10\r\n\r\nAEST\r\n",  // a zone that is not a number
    };
    const InputTexts before = session.natal;
    for (const char* answer : answers) {
        SCOPED_TRACE(answer);
        dialogs.shown.clear();
        WriteBytes(answerDir + "TSRTEMP.TXT", answer);
        EXPECT_FALSE(LookUpNatalPlace(session, started));
        ASSERT_EQ(dialogs.shown.size(), 1u);  // no accept question
        EXPECT_EQ(dialogs.shown[0].text, AtlasAnswerUnreadableMessage(answerDir + "TSRTEMP.TXT"));
        EXPECT_EQ(dialogs.shown[0].title, "Warning!");
        EXPECT_EQ(session.natal.zone, before.zone);
        EXPECT_EQ(session.natal.longDeg, before.longDeg);
        EXPECT_TRUE(session.natal.west && session.natal.north);
    }
}

TEST_F(AtlasBridgeTest, AnEmptyAnswerFolderMeansTheAtlasFolderAndBackslashesSeparate) {
    const ProgramRunner started = [](const std::string&) { return true; };
    session.settings.AtlasDir = atlasDir;
    WriteBytes(atlasDir + "TSRTEMP.TXT", kSydneyAnswer);
    WriteBytes(answerDir + "TSRTEMP.TXT", "x\r\n1N01\r\n2W02\r\n\r\n3\r\n");
    const struct {
        std::string firstLine;
        const char* latDeg;
    } cases[] = {{"", " 33"}, {answerDir.substr(0, answerDir.size() - 1), " 1"}, {answerDir + "\\", " 1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstLine);
        WriteBytes(atlasDir + "PCATPATH.TXT", c.firstLine + "\r\n");
        dialogs.yesNoAnswers = {true};
        ASSERT_TRUE(LookUpNatalPlace(session, started));
        EXPECT_EQ(session.natal.latDeg, c.latDeg);
    }
}

TEST_F(AtlasBridgeTest, WithNoFolderTheProgramIsFoundOnPathAndKeepsItsFilesThere) {
    WriteAtlasProgram(kSydneyAnswer);
    const char* path = std::getenv("PATH");
    ScopedEnvironment onPath("PATH", atlasDir.substr(0, atlasDir.size() - 1) + ":" + (path ? path : ""));
    session.settings.AtlasDir = "";
    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(LookUpNatalPlace(session));
    EXPECT_EQ(session.settings.AtlasDir, "");
    EXPECT_EQ(session.natal.longDeg, " 151");
}

TEST(RunAndWaitTest, WaitsForTheProgramAndTellsWhetherItStarted) {
    TemporaryFolder folder;
    const std::string program = folder.path().string() + "/slow program";  // a blank in the name
    const std::string done = folder.path().string() + "/done";
    WriteBytes(program, "#!/bin/sh\nsleep 0.3\n: > '" + done + "'\nexit 3\n");
    chmod(program.c_str(), 0755);
    EXPECT_TRUE(RunAndWait(program));
    EXPECT_TRUE(fs::exists(done));  // the program had finished

    WriteBytes(folder.path() / "plain", "not a program");
    for (const std::string& missing :
         {folder.path().string() + "/none", folder.path().string() + "/plain", folder.path().string(),
          std::string("NO-SUCH-PROGRAM.EXE"), std::string()}) {
        SCOPED_TRACE(missing);
        EXPECT_FALSE(RunAndWait(missing));
    }
}

}  // namespace
}  // namespace talvenor

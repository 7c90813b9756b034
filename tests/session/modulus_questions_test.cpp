#include "session/modulus_questions.h"

#include <gtest/gtest.h>

#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;

// An answer that is only partly a number is refused with a message and the prompt comes back; the
// prompt's own text, title and default stay as they were.
TEST(ModulusPromptTest, AnAnswerThatIsOnlyPartlyANumberIsRefusedAndAskedAgain) {
    for (const char* partly : {"22,5", "90abc", "45.5.5", "22.5 deg", "0abc", " 1 2"}) {
        SCOPED_TRACE(partly);
        ScriptedDialogs dialogs;
        dialogs.answers = {std::string(partly), std::string("45")};
        EXPECT_EQ(AskModulus(dialogs), 45.0f);
        ASSERT_EQ(dialogs.shown.size(), 3u);
        EXPECT_EQ(dialogs.shown[0].text, "Enter modulus (e.g. 22.5, 45, 90, or 360):");
        EXPECT_EQ(dialogs.shown[1].text, ModulusNotANumberMessage(partly));
        EXPECT_EQ(dialogs.shown[1].title, "Modulus");
        EXPECT_EQ(dialogs.shown[1].icon, MessageIcon::Exclamation);
        EXPECT_EQ(dialogs.shown[2].text, dialogs.shown[0].text);
    }
    EXPECT_EQ(
        ModulusNotANumberMessage(" 22,5 "),
        "\"22,5\" is not a number. The modulus is a number above 0 and at most 360, its decimals after a "
        "point (22.5).");
}

// What the prompt has always done with every other answer, unchanged: letters end the command silently,
// a value outside 0 to 360 asks again without a word, a whole number runs the command.
TEST(ModulusPromptTest, LettersZeroAndCancelStillEndSilentlyAndOutOfRangeStillAsksAgain) {
    const struct {
        std::vector<std::optional<std::string>> answers;
        std::optional<float> modulus;
        std::size_t shown;
    } cases[] = {
        {{std::string("letters")}, std::nullopt, 1},
        {{std::string("abc5")}, std::nullopt, 1},
        {{std::string("-")}, std::nullopt, 1},
        {{std::string("")}, std::nullopt, 1},
        {{std::nullopt}, std::nullopt, 1},
        {{std::string("0")}, std::nullopt, 1},
        {{std::string("400"), std::string("-5"), std::string("1e2")}, 100.0f, 3},
        {{std::string(" 22.5 ")}, 22.5f, 1},
    };
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        dialogs.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(AskModulus(dialogs), c.modulus);
        EXPECT_EQ(dialogs.shown.size(), c.shown);
        for (const auto& shown : dialogs.shown) EXPECT_EQ(shown.text, kModulusPrompt);
    }
}

// The dial's "Other..." prompt names the range, offers the dial's modulus as typed, and says why it asks
// again.
TEST(ModulusPromptTest, TheDialPromptSaysTheRangeAndWhyAnAnswerIsRefused) {
    ScriptedDialogs dialogs;
    dialogs.answers = {std::string("22,5"), std::string("400"), std::string("0"), std::string("-5"),
                       std::string(" 7.3 ")};
    EXPECT_EQ(AskDialModulus(dialogs, 22.5f), 7.3f);
    ASSERT_EQ(dialogs.shown.size(), 9u);
    EXPECT_EQ(
        dialogs.shown[0].text,
        "Enter the modulus of the dial, a number above 0 and at most 360 (e.g. 22.5, 30, 45, 90 or 360):");
    EXPECT_EQ(dialogs.shown[0].title, "Modulus");
    EXPECT_EQ(dialogs.shown[1].text, ModulusNotANumberMessage("22,5"));
    EXPECT_EQ(dialogs.shown[3].text, "The modulus must be above 0 and at most 360: \"400\" is not.");
    EXPECT_EQ(dialogs.shown[5].text, ModulusOutOfRangeMessage("0"));
    EXPECT_EQ(dialogs.shown[7].text, ModulusOutOfRangeMessage("-5"));
    for (std::size_t i = 1; i < 9; i += 2) {
        EXPECT_EQ(dialogs.shown[i].title, "Modulus");
        EXPECT_EQ(dialogs.shown[i].icon, MessageIcon::Exclamation);
        EXPECT_EQ(dialogs.shown[i + 1].text, kDialModulusPrompt);
    }

    // Cancel and an empty answer leave the dial as it is, without a message.
    for (const std::optional<std::string>& none :
         {std::optional<std::string>(), std::optional<std::string>("  ")}) {
        ScriptedDialogs quiet;
        quiet.answers = {none};
        EXPECT_EQ(AskDialModulus(quiet, 90), std::nullopt);
        EXPECT_EQ(quiet.shown.size(), 1u);
    }
}

// The prompt offers the dial's modulus as the user typed it.
class DefaultRecordingDialogs : public ScriptedDialogs {
  public:
    std::string offered;
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override {
        offered = defaultText;
        return ScriptedDialogs::AskText(prompt, title, defaultText);
    }
};

TEST(ModulusPromptTest, TheDialPromptOffersTheModulusAsTyped) {
    for (const auto& [modulus, offered] : {std::pair{7.3f, "7.3"}, {90.0f, "90"}, {22.5f, "22.5"}}) {
        DefaultRecordingDialogs dialogs;
        AskDialModulus(dialogs, modulus);
        EXPECT_EQ(dialogs.offered, offered);
    }
}

}  // namespace
}  // namespace talvenor

// The options window driven through its buttons.
#include "chart/options_window.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "environment/options.h"
#include "fake_app_services.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const std::string kFile = "  8    conjunction orb\r\n  5    sextile orb\r\n";

class OptionsWindowTest : public ::testing::Test {
  protected:
    OptionsWindowTest() {
        app.session().appFolder = folder.path();
        app.session().options[1] = 8;
        app.session().options[2] = 5;
        WriteBytes(opt(), kFile);
        window_ = std::make_unique<gui::OptionsWindow>(app);
    }

    gui::OptionsWindow& window() { return *window_; }
    std::filesystem::path opt() const { return folder.path() / kOptionsFileName; }
    QPlainTextEdit* text() { return window().findChild<QPlainTextEdit*>("txtContent"); }
    void click(const char* name) {
        auto* button = window().findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    testing_support::TemporaryFolder folder;
    testing_support::FakeAppServices app;
    std::unique_ptr<gui::OptionsWindow> window_;
};

TEST_F(OptionsWindowTest, ShowsTheFileInAFixedPitchFont) {
    EXPECT_EQ(window().objectName(), "Options");
    EXPECT_EQ(window().windowTitle(), "Edit: OPTIONS.OPT");
    EXPECT_EQ(text()->toPlainText(), "  8    conjunction orb\n  5    sextile orb\n");
    EXPECT_TRUE(QFontInfo(text()->font()).fixedPitch());
    EXPECT_EQ(window().findChild<QPushButton*>("cmdRestoreDefault")->text(), "&Restore Default Settings");
}

TEST_F(OptionsWindowTest, SaveWritesTheTextAndTheNewValuesTakeEffect) {
    text()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(text(), "1");  // "1  8" reads as 1
    click("btnSave");
    EXPECT_EQ(ReadBytes(opt()), "1  8    conjunction orb\r\n  5    sextile orb\r\n");
    EXPECT_EQ(app.session().options[1], 1.0f);
    EXPECT_EQ(app.optionsSaves, 1);
    EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(OptionsWindowTest, AnEmptyTextIsNotSaved) {
    text()->clear();
    click("btnSave");
    EXPECT_EQ(ReadBytes(opt()), kFile);
    EXPECT_EQ(app.session().options[1], 8.0f);
    EXPECT_EQ(app.optionsSaves, 0);
    ASSERT_EQ(app.dialogs.shown.size(), 1u);
    EXPECT_EQ(app.dialogs.shown[0].title, "Warning!");
}

TEST_F(OptionsWindowTest, QuitClosesWithoutSaving) {
    window().show();
    QTest::keyClicks(text(), "9");
    click("btnQuit");
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(ReadBytes(opt()), kFile);
    EXPECT_EQ(app.optionsSaves, 0);
}

TEST_F(OptionsWindowTest, RestoreWithoutAMasterSaysItCannot) {
    text()->setPlainText("edited\n");
    click("cmdRestoreDefault");
    EXPECT_EQ(text()->toPlainText(), "edited\n");
    EXPECT_EQ(ReadBytes(opt()), kFile);
    ASSERT_EQ(app.dialogs.shown.size(), 1u);
    EXPECT_EQ(app.dialogs.shown[0].text, "Error in operation. Cannot do what is requested.");
    EXPECT_EQ(app.dialogs.shown[0].title, "Warning!");
    EXPECT_EQ(app.dialogs.shown[0].icon, MessageIcon::Information);
}

}  // namespace
}  // namespace talvenor

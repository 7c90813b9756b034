// Every place of every shipped cities file, picked as a user picks it: a click in the cities window and
// OK in the natal window must compute a chart, for the natal chart and for a second person alike.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "chart/house_systems.h"
#include "datafiles/cities_window.h"
#include "input/diurnal_input_window.h"
#include "input/natal_input_window.h"
#include "report/data_window.h"
#include "shell/talvenor_app.h"
#include "support/scripted_dialogs.h"
#include "support/shipped_data.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

class ShippedPlacesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A folder of this run's own: other runs of the suite may share the machine.
        folder_ = fs::temp_directory_path() / ("talvenor-shipped-places-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
        for (const auto& entry : fs::directory_iterator(TALVENOR_SHIPPED_DATA_DIR)) {
            if (entry.path().extension() == ".LL") citiesFiles_.push_back(entry.path().filename().string());
        }
        std::sort(citiesFiles_.begin(), citiesFiles_.end());
        app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
        app_->start(folder_);
    }
    void TearDown() override {
        app_.reset();
        fs::remove_all(folder_);
    }

    // The cities window as the Input command and "Click here for cities" bring it up.
    QListWidget* Places(const std::string& file) {
        app_->session().settings.CitiesFilePath = (folder_ / file).string();
        app_->inputCommand();
        app_->showCitiesWindow();
        gui::CitiesWindow* cities = app_->citiesWindow();
        EXPECT_NE(cities, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(cities));
        return cities->findChild<QListWidget*>("CitiesOnFile");
    }

    // Clicks the place, then OK; the messages shown, none when the chart was computed. A place beyond
    // 66 degrees is refused for the quadrant house systems, as their message says; it must then compute
    // once the user changes to a house system that does not depend on the latitude.
    std::vector<std::string> PickAndCompute(const std::string& file, int row) {
        QListWidget* list = Places(file);
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        if (list->currentRow() != row) return {"the click did not reach the place"};
        dialogs_.shown.clear();
        QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        if (Shown() == std::vector<std::string>{std::string(kLatitudeTooHighMessage)}) {
            dialogs_.shown.clear();
            app_->houseSystemChosen(HouseSystem::Meridian);
            const std::vector<std::string> meridian = Shown();
            app_->houseSystemChosen(HouseSystem::Placidus);
            dialogs_.shown.clear();
            return meridian;
        }
        if (!dialogs_.shown.empty()) return Shown();
        if (app_->citiesWindow() != nullptr) return {"the chart was not computed"};
        return {};
    }

    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& message : dialogs_.shown) texts.push_back(message.text);
        return texts;
    }

    fs::path folder_;
    std::vector<std::string> citiesFiles_;
    testing_support::ScriptedDialogs dialogs_;
    std::unique_ptr<gui::TalvenorApp> app_;
};

TEST_F(ShippedPlacesTest, EveryShippedPlaceComputesAsNatalPlaceAndAsASecondPersonsPlace) {
    ASSERT_EQ(citiesFiles_, (std::vector<std::string>{"GA_MA.LL", "WORLD.LL"}));
    auto* secondPerson = app_->diurnalWindow().findChild<QCheckBox*>("chk2ndPerson");
    std::vector<std::string> refused;
    int places = 0;
    for (const std::string& file : citiesFiles_) {
        const int count = Places(file)->count();
        EXPECT_GT(count, 100) << file;
        EXPECT_TRUE(dialogs_.shown.empty()) << file << " lists with a message";
        for (int row = 0; row < count; ++row) {
            ++places;
            const std::string place = file + ": " + Places(file)->item(row)->text().toStdString();
            if (secondPerson->isChecked()) QTest::mouseClick(secondPerson, Qt::LeftButton);
            if (const auto shown = PickAndCompute(file, row); !shown.empty())
                refused.push_back("natal " + place + ": " + shown.front());
            QTest::mouseClick(secondPerson, Qt::LeftButton);
            if (const auto shown = PickAndCompute(file, row); !shown.empty())
                refused.push_back("second person " + place + ": " + shown.front());
        }
    }
    EXPECT_GT(places, 600);
    EXPECT_EQ(refused, std::vector<std::string>{});
    EXPECT_FALSE(app_->dataWindow().findChild<QPlainTextEdit*>("RichText1")->toPlainText().isEmpty());
}

}  // namespace
}  // namespace talvenor

// An AppServices double for testing one window on its own: records what the window asked for.
#pragma once

#include <QWidget>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "session/session.h"
#include "shell/app_services.h"
#include "support/scripted_dialogs.h"

namespace talvenor::testing_support {

class FakeAppServices : public gui::AppServices {
  public:
    FakeAppServices() : session_(dialogs) {}

    ScriptedDialogs dialogs;
    QWidget main;
    int focusRequests = 0;
    std::vector<PixelRect> placements;
    int computeRequests = 0;
    int reportsShown = 0;
    int optionsSaves = 0;
    std::vector<bool> secondPersonChanges;
    std::vector<std::string> helpShown;
    int fieldRefreshes = 0;
    int namesShown = 0;
    int citiesShown = 0;
    int computesFromNames = 0;
    int nameSaves = 0;
    int printWindowsOpened = 0;
    std::vector<int> timeZoneTargets;
    std::vector<ShowResult> progressReports;
    std::vector<CivilDate> diurnalDates;
    gui::NamesListState namesState;
    // The file chooser: each request (pattern, file in use) is recorded and answered from the queue
    // ("" = Cancel when it is empty).
    std::vector<std::pair<std::string, std::string>> fileRequests;
    std::deque<std::string> fileAnswers;
    std::vector<gui::FileUse> fileUses;
    // The file windows with a title of their own, in the order asked (also in fileRequests, as the title
    // and the file in use, and answered from the same queue); the kind of file chosen from its queue (the
    // first when it is empty).
    std::vector<gui::FileRequest> fileWindows;
    std::deque<std::size_t> fileTypeAnswers;

    Session& session() override { return session_; }
    QWidget* mainWindow() override { return &main; }
    void focusMainWindow() override { ++focusRequests; }
    // Places as asked, around the contents the frame the offscreen platform draws (2 pixels a side).
    PixelRect placeWindow(QWidget& window, const PixelRect& outer) override {
        placements.push_back(outer);
        const PixelRect contents = WithoutFrame(outer, kFrame);
        window.setGeometry(contents.left, contents.top, contents.width, contents.height);
        return outerRect(window);
    }
    PixelRect outerRect(const QWidget& window) const override {
        const QRect g = window.geometry();
        return WithFrame({g.x(), g.y(), g.width(), g.height()}, kFrame);
    }
    void computeCharts() override { ++computeRequests; }
    void secondPersonChanged(bool ticked) override { secondPersonChanges.push_back(ticked); }
    void showHelp(const std::string& name) override { helpShown.push_back(name); }
    void showReport() override { ++reportsShown; }
    void runProgressReport(const std::function<ShowResult()>& command) override {
        progressReports.push_back(command());
    }
    void putDiurnalDate(const CivilDate& date) override { diurnalDates.push_back(date); }
    void optionsSaved() override { ++optionsSaves; }
    void inputFieldsChanged() override { ++fieldRefreshes; }
    void showNamesWindow() override { ++namesShown; }
    void showCitiesWindow() override { ++citiesShown; }
    gui::NamesListState& namesListState() override { return namesState; }
    void computeFromNamesList() override { ++computesFromNames; }
    void openTimeZones(int target) override { timeZoneTargets.push_back(target); }
    void saveNameEntry() override { ++nameSaves; }
    void openPrintWindow() override { ++printWindowsOpened; }
    std::string chooseFile(const std::string& pattern, const std::string& currentPath,
                           gui::FileUse use) override {
        fileRequests.emplace_back(pattern, currentPath);
        fileUses.push_back(use);
        if (fileAnswers.empty()) return {};
        std::string answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    gui::FileAnswer askForFile(const gui::FileRequest& request) override {
        fileWindows.push_back(request);
        gui::FileAnswer answer{chooseFile(request.title, request.currentPath, request.use), 0};
        if (!fileTypeAnswers.empty()) {
            answer.type = fileTypeAnswers.front();
            fileTypeAnswers.pop_front();
        }
        return answer;
    }

  private:
    static constexpr FrameMargins kFrame{2, 2, 2, 2};
    Session session_;
};

}  // namespace talvenor::testing_support

// An AppServices double for testing one window on its own: records what the window asked for.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "shell/app_services.h"
#include "shell/session.h"
#include "support/scripted_dialogs.h"

namespace talvenor::testing_support {

class FakeAppServices : public gui::AppServices {
  public:
    FakeAppServices() : session_(dialogs) {}

    ScriptedDialogs dialogs;
    QWidget main;
    int focusRequests = 0;
    int computeRequests = 0;
    int reportsShown = 0;
    int optionsSaves = 0;
    std::vector<bool> secondPersonChanges;
    std::vector<std::string> helpShown;
    std::vector<QString> unavailable;

    Session& session() override { return session_; }
    QWidget* mainWindow() override { return &main; }
    void focusMainWindow() override { ++focusRequests; }
    void computeCharts() override { ++computeRequests; }
    void secondPersonChanged(bool ticked) override { secondPersonChanges.push_back(ticked); }
    void showHelp(const std::string& name) override { helpShown.push_back(name); }
    void showReport() override { ++reportsShown; }
    void optionsSaved() override { ++optionsSaves; }
    void notAvailableYet(const QString& feature) override { unavailable.push_back(feature); }

  private:
    Session session_;
};

}  // namespace talvenor::testing_support

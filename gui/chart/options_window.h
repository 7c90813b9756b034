// The options window: a plain text editor over the options file, with Save, Quit and Restore Default
// Settings.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace talvenor::gui {

class AppServices;

class OptionsWindow : public QWidget {
    Q_OBJECT

  public:
    explicit OptionsWindow(AppServices& app, QWidget* parent = nullptr);

  private:
    // Shows the options file's text.
    void loadText();
    void save();
    void restoreDefaults();
    // Esc: closes, after asking when the text has changes not saved.
    void escape();

    AppServices& app_;
    QPlainTextEdit* txtContent_ = nullptr;
    QPushButton *btnSave_ = nullptr, *btnQuit_ = nullptr, *cmdRestoreDefault_ = nullptr;
};

}  // namespace talvenor::gui

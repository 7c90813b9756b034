// The plain-text editor over a whole data file, shared by the names editor and the cities editor.
#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace talvenor::gui {

class AppServices;

class ListEditorWindow : public QWidget {
    Q_OBJECT

  public:
    // Loads the file into the text; the caption names the file.
    ListEditorWindow(AppServices& app, const char* name, std::string file, QWidget* parent);

    const std::string& file() const { return file_; }

  protected:
    // After Save wrote the file, and when Quit has closed the editor.
    virtual void saved() {}
    virtual void quit() {}

    AppServices& app_;

  private:
    void load();
    void save();

    std::string file_;
    QPlainTextEdit* txtContent_;
    QPushButton *btnSave_, *btnQuit_;
    QLabel* label1_;
};

}  // namespace talvenor::gui

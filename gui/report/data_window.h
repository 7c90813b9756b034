// The data window OutputD1: shows the last report page and carries the commands over the data buffer
// (save, font, clear, print, help).
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <string>

#include "environment/window_placement.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QStackedWidget;

namespace talvenor::gui {

class AppServices;
class PageLinesView;

// Pages of more lines than this are shown as a list of lines (a text box would take seconds to lay a
// page of a million events out, and hold it several times over).
inline constexpr int kLongestTextPage = 50000;

class DataWindow : public QMainWindow {
    Q_OBJECT

  public:
    // Asks for the document to save, given the proposed path; an empty text when cancelled.
    using FileChooser = std::function<QString(const QString& proposedPath)>;

    explicit DataWindow(AppServices& app, QWidget* parent = nullptr);

    // Replaces the text with a finished page (lines ended by LF), shows the window and sets its caption.
    void displayPage(const QString& text);
    // The same for a page given as UTF-8: a page of more than kLongestTextPage lines is shown as a list
    // of its lines.
    void displayPageText(std::string text);
    // The list of lines of a long page (hidden while an ordinary page is shown).
    PageLinesView& pageLines() { return *pageLines_; }
    // A minimized window receives no new report.
    bool isMinimizedForReports() const;

    // The Save As dialog; tests put a scripted answer in its place.
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildMenus();
    // Shows the window where the settings say (when it was closed) and sets its caption.
    void present();
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {});
    // Places the window by the stored geometry: its outer rectangle, frame and title bar included.
    void applyStoredGeometry();
    // Stores the window's outer rectangle in the settings, unless the stored one is being applied.
    void storeGeometry();
    // Sets the text's font from the settings; false when the result is not a fixed-pitch font.
    bool applyFont();
    double twipsPerPixel() const;
    QString chooseFileWithDialog(const QString& proposedPath);

    void save(bool saveAs);
    void increaseFont();
    void decreaseFont();
    void toggleBold();
    void toggleItalic();
    // Shows the page again in the new font and sets which size steps are still possible.
    void refresh();
    void clearAllData();
    void printPage();
    void printData();
    // Writes the hand-over file and, when it was written, opens the print window; with the hourglass.
    void openPrintWindow(const std::function<bool()>& writePrintFile);

    AppServices& app_;
    FileChooser chooseFile_;
    bool DataWindowLoading = false;
    QStackedWidget* pages_ = nullptr;
    KeptPlace place_;  // as the settings asked for it and as this screen gave it
    QPlainTextEdit* RichText1_ = nullptr;
    QWidget* textViewport_ = nullptr;
    PageLinesView* pageLines_ = nullptr;
    QAction *mnuFontsIncrease_ = nullptr, *mnuFontsDecrease_ = nullptr;
    QAction *mnuFontsBold_ = nullptr, *mnuFontsItalic_ = nullptr;
};

}  // namespace talvenor::gui

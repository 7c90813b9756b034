#include "report/data_window.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QStackedWidget>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "report/data_commands.h"
#include "report/page_lines_view.h"
#include "report/printing.h"
#include "session/save_data.h"
#include "session/session.h"
#include "shell/app_services.h"
#include "shell/gui_support.h"
#include "shell/qt_dialogs.h"

namespace talvenor::gui {

namespace fs = std::filesystem;

DataWindow::DataWindow(AppServices& app, QWidget* parent)
    : QMainWindow(parent),
      app_(app),
      chooseFile_([this](const QString& p) { return chooseFileWithDialog(p); }) {
    setObjectName("OutputD1");
    setWindowTitle("Data");

    RichText1_ = new QPlainTextEdit(this);
    RichText1_->setObjectName("RichText1");
    RichText1_->setReadOnly(true);
    // Report lines are laid out in columns; wrapping them would break the layout.
    RichText1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A right click hands the focus back to the main window instead.
    RichText1_->setContextMenuPolicy(Qt::NoContextMenu);
    RichText1_->installEventFilter(this);
    textViewport_ = RichText1_->viewport();
    textViewport_->installEventFilter(this);
    pageLines_ = new PageLinesView(this);
    pageLines_->setObjectName("lstPageLines");
    pageLines_->installEventFilter(this);
    pageLines_->viewport()->installEventFilter(this);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(RichText1_);
    pages_->addWidget(pageLines_);
    setCentralWidget(pages_);

    buildMenus();

    DataWindowLoading = true;
    applyStoredGeometry();
    DataWindowLoading = false;

    if (!applyFont()) ShowDataWindowMessage(*app_.session().dialogs, kFontMissingMessage);
    const Settings& settings = app_.session().settings;
    mnuFontsBold_->setChecked(settings.DataFontBold != 0);
    mnuFontsItalic_->setChecked(settings.DataFontItalic != 0);
    RichText1_->clear();
}

QAction* DataWindow::addItem(QMenu* menu, const char* name, const char* caption,
                             const QKeySequence& shortcut) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    if (menu) {
        menu->addAction(action);
    } else {
        menuBar()->addAction(action);
    }
    return action;
}

void DataWindow::buildMenus() {
    QMenu* mnuFile = menuBar()->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    connect(addItem(mnuFile, "mnuFileSave", "&Save", Qt::Key_F5), &QAction::triggered, this,
            [this] { save(false); });
    connect(addItem(mnuFile, "mnuFileSaveAs", "Save &As", Qt::Key_F6), &QAction::triggered, this,
            [this] { save(true); });

    QMenu* mnuFonts = menuBar()->addMenu("F&ont");
    mnuFonts->setObjectName("mnuFonts");
    mnuFontsIncrease_ = addItem(mnuFonts, "mnuFontsIncrease", "&Increase", Qt::Key_F7);
    mnuFontsDecrease_ = addItem(mnuFonts, "mnuFontsDecrease", "&Decrease", Qt::Key_F8);
    mnuFontsBold_ = addItem(mnuFonts, "mnuFontsBold", "&Bold", Qt::Key_F11);
    mnuFontsItalic_ = addItem(mnuFonts, "mnuFontsItalic", "I&talic", Qt::Key_F12);
    mnuFontsBold_->setCheckable(true);
    mnuFontsItalic_->setCheckable(true);
    connect(mnuFontsIncrease_, &QAction::triggered, this, &DataWindow::increaseFont);
    connect(mnuFontsDecrease_, &QAction::triggered, this, &DataWindow::decreaseFont);
    connect(mnuFontsBold_, &QAction::triggered, this, &DataWindow::toggleBold);
    connect(mnuFontsItalic_, &QAction::triggered, this, &DataWindow::toggleItalic);

    connect(addItem(nullptr, "mnuClearBuffer", "&Clear all data"), &QAction::triggered, this,
            &DataWindow::clearAllData);
    connect(addItem(nullptr, "mnuPrint", "&Print page"), &QAction::triggered, this, &DataWindow::printPage);
    connect(addItem(nullptr, "mnuPrintData", "Print &data"), &QAction::triggered, this,
            &DataWindow::printData);
    connect(addItem(nullptr, "mnuHelp", "&Help"), &QAction::triggered, this,
            [this] { app_.showHelp(std::string(kDataWindowHelpFile)); });
}

void DataWindow::displayPage(const QString& text) {
    pageLines_->clearPage();
    // The page's last line end closes its last line; it does not open another one.
    RichText1_->setPlainText(text.endsWith('\n') ? text.chopped(1) : text);
    pages_->setCurrentWidget(RichText1_);
    present();
}

void DataWindow::displayPageText(std::string text) {
    const auto lines = std::count(text.begin(), text.end(), '\n');
    if (lines <= kLongestTextPage) {
        displayPage(QString::fromStdString(text));
        return;
    }
    // The text box gives back the memory of the page it held.
    RichText1_->clear();
    pageLines_->showPage(std::move(text));
    pages_->setCurrentWidget(pageLines_);
    present();
}

void DataWindow::present() {
    // A window that was closed opens again where the settings say (kept on the screen).
    if (!isVisible()) {
        DataWindowLoading = true;
        applyStoredGeometry();
        DataWindowLoading = false;
    }
    show();
    raise();
    setWindowTitle(QString::fromUtf8(kDataWindowTitle.data(), static_cast<int>(kDataWindowTitle.size())));
}

bool DataWindow::isMinimizedForReports() const {
    return isMinimized();
}

double DataWindow::twipsPerPixel() const {
    return TwipsPerPixelForDpi(logicalDpiX());
}

void DataWindow::applyStoredGeometry() {
    const PixelRect asked = DataWindowPixels(app_.session().settings, twipsPerPixel());
    place_ = {asked, app_.placeWindow(*this, asked)};
}

void DataWindow::storeGeometry() {
    // A minimized window has no size worth keeping.
    if (DataWindowLoading || isMinimized()) return;
    // What the user left alone keeps its stored value: a small screen does not shrink the window.
    StoreDataWindowGeometry(app_.session().settings, place_.ToKeep(app_.outerRect(*this)), twipsPerPixel());
}

void DataWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Shown, the window has its least size: that is the place this screen gave it.
    if (event->spontaneous()) return;
    place_.given = app_.outerRect(*this);
    storeGeometry();
}

void DataWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    storeGeometry();
}

void DataWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    storeGeometry();
}

void DataWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) storeGeometry();
}

bool DataWindow::applyFont() {
    const Settings& settings = app_.session().settings;
    QFont font(QString::fromUtf8(kDataWindowFontName.data(), static_cast<int>(kDataWindowFontName.size())));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (settings.DataFontSize > 0) font.setPointSizeF(settings.DataFontSize);
    font.setBold(settings.DataFontBold != 0);
    font.setItalic(settings.DataFontItalic != 0);
    RichText1_->setFont(font);
    pageLines_->setFont(font);
    return QFontInfo(RichText1_->font()).fixedPitch();
}

QString DataWindow::chooseFileWithDialog(const QString& proposedPath) {
    const QFileInfo proposed(proposedPath);
    const RaisingWindow owner(this);
    QFileDialog dialog(owner.window(), "Save As", proposed.absolutePath(), "Data Files (*.DOC)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix("doc");
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void DataWindow::save(bool saveAs) {
    const SaveFileChooser choose = [this](const fs::path& proposed) -> std::optional<fs::path> {
        const QString chosen = chooseFile_ ? chooseFile_(FromPath(proposed)) : QString();
        if (chosen.isEmpty()) return std::nullopt;
        return ToPath(chosen);
    };
    if (saveAs) {
        SaveDataAs(app_.session(), choose);
    } else {
        SaveData(app_.session(), choose);
    }
}

void DataWindow::increaseFont() {
    if (IncreaseFontSize(app_.session().settings, app_.session().FontStep)) applyFont();
    refresh();
}

void DataWindow::decreaseFont() {
    if (DecreaseFontSize(app_.session().settings, app_.session().FontStep)) applyFont();
    refresh();
}

void DataWindow::toggleBold() {
    mnuFontsBold_->setChecked(ToggleFontBold(app_.session().settings));
    applyFont();
    refresh();
}

void DataWindow::toggleItalic() {
    mnuFontsItalic_->setChecked(ToggleFontItalic(app_.session().settings));
    applyFont();
    refresh();
}

void DataWindow::refresh() {
    // With no page on show there is nothing to redraw, and the size items stay as they are.
    if (app_.session().report.PageLineCount == 0) return;
    Hourglass busy;
    app_.showReport();
    const Settings& settings = app_.session().settings;
    mnuFontsDecrease_->setEnabled(FontDecreaseEnabled(settings));
    mnuFontsIncrease_->setEnabled(FontIncreaseEnabled(settings));
}

void DataWindow::clearAllData() {
    ClearAllData(app_.session().report, *app_.session().dialogs);
}

void DataWindow::printPage() {
    const Session& s = app_.session();
    if (s.report.PageLineCount == 0) return;
    openPrintWindow([&s] { return WritePageToPrintFile(s.appFolder, s.report); });
}

void DataWindow::printData() {
    const Session& s = app_.session();
    if (!CheckDataToPrint(s.report, *s.dialogs)) return;
    openPrintWindow([&s] { return WriteDataToPrintFile(s.appFolder, s.report); });
}

void DataWindow::openPrintWindow(const std::function<bool()>& writePrintFile) {
    bool written = false;
    {
        Hourglass busy;
        written = writePrintFile();
        // A window over an old hand-over file would print something else than was asked for.
        if (written) app_.openPrintWindow();
    }
    if (!written) {
        const Session& s = app_.session();
        s.dialogs->ShowMessage(PrintFileNotWrittenMessage(PrintFilePath(s.appFolder)),
                               kPrintFileNotWrittenTitle, MessageIcon::Exclamation);
    }
}

bool DataWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool text = watched == RichText1_ || watched == pageLines_;
    const bool viewport = watched == textViewport_ || (pageLines_ && watched == pageLines_->viewport());
    if (event->type() == QEvent::KeyPress && text &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        app_.focusMainWindow();
        return true;  // Esc is not passed on to the text
    }
    if (event->type() == QEvent::MouseButtonRelease && viewport &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        app_.focusMainWindow();
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace talvenor::gui

#include "shell/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>

#include "chart/house_systems.h"
#include "session/report_table.h"
#include "shell/talvenor_app.h"

namespace talvenor::gui {

namespace {

struct HelpItem {
    const char* name;
    const char* caption;
    const char* file;
};

}  // namespace

MainWindow::MainWindow(TalvenorApp& app) : app_(app) {
    setObjectName("TALVENOR");
    setWindowTitle("TALVENOR");
    QFont font("Courier New", 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    setFont(font);

    QMenu* file = addMenu(nullptr, "mnuFile", "&File");
    connect(addItem(file, "mnuFileExit", "E&xit", Qt::Key_F12), &QAction::triggered, this,
            [this] { close(); });

    // A menu-bar title with no items of its own runs its command when chosen.
    QAction* input = menuBar()->addAction("&Input");
    input->setObjectName("mnuInputData");
    items_["mnuInputData"] = input;
    connect(input, &QAction::triggered, this, [this] { app_.inputCommand(); });

    QMenu* houses = addMenu(nullptr, "mnuHouseSystem", "Hou&ses");
    houses_ = new QActionGroup(this);
    houses_->setExclusive(true);
    for (const HouseSystemEntry& h : kHouseSystems) {
        QAction* a = addItem(houses, h.menuItem, h.menuCaption);
        a->setCheckable(true);
        a->setData(static_cast<int>(h.system));
        houses_->addAction(a);
        const HouseSystem system = h.system;
        connect(a, &QAction::triggered, this, [this, system] { app_.houseSystemChosen(system); });
    }

    QMenu* data = addMenu(nullptr, "mnuData", "&Data");
    // The items of the report table that have one, in its order.
    for (const ReportEntry& r : Reports()) {
        if (!r.menuItem) continue;
        if (r.separatorBefore) addItem(data, r.separatorBefore, "-");
        const QKeySequence key =
            r.shortcut ? QKeySequence::fromString(r.shortcut, QKeySequence::PortableText) : QKeySequence();
        QAction* a = addItem(data, r.menuItem, r.menuCaption, key);
        const std::string name = r.menuItem;
        connect(a, &QAction::triggered, this, [this, name] { app_.runDataCommand(name); });
    }

    // The chart drawn: a wheel, a dial and the graphic ephemeris, each in a window of its own.
    QMenu* chart = addMenu(nullptr, "mnuChart", "&Chart");
    connect(addItem(chart, "mnuChartWheel", "Chart &Wheel"), &QAction::triggered, this,
            [this] { app_.showChartWheel(); });
    connect(addItem(chart, "mnuChartDial", "&Dial"), &QAction::triggered, this, [this] { app_.showDial(); });
    connect(addItem(chart, "mnuChartEphemeris", "&Graphic Ephemeris"), &QAction::triggered, this,
            [this] { app_.showEphemeris(); });

    // The engine the charts are computed with.
    ephemeris_ = addChoices(
        addMenu(nullptr, "mnuEphemeris", "&Ephemeris"),
        {{"mnuEphemerisTheory", "The program's &theory", static_cast<int>(EphemerisChoice::Theory)},
         {"mnuEphemerisModern", "&Modern (VSOP87, ELP/MPP02)", static_cast<int>(EphemerisChoice::Modern)}},
        [this](int choice) { app_.ephemerisChosen(static_cast<EphemerisChoice>(choice)); });

    // The factors the midpoint work is done with.
    factors_ =
        addChoices(addMenu(nullptr, "mnuFactors", "Fac&tors"),
                   {{"mnuFactorsClassic", "&Classic: 13 factors, Sun to Pluto, Node, ASC, MC",
                     static_cast<int>(FactorSet::Classic)},
                    {"mnuFactorsUranian", "&Uranian: 22 factors, with the Aries point and Cupido to Poseidon",
                     static_cast<int>(FactorSet::Uranian)}},
                   [this](int set) { app_.factorsChosen(static_cast<FactorSet>(set)); });

    QAction* options = menuBar()->addAction("&Options");
    options->setObjectName("mnuOptions");
    items_["mnuOptions"] = options;
    connect(options, &QAction::triggered, this, [this] { app_.optionsCommand(); });

    QMenu* help = addMenu(nullptr, "mnuHelp", "&Help");
    QMenu* helpMain = addMenu(help, "mnuHelpTALVENOR", "&TALVENOR Window");
    const HelpItem mainHelp[] = {{"mnuMainMenuHelp", "TALVENOR Main Menu", "\\TALVENOR.HLP"},
                                 {"mnuDataNatalHelp", "DATA", "\\DATA.HLP"},
                                 {"mnuPhilosophyHelp", "Philosophy", "\\PHILO.HLP"}};
    for (const HelpItem& h : mainHelp) {
        const std::string fileName = h.file;
        QAction* a =
            addItem(helpMain, h.name, h.caption,
                    std::string(h.name) == "mnuMainMenuHelp" ? QKeySequence(Qt::Key_F1) : QKeySequence());
        connect(a, &QAction::triggered, this, [this, fileName] { app_.showHelp(fileName); });
    }
    const HelpItem helpItems[] = {
        {"mnuSplit0", "-", nullptr},
        {"mnuHelpInputD", "Natal &Input Data Window", "\\INPUTD.HLP"},
        {"mnuHelpInputD1", "&Diurnal Input Data Window", "\\INPUTD1.HLP"},
        {"mnuHelpNames", "&Names Window", "\\NAMES.HLP"},
        {"mnuHelpCities", "Cities &Window", "\\GEOGRAPH.HLP"},
        {"mnuHelpOptions", "&Options Window", "\\OPTIONS.HLP"},
        {"mnuHelpOutputD1", "Da&ta Window", "\\OUTPUTD1.HLP"},
        {"mnuHelpNameedit", "&Edit A Name File Window", "\\NAMEEDIT.HLP"},
        {"mnuHelpLongLat", "Edit A Cit&y File Window", "\\LONGLAT.HLP"},
        {"mnuHelpSelect", "&Select A File Window", "\\SELECT.HLP"},
        {"mnuHelpPrntfile", "&File To Print  Window", "\\PRNTFILE.HLP"},
        {"mnuSplit1", "-", nullptr},
        {"mnuHelpHints", "Hints", "\\HINTS.HLP"},
        {"mnuShortcutKeys", "Shortcut &keys", "\\SHORTCUT.HLP"},
        {"mnuHelpLicense", "&License Agreement", "\\LICENSE.HLP"},
        {"mnuSplit2", "-", nullptr},
        {"mnuHelpRevisions", "Re&vision history", "\\REVISION.HLP"},
    };
    for (const HelpItem& h : helpItems) {
        QAction* a = addItem(help, h.name, h.caption);
        if (!h.file) continue;
        const std::string fileName = h.file;
        connect(a, &QAction::triggered, this, [this, fileName] { app_.showHelp(fileName); });
    }
    connect(addItem(help, "mnuHelpAbout", "Abo&ut"), &QAction::triggered, this, [this] { app_.showAbout(); });

    showChartMenus(false);
    connect(&clock_, &QTimer::timeout, this, &MainWindow::updateClock);
    clock_.setObjectName("Timer1");
    clock_.start(1000);
}

QMenu* MainWindow::addMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    menus_[name] = m;
    return m;
}

QAction* MainWindow::addItem(QMenu* menu, const char* name, const char* caption,
                             const QKeySequence& shortcut) {
    QAction* a = std::string(caption) == "-" ? menu->addSeparator() : menu->addAction(caption);
    a->setObjectName(name);
    // Shortcuts act while this window is active, like the data window's own F5 to F12.
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    items_[name] = a;
    return a;
}

QActionGroup* MainWindow::addChoices(QMenu* menu, std::initializer_list<Choice> choices,
                                     const std::function<void(int)>& chosen) {
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (const Choice& c : choices) {
        QAction* a = addItem(menu, c.name, c.caption);
        a->setCheckable(true);
        a->setData(c.value);
        group->addAction(a);
        const int value = c.value;
        connect(a, &QAction::triggered, this, [chosen, value] { chosen(value); });
    }
    return group;
}

QAction* MainWindow::item(const std::string& name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

QMenu* MainWindow::menu(const std::string& name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

void MainWindow::checkHouse(HouseSystem system) {
    for (QAction* a : houses_->actions()) a->setChecked(a->data().toInt() == static_cast<int>(system));
}

void MainWindow::checkEphemeris(EphemerisChoice choice) {
    for (QAction* a : ephemeris_->actions()) a->setChecked(a->data().toInt() == static_cast<int>(choice));
}

void MainWindow::checkFactors(FactorSet set) {
    for (QAction* a : factors_->actions()) a->setChecked(a->data().toInt() == static_cast<int>(set));
}

bool MainWindow::chartMenusShown() const {
    return menus_.at("mnuData")->menuAction()->isVisible();
}

void MainWindow::showChartMenus(bool shown) {
    menus_.at("mnuData")->menuAction()->setVisible(shown);
    menus_.at("mnuChart")->menuAction()->setVisible(shown);
    items_.at("mnuInputData")->setVisible(shown);
}

void MainWindow::setSecondPersonCaptions(bool secondPerson) {
    for (const ReportEntry& r : Reports()) {
        if (r.menuItem && r.secondPersonCaption)
            items_.at(r.menuItem)->setText(secondPerson ? r.secondPersonCaption : r.menuCaption);
    }
}

void MainWindow::updateClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString time =
        app_.session().regional.Clock24 ? now.toString("HH:mm:ss") : now.toString("h:mm:ss AP");
    setWindowTitle(
        QString::fromStdString(app_.titlePrefix()) +
        QString::fromStdString(app_.formatToday(now.date().year(), now.date().month(), now.date().day())) +
        "     " + time);
}

int MainWindow::menuBarHeight(int width) const {
    const int wrapped = menuBar()->heightForWidth(width);
    return wrapped > 0 ? wrapped : menuBar()->sizeHint().height();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    app_.exitProgram();
    event->accept();
}

}  // namespace talvenor::gui

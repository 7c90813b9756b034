// The Event Search window and the Graphic Ephemeris window as a user drives them: the choices, the
// search with its progress and Cancel, the page in the data window; the graph's range, dial, bodies and
// midpoints, the pointer's date and degree, a click that dates the diurnal window, and the files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "chart/ephemeris_window.h"
#include "datafiles/name_record.h"
#include "drawing/ephemeris_drawing.h"
#include "drawing/glyph_outlines.h"
#include "input/diurnal_input_window.h"
#include "input/natal_input_window.h"
#include "report/data_window.h"
#include "report/event_search_window.h"
#include "session/event_commands.h"
#include "shell/main_window.h"
#include "shell/talvenor_app.h"
#include "support/scripted_dialogs.h"
#include "support/shipped_data.h"

namespace talvenor {
namespace {

const char* kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";
// A diurnal chart in a zone east of Greenwich, so that local times differ from UT.
const char* kTransit = "Transit,7 Dec 2026,9.30,A,-5.5,-077.13,28.40";

class EventWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The process in the name too: the same test may run at the same time in another build.
        folder_ = std::filesystem::temp_directory_path() /
                  ("talvenor-eventwin-" + std::to_string(getpid()) + "-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
        app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
        app_->start(folder_);
        Session& s = app_->session();
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(kSample), s.regional, s.natal));
        ASSERT_FALSE(FillDiurnalFromRecord(*ParseNameRecord(kTransit), s.regional, s.diurnal));
        app_->natalWindow().refresh();
        QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        ASSERT_TRUE(dialogs_.shown.empty()) << dialogs_.shown[0].text;
        ASSERT_EQ(HeadingOf(s.secondChart.birth).date.year, 2026);
    }
    void TearDown() override {
        app_.reset();
        std::filesystem::remove_all(folder_);
    }

    gui::EventSearchWindow& OpenSearch() {
        app_->main().item("mnuDataEventSearch")->trigger();
        EXPECT_NE(app_->eventSearchWindow(), nullptr);
        return *app_->eventSearchWindow();
    }
    template <typename T>
    T* Control(QWidget& window, const char* name) {
        T* control = window.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString DataText() { return app_->dataWindow().findChild<QPlainTextEdit*>("RichText1")->toPlainText(); }
    gui::EphemerisWindow& OpenGraph() {
        app_->main().item("mnuChartEphemeris")->trigger();
        EXPECT_NE(app_->ephemerisWindow(), nullptr);
        return *app_->ephemerisWindow();
    }

    std::filesystem::path folder_;
    testing_support::ScriptedDialogs dialogs_;
    std::unique_ptr<gui::TalvenorApp> app_;
};

TEST_F(EventWindowsTest, TheDataAndChartMenusOfferTheSearchAndTheGraphWithAccessKeys) {
    gui::MainWindow& main = app_->main();
    ASSERT_NE(main.item("mnuDataEventSearch"), nullptr);
    EXPECT_EQ(main.item("mnuDataEventSearch")->text(), "&Event Search...");
    EXPECT_TRUE(main.menu("mnuData")->actions().contains(main.item("mnuDataEventSearch")));
    ASSERT_NE(main.item("mnuChartEphemeris"), nullptr);
    EXPECT_EQ(main.item("mnuChartEphemeris")->text(), "&Graphic Ephemeris");
    EXPECT_TRUE(main.menu("mnuChart")->actions().contains(main.item("mnuChartEphemeris")));
    // No other item of either menu has the same access key.
    for (const char* menu : {"mnuData", "mnuChart"}) {
        for (QAction* a : main.menu(menu)->actions()) {
            if (a == main.item("mnuDataEventSearch") || a == main.item("mnuChartEphemeris")) continue;
            EXPECT_FALSE(a->text().contains("&E")) << a->text().toStdString();
            if (std::string(menu) == "mnuChart") {
                EXPECT_FALSE(a->text().contains("&G")) << a->text().toStdString();
            }
        }
    }
}

TEST_F(EventWindowsTest, TheSearchWindowOpensWithTheDiurnalYearTheTenBodiesAndTheNatalTargets) {
    gui::EventSearchWindow& w = OpenSearch();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isModal());
    EXPECT_EQ(w.windowTitle(), "Event Search");
    EXPECT_EQ(Control<QLineEdit>(w, "txtEventFrom")->text(), "01 Jan 2026");
    EXPECT_EQ(Control<QLineEdit>(w, "txtEventTo")->text(), "31 Dec 2026");
    EXPECT_EQ(Control<QComboBox>(w, "cboEventModulus")->currentText(), "90");
    QListWidget* movers = Control<QListWidget>(w, "lstEventMovers");
    ASSERT_EQ(movers->count(), 37);
    EXPECT_EQ(movers->item(0)->text(), "SUN   Transiting Sun");
    EXPECT_EQ(movers->item(36)->text(), "Pr.MC   Progressed Midheaven");
    const EventSearchChoices c = w.choices();
    EXPECT_EQ(c.movers, DefaultMoverNames());
    EXPECT_TRUE(c.targets.natalFactors);
    EXPECT_TRUE(c.targets.natalMidpoints);
    EXPECT_FALSE(c.targets.pictures);
    EXPECT_EQ(c.from, "01 Jan 2026");
    // The tab order runs through the choices to the buttons.
    QWidget* expected[] = {
        Control<QLineEdit>(w, "txtEventFrom"),     Control<QLineEdit>(w, "txtEventTo"),
        Control<QComboBox>(w, "cboEventModulus"),  movers,
        Control<QCheckBox>(w, "chkEventNatal"),    Control<QCheckBox>(w, "chkEventMidpoints"),
        Control<QCheckBox>(w, "chkEventPictures"), Control<QPushButton>(w, "cmdEventSearch"),
        Control<QPushButton>(w, "cmdEventCancel")};
    for (std::size_t i = 0; i + 1 < std::size(expected); ++i) {
        // The next of the named controls along the focus chain (the parts inside a control are passed).
        QWidget* next = expected[i]->nextInFocusChain();
        while (std::find(std::begin(expected), std::end(expected), next) == std::end(expected)) {
            next = next->nextInFocusChain();
        }
        EXPECT_EQ(next, expected[i + 1]) << expected[i]->objectName().toStdString();
    }
}

TEST_F(EventWindowsTest, SearchShowsThePageOfTheChoicesInTheDataWindowAndTheWindowCloses) {
    gui::EventSearchWindow& w = OpenSearch();
    Control<QLineEdit>(w, "txtEventFrom")->setText("1 Mar 2027");
    Control<QLineEdit>(w, "txtEventTo")->setText("31 Mar 2027");
    Control<QComboBox>(w, "cboEventModulus")->setEditText("45");
    QListWidget* movers = Control<QListWidget>(w, "lstEventMovers");
    for (int i = 0; i < movers->count(); ++i) {
        const QString name = movers->item(i)->data(Qt::UserRole).toString();
        movers->item(i)->setCheckState(name == "SUN" || name == "MAR" || name == "SA.MC" ? Qt::Checked
                                                                                         : Qt::Unchecked);
    }
    Control<QCheckBox>(w, "chkEventMidpoints")->setChecked(false);
    QTest::mouseClick(Control<QPushButton>(w, "cmdEventSearch"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.searching());
    const QString shown = DataText();
    EXPECT_TRUE(shown.contains("  EVENTS FROM 01 Mar 2027 TO 31 Mar 2027 - MODULUS 45\n"))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains("  MOVING:   SUN MAR SA.MC\n"));
    EXPECT_TRUE(shown.contains("LOCAL (TZ = -5.5)"));

    // The same page as the command writes for the same choices.
    EventSearchChoices c;
    c.from = "1 Mar 2027";
    c.to = "31 Mar 2027";
    c.modulus = "45";
    c.movers = {"SUN", "MAR", "SA.MC"};
    c.targets = {true, false, false};
    Session& s = app_->session();
    ASSERT_EQ(EventSearchCommand(s, c, NoSearchProgress()), ShowResult::Shown);
    EXPECT_EQ(shown.toStdString() + "\n", PageText(s.report, "\n"));
    EXPECT_TRUE(dialogs_.shown.empty());

    // Opened again, it keeps the choices.
    OpenSearch();
    EXPECT_EQ(Control<QLineEdit>(w, "txtEventFrom")->text(), "1 Mar 2027");
    EXPECT_EQ(w.choices().movers, c.movers);
}

TEST_F(EventWindowsTest, ARangeBeyondTheProgramsDatesIsToldAndTheWindowStaysOpen) {
    gui::EventSearchWindow& w = OpenSearch();
    const QString before = DataText();
    Control<QLineEdit>(w, "txtEventTo")->setText("31 Dec 2105");
    QTest::mouseClick(Control<QPushButton>(w, "cmdEventSearch"), Qt::LeftButton);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Event Search");
    EXPECT_EQ(dialogs_.shown[0].text,
              "The program computes dates up to 31 Dec 2099: a range cannot end on 31 Dec 2105.");
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(Control<QPushButton>(w, "cmdEventSearch")->isEnabled());
    EXPECT_EQ(DataText(), before);
}

// The modulus field takes the report tool's rule: below a minute of arc nothing is searched, the reason is
// told and the window stays open with its choices.
TEST_F(EventWindowsTest, AModulusTooSmallToSearchIsToldAndTheWindowStaysOpen) {
    gui::EventSearchWindow& w = OpenSearch();
    const QString before = DataText();
    Control<QComboBox>(w, "cboEventModulus")->setCurrentText("0.001");
    QTest::mouseClick(Control<QPushButton>(w, "cmdEventSearch"), Qt::LeftButton);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Event Search");
    EXPECT_EQ(
        dialogs_.shown[0].text,
        "The modulus 0.001 is too small to search: the events are timed to the minute, and the Moon moves "
        "up to 0.0107 degrees in a minute, so the smallest dial searched is one minute of arc, 0.0167 "
        "(the positions themselves are good to about a minute of arc).");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Control<QComboBox>(w, "cboEventModulus")->currentText(), "0.001");
    EXPECT_EQ(DataText(), before);
}

// A long search advances its bar; Cancel stops it between two stretches, and the events found until
// then are shown.
TEST_F(EventWindowsTest, ALongSearchShowsItsProgressAndCancelStopsIt) {
    gui::EventSearchWindow& w = OpenSearch();
    Control<QLineEdit>(w, "txtEventFrom")->setText("1 Jan 2000");
    Control<QLineEdit>(w, "txtEventTo")->setText("31 Dec 2099");
    Control<QCheckBox>(w, "chkEventPictures")->setChecked(true);
    QProgressBar* bar = Control<QProgressBar>(w, "prgEventSearch");
    int seen = -1;
    bool inputsLocked = false;
    // Once the bar has moved, Cancel is clicked (the search lets the timer's events through between two
    // of its stretches).
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, &w, [&] {
        if (bar->value() <= 0) return;
        watch.stop();
        seen = bar->value();
        inputsLocked = !Control<QLineEdit>(w, "txtEventFrom")->isEnabled() &&
                       !Control<QPushButton>(w, "cmdEventSearch")->isEnabled() &&
                       Control<QPushButton>(w, "cmdEventCancel")->isEnabled();
        QTest::mouseClick(Control<QPushButton>(w, "cmdEventCancel"), Qt::LeftButton);
    });
    watch.start();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(Control<QPushButton>(w, "cmdEventSearch"), Qt::LeftButton);
    // Stopped within a few stretches of a hundred years.
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_GT(seen, 0);
    EXPECT_LT(seen, 100);
    EXPECT_TRUE(inputsLocked);
    EXPECT_FALSE(w.searching());
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(DataText().contains("  SEARCH CANCELLED: THE EVENTS BEFORE ")) << DataText().toStdString();
    EXPECT_TRUE(Control<QPushButton>(w, "cmdEventSearch")->isEnabled());
}

TEST_F(EventWindowsTest, CancelOrEscapeWithoutASearchClosesTheWindow) {
    gui::EventSearchWindow& w = OpenSearch();
    QTest::mouseClick(Control<QPushButton>(w, "cmdEventCancel"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    OpenSearch();
    EXPECT_TRUE(w.isVisible());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

// ---- The graphic ephemeris ----

TEST_F(EventWindowsTest, TheGraphOpensOnTheDiurnalYearInTheFortyFiveDial) {
    gui::EphemerisWindow& g = OpenGraph();
    EXPECT_TRUE(g.isVisible());
    EXPECT_EQ(g.windowTitle(), "Graphic Ephemeris - Sample Person");
    EXPECT_EQ(g.fromField().text(), "01 Jan 2026");
    EXPECT_EQ(g.spanBox().currentText(), "1 year");
    const EphemerisGraph& graph = g.view().graph();
    EXPECT_EQ(graph.modulus, 45);
    EXPECT_EQ(graph.range.first, (CivilDate{2026, 1, 1}));
    EXPECT_EQ(graph.range.last, (CivilDate{2026, 12, 31}));
    EXPECT_EQ(graph.bodies.size(), 9u);
    EXPECT_EQ(graph.levels.size(), 13u);
    EXPECT_TRUE(g.item("mnuEphemerisModulus45")->isChecked());
    // No second chart to switch off here.
    EXPECT_EQ(g.item("mnuEphemerisSecondChart"), nullptr);
    // Its place is kept.
    EXPECT_TRUE(app_->session().settings.EphemerisWindow.Known());
}

TEST_F(EventWindowsTest, TheDialTheBodiesTheMidpointsAndTheRangeChangeTheGraph) {
    gui::EphemerisWindow& g = OpenGraph();
    g.item("mnuEphemerisModulus90")->trigger();
    EXPECT_EQ(g.view().graph().modulus, 90);
    g.item("mnuEphemerisBodyMOO")->trigger();
    ASSERT_EQ(g.view().graph().bodies.size(), 10u);
    EXPECT_EQ(g.view().graph().bodies[1].name, "MOO");
    g.item("mnuEphemerisMidpoints")->trigger();
    EXPECT_EQ(g.view().graph().levels.size(), 91u);
    g.fromField().setText("1 Jul 2027");
    g.spanBox().setCurrentIndex(g.spanBox().findText("10 years"));
    g.item("mnuEphemerisDraw")->trigger();
    EXPECT_EQ(g.view().graph().range.first, (CivilDate{2027, 7, 1}));
    EXPECT_EQ(g.view().graph().range.last, (CivilDate{2037, 6, 30}));
    // A date that is none is told, and the graph stays.
    g.fromField().setText("31 Feb 2027");
    EXPECT_FALSE(g.draw());
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Graphic Ephemeris");
    EXPECT_EQ(g.view().graph().range.first, (CivilDate{2027, 7, 1}));
    // So is a range past the program's last date.
    g.fromField().setText("1 Jan 2095");
    EXPECT_FALSE(g.draw());
    EXPECT_EQ(dialogs_.shown.back().text,
              "The program computes dates up to 31 Dec 2099: a range cannot end on 31 Dec 2104.");
}

TEST_F(EventWindowsTest, ThePointerShowsDateAndDegreeAndAClickDatesTheDiurnalWindow) {
    gui::EphemerisWindow& g = OpenGraph();
    gui::EphemerisView& view = g.view();
    const draw::GraphFrame frame = draw::GraphFrameOf(QRectF(view.rect()), view.graph());
    const QPoint at(static_cast<int>(frame.plot.left() + frame.plot.width() * 0.5),
                    static_cast<int>(frame.plot.top() + frame.plot.height() * 0.25));
    QTest::mouseMove(&view, at);
    const std::string hover =
        GraphHoverText(frame.JulianDateAt(at.x()), frame.PlaceAt(at.y()), RegionalFormat{});
    EXPECT_EQ(g.statusBar()->currentMessage().toStdString(), hover);
    EXPECT_EQ(hover.substr(0, 11), "02 Jul 2026");
    EXPECT_NE(hover.find(" UT   33\xC2\xB0"), std::string::npos) << hover;

    app_->diurnalWindow().hide();
    const std::string hour = app_->session().diurnal.hour;
    QTest::mouseClick(&view, Qt::LeftButton, {}, at);
    // The date of the diurnal zone (5.5 hours east) at that moment.
    const CivilDate date = LocalDateAt(frame.JulianDateAt(at.x()), -5.5);
    const SecondInputTexts& d = app_->session().diurnal;
    EXPECT_EQ(d.month, std::to_string(date.month));
    EXPECT_EQ(d.day, std::to_string(date.day));
    EXPECT_EQ(d.year, std::to_string(date.year));
    EXPECT_EQ(d.hour, hour);
    EXPECT_TRUE(app_->diurnalWindow().isVisible());
    EXPECT_EQ(g.statusBar()->currentMessage().toStdString(),
              "Diurnal date: " + FormatDateDdMmmYyyy(date, RegionalFormat{}));
    // A click outside the plot dates nothing.
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(d.day, std::to_string(date.day));
}

TEST_F(EventWindowsTest, TheGraphFollowsANewChart) {
    gui::EphemerisWindow& g = OpenGraph();
    const double sun = g.view().graph().levels[0].place;
    Session& s = app_->session();
    ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord("Other Person,1 Jun 1980,3.00,A,0,000.00,51.29"),
                                     s.regional, s.natal));
    app_->natalWindow().refresh();
    app_->natalWindow().show();
    QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    EXPECT_EQ(g.windowTitle(), "Graphic Ephemeris - Other Person");
    EXPECT_NE(g.view().graph().levels[0].place, sun);
    EXPECT_EQ(g.view().graph().range.first, (CivilDate{2026, 1, 1}));
}

TEST_F(EventWindowsTest, TheGraphIsSavedAsSvgPngAndPdf) {
    gui::EphemerisWindow& g = OpenGraph();
    for (const auto& [format, name] :
         {std::pair{draw::DrawingFormat::Svg, "graph.svg"}, std::pair{draw::DrawingFormat::Png, "graph.png"},
          std::pair{draw::DrawingFormat::Pdf, "graph.pdf"}}) {
        const std::filesystem::path file = folder_ / name;
        g.setFileChooser(
            [&](const QString&, const QString&) { return QString::fromStdString(file.string()); });
        ASSERT_TRUE(g.saveAs(format)) << name;
        ASSERT_TRUE(std::filesystem::exists(file));
        EXPECT_GT(std::filesystem::file_size(file), 5000u) << name;
    }
    const QImage png(QString::fromStdString((folder_ / "graph.png").string()));
    EXPECT_EQ(png.size(), QSize(1800, 1200));
    std::ifstream svg(folder_ / "graph.svg");
    std::stringstream text;
    text << svg.rdbuf();
    EXPECT_EQ(text.str().find("<text"), std::string::npos);
    EXPECT_NE(text.str().find("<path"), std::string::npos);
}

// ---- The Uranian factors ----

// The natal chart of the session computed again with the Uranian factors (or the classic ones), as the
// factor setting will have it.
void UseFactors(Session& s, FactorSet set) {
    const Chart& n = s.natalChart;
    s.natalChart = *ComputeChart(n.birth, n.houseSystem, s.options, ChartRole::Natal, n.engine, set).chart;
}

TEST_F(EventWindowsTest, TheSearchWindowOffersThePointsWithAUranianChartAndKeepsTheTicks) {
    gui::EventSearchWindow& w = OpenSearch();
    QListWidget* movers = Control<QListWidget>(w, "lstEventMovers");
    ASSERT_EQ(movers->count(), 37);
    // The user's own choice: the Moon off, the directed Midheaven on.
    movers->item(1)->setCheckState(Qt::Unchecked);
    movers->findItems("SA.MC   Solar arc Midheaven", Qt::MatchExactly)[0]->setCheckState(Qt::Checked);
    w.close();
    UseFactors(app_->session(), FactorSet::Uranian);
    OpenSearch();
    EXPECT_EQ(w.factorSet(), FactorSet::Uranian);
    ASSERT_EQ(movers->count(), 62);
    EXPECT_EQ(movers->item(11)->text(), "CUP   Transiting Cupido");
    EXPECT_EQ(movers->findItems("SA.ARI   Solar arc Aries point", Qt::MatchExactly).size(), 1);
    EXPECT_TRUE(movers->findItems("Pr.ARI", Qt::MatchStartsWith).empty());
    std::vector<std::string> expected = DefaultMoverNames(FactorSet::Uranian);
    std::erase(expected, "MOO");
    expected.push_back("SA.MC");
    EXPECT_EQ(w.choices().movers, expected);
    // Back to the classic factors: the list as it was, the points gone, the choice kept.
    w.close();
    UseFactors(app_->session(), FactorSet::Classic);
    OpenSearch();
    ASSERT_EQ(movers->count(), 37);
    EXPECT_EQ(movers->item(36)->text(), "Pr.MC   Progressed Midheaven");
    expected = DefaultMoverNames();
    std::erase(expected, "MOO");
    expected.push_back("SA.MC");
    EXPECT_EQ(w.choices().movers, expected);
}

TEST_F(EventWindowsTest, TheGraphOffersThePointsAsBodiesWithAUranianChart) {
    gui::EphemerisWindow& g = OpenGraph();
    EXPECT_EQ(g.item("mnuEphemerisBodyCUP"), nullptr);
    g.item("mnuEphemerisBodyMOO")->trigger();
    UseFactors(app_->session(), FactorSet::Uranian);
    g.refresh();
    EXPECT_EQ(g.factorSet(), FactorSet::Uranian);
    ASSERT_NE(g.item("mnuEphemerisBodyCUP"), nullptr);
    EXPECT_EQ(g.item("mnuEphemerisBodyCUP")->text(), "Transiting Cupido");
    EXPECT_TRUE(g.item("mnuEphemerisBodyPOS")->isChecked());
    // The Moon the user chose stays chosen.
    EXPECT_TRUE(g.item("mnuEphemerisBodyMOO")->isChecked());
    const EphemerisGraph& graph = g.view().graph();
    EXPECT_EQ(graph.levels.size(), 22u);
    ASSERT_EQ(graph.bodies.size(), 10u + 8u);
    EXPECT_EQ(graph.bodies[10].name, "CUP");
    EXPECT_EQ(graph.bodies[10].factor, 15);
    g.item("mnuEphemerisBodyHAD")->trigger();
    EXPECT_EQ(g.view().graph().bodies.size(), 17u);
    // Classic again: the points leave the menu and the graph.
    UseFactors(app_->session(), FactorSet::Classic);
    g.refresh();
    EXPECT_EQ(g.item("mnuEphemerisBodyCUP"), nullptr);
    EXPECT_EQ(g.findChild<QMenu*>("mnuEphemerisBodies")->actions().size(), 11);
    EXPECT_EQ(g.view().graph().bodies.size(), 10u);
    EXPECT_EQ(g.view().graph().levels.size(), 13u);
}

// The points' lines in their own inks, their symbols beside the levels and in the legend: a graph of one
// point draws its ink, and the Aries point and the points have symbols that are not the letters' blanks.
TEST_F(EventWindowsTest, ThePointsAreDrawnInTheirOwnInksWithTheirGlyphs) {
    std::vector<QRgb> inks;
    for (int f = 15; f <= 22; ++f) {
        const QRgb ink = draw::GraphFactorInk(f).rgb();
        EXPECT_EQ(std::count(inks.begin(), inks.end(), ink), 0) << f;
        for (int p = 1; p <= 10; ++p) EXPECT_NE(ink, draw::GraphBodyInk(p).rgb()) << f;
        inks.push_back(ink);
    }
    EXPECT_EQ(draw::GraphFactorInk(1), draw::GraphBodyInk(1));

    Session& s = app_->session();
    UseFactors(s, FactorSet::Uranian);
    EphemerisGraphRequest request;
    ASSERT_FALSE(ReadDayRange("1 Jan 2027", "31 Dec 2027", s.regional, kGraphRangeLimits, request.range));
    request.modulus = 360;
    request.bodies = {"CUP"};
    const EphemerisGraph graph = BuildEphemerisGraph(s.natalChart, s.options, s.regional, request);
    draw::GlyphOutlines glyphs;
    QImage image(900, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        draw::PaintEphemerisGraph(painter, QRectF(image.rect()), graph, glyphs);
    }
    // Pixels of an ink, the edges' blending with the paper allowed for.
    auto near = [&image](int x, int y, QRgb ink) {
        const QRgb c = image.pixel(x, y);
        return std::abs(qRed(c) - qRed(ink)) + std::abs(qGreen(c) - qGreen(ink)) +
                   std::abs(qBlue(c) - qBlue(ink)) <
               60;
    };
    int cupido = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) cupido += near(x, y, inks[0]) ? 1 : 0;
    }
    // The line across the year and the legend's glyph.
    EXPECT_GT(cupido, 500);
    // The legend shows a symbol in its ink before the name (which begins 26 pixels in).
    const draw::GraphFrame frame = draw::GraphFrameOf(QRectF(image.rect()), graph);
    int legend = 0;
    for (int y = 0; y < static_cast<int>(frame.plot.top()); ++y) {
        for (int x = 0; x < 24; ++x) legend += near(x, y, inks[0]) ? 1 : 0;
    }
    EXPECT_GT(legend, 3);
}

}  // namespace
}  // namespace talvenor

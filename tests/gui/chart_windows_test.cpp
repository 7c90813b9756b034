// The Chart menu's windows as a user drives them: the wheel and the dial follow every computation, the
// dial's pointer turns by keys, wheel and mouse, the panel shows the tree's entries, files are written
// in three formats and the windows' places are kept.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <QXmlStreamReader>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart/dial_window.h"
#include "chart/point_catalogue.h"
#include "chart/wheel_window.h"
#include "datafiles/name_record.h"
#include "input/natal_input_window.h"
#include "midpoints/midpoint_trees.h"
#include "midpoints/modulus_prompt.h"
#include "shell/main_window.h"
#include "shell/talvenor_app.h"
#include "support/scripted_dialogs.h"
#include "support/shipped_data.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

const char* kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";
const char* kTransit = "Transit,7 Dec 2026,9.30,A,0,000.00,51.29";

class ChartWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("talvenor-chartwin-" + std::to_string(getpid()) + "-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        testing_support::FillWithShippedData(folder_, TALVENOR_SHIPPED_DATA_DIR);
        app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
        app_->start(folder_);
    }
    void TearDown() override {
        app_.reset();
        std::filesystem::remove_all(folder_);
    }

    void Compute(const char* natal = kSample) {
        Session& s = app_->session();
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(natal), s.regional, s.natal));
        ASSERT_FALSE(FillDiurnalFromRecord(*ParseNameRecord(kTransit), s.regional, s.diurnal));
        app_->natalWindow().refresh();
        QTest::mouseClick(app_->natalWindow().findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    }

    gui::DialWindow& OpenDial() {
        app_->main().item("mnuChartDial")->trigger();
        EXPECT_NE(app_->dialWindow(), nullptr);
        return *app_->dialWindow();
    }

    std::filesystem::path folder_;
    testing_support::ScriptedDialogs dialogs_;
    std::unique_ptr<gui::TalvenorApp> app_;
};

TEST_F(ChartWindowsTest, ChartMenuWithAccessKeysAppearsOnceAChartExists) {
    gui::MainWindow& main = app_->main();
    ASSERT_NE(main.menu("mnuChart"), nullptr);
    EXPECT_FALSE(main.menu("mnuChart")->menuAction()->isVisible());
    Compute();
    EXPECT_TRUE(main.menu("mnuChart")->menuAction()->isVisible());
    EXPECT_EQ(main.menu("mnuChart")->title(), "&Chart");
    EXPECT_EQ(main.item("mnuChartWheel")->text(), "Chart &Wheel");
    EXPECT_EQ(main.item("mnuChartDial")->text(), "&Dial");
}

TEST_F(ChartWindowsTest, WheelFollowsEveryComputationAndHouseChange) {
    Compute();
    app_->main().item("mnuChartWheel")->trigger();
    gui::WheelWindow* wheel = app_->wheelWindow();
    ASSERT_NE(wheel, nullptr);
    EXPECT_TRUE(wheel->isVisible());
    EXPECT_EQ(wheel->windowTitle(), "Chart Wheel - Sample Person");
    EXPECT_EQ(wheel->view().wheel().cusps, app_->session().natalChart.Cusp);
    EXPECT_EQ(wheel->view().wheel().houseSystem, "Placidus");
    EXPECT_EQ(wheel->view().wheel().second.size(), 15u);

    const CuspArray placidus = app_->session().natalChart.Cusp;
    app_->main().item("mnuHouseKoch")->trigger();  // computes again at once
    EXPECT_EQ(wheel->view().wheel().houseSystem, "Koch");
    EXPECT_EQ(wheel->view().wheel().cusps, app_->session().natalChart.Cusp);
    EXPECT_NE(wheel->view().wheel().cusps, placidus);

    Compute("Other Person,1 Jul 1980,3.00,A,5,074.00,40.43");
    EXPECT_EQ(wheel->windowTitle(), "Chart Wheel - Other Person");
    EXPECT_EQ(wheel->view().wheel().natal[0].lon, app_->session().natalChart.Lon[kSun]);

    wheel->item("mnuWheelSecondChart")->trigger();  // off
    EXPECT_TRUE(wheel->view().wheel().second.empty());
}

TEST_F(ChartWindowsTest, DialPointerTurnsByKeysWheelAndMouse) {
    Compute();
    gui::DialWindow& dial = OpenDial();
    EXPECT_EQ(dial.modulus(), 90.0f);
    EXPECT_TRUE(dial.item("mnuDialModulus90")->isChecked());
    gui::DialView& view = dial.view();

    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_NEAR(dial.pointer(), 1, 1e-9);
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_NEAR(dial.pointer(), 1 + 1.0 / 60, 1e-9);
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_NEAR(dial.pointer(), 89 + 1.0 / 60, 1e-9);  // across the dial's zero
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_NEAR(dial.pointer(), 89, 1e-9);

    const QPointF centre = view.rect().center();
    QWheelEvent up(centre, view.mapToGlobal(centre), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &up);
    EXPECT_NEAR(dial.pointer(), 1, 1e-9);
    QWheelEvent minute(centre, view.mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                       Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &minute);
    EXPECT_NEAR(dial.pointer(), 1 - 1.0 / 60, 1e-9);

    // A click on empty dial puts the pointer there; a click near a glyph snaps to its exact place.
    const draw::DialFrame frame = draw::DialFrameOf(QRectF(view.rect()), false);
    const DialLayout& layout = view.dial();
    auto pointAt = [&](double position, double radius) {
        const double direction = DialDirection(position, 90) * 3.14159265358979 / 180;
        return QPoint(static_cast<int>(std::lround(frame.centre.x() + radius * std::cos(direction))),
                      static_cast<int>(std::lround(frame.centre.y() - radius * std::sin(direction))));
    };
    const DialMark& sun = layout.natal[0];
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, pointAt(sun.shown + 0.3, frame.radius * 0.68));
    EXPECT_DOUBLE_EQ(dial.pointer(), sun.position);

    // Dragging follows the mouse without snapping.
    const double far = std::fmod(sun.position + 45, 90);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, pointAt(far, frame.radius * 0.5));
    QMouseEvent move(QEvent::MouseMove, pointAt(far + 2, frame.radius * 0.5),
                     view.mapToGlobal(pointAt(far + 2, frame.radius * 0.5)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, pointAt(far + 2, frame.radius * 0.5));
    EXPECT_NEAR(dial.pointer(), std::fmod(far + 2, 90), 0.6);
}

TEST_F(ChartWindowsTest, PanelShowsTheTreeEntriesAtThePointerAndFollowsTheModulus) {
    Compute();
    gui::DialWindow& dial = OpenDial();
    Session& s = app_->session();
    const double sun = ReduceOnDial(s.natalChart.Lon[kSun], 45);
    dial.item("mnuDialModulus45")->trigger();
    EXPECT_EQ(dial.modulus(), 45.0f);
    EXPECT_TRUE(dial.item("mnuDialModulus45")->isChecked());
    EXPECT_FALSE(dial.item("mnuDialModulus90")->isChecked());
    dial.setPointer(sun);
    const std::vector<DialPanelEntry> panel = DialPanel(s.natalChart, s.options, 45, sun);
    ASSERT_FALSE(panel.empty());
    const QStringList lines = dial.panel().toPlainText().split('\n');
    ASSERT_GE(lines.size(), static_cast<qsizetype>(panel.size() + 2));
    EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8("Pointer ")));
    for (std::size_t i = 0; i < panel.size(); ++i) {
        EXPECT_EQ(lines[static_cast<qsizetype>(i + 2)].toStdString(),
                  DialPanelLine(panel[i], s.options[60] != 0));
    }
    // Below the entries, the natal pictures A + B - C within the tree orb of the pointer, nearest first.
    const std::vector<Picture> pictures = PicturesAt(s.natalChart, s.options, 45, sun, s.options[40]);
    ASSERT_FALSE(pictures.empty());
    const qsizetype heading = lines.indexOf("Pictures A + B - C at the pointer");
    ASSERT_GT(heading, static_cast<qsizetype>(panel.size()));
    ASSERT_GE(lines.size(), heading + 2 + static_cast<qsizetype>(pictures.size()));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::string line = lines[heading + 2 + static_cast<qsizetype>(i)].toStdString();
        EXPECT_EQ(line, DialPictureLine(pictures[i]));
        EXPECT_LE(std::fabs(pictures[i].orb), s.options[40]);
    }
    EXPECT_EQ(dial.view().dial().chords.size(),
              static_cast<std::size_t>(
                  std::count_if(panel.begin(), panel.end(), [](const auto& e) { return e.second != 0; })));

    // "Other..." names the range, says why it refuses an answer and asks again; the modulus is then
    // written as typed.
    const std::size_t before = dialogs_.shown.size();
    dialogs_.answers.push_back("22,5");
    dialogs_.answers.push_back("400");
    dialogs_.answers.push_back("7.3");
    dial.item("mnuDialModulusOther")->trigger();
    EXPECT_EQ(dial.modulus(), 7.3f);
    ASSERT_EQ(dialogs_.shown.size(), before + 5);
    EXPECT_EQ(dialogs_.shown[before].text, kDialModulusPrompt);
    EXPECT_EQ(dialogs_.shown[before + 1].text, ModulusNotANumberMessage("22,5"));
    EXPECT_EQ(dialogs_.shown[before + 3].text, ModulusOutOfRangeMessage("400"));
    EXPECT_EQ(dialogs_.shown.back().title, "Modulus");
    EXPECT_NE(dial.panel().toPlainText().split('\n')[0].indexOf(QString::fromUtf8("   dial 7.3\u00B0   ")),
              -1)
        << dial.panel().toPlainText().toStdString();
    QString proposed;
    dial.setFileChooser([&](const QString& p, const QString&) {
        proposed = p;
        return QString();  // cancelled
    });
    dial.item("mnuDialSavePng")->trigger();
    EXPECT_TRUE(proposed.endsWith("dial7_3.png")) << proposed.toStdString();
    dialogs_.answers.push_back("30");
    dial.item("mnuDialModulusOther")->trigger();
    EXPECT_EQ(dial.modulus(), 30.0f);
    for (QAction* a : {dial.item("mnuDialModulus90"), dial.item("mnuDialModulus360"),
                       dial.item("mnuDialModulus45"), dial.item("mnuDialModulus22_5")}) {
        EXPECT_FALSE(a->isChecked());
    }
    dialogs_.answers.push_back(std::nullopt);  // Cancel keeps the dial as it is
    dial.item("mnuDialModulusOther")->trigger();
    EXPECT_EQ(dial.modulus(), 30.0f);
    dial.item("mnuDialModulus22_5")->trigger();
    EXPECT_EQ(dial.modulus(), 22.5f);
    EXPECT_LT(dial.pointer(), 22.5);
}

// Paths in an SVG file, and whether it has any text element (it must not: letters are outlines).
struct SvgCount {
    int paths = 0;
    int texts = 0;
    bool wellFormed = false;
};
SvgCount CountSvg(const QString& file) {
    QFile in(file);
    SvgCount count;
    if (!in.open(QIODevice::ReadOnly)) return count;
    QXmlStreamReader xml(&in);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("path")) ++count.paths;
        if (xml.name() == QLatin1String("text")) ++count.texts;
    }
    count.wellFormed = !xml.hasError();
    return count;
}

TEST_F(ChartWindowsTest, SavesSvgPngAndPdfWithEveryGlyphAsAnOutline) {
    Compute();
    app_->main().item("mnuChartWheel")->trigger();
    gui::WheelWindow* wheel = app_->wheelWindow();
    ASSERT_NE(wheel, nullptr);
    QString proposed;
    const QString target = QString::fromStdString((folder_ / "chart").string());
    wheel->setFileChooser([&](const QString& p, const QString&) {
        proposed = p;
        return target;  // without an extension: the chosen format's is added
    });
    wheel->item("mnuWheelSaveSvg")->trigger();
    EXPECT_EQ(proposed.toStdString(), (folder_ / "REPORTS" / "wheel.svg").string());
    const SvgCount svg = CountSvg(target + ".svg");
    EXPECT_TRUE(svg.wellFormed);
    EXPECT_EQ(svg.texts, 0);
    // 12 signs, 30 points with their degree texts, 12 house numbers, 4 axis names, 3 title lines.
    EXPECT_GE(svg.paths, 12 + 30 * 2 + 12 + 4 + 3);

    wheel->item("mnuWheelSavePng")->trigger();
    const QImage png(target + ".png");
    EXPECT_EQ(png.size(), QSize(1200, 1200));

    wheel->item("mnuWheelSavePdf")->trigger();
    QFile pdf(target + ".pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    gui::DialWindow& dial = OpenDial();
    dial.setFileChooser([&](const QString& p, const QString&) {
        proposed = p;
        return target + "-dial.svg";
    });
    dial.item("mnuDialSaveSvg")->trigger();
    EXPECT_EQ(proposed.toStdString(), (folder_ / "REPORTS" / "dial90.svg").string());
    const SvgCount dialSvg = CountSvg(target + "-dial.svg");
    EXPECT_TRUE(dialSvg.wellFormed);
    EXPECT_EQ(dialSvg.texts, 0);
    EXPECT_GE(dialSvg.paths, 26 + 18);  // the glyphs of both rings and the scale's labels

    // A file that cannot be written is said so, and nothing else happens.
    dial.setFileChooser(
        [&](const QString&, const QString&) { return QString("/proc/no-such-folder/dial.png"); });
    EXPECT_FALSE(dial.saveAs(draw::DrawingFormat::Png));
    ASSERT_FALSE(dialogs_.shown.empty());
    EXPECT_NE(dialogs_.shown.back().text.find("could not be written"), std::string::npos);
    dial.setFileChooser([&](const QString&, const QString&) { return QString(); });
    EXPECT_FALSE(dial.saveAs(draw::DrawingFormat::Png));  // cancelled
}

TEST_F(ChartWindowsTest, PrintsTheDrawingOnAPage) {
    Compute();
    gui::DialWindow& dial = OpenDial();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = QString::fromStdString((folder_ / "printed.pdf").string());
    printer.setOutputFileName(file);
    dial.printTo(printer);
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_GT(pdf.size(), 2000);
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(ChartWindowsTest, WindowsKeepTheirPlaceInTheSettingsFile) {
    Compute();
    app_->main().item("mnuChartWheel")->trigger();
    gui::WheelWindow* wheel = app_->wheelWindow();
    wheel->resize(500, 520);
    wheel->move(40, 60);
    const WindowGeometry stored = app_->session().settings.WheelWindow;
    const double twips = 1440.0 / wheel->logicalDpiX();
    // The outer rectangle, frame included, as the main and data windows keep theirs.
    const QRect outer = wheel->frameGeometry();
    EXPECT_TRUE(stored.Known());
    EXPECT_DOUBLE_EQ(stored.Width, outer.width() * twips);
    EXPECT_DOUBLE_EQ(stored.Height, outer.height() * twips);
    EXPECT_DOUBLE_EQ(stored.Left, outer.left() * twips);
    EXPECT_DOUBLE_EQ(stored.Top, outer.top() * twips);
    wheel->close();
    QApplication::processEvents();

    app_->exitProgram();
    std::ifstream in(folder_ / kSettingsFileName, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("WheelWidth= " + GeneralNumber(outer.width() * twips).substr(1) + "\r\n"),
              std::string::npos)
        << text.str();
    EXPECT_EQ(text.str().find("DialTop="), std::string::npos);  // never opened

    // The next start opens the wheel where it was left.
    app_.reset();
    app_ = std::make_unique<gui::TalvenorApp>(&dialogs_);
    app_->start(folder_);
    Compute();
    app_->main().item("mnuChartWheel")->trigger();
    EXPECT_EQ(app_->wheelWindow()->size(), QSize(500, 520));
    EXPECT_EQ(app_->wheelWindow()->frameGeometry(), outer);
}

}  // namespace
}  // namespace talvenor

namespace talvenor {
namespace {

TEST(GlyphOutlinesTest, SymbolsComeFromTheFontAndLettersStandInForTheRest) {
    draw::GlyphOutlines glyphs;
    ASSERT_TRUE(glyphs.hasSymbolFont());
    for (int p = 1; p <= 12; ++p) {
        bool fromFont = false;
        const QPainterPath outline = glyphs.symbol(PointGlyph(p), &fromFont);
        EXPECT_TRUE(fromFont) << p;
        EXPECT_FALSE(outline.isEmpty()) << p;
        // Centred on its place, about one em high.
        EXPECT_NEAR(outline.boundingRect().center().x(), 0, 1e-6) << p;
        EXPECT_GT(outline.boundingRect().height(), 0.4) << p;
        EXPECT_LT(outline.boundingRect().height(), 1.3) << p;
    }
    for (int s = 1; s <= 12; ++s) {
        bool fromFont = false;
        EXPECT_FALSE(glyphs.symbol(SignGlyph(s), &fromFont).isEmpty());
        EXPECT_TRUE(fromFont) << s;
    }
    // The Part of Fortune, the angles, and any symbol no font has, are written in letters.
    for (const GlyphSpec& glyph : {PointGlyph(kPartOfFortune), PointGlyph(kAscendant), PointGlyph(kMidheaven),
                                   GlyphSpec{0x10FFFD, "XY"}}) {
        bool fromFont = true;
        const QPainterPath outline = glyphs.symbol(glyph, &fromFont);
        EXPECT_FALSE(fromFont) << glyph.letters;
        EXPECT_FALSE(outline.isEmpty()) << glyph.letters;
        // Drawn a little smaller than text, so two letters take about one symbol's room.
        EXPECT_NEAR(outline.boundingRect().width(), glyphs.text(glyph.letters).boundingRect().width() * 0.72,
                    1e-6)
            << glyph.letters;
        EXPECT_NEAR(outline.boundingRect().center().y(), 0, 1e-6) << glyph.letters;
    }
    EXPECT_GT(glyphs.textWidth("SU/MO"), glyphs.textWidth("SU"));
    EXPECT_EQ(glyphs.textWidth(""), 0);
}

TEST(GlyphOutlinesTest, FormatsFollowTheExtension) {
    const std::pair<const char*, std::optional<draw::DrawingFormat>> cases[] = {
        {"a.svg", draw::DrawingFormat::Svg},
        {"/x/B.PNG", draw::DrawingFormat::Png},
        {"c.Pdf", draw::DrawingFormat::Pdf},
        {"d.jpg", std::nullopt},
        {"svg", std::nullopt},
        {"e.svg.txt", std::nullopt},
    };
    for (const auto& [path, format] : cases) EXPECT_EQ(draw::DrawingFormatOf(path), format) << path;
}

}  // namespace
}  // namespace talvenor

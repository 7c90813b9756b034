// The drawing module's speed: a 1000 x 1000 dial redrawn while its pointer moves (the panel, the chords
// and the glyphs laid out again each time), and a wheel written to SVG and to PNG.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>

#include "drawing/chart_drawing.h"
#include "events/event_factors.h"
#include "input/input_fills.h"
#include "sample_charts.h"
#include "session/session.h"

namespace {

using namespace talvenor;

class Quiet : public UserDialogs {
  public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

struct Charts {
    Quiet dialogs;
    Session session{dialogs};
    Charts() { bench::ComputeSample(session); }
};

Charts& SampleCharts() {
    static Charts charts;
    return charts;
}

void DialRedrawWhilePointerMoves(benchmark::State& state) {
    Charts& c = SampleCharts();
    draw::GlyphOutlines glyphs;
    QImage image(1000, 1000, QImage::Format_ARGB32_Premultiplied);
    double pointer = 0;
    for (auto _ : state) {
        pointer += 1.0 / 60;  // one minute a step, as Shift and an arrow key move it
        const DialLayout dial = draw::MakeDialLayout(c.session.natalChart, c.session.secondChart,
                                                     c.session.options, 90, pointer, true);
        QPainter painter(&image);
        draw::PaintDial(painter, QRectF(0, 0, 1000, 1000), dial, glyphs);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(DialRedrawWhilePointerMoves)->Unit(benchmark::kMillisecond);

void WheelExport(benchmark::State& state, draw::DrawingFormat format, const char* name) {
    Charts& c = SampleCharts();
    const QString file = QString::fromStdString((std::filesystem::temp_directory_path() / name).string());
    for (auto _ : state) {
        // A fresh glyph set each time: an export from the report tool starts with none.
        draw::GlyphOutlines glyphs;
        const WheelLayout wheel = draw::MakeWheelLayout(c.session.natalChart, c.session.secondChart,
                                                        c.session.options, c.session.regional, true);
        const bool saved = draw::SaveDrawing(
            file, format, QSize(1000, 1000),
            [&](QPainter& p, const QRectF& area) { draw::PaintWheel(p, area, wheel, glyphs); });
        if (!saved) state.SkipWithError("the file could not be written");
    }
    std::filesystem::remove(file.toStdString());
}
BENCHMARK_CAPTURE(WheelExport, Svg, draw::DrawingFormat::Svg, "talvenor-bench-wheel.svg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WheelExport, Png, draw::DrawingFormat::Png, "talvenor-bench-wheel.png")
    ->Unit(benchmark::kMillisecond);

// A ten-year graphic ephemeris in the 45 dial, drawn as the window draws it (1800 x 1200): the lines
// sampled from the engine and painted with the natal factors and midpoints. Argument 1: with the Moon.
void TenYearGraphicEphemeris(benchmark::State& state) {
    Charts& c = SampleCharts();
    draw::GlyphOutlines glyphs;
    QImage image(1800, 1200, QImage::Format_ARGB32_Premultiplied);
    EphemerisGraphRequest request;
    if (ReadDayRange("1 Jan 2027", "31 Dec 2036", c.session.regional, kGraphRangeLimits, request.range))
        state.SkipWithError("the range was refused");
    request.modulus = 45;
    request.midpoints = true;
    request.bodies = state.range(0) ? DefaultMoverNames() : DefaultGraphBodyNames();
    std::size_t points = 0;
    for (auto _ : state) {
        const EphemerisGraph graph =
            BuildEphemerisGraph(c.session.natalChart, c.session.options, c.session.regional, request);
        QPainter painter(&image);
        draw::PaintEphemerisGraph(painter, QRectF(0, 0, 1800, 1200), graph, glyphs);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
        points = 0;
        for (const GraphBody& b : graph.bodies) {
            for (const auto& run : b.runs) points += run.size();
        }
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(TenYearGraphicEphemeris)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The Graphic Ephemeris window: the transiting bodies reduced to a dial against time, the natal factors
// (and, when chosen, the natal midpoints) as levels across. The pointer over the graph shows the date and
// the degree; a click puts that date into the diurnal window.
#pragma once

#include <QWidget>
#include <optional>

#include "chart/chart_figure_window.h"
#include "events/ephemeris_graph.h"

class QActionGroup;
class QComboBox;
class QLineEdit;
class QMenu;

namespace talvenor::gui {

// The graph, painted by the drawing module; tells where the pointer is and where it is clicked. The keys
// move a pointer of their own, drawn as a cross: the arrows by a day or a degree (Shift: a minute of arc),
// Page Up and Down by a tenth of the range, Home and End to its ends; Enter acts as a click there.
class EphemerisView : public QWidget {
    Q_OBJECT
  public:
    EphemerisView(draw::GlyphOutlines& glyphs, QWidget* parent);
    void setGraph(const EphemerisGraph& graph);
    const EphemerisGraph& graph() const { return graph_; }
    // The moment and the place on the dial under a point of the widget; false outside the plot.
    bool pointAt(const QPointF& point, double& julianDate, double& place) const;

  signals:
    void hovered(double julianDate, double place);
    void left();
    void clicked(double julianDate);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Pointer {
        double julianDate = 0, place = 0;
    };

    draw::GlyphOutlines& glyphs_;
    EphemerisGraph graph_;
    // Where the keys go on from: the keys' pointer, or where the mouse was last over the plot.
    std::optional<Pointer> pointer_;
    bool pointerDrawn_ = false;
};

class EphemerisWindow : public ChartFigureWindow {
    Q_OBJECT
  public:
    explicit EphemerisWindow(AppServices& app);

    // The chart or the options changed: the levels follow (and the bodies offered follow the natal chart's
    // factor set); the range and the choices stay.
    void refresh() override;
    // Offers the bodies of a factor set in the Bodies menu (with the Uranian factors the eight hypothetical
    // points too): the bodies chosen stay chosen, a body new to the menu is chosen as the set's default
    // has it. Nothing changes when the menu already holds the set; the graph is not redrawn.
    void setFactorSet(FactorSet set);
    FactorSet factorSet() const { return factorSet_; }
    QSize exportSize() const override { return {1800, 1200}; }
    void paintFigure(QPainter& painter, const QRectF& area) override;

    // Draws the range typed and chosen; a range that cannot be drawn is told (and the graph kept).
    bool draw();
    void setModulus(float modulus);
    float modulus() const { return modulus_; }
    EphemerisView& view() { return *view_; }
    QLineEdit& fromField() { return *from_; }
    QComboBox& spanBox() { return *span_; }

  protected:
    QString fileStem() const override;

  private:
    void askModulus();
    EphemerisGraphRequest request(DayRange range) const;

    EphemerisView* view_ = nullptr;
    QLineEdit* from_ = nullptr;
    QComboBox* span_ = nullptr;
    QActionGroup* moduli_ = nullptr;
    QAction* midpoints_ = nullptr;
    QMenu* bodiesMenu_ = nullptr;
    std::vector<QAction*> bodies_;
    FactorSet factorSet_ = FactorSet::Classic;
    float modulus_ = kGraphModuli[0];
    DayRange range_;
};

}  // namespace talvenor::gui

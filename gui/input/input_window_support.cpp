#include "input/input_window_support.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace talvenor::gui {
namespace {

// The key filter of a text box, and the selection of its whole text whenever it receives the focus, by
// the keyboard or by the mouse. A click that gives the focus would place the cursor where it lands (and
// a slight drag would select part of the text), so the click is let through and the whole text is
// selected when the button is released.
class FieldFilter : public QObject {
  public:
    FieldFilter(QLineEdit* box, FieldKeys keys) : QObject(box), box_(box), keys_(keys) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_) return QObject::eventFilter(watched, event);
        switch (event->type()) {
            case QEvent::KeyPress:
                armed_ = false;
                return !AcceptsKeyText(keys_, static_cast<QKeyEvent*>(event)->text());
            case QEvent::FocusIn:
                focusIn(static_cast<QFocusEvent*>(event)->reason());
                break;
            case QEvent::FocusOut:
                armed_ = false;
                clicking_ = false;
                break;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                    // The click that gave the focus, or the one that activated the window and so gave
                    // the focus back to this box just before it arrived.
                    clicking_ = armed_ && sinceFocus_.isValid() && sinceFocus_.elapsed() < kClickAfterFocusMs;
                    armed_ = false;
                }
                break;
            case QEvent::MouseMove:
                // No selection by dragging in the click that selects the whole text.
                if (clicking_ && (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton)) return true;
                break;
            case QEvent::MouseButtonRelease:
                if (clicking_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                    clicking_ = false;
                    static_cast<QObject*>(box_)->event(event);
                    box_->selectAll();
                    return true;
                }
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    // A click this soon after the box received the focus belongs to that focus.
    static constexpr int kClickAfterFocusMs = 500;

    void focusIn(Qt::FocusReason reason) {
        armed_ = true;
        sinceFocus_.start();
        // The focus came with a click (its press follows at once), or the window was activated while
        // the button is down: the release of that click selects.
        clicking_ = reason != Qt::MouseFocusReason && (QGuiApplication::mouseButtons() & Qt::LeftButton);
        if (reason == Qt::MouseFocusReason) return;
        // Later, so that the box's own handling of the focus does not undo it.
        QPointer<QLineEdit> box = box_;
        QTimer::singleShot(0, box_, [box] {
            if (box && box->hasFocus()) box->selectAll();
        });
    }

    QLineEdit* box_;
    FieldKeys keys_;
    bool armed_ = false;     // focus received; the next click may be the one that gave it
    bool clicking_ = false;  // the press of that click has come; its release selects the whole text
    QElapsedTimer sinceFocus_;
};

class ClickFilter : public QObject {
  public:
    ClickFilter(QLabel* label, std::function<void()> onClick)
        : QObject(label), label_(label), onClick_(std::move(onClick)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ &&
            (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return false;
            if (event->type() == QEvent::MouseButtonRelease &&
                label_->rect().contains(mouse->position().toPoint()))
                onClick_();
            // Taken here, so that the window does not treat it as a click on its background.
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QLabel* label_;
    std::function<void()> onClick_;
};

}  // namespace

QLineEdit* NamedBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QFrame* NamedLine(const char* name, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QGroupBox* RadioPair(const char* name, const QString& title, QRadioButton* a, QRadioButton* b,
                     QWidget* parent) {
    auto* frame = Named<QGroupBox>(name, title, parent);
    auto* layout = new QHBoxLayout(frame);
    a->setParent(frame);
    b->setParent(frame);
    layout->addWidget(a);
    layout->addWidget(b);
    layout->addStretch();
    // The frame keeps its size when the window grows.
    frame->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    // Tab comes into the pair on its selected button (the arrow keys move between the two), whichever
    // of them is selected and however it was selected.
    const auto tabToSelected = [a, b] {
        const bool none = !a->isChecked() && !b->isChecked();
        for (QRadioButton* button : {a, b})
            button->setFocusPolicy(none || button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    QObject::connect(a, &QAbstractButton::toggled, frame, tabToSelected);
    QObject::connect(b, &QAbstractButton::toggled, frame, tabToSelected);
    return frame;
}

void ShowInRed(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
}

std::tm LocalNow() {
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    return now;
}

bool AcceptsKeyText(FieldKeys keys, const QString& text) {
    for (const QChar c : text) {
        // Backspace, Enter, Tab and the Ctrl combinations produce control characters, navigation keys
        // none: they keep their usual meaning.
        if (!c.isPrint()) continue;
        if (keys == FieldKeys::Any) continue;
        if (c >= u'0' && c <= u'9') continue;
        if (keys == FieldKeys::Zone && (c == u'-' || c == u'.')) continue;
        return false;
    }
    return true;
}

void InstallFieldBehaviour(QLineEdit* box, FieldKeys keys) {
    box->installEventFilter(new FieldFilter(box, keys));
}

void MakeClickable(QLabel* label, std::function<void()> onClick) {
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(new ClickFilter(label, std::move(onClick)));
}

void PaintSunkenFrames(QPainter& painter, const std::vector<QLabel*>& labels) {
    const QColor grey(128, 128, 128);
    const QColor white(255, 255, 255);
    for (const QLabel* label : labels) {
        if (!label->isVisible()) continue;
        const QRect g = label->geometry();
        const int left = g.left() - 1, top = g.top() - 1;
        const int right = g.right() + 1, bottom = g.bottom() + 1;
        painter.setPen(grey);
        painter.drawLine(left, top, right, top);
        painter.drawLine(left, top, left, bottom);
        painter.setPen(white);
        painter.drawLine(right, top, right, bottom);
        painter.drawLine(left, bottom, right, bottom);
    }
}

void GrowOnlyTheTextBoxes(QGridLayout* grid) {
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(grid->rowCount(), 1);
}

void ChainTabOrder(const std::vector<QWidget*>& widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

bool RunHourRule(QLineEdit* box, std::string& field, HourWindow window, UserDialogs& dialogs) {
    field = box->text().toStdString();
    std::string folded = field;
    bool pm = false;
    const HourRuleResult result = ApplyHourRule(folded, pm);
    if (folded != field) {
        field = folded;
        // Changes the text once more; the rule passes the folded value 1 to 12 unchanged.
        box->setText(QString::fromStdString(folded));
    }
    if (const auto fault = HourRuleFault(result, window))
        dialogs.ShowMessage(fault->text, fault->title, fault->icon);
    if (result == HourRuleResult::NotANumber) box->selectAll();
    return pm;
}

}  // namespace talvenor::gui

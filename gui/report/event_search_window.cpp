#include "report/event_search_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "session/session.h"
#include "shell/app_services.h"

namespace talvenor::gui {

namespace {

// The bar's steps: a month of a hundred years moves it.
constexpr int kProgressSteps = 10000;
constexpr const char* kModuli[] = {"90", "360", "45", "22.5"};

}  // namespace

// Draws the bar between two stretches of the search and lets the waiting events through, Cancel among them.
class EventSearchWindow::Progress : public EventSearchProgress {
  public:
    explicit Progress(EventSearchWindow& window) : window_(window) {}
    bool Continue(double fraction) override {
        const int percent = static_cast<int>(fraction * 100);
        window_.progress_->setValue(static_cast<int>(fraction * kProgressSteps));
        window_.status_->setText(QString("Searching ... %1 %").arg(percent));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return !window_.cancelled_;
    }

  private:
    EventSearchWindow& window_;
};

EventSearchWindow::EventSearchWindow(AppServices& app) : QDialog(app.mainWindow()), app_(app) {
    setObjectName("EventSearch");
    setWindowTitle("Event Search");
    setModal(true);

    from_ = new QLineEdit(this);
    from_->setObjectName("txtEventFrom");
    to_ = new QLineEdit(this);
    to_->setObjectName("txtEventTo");
    modulus_ = new QComboBox(this);
    modulus_->setObjectName("cboEventModulus");
    modulus_->setEditable(true);
    for (const char* m : kModuli) modulus_->addItem(m);

    movers_ = new QListWidget(this);
    movers_->setObjectName("lstEventMovers");
    setFactorSet(app_.session().natalChart.factors);
    movers_->setMinimumHeight(movers_->sizeHintForRow(0) * 9);

    auto* targets = new QGroupBox("Targets", this);
    targets->setObjectName("fraEventTargets");
    natal_ = new QCheckBox("&Natal factors", targets);
    natal_->setObjectName("chkEventNatal");
    natal_->setChecked(true);
    midpoints_ = new QCheckBox("Natal m&idpoints", targets);
    midpoints_->setObjectName("chkEventMidpoints");
    midpoints_->setChecked(true);
    pictures_ = new QCheckBox("&Planetary pictures", targets);
    pictures_->setObjectName("chkEventPictures");
    auto* targetLayout = new QVBoxLayout(targets);
    targetLayout->addWidget(natal_);
    targetLayout->addWidget(midpoints_);
    targetLayout->addWidget(pictures_);

    progress_ = new QProgressBar(this);
    progress_->setObjectName("prgEventSearch");
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    status_ = new QLabel(this);
    status_->setObjectName("lblEventStatus");

    search_ = new QPushButton("&Search", this);
    search_->setObjectName("cmdEventSearch");
    search_->setDefault(true);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cmdEventCancel");
    connect(search_, &QPushButton::clicked, this, [this] { search(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });

    auto* grid = new QGridLayout;
    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("&From", from_), 0, 0);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(label("&To", to_), 0, 2);
    grid->addWidget(to_, 0, 3);
    grid->addWidget(label("&Modulus", modulus_), 1, 0);
    grid->addWidget(modulus_, 1, 1);
    grid->addWidget(label("Mo&ving factors", movers_), 2, 0, 1, 4);
    grid->addWidget(movers_, 3, 0, 1, 3);
    grid->addWidget(targets, 3, 3, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(search_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(progress_);
    layout->addLayout(buttons);

    // The year of the diurnal date to begin with.
    const Session& s = app_.session();
    const int year = HeadingOf(s.secondChart.birth).date.year;
    from_->setText(QString::fromStdString(FormatDateDdMmmYyyy({year, 1, 1}, s.regional)));
    to_->setText(QString::fromStdString(FormatDateDdMmmYyyy({year, 12, 31}, s.regional)));
    setTabOrder(from_, to_);
    setTabOrder(to_, modulus_);
    setTabOrder(modulus_, movers_);
    setTabOrder(movers_, natal_);
    setTabOrder(natal_, midpoints_);
    setTabOrder(midpoints_, pictures_);
    setTabOrder(pictures_, search_);
    setTabOrder(search_, cancel_);
}

EventSearchChoices EventSearchWindow::choices() const {
    EventSearchChoices c;
    c.from = from_->text().toStdString();
    c.to = to_->text().toStdString();
    c.modulus = modulus_->currentText().toStdString();
    c.movers.clear();
    for (int i = 0; i < movers_->count(); ++i) {
        const QListWidgetItem* item = movers_->item(i);
        if (item->checkState() == Qt::Checked)
            c.movers.push_back(item->data(Qt::UserRole).toString().toStdString());
    }
    c.targets = {natal_->isChecked(), midpoints_->isChecked(), pictures_->isChecked()};
    return c;
}

void EventSearchWindow::setSearching(bool searching) {
    searching_ = searching;
    for (QWidget* w : std::initializer_list<QWidget*>{from_, to_, modulus_, movers_, natal_, midpoints_,
                                                      pictures_, search_}) {
        w->setEnabled(!searching);
    }
    progress_->setValue(0);
    status_->setText(searching ? "Searching ..." : "");
    cancel_->setFocus();
}

void EventSearchWindow::setFactorSet(FactorSet set) {
    if (set == factorSet_ && movers_->count() > 0) return;
    std::vector<std::string> chosen, offered;
    for (int i = 0; i < movers_->count(); ++i) {
        const QListWidgetItem* item = movers_->item(i);
        const std::string name = item->data(Qt::UserRole).toString().toStdString();
        offered.push_back(name);
        if (item->checkState() == Qt::Checked) chosen.push_back(name);
    }
    movers_->clear();
    factorSet_ = set;
    const std::vector<std::string> defaults = DefaultMoverNames(set);
    auto has = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const std::string& name : AllMoverNames(set)) {
        auto* item = new QListWidgetItem(QString::fromStdString(name + "   " + MoverCaption(name)), movers_);
        item->setData(Qt::UserRole, QString::fromStdString(name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool on = has(offered, name) ? has(chosen, name) : has(defaults, name);
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

void EventSearchWindow::showEvent(QShowEvent* event) {
    setFactorSet(app_.session().natalChart.factors);
    QDialog::showEvent(event);
}

void EventSearchWindow::search() {
    if (searching_) return;
    const EventSearchChoices chosen = choices();
    cancelled_ = false;
    setSearching(true);
    Progress progress(*this);
    ShowResult result = ShowResult::NothingToShow;
    app_.runProgressReport([&] {
        result = EventSearchCommand(app_.session(), chosen, progress);
        return result;
    });
    setSearching(false);
    // The page is in the data window; the window keeps the choices for the next search.
    if (result != ShowResult::NothingToShow) QDialog::accept();
}

void EventSearchWindow::reject() {
    if (searching_) {
        cancelled_ = true;
        return;
    }
    QDialog::reject();
}

void EventSearchWindow::closeEvent(QCloseEvent* event) {
    if (searching_) {
        cancelled_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace talvenor::gui

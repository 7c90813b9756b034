#include "input/find_place_window.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <atomic>

#include "atlas/atlas_index.h"
#include "atlas/atlas_text.h"
#include "atlas/place_format.h"
#include "environment/year_rule.h"
#include "session/atlas_lookup.h"
#include "session/session.h"
#include "shell/gui_support.h"
#include "system_zones.h"

namespace talvenor::gui {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// "120 451": thousands apart, as the list is read at a glance.
QString Population(std::int64_t n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), " ");
    return Text(digits);
}

constexpr int kBarSteps = 1000;

}  // namespace

// One making of the index, shared by the window and the thread that makes it: the thread writes the
// result and reads the stop flag; the window reads the result once the thread has finished.
struct FindPlaceWindow::IndexBuild : AtlasBuildWatch {
    AtlasLocation where;
    QProgressBar* bar = nullptr;  // outlives the thread: the window waits for it before its children go
    std::atomic<bool> stop{false};
    AtlasOpenResult result;

    void Started(const std::string&) override {}
    bool Progress(std::size_t done, std::size_t total) override {
        const int value = total > 0 ? static_cast<int>(done * kBarSteps / total) : 0;
        QMetaObject::invokeMethod(
            bar, [bar = bar, value] { bar->setValue(value); }, Qt::QueuedConnection);
        return !stop;
    }
};

FindPlaceWindow::FindPlaceWindow(const AtlasLocation& where, QWidget* parent)
    : QDialog(parent), where_(where), zones_(std::make_unique<SystemZoneDatabase>()) {
    setObjectName("FindPlace");
    setWindowTitle(kFindPlaceTitle);
    bool needsIndex = false;
    {
        // Quick: the index's check value is read; making an index is left to a thread of its own.
        Hourglass busy;
        AtlasOpenResult opened = Atlas::OpenMade(where_);
        atlas_ = std::move(opened.atlas);
        atlasMessage_ = opened.message;
        needsIndex = opened.needsBuild;
    }

    auto* prompt = new QLabel("&Place:", this);
    prompt->setObjectName("lblPlaceQuery");
    txtPlaceQuery_ = new QLineEdit(this);
    txtPlaceQuery_->setObjectName("txtPlaceQuery");
    txtPlaceQuery_->setPlaceholderText("Type a town, e.g. Ulm, Koln, Sao Paulo, paris texas");
    txtPlaceQuery_->installEventFilter(this);
    prompt->setBuddy(txtPlaceQuery_);

    lstPlaces_ = new QTreeWidget(this);
    lstPlaces_->setObjectName("lstPlaces");
    lstPlaces_->setRootIsDecorated(false);
    lstPlaces_->setUniformRowHeights(true);
    lstPlaces_->setHeaderLabels({"Place", "Position", "Zone", "Population"});
    lstPlaces_->header()->setStretchLastSection(false);
    lstPlaces_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 4; ++c) lstPlaces_->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    lstPlaces_->setMinimumHeight(180);

    lblPreview_ = new QLabel(this);
    lblPreview_->setObjectName("lblPreview");
    lblPreview_->setWordWrap(true);
    lblPreview_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblPreview_->setMinimumHeight(110);
    lblPreview_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    lblReadingChoice_ = new QLabel(this);
    lblReadingChoice_->setObjectName("lblReadingChoice");
    lblReadingChoice_->setWordWrap(true);
    optFirstReading_ = new QRadioButton(this);
    optFirstReading_->setObjectName("optFirstReading");
    optSecondReading_ = new QRadioButton(this);
    optSecondReading_->setObjectName("optSecondReading");
    readings_ = new QButtonGroup(this);
    readings_->addButton(optFirstReading_, 0);
    readings_->addButton(optSecondReading_, 1);

    lblIndexing_ = new QLabel(kMakingIndexNote, this);
    lblIndexing_->setObjectName("lblIndexing");
    lblIndexing_->setWordWrap(true);
    barIndexing_ = new QProgressBar(this);
    barIndexing_->setObjectName("barIndexing");
    barIndexing_->setRange(0, kBarSteps);
    barIndexing_->setTextVisible(false);
    lblIndexing_->hide();
    barIndexing_->hide();

    auto* credit = new QLabel(kAtlasCredit, this);
    credit->setObjectName("lblAtlasCredit");
    QFont small = credit->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    credit->setFont(small);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setObjectName("buttons");
    buttons_->button(QDialogButtonBox::Ok)->setObjectName("cmdAcceptPlace");
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName("cmdCancelPlace");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(txtPlaceQuery_);
    layout->addWidget(lstPlaces_, 1);
    layout->addWidget(lblIndexing_);
    layout->addWidget(barIndexing_);
    layout->addWidget(lblPreview_);
    layout->addWidget(lblReadingChoice_);
    layout->addWidget(optFirstReading_);
    layout->addWidget(optSecondReading_);
    layout->addWidget(credit);
    layout->addWidget(buttons_);
    resize(640, 520);

    connect(txtPlaceQuery_, &QLineEdit::textChanged, this, &FindPlaceWindow::search);
    connect(lstPlaces_, &QTreeWidget::currentItemChanged, this, &FindPlaceWindow::showChosenPlace);
    connect(lstPlaces_, &QTreeWidget::itemActivated, this, [this] { accept(); });
    connect(readings_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) readingChosen();
    });
    connect(buttons_, &QDialogButtonBox::accepted, this, &FindPlaceWindow::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &FindPlaceWindow::reject);
    if (needsIndex) makeIndex();
}

FindPlaceWindow::~FindPlaceWindow() {
    // A build still running is stopped (it leaves nothing behind) before the window's parts go.
    if (builder_) {
        build_->stop = true;
        builder_->wait();
    }
}

void FindPlaceWindow::makeIndex() {
    atlas_.reset();
    build_ = std::make_shared<IndexBuild>();
    build_->where = where_;
    build_->bar = barIndexing_;
    barIndexing_->setValue(0);
    lblIndexing_->show();
    barIndexing_->show();
    builder_ =
        QThread::create([build = build_] { build->result = Atlas::Rebuild(build->where, build.get()); });
    builder_->setParent(this);
    connect(builder_, &QThread::finished, this, &FindPlaceWindow::indexMade);
    // Below the interface, so that typing answers at once while the index is made.
    builder_->start(QThread::LowPriority);
}

void FindPlaceWindow::indexMade() {
    builder_->wait();
    delete builder_;
    builder_ = nullptr;
    AtlasOpenResult made = std::move(build_->result);
    build_.reset();
    atlas_ = std::move(made.atlas);
    atlasMessage_ = atlas_ ? std::string() : made.message;
    lblIndexing_->hide();
    barIndexing_->hide();
    // What was typed meanwhile is searched now.
    search();
    emit indexReady();
}

void FindPlaceWindow::start(const LocalClock& clock, bool clockTyped,
                            std::function<void(const PlaceFill&)> onAccept) {
    clock_ = clock;
    clockTyped_ = clockTyped;
    onAccept_ = std::move(onAccept);
    setWindowTitle(Text(std::string(kFindPlaceTitle) + " - " + ClockText(clock)));
    search();
    txtPlaceQuery_->selectAll();
    txtPlaceQuery_->setFocus();
    open();
}

const WorldPlace* FindPlaceWindow::currentPlace() const {
    const int row = lstPlaces_->indexOfTopLevelItem(lstPlaces_->currentItem());
    return row >= 0 && static_cast<std::size_t>(row) < places_.size()
               ? &places_[static_cast<std::size_t>(row)]
               : nullptr;
}

void FindPlaceWindow::search() {
    places_.clear();
    std::string error = atlasMessage_;
    if (atlas_) {
        AtlasSearchResult found = atlas_->Search(txtPlaceQuery_->text().toStdString(), kFindPlaceResults);
        places_ = std::move(found.places);
        error = found.error;
        // A damaged index is made again, once, and the typing searched when it is ready.
        if (found.indexDamaged && !indexRemade_) {
            indexRemade_ = true;
            makeIndex();
        }
    }

    const QSignalBlocker quiet(lstPlaces_);
    lstPlaces_->clear();
    for (const WorldPlace& p : places_) {
        auto* item = new QTreeWidgetItem(
            {Text(PlaceLabel(p)), Text(CitiesLatitude(p.latitude) + " " + CitiesLongitude(p.longitude)),
             Text(p.zone), Population(p.population)});
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        lstPlaces_->addTopLevelItem(item);
    }
    if (!places_.empty()) lstPlaces_->setCurrentItem(lstPlaces_->topLevelItem(0));
    showChosenPlace();
    // While the index is made the note above the bar says so; the preview has nothing to show yet.
    if (builder_) {
        lblPreview_->clear();
    } else if (!error.empty()) {
        lblPreview_->setText(Text(error));
    }
}

void FindPlaceWindow::showChosenPlace() {
    answer_ = {};
    const QSignalBlocker quiet(readings_);
    readings_->setExclusive(false);
    optFirstReading_->setChecked(false);
    optSecondReading_->setChecked(false);
    readings_->setExclusive(true);
    for (QWidget* w : std::initializer_list<QWidget*>{lblReadingChoice_, optFirstReading_, optSecondReading_})
        w->setVisible(false);

    const WorldPlace* place = currentPlace();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(place != nullptr);
    if (!place) {
        lblPreview_->setText(txtPlaceQuery_->text().trimmed().isEmpty() ? "" : "No place matches.");
        return;
    }
    answer_ = ReadClock(*zones_, place->zone, clock_, LongitudeEastMinutes(*place));
    switch (answer_.kind) {
        case ClockKind::Single:
            lblPreview_->setText(Text(PlacePreview(*place, clock_, clockTyped_, answer_.readings[0])));
            break;
        case ClockKind::UnknownZone:
            lblPreview_->setText(Text(PlaceHeading(*place) + "\n\n" + PlaceZoneUnknownMessage(*place)));
            buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
            break;
        case ClockKind::Skipped:
        case ClockKind::Repeated: {
            lblPreview_->setText(Text(PlaceHeading(*place)));
            const std::vector<std::string> answers = ClockChoiceAnswers(answer_);
            lblReadingChoice_->setText(Text(ClockChoiceQuestion(place->zone, clock_, answer_.kind)));
            optFirstReading_->setText(Text(answers.at(0)));
            optSecondReading_->setText(Text(answers.at(1)));
            for (QWidget* w :
                 std::initializer_list<QWidget*>{lblReadingChoice_, optFirstReading_, optSecondReading_})
                w->setVisible(true);
            break;
        }
    }
}

void FindPlaceWindow::readingChosen() {
    const WorldPlace* place = currentPlace();
    const int chosen = readings_->checkedId();
    if (!place || chosen < 0 || static_cast<std::size_t>(chosen) >= answer_.readings.size()) return;
    lblPreview_->setText(
        Text(PlacePreview(*place, clock_, clockTyped_, answer_.readings[static_cast<std::size_t>(chosen)])));
}

void FindPlaceWindow::accept() {
    const WorldPlace* place = currentPlace();
    if (!place || answer_.readings.empty() || answer_.kind == ClockKind::UnknownZone) return;
    std::size_t reading = 0;
    if (answer_.kind == ClockKind::Skipped || answer_.kind == ClockKind::Repeated) {
        // Never settled silently: OK or Enter without a choice says what to choose and selects the first
        // reading, which the next OK takes.
        if (readings_->checkedId() < 0) {
            optFirstReading_->setChecked(true);
            optFirstReading_->setFocus();
            lblReadingChoice_->setText(
                Text(ClockChoiceQuestion(place->zone, clock_, answer_.kind)).toHtmlEscaped() + "<br><b>" +
                Text(ClockChoiceReminder(answer_)).toHtmlEscaped() + "</b>");
            return;
        }
        reading = static_cast<std::size_t>(readings_->checkedId());
    }
    const PlaceFill fill = MakePlaceFill(*place, answer_.readings.at(reading));
    QDialog::accept();
    if (onAccept_) onAccept_(fill);
}

bool FindPlaceWindow::eventFilter(QObject* watched, QEvent* event) {
    // The arrows and page keys move through the list while the typing stays in the box.
    if (watched == txtPlaceQuery_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QKeyEvent copy(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(lstPlaces_, &copy);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool RunFindPlace(QWidget* owner, FindPlaceWindow*& window, Session& session, TypedMomentFields moment,
                  std::function<void(const PlaceFill&)> fill) {
    bool dateChanged = false;
    std::optional<CivilDate> date = TypedDate(moment.month, moment.day, moment.year);
    if (!date) {
        const std::optional<std::string> typed =
            session.dialogs->AskText(kFindPlaceDatePrompt, kFindPlaceTitle, "");
        if (!typed) return false;
        std::string fault;
        date = ReadDateByYearRule(*typed, session.regional, fault);
        if (!date) {
            session.dialogs->ShowMessage(NotADateMessage(*typed, fault), kFindPlaceTitle,
                                         MessageIcon::Exclamation);
            return false;
        }
        moment.month = std::to_string(date->month);
        moment.day = std::to_string(date->day);
        moment.year = std::to_string(date->year);
        dateChanged = true;
    }
    if (!window || window->atlasUnusable()) {
        delete window;
        window = new FindPlaceWindow(SessionAtlas(session), owner);
        if (window->atlasUnusable()) {
            session.dialogs->ShowMessage(window->atlasMessage(), kFindPlaceTitle, MessageIcon::Exclamation);
            delete window;
            window = nullptr;
            return dateChanged;
        }
    }
    const std::optional<LocalClock> clock = TypedClock(*date, moment.hour, moment.minute, moment.pm);
    window->start(clock ? *clock : LocalClock{*date, 12, 0}, clock.has_value(), std::move(fill));
    return dateChanged;
}

}  // namespace talvenor::gui

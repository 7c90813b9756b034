#include "input/find_place_window.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "atlas/atlas_text.h"
#include "atlas/place_format.h"
#include "environment/app_folder.h"
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

}  // namespace

FindPlaceWindow::FindPlaceWindow(const std::filesystem::path& dataFolder, QWidget* parent)
    : QDialog(parent), zones_(std::make_unique<SystemZoneDatabase>()) {
    setObjectName("FindPlace");
    setWindowTitle(kFindPlaceTitle);
    {
        Hourglass busy;
        AtlasOpenResult opened = Atlas::Open(dataFolder);
        atlas_ = std::move(opened.atlas);
        atlasMessage_ = opened.message;
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
}

FindPlaceWindow::~FindPlaceWindow() = default;

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
    if (!error.empty()) lblPreview_->setText(Text(error));
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
        date = ParseDate(*typed, session.regional);
        if (!date || date->year > 9999) {
            session.dialogs->ShowMessage(NotADateMessage(*typed), kFindPlaceTitle, MessageIcon::Exclamation);
            return false;
        }
        moment.month = std::to_string(date->month);
        moment.day = std::to_string(date->day);
        moment.year = std::to_string(date->year);
        dateChanged = true;
    }
    if (!window || !window->hasAtlas()) {
        delete window;
        window =
            new FindPlaceWindow(AtlasFolder(session.appFolder, InstalledDataDir(ExecutableDir())), owner);
        if (!window->hasAtlas()) {
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

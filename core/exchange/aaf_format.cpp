// The AAF exchange format: reading its records leniently, writing them strictly.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>

#include "environment/text_files.h"
#include "environment/year_rule.h"
#include "ephemeris/calendar.h"
#include "exchange/exchange_format.h"
#include "exchange/exchange_lines.h"
#include "input/strict_number.h"

namespace talvenor {
namespace {

// The fields of a chunk, up to as many as any chunk has that is read.
std::vector<std::string> Fields(std::string_view data) {
    constexpr std::size_t kMostFields = 64;
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() < kMostFields) {
        const std::size_t comma = data.find(',', start);
        fields.emplace_back(
            TrimSpace(data.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

bool Unknown(const std::string& field) {
    return field.empty() || field == "*";
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Three numbers joined by ".", "-" or "/" (the year may carry a minus sign): the shape of a date.
bool ShapedLikeDate(std::string_view field) {
    int groups = 0;
    bool inDigits = false;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (IsDigit(c)) {
            if (!inDigits) ++groups;
            inDigits = true;
        } else if (c == '.' || c == '/' || c == '-') {
            if (!inDigits && !(c == '-' && groups == 2)) return false;
            inDigits = false;
        } else {
            return false;
        }
    }
    return groups == 3 && inDigits;
}

// A date of the Julian calendar is marked with a "j" after it ("1.1.1500j"): the date without it.
std::optional<std::string_view> WithoutJulianMark(std::string_view field) {
    if (field.size() < 2 || (field.back() != 'j' && field.back() != 'J')) return std::nullopt;
    return field.substr(0, field.size() - 1);
}

bool ShapedLikeDateField(std::string_view field) {
    return ShapedLikeDate(WithoutJulianMark(field).value_or(field));
}

int JulianCalendarMonthDays(int year, int month) {
    static constexpr int kDays[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && year % 4 == 0 ? 29 : kDays[month];
}

// The date the program gives the day of a Julian-calendar date. The program counts dates up to 1582
// October 15 in the Julian calendar as well, so those stay as they are; a later Julian date names a day
// the program counts in the Gregorian calendar, whose date for it is taken, so that the birth keeps its
// day. No value for a date the Julian calendar does not have.
std::optional<CivilDate> FromJulianCalendar(const CivilDate& date, bool& changed) {
    changed = false;
    if (date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > JulianCalendarMonthDays(date.year, date.month))
        return std::nullopt;
    if (CountsInJulianCalendar(date.year, date.month, date.day)) return date;
    const DayOfCalendar day = CalendarDayOf(JulianCalendarDayNumber(date.year, date.month, date.day));
    changed = true;
    return CivilDate{day.year, day.month, day.day};
}

// Day.month.year as written, with the year's sign, when the field has that shape.
std::optional<CivilDate> DottedNumbers(std::string_view field) {
    const std::size_t a = field.find('.');
    const std::size_t b = a == std::string_view::npos ? a : field.find('.', a + 1);
    if (b == std::string_view::npos) return std::nullopt;
    const auto day = StrictNumber(field.substr(0, a));
    const auto month = StrictNumber(field.substr(a + 1, b - a - 1));
    const auto year = StrictNumber(field.substr(b + 1));
    if (!day || !month || !year) return std::nullopt;
    for (const double part : {*day, *month, *year}) {
        if (std::fabs(part) > 1e6) return std::nullopt;  // no date, and beyond what an int holds safely
    }
    return CivilDate{static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
}

void ReadA93(std::string_view data, SourceBirth& birth) {
    const std::vector<std::string> f = Fields(data);
    // The date stands after last name, first name and type; some files leave the type out.
    std::size_t date = 0;
    if (f.size() >= 4 && (ShapedLikeDateField(f[3]) || f[3] == "*")) {
        date = 3;
    } else if (f.size() >= 3 && ShapedLikeDateField(f[2])) {
        date = 2;
    } else {
        birth.fault =
            "the #A93 chunk has no date where one belongs (last name, first name, type, date, time, "
            "place, country)";
        return;
    }
    const std::string last = Unknown(f[0]) ? "" : f[0];
    const std::string first = Unknown(f[1]) ? "" : f[1];
    birth.name = first.empty() ? last : last.empty() ? first : first + " " + last;

    if (!Unknown(f[date])) {
        birth.dateText = f[date];
        const auto julian = WithoutJulianMark(f[date]);
        const auto numbers = DottedNumbers(julian.value_or(f[date]));
        if (numbers && (numbers->year < kFirstYear || numbers->year > kLastYear)) {
            birth.fault = "the date " + f[date] + " is outside the years the program computes (" +
                          std::to_string(kFirstYear) + " to " + std::to_string(kLastYear) + ")";
            return;
        }
        if (julian) {
            if (numbers) birth.date = FromJulianCalendar(*numbers, birth.calendarChanged);
        } else {
            birth.date = ReadExchangeDate(f[date], RegionalFormat{});
        }
    }
    if (f.size() > date + 1 && !Unknown(f[date + 1])) {
        birth.clock = ReadClockTime(f[date + 1]);
        if (!birth.clock) {
            birth.fault = "the time " + Quoted(f[date + 1]) + " is not a clock time";
            return;
        }
    }
    if (f.size() > date + 2 && !Unknown(f[date + 2])) birth.place = f[date + 2];
}

void ReadB93(std::string_view data, SourceBirth& birth) {
    std::vector<std::string> f = Fields(data);
    f.resize(std::max<std::size_t>(f.size(), 5));
    if (!Unknown(f[0])) {
        birth.julianDay = StrictNumber(f[0]);
        if (!birth.julianDay) {
            birth.fault = "the Julian day " + Quoted(f[0]) + " is not a number";
            return;
        }
    }
    const struct {
        const std::string& text;
        Axis axis;
        std::optional<double>& target;
        const char* what;
    } positions[] = {{f[1], Axis::Latitude, birth.latitude, "latitude"},
                     {f[2], Axis::Longitude, birth.longitude, "longitude"}};
    for (const auto& p : positions) {
        if (Unknown(p.text)) continue;
        p.target = ReadPosition(p.text, p.axis);
        if (!p.target) {
            birth.fault = std::string("the ") + p.what + " " + Quoted(p.text) + " is not a " + p.what;
            return;
        }
    }
    if (!Unknown(f[3])) {
        birth.zoneEast = ReadOffsetEast(f[3]);
        if (!birth.zoneEast) {
            birth.fault = "the zone " + Quoted(f[3]) + " is not a time zone";
            return;
        }
    }
    const std::string& type = f[4];
    if (Unknown(type)) {
        birth.daylight = std::nullopt;
    } else if (type == "0") {
        birth.daylight = 0;
    } else if (type == "1") {
        birth.daylight = 3600;
    } else if (type == "2" || type == "D" || type == "d") {
        birth.daylight = 7200;
    } else if (type == "h" || type == "H") {
        birth.daylight = 1800;
    } else if (type == "L" || type == "l" || type == "m" || type == "M") {
        birth.daylight = 0;
        birth.meanTime = true;
    } else {
        birth.fault = "the time type " + Quoted(type) + " is none of 0, 1, 2, D, h, L and m";
    }
}

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Two(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// "49n05", "122w05".
std::string AafPosition(int minutes, char positive, char negative) {
    const int magnitude = std::abs(minutes);
    return std::to_string(magnitude / 60) + (minutes < 0 ? negative : positive) + Two(magnitude % 60);
}

// "1he00", "5hw30", "0he21:48".
std::string AafZone(int offsetEast) {
    const int magnitude = std::abs(offsetEast);
    std::string text =
        std::to_string(magnitude / 3600) + "h" + (offsetEast > 0 ? "e" : "w") + Two(magnitude / 60 % 60);
    if (magnitude % 60) text += ":" + Two(magnitude % 60);
    return text;
}

// Records one at a time: a record is its #A93 chunk and the chunks after it up to the next #A93; of
// them only the #A93, the first #B93 and the #ZNAM are kept, the others counted for the notes.
class AafBirthReader : public BirthReader {
  public:
    void Line(std::string_view line, std::size_t number, bool, const Sink& give) override {
        if (line.starts_with("#:")) return;  // a comment
        if (line.starts_with("#")) {
            const std::size_t colon = line.find(':');
            open_ = nullptr;
            dropping_ = false;
            if (colon == std::string_view::npos) {
                ++stray_;
                return;
            }
            const std::string id = Capitals(TrimSpace(line.substr(1, colon - 1)));
            if (id == "A93") {
                Finish(give);
                record_ = Record{};
                record_->line = number;
                open_ = &record_->a93;
            } else if (!record_) {
                ++before_;
                return;
            } else if (id == "B93" && !record_->b93) {
                open_ = &record_->b93.emplace();
            } else if (id == "ZNAM") {
                open_ = &record_->znam.emplace();
            } else {
                if (id == "B93") {
                    ++extraB93_;
                } else {
                    LeaveOut(id);
                }
                dropping_ = true;
                return;
            }
            open_->assign(line.substr(colon + 1));
        } else if (!TrimSpace(line).empty()) {
            // Line breaks inside a chunk only lay it out; the lines of a chunk that is not kept go unread.
            if (open_) {
                Continue(line);
            } else if (!dropping_) {
                ++stray_;
            }
        }
    }

    void End(const Sink& give) override {
        Finish(give);
        if (records_ == 0) {
            fault_ = "it holds no #A93 record, so it is no AAF file";
            return;
        }
        for (const auto& [id, count] : leftOut_) {
            notes_.push_back("#" + id + " chunks (" + Count(count, "record", "records") +
                             ") were not kept: a names file has no field for them");
        }
        if (otherKinds_)
            notes_.push_back("chunks of further kinds (" + Count(otherKinds_, "record", "records") +
                             ") were not kept: a names file has no field for them");
        if (extraB93_)
            notes_.push_back(Count(extraB93_, "record has", "records have") +
                             " a second #B93 chunk; only the first was read");
        if (before_)
            notes_.push_back(Count(before_, "chunk stands", "chunks stand") +
                             " before the first #A93 and was not read");
        if (stray_) notes_.push_back(Count(stray_, "line is", "lines are") + " no chunk and was not read");
        notes_.push_back(
            "AAF records keep no place in a names file: the place, country and type fields were not kept");
    }

  private:
    struct Record {
        std::size_t line = 0;
        std::string a93;
        std::optional<std::string> b93, znam;
    };

    // A chunk's data grows by the lines that continue it; beyond what any record holds it is a damaged
    // file's, and the lines after go unread.
    void Continue(std::string_view data) {
        if (open_->size() < kLongestHeldLine) open_->append(data);
    }

    // The kinds of chunk are counted by name, as many as a file of any program has; a damaged file's
    // endless names are counted together.
    void LeaveOut(const std::string& id) {
        constexpr std::size_t kKindsNamed = 32, kLongestName = 16;
        const auto found = leftOut_.find(id);
        if (found != leftOut_.end()) {
            ++found->second;
        } else if (leftOut_.size() < kKindsNamed && id.size() <= kLongestName) {
            leftOut_[id] = 1;
        } else {
            ++otherKinds_;
        }
    }

    void Finish(const Sink& give) {
        if (!record_) return;
        SourceBirth birth;
        birth.line = record_->line;
        ReadA93(record_->a93, birth);
        if (record_->b93 && birth.fault.empty()) ReadB93(*record_->b93, birth);
        if (record_->znam) birth.abbreviation = std::string(TrimSpace(*record_->znam));
        if (!record_->b93 && birth.fault.empty())
            birth.fault = "the record has no #B93 chunk, so neither latitude nor longitude nor zone";
        record_.reset();
        open_ = nullptr;
        ++records_;
        give(std::move(birth));
    }

    std::optional<Record> record_;
    std::string* open_ = nullptr;  // the chunk a line without "#" continues
    bool dropping_ = false;        // or the chunk it continues is one not kept
    std::map<std::string, std::size_t> leftOut_;
    std::size_t otherKinds_ = 0, before_ = 0, stray_ = 0, extraB93_ = 0, records_ = 0;
};

}  // namespace

std::vector<std::string_view> TextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

SourceFile ReadWith(BirthReader& reader, std::string_view text) {
    SourceFile file;
    const BirthReader::Sink give = [&file](SourceBirth&& birth) { file.births.push_back(std::move(birth)); };
    const std::vector<std::string_view> lines = TextLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) reader.Line(lines[i], i + 1, i + 1 < lines.size(), give);
    reader.End(give);
    file.fault = reader.Fault();
    if (!file.fault.empty()) {
        file.births.clear();
        return file;
    }
    file.notes = reader.Notes();
    return file;
}

std::unique_ptr<BirthReader> AafReader() {
    return std::make_unique<AafBirthReader>();
}

SourceFile ReadAafText(std::string_view text) {
    const auto reader = AafReader();
    return ReadWith(*reader, text);
}

WrittenBirth AafRecord(const ExportBirth& birth) {
    WrittenBirth out;
    std::string last = birth.name, first;
    const std::size_t comma = birth.name.find(',');
    if (comma != std::string::npos) {
        if (birth.name.find(',', comma + 1) != std::string::npos) {
            out.refusal = "the name holds more than one comma, which an AAF field cannot hold";
            return out;
        }
        last = std::string(TrimSpace(std::string_view(birth.name).substr(0, comma)));
        first = std::string(TrimSpace(std::string_view(birth.name).substr(comma + 1)));
    } else if (const std::size_t blank = birth.name.find_last_of(' '); blank != std::string::npos) {
        first = std::string(TrimSpace(std::string_view(birth.name).substr(0, blank)));
        last = std::string(TrimSpace(std::string_view(birth.name).substr(blank + 1)));
    }
    if (birth.name.find('#') != std::string::npos) {
        out.refusal = "the name holds \"#\", which AAF keeps for the start of its chunks";
        return out;
    }
    if (last == "*" || first == "*") {
        out.refusal = "a part of the name is \"*\", which AAF reads as a name not given";
        return out;
    }
    if (last.empty()) last = "*";
    if (first.empty()) first = "*";

    char julianDay[32];
    std::snprintf(julianDay, sizeof julianDay, "%.6f", birth.JulianDay());
    const bool meanTime = birth.IsMeanTime();
    out.text = "#A93:" + last + "," + first + ",*," + std::to_string(birth.date.day) + "." +
               std::to_string(birth.date.month) + "." + WrittenYear(birth.date.year) + "," +
               std::to_string(birth.hour) + ":" + Two(birth.minute) + ",*,*\r\n";
    out.text += std::string("#B93:") + julianDay + "," + AafPosition(birth.latitudeNorthMinutes, 'n', 's') +
                "," + AafPosition(birth.longitudeEastMinutes, 'e', 'w') + "," +
                (meanTime ? "*" : AafZone(birth.OffsetEastSeconds())) + "," + (meanTime ? "L" : "0") + "\r\n";
    return out;
}

}  // namespace talvenor

// SPDX-License-Identifier: MIT
#include "engine/Dates.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <span>

namespace kolvane {
namespace {

using namespace std::chrono;

bool isDateSeparator(char c) {
    return c == '-' || c == '/' || c == '.' || c == '\\';
}

// Letters of the year, month and day of all four language blocks.
struct PatternLetters {
    std::string year;
    std::string month;
    std::string day;
};

const PatternLetters& patternLetters() {
    static const PatternLetters letters = [] {
        PatternLetters result;
        for (const int base : {kSpanishBase, kEnglishBase, kGermanBase, kFrenchBase}) {
            const auto add = [&](std::string& into, int number) {
                for (const char c : FindTextById(1000 + base + number).value_or("")) {
                    into += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                }
            };
            add(result.year, msg::YearLetter);
            add(result.month, msg::MonthLetter);
            add(result.day, msg::DayLetter);
        }
        return result;
    }();
    return letters;
}

// Numeric value of the year text: 0 for blank or non-numeric text.
long yearValue(std::string_view year) {
    std::size_t first = 0;
    std::size_t last = year.size();
    while (first < last && year[first] == ' ') {
        ++first;
    }
    while (last > first && year[last - 1] == ' ') {
        --last;
    }
    if (first == last || last - first > 9) {
        return 0;
    }
    long value = 0;
    for (std::size_t i = first; i < last; ++i) {
        if (year[i] < '0' || year[i] > '9') {
            return 0;
        }
        value = value * 10 + (year[i] - '0');
    }
    return value;
}

void appendCenturyYear(std::string& out, std::string_view year) {
    const long value = yearValue(year);
    if (value < 1900) {
        if (year.size() == 2 && value < 70) {
            out += "20";
        } else if (year.size() == 1) {
            out += "200";
        } else {
            out += "19";
        }
    }
    out += year;
}

void appendTwoDigits(std::string& out, std::string_view part) {
    if (part.size() < 2) {
        out += '0';
    }
    out += part;
}

} // namespace

DatePatternParser::DatePatternParser(std::string_view pattern) {
    const PatternLetters& letters = patternLetters();
    parts_.reserve(pattern.size());
    for (const char raw : pattern) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (letters.year.find(c) != std::string::npos) {
            parts_.push_back(Part::Year);
        } else if (letters.month.find(c) != std::string::npos) {
            parts_.push_back(Part::Month);
        } else if (letters.day.find(c) != std::string::npos) {
            parts_.push_back(Part::Day);
        } else if (isDateSeparator(c)) {
            parts_.push_back(Part::Separator);
        } else {
            parts_.push_back(Part::Unknown);
        }
    }
    readParts_ = static_cast<std::size_t>(std::find(parts_.begin(), parts_.end(), Part::Unknown) -
                                          parts_.begin());
}

namespace {

// A group of the parse (year, month or day): characters are added at its end,
// and a month or day that ends early gets a "0" in front.
class InlineGroup { // for patterns up to kInlineLimit characters: no allocation
public:
    static constexpr std::size_t kInlineLimit = 60;
    void push(char c) { text_[end_++] = c; }
    void prependZero() { text_[--start_] = '0'; }
    std::string_view view() const { return {text_.data() + start_, end_ - start_}; }

private:
    std::array<char, 2 * kInlineLimit + 2> text_; // only [start_, end_) is ever read
    std::size_t start_ = kInlineLimit + 1;
    std::size_t end_ = kInlineLimit + 1;
};

class StringGroup { // for longer patterns
public:
    void push(char c) { text_ += c; }
    void prependZero() { text_.insert(text_.begin(), '0'); }
    std::string_view view() const { return text_; }

private:
    std::string text_;
};

template <typename Part, typename Group>
bool parseGroups(std::span<const Part> parts, std::string_view value, std::string& out,
                 DateParseTrace* trace) {
    if (value.size() > parts.size() && value.front() == ' ') {
        value.remove_prefix(1);
    }
    // A blank in a month or day position reads as "0"; only the first character
    // of what is left is ever replaced, so one flag stands in for the edit.
    bool frontIsZero = false;
    const auto front = [&]() -> char { return frontIsZero ? '0' : value.front(); };
    const auto drop = [&] {
        value.remove_prefix(1);
        frontIsZero = false;
    };

    Group year;
    Group month;
    Group day;
    for (const Part part : parts) {
        if (part == Part::Unknown) {
            break; // the unknown character stays first in the pattern: nothing more is read
        }
        if (part == Part::Month || part == Part::Day) {
            Group& group = part == Part::Month ? month : day;
            if (!value.empty() && front() == ' ') {
                frontIsZero = true;
            }
            if (!value.empty() && isDateSeparator(front())) {
                group.prependZero(); // the group ended early
                continue;
            }
            if (value.empty()) {
                return false;
            }
            group.push(front());
            drop();
            continue;
        }
        if (value.empty()) {
            return false;
        }
        if (part == Part::Year) {
            year.push(front());
        } else if (trace != nullptr && std::isdigit(static_cast<unsigned char>(front()))) {
            trace->separatorTookDigit = true;
        }
        drop();
    }
    if (trace != nullptr) {
        trace->unread = value;
    }
    appendCenturyYear(out, year.view());
    appendTwoDigits(out, month.view());
    appendTwoDigits(out, day.view());
    return true;
}

} // namespace

// Each pattern character takes the value's character at its own place, as the
// rules do while no month or day stands on a blank or a separator and no blank
// in front is dropped: the usual case, without the rules' bookkeeping.
bool DatePatternParser::parseInPlace(std::string_view value, std::string& out,
                                     DateParseTrace* trace) const {
    if (value.size() < readParts_ || readParts_ > InlineGroup::kInlineLimit ||
        (value.size() > parts_.size() && value.front() == ' ')) {
        return false;
    }
    std::array<char, InlineGroup::kInlineLimit> groups[3];
    std::size_t sizes[3] = {0, 0, 0};
    bool separatorTookDigit = false;
    for (std::size_t i = 0; i < readParts_; ++i) {
        const char c = value[i];
        const Part part = parts_[i];
        if (part == Part::Separator) {
            separatorTookDigit = separatorTookDigit || (c >= '0' && c <= '9');
            continue;
        }
        if (part != Part::Year && (c == ' ' || isDateSeparator(c))) {
            return false;
        }
        const auto group = static_cast<std::size_t>(part);
        groups[group][sizes[group]++] = c;
    }
    if (trace != nullptr) {
        trace->unread = value.substr(readParts_);
        trace->separatorTookDigit = separatorTookDigit;
    }
    const auto view = [&](Part part) {
        const auto group = static_cast<std::size_t>(part);
        return std::string_view(groups[group].data(), sizes[group]);
    };
    if (sizes[0] == 2 && sizes[1] == 2 && sizes[2] == 2) {
        // Two digits each, the usual dd-mm-yy: written at once.
        const std::string_view year = view(Part::Year);
        const bool thisCentury = yearValue(year) < 70;
        const char date[8] = {thisCentury ? '2' : '1',
                              thisCentury ? '0' : '9',
                              year[0],
                              year[1],
                              groups[1][0],
                              groups[1][1],
                              groups[2][0],
                              groups[2][1]};
        out.append(date, sizeof date);
        return true;
    }
    appendCenturyYear(out, view(Part::Year));
    appendTwoDigits(out, view(Part::Month));
    appendTwoDigits(out, view(Part::Day));
    return true;
}

bool DatePatternParser::parseStepByStep(std::string_view value, std::string& out,
                                        DateParseTrace* trace) const {
    if (parts_.size() <= InlineGroup::kInlineLimit) {
        return parseGroups<Part, InlineGroup>(parts_, value, out, trace);
    }
    return parseGroups<Part, StringGroup>(parts_, value, out, trace);
}

bool DatePatternParser::parse(std::string_view value, std::string& out,
                              std::string_view& unread) const {
    DateParseTrace trace;
    if (!parse(value, out, &trace)) {
        return false;
    }
    unread = trace.unread;
    return true;
}

std::optional<std::string> ParseDateByPattern(std::string_view pattern, std::string_view value) {
    std::string result;
    if (!DatePatternParser(pattern).parse(value, result)) {
        return std::nullopt;
    }
    return result;
}

void SelectDatePattern(ImportSetup& setup) {
    if (setup.DateFormatName != kCustomDateFormat) {
        setup.DatePattern = setup.DateFormatName;
    }
}

std::string ConvertDate(ImportSetup& setup, std::string_view value, const EngineContext& context) {
    if (value.empty()) {
        return {};
    }
    SelectDatePattern(setup);
    if (auto result = ParseDateByPattern(setup.DatePattern, value)) {
        return std::move(*result);
    }
    context.port.showMessage(msg::DateNotTranslated, MessageIcon::Warning, MessageButtons::Ok);
    setup.DateConversionFailed = true;
    return {};
}

namespace {

char formattingLetter(char raw) {
    switch (std::toupper(static_cast<unsigned char>(raw))) {
    case 'D':
    case 'T':
    case 'Q':
        return 'D';
    case 'M':
        return 'M';
    case 'J':
    case 'A':
    case 'Y':
        return 'Y';
    default:
        return 0;
    }
}

void appendNumber(std::string& out, unsigned value, int minimumDigits) {
    std::array<char, 12> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    for (auto n = end - digits.data(); n < minimumDigits; ++n) {
        out += '0';
    }
    out.append(digits.data(), end);
}

unsigned dayOfYear(year_month_day date) {
    const sys_days first{date.year() / January / 1};
    return static_cast<unsigned>((sys_days{date} - first).count()) + 1;
}

} // namespace

std::string FormatDateByPattern(std::string_view pattern, year_month_day date) {
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char letter = formattingLetter(pattern[i]);
        if (letter == 0) {
            out += pattern[i++];
            continue;
        }
        std::size_t run = 0;
        while (i + run < pattern.size() && formattingLetter(pattern[i + run]) == letter) {
            ++run;
        }
        i += run;
        const auto yearNumber = static_cast<unsigned>(static_cast<int>(date.year()));
        while (run > 0) {
            if (letter == 'Y' && run >= 4) {
                appendNumber(out, yearNumber, 4);
                run -= 4;
            } else if (letter == 'Y' && run >= 2) {
                appendNumber(out, yearNumber % 100, 2);
                run -= 2;
            } else if (letter == 'Y') {
                appendNumber(out, dayOfYear(date), 1);
                run -= 1;
            } else {
                const unsigned part = letter == 'D' ? static_cast<unsigned>(date.day())
                                                    : static_cast<unsigned>(date.month());
                const int digits = run >= 2 ? 2 : 1;
                appendNumber(out, part, digits);
                run -= static_cast<std::size_t>(digits);
            }
        }
    }
    return out;
}

std::string FormatTodayByPattern(std::string_view pattern, const Clock& clock) {
    return FormatDateByPattern(pattern, clock.today());
}

namespace {

std::optional<int> digitsValue(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.front() == '-' ||
        text.front() == '+') {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> Trans_Fechas(std::string_view adisDate) {
    const std::string_view yearText = adisDate.substr(0, adisDate.size() == 8 ? 4 : 2);
    const std::string_view lastFour =
        adisDate.substr(adisDate.size() > 4 ? adisDate.size() - 4 : 0);
    const std::string_view monthText = lastFour.substr(0, 2);
    const std::string_view dayText = adisDate.substr(adisDate.size() > 2 ? adisDate.size() - 2 : 0);

    const auto yearNumber = digitsValue(yearText);
    const auto monthNumber = digitsValue(monthText);
    const auto dayNumber = digitsValue(dayText);
    if (!yearNumber || !monthNumber || !dayNumber) {
        return std::nullopt;
    }
    int fullYear = *yearNumber;
    if (yearText.size() <= 2) {
        fullYear += fullYear < 30 ? 2000 : 1900;
    }
    if (fullYear < 100 || fullYear > 9999) {
        return std::nullopt;
    }
    const year_month_day date{year{fullYear}, month{static_cast<unsigned>(*monthNumber)},
                              day{static_cast<unsigned>(*dayNumber)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    const sys_days epoch{year{1899} / December / 30};
    return static_cast<double>((sys_days{date} - epoch).count());
}

} // namespace kolvane

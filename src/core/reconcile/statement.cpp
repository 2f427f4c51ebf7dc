#include "statement.h"

#include <charconv>
#include <cstdio>
#include <utility>

namespace quorvel {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (the usual civil-day algorithm).
int civilDays(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// Offset so that no real date is 0 ("unknown").
constexpr int kOffset = 1'000'000;

bool readInt(std::string_view text, int& value) {
    if (text.empty() || text.size() > 4) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

void civilFromDays(int z, int& y, int& m, int& d) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y = yoe + era * 400 + (m <= 2);
}

}  // namespace

Day dayNumber(int year, int month, int day) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || year > 2999 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && day == 29 && !leap) return 0;
    return civilDays(year, month, day) + kOffset;
}

std::string dayText(Day day) {
    if (day == 0) return {};
    int y = 0, m = 0, d = 0;
    civilFromDays(day - kOffset, y, m, d);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
    return text;
}

std::string referenceDate(Day day) {
    if (day == 0) return {};
    int y = 0, m = 0, d = 0;
    civilFromDays(day - kOffset, y, m, d);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", m, d, y % 100);
    return text;
}

Day parseDayText(std::string_view text) {
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return 0;
    if (!readInt(text.substr(0, 4), y) || !readInt(text.substr(5, 2), m) || !readInt(text.substr(8, 2), d))
        return 0;
    return dayNumber(y, m, d);
}

Day parseWrittenDate(std::string_view text, bool dayFirst) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (const Day iso = parseDayText(text)) return iso;
    int y = 0, m = 0, d = 0;
    if (text.size() == 8 && readInt(text.substr(0, 4), y) && readInt(text.substr(4, 2), m) &&
        readInt(text.substr(6, 2), d))
        return dayNumber(y, m, d);
    // Month/day/year, the order the entry windows use, unless the day is said to come first.
    const std::size_t first = text.find('/');
    const std::size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
    if (second == std::string_view::npos) return 0;
    const std::string_view year = text.substr(second + 1);
    if (!readInt(text.substr(0, first), m) || !readInt(text.substr(first + 1, second - first - 1), d) ||
        !readInt(year, y))
        return 0;
    if (dayFirst) std::swap(m, d);
    if (year.size() == 2)
        y += 2000;
    else if (year.size() != 4)
        return 0;
    return dayNumber(y, m, d);
}

}  // namespace quorvel

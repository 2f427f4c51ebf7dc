#include "month_names.h"

#include <array>

namespace quorvel {
namespace {

constexpr std::array<std::string_view, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// ASCII only, whatever the program's locale.
bool lower(char c) { return c >= 'a' && c <= 'z'; }
char upper(char c) { return lower(c) ? static_cast<char>(c - 'a' + 'A') : c; }
bool digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<MonthOfYear> monthOfName(std::string_view fileName) {
    const std::string_view stem = fileName.substr(0, fileName.rfind('.'));
    if (stem.size() != 7) return std::nullopt;
    for (std::size_t i = 3; i < 7; ++i)
        if (!digit(stem[i])) return std::nullopt;
    std::size_t month = 0;
    while (month < kMonths.size() &&
           !(upper(stem[0]) == kMonths[month][0] && upper(stem[1]) == kMonths[month][1] &&
             upper(stem[2]) == kMonths[month][2]))
        ++month;
    if (month == kMonths.size()) return std::nullopt;
    return MonthOfYear{std::stoi(std::string(stem.substr(3))), static_cast<int>(month) + 1};
}

namespace {

// The month `step` months (one either way) from the one `fileName` names, named the same way.
std::optional<NextMonth> shiftedMonthName(std::string_view fileName, int step) {
    const std::size_t dot = fileName.rfind('.');
    const std::string_view stem = fileName.substr(0, dot);
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view{} : fileName.substr(dot);
    const auto named = monthOfName(fileName);
    if (!named) return std::nullopt;
    const std::size_t month = static_cast<std::size_t>(named->month - 1);

    const bool startsYear = month == 11 && step > 0;
    int year = named->year;
    if (startsYear) ++year;
    if (month == 0 && step < 0) --year;
    if (year > 9999 || year < 0) return std::nullopt;
    std::string name(kMonths[(month + 12 + step) % 12]);
    // Each letter keeps the case it had in the name given.
    for (std::size_t i = 0; i < 3; ++i)
        if (lower(stem[i])) name[i] = static_cast<char>(name[i] - 'A' + 'a');
    const std::string digits = std::to_string(year);
    name += std::string(4 - digits.size(), '0') + digits;
    name += extension;
    return NextMonth{name, startsYear};
}

}  // namespace

std::optional<NextMonth> nextMonthName(std::string_view fileName) { return shiftedMonthName(fileName, 1); }

std::optional<std::string> previousMonthName(std::string_view fileName) {
    auto name = shiftedMonthName(fileName, -1);
    if (!name) return std::nullopt;
    return name->name;
}

}  // namespace quorvel

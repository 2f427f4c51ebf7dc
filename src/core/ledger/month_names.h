// Month files are usually named after their month, "DEC2026.rep": three letters and a year.
// Knowing that, the program can suggest the name of the month that follows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

struct NextMonth {
    std::string name;         // the file name of the following month, in the same letter case and extension
    bool startsYear = false;  // the following month is January
};

struct MonthOfYear {
    int year = 0;
    int month = 0;  // 1..12
};

// The month a file name names ("DEC2026.rep" -> 2026, 12); nothing for any other name.
std::optional<MonthOfYear> monthOfName(std::string_view fileName);

// The month after the one `fileName` names ("DEC2026.rep" -> "JAN2027.rep", "nov2026.REP" ->
// "dec2026.REP"); nothing for a name that is not a month and a four-digit year.
std::optional<NextMonth> nextMonthName(std::string_view fileName);
// The month before, named the same way ("JAN2027.rep" -> "DEC2026.rep").
std::optional<std::string> previousMonthName(std::string_view fileName);

}  // namespace quorvel

// The printed treasurer's report as a list of print steps, made from the ledger without
// knowing the printer. The window replays them onto the default printer or a PDF file, so
// every copy and every PDF share one layout. Only the replay knows line heights, so the
// page checks are steps too, decided against the printer's position at replay time.
#pragma once

#include <string>
#include <vector>

#include "ledger/ledger.h"
#include "report_entries.h"

namespace quorvel {

inline constexpr const char* kReportFontFamily = "Courier New";

struct PrintStep {
    enum class Kind {
        Text,     // `text` at `column`; the line stays open
        EndLine,  // ends the line, an empty one when nothing was printed on it
        Font,     // the report font at `value` points
        Bold,     // bold on when `value` is 1, off when 0
        NewPage,
        PageCheck,  // runs `onBreak` when ten times the position in twips is above `value`
        PageHead,   // `onBreak` begins each page the replay starts itself from here on; empty: none
    };

    Kind kind = Kind::EndLine;
    int column = 0;
    std::string text;  // Windows-1252
    long value = 0;
    std::vector<PrintStep> onBreak;

    static PrintStep textAt(int column, std::string text);
    static PrintStep endLine();
    static PrintStep font(int points);
    static PrintStep bold(bool on);
    static PrintStep newPage();
    // `overTenthsOfTwips` is a limit in tenths of a twip, so fractional line heights stay exact.
    static PrintStep pageCheck(long overTenthsOfTwips, std::vector<PrintStep> onBreak);
    static PrintStep pageHead(std::vector<PrintStep> heading);

    bool operator==(const PrintStep&) const = default;
};

// The report of one copy, from the title lines to the budget totals. Recomputes the totals
// first and leaves the report's work cells filled, as every run does (see report_layout.h).
std::vector<PrintStep> printedReport(Ledger& ledger, const ReportEntries& entries);

}  // namespace quorvel

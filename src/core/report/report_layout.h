// The treasurer's report laid out once, for every form it takes: printed (and saved as PDF),
// the monthly report file and the annual report file. The layout walks the ledger in report
// order and tells an output what goes where; the output decides what a line becomes (print
// steps, or text lines of a file). Where the files differ from the print beyond that, the
// layout asks which form it is laying out.
//
// Work cells: the layout recomputes the totals and then fills the cells of the ledger that
// hold no ledger data, as the report always has: DesigAmount(i, 0) with fund i's transfers in,
// DesigAmount row 0 with the funds table's totals, BudgetAmount row 0 with the budget totals
// and row 101 with the running section subtotals. Row 101 is saved with the month file, so
// the next save carries the last report's subtotals, as files of this format always have;
// nothing reads it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ledger/ledger.h"
#include "report_entries.h"

namespace quorvel {

enum class ReportForm { Printed, MonthlyFile, AnnualFile };

// How a file writes a line; the print ignores it.
enum class LineKind {
    Composed,  // 90 characters; later texts overwrite earlier ones, nothing passes column 90
    Column,    // texts at their columns as printed; as long as its content
    TableRow,  // a column line with one more space after its last amount
};

class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // `text` at `column` of the current line (a line already past it goes on below).
    virtual void put(int column, const std::string& text) = 0;
    virtual void endLine(LineKind kind) = 0;
    // A line between blocks: an empty printed line, a line holding one space in a file.
    virtual void blank() = 0;
    virtual void font(int points) = 0;
    virtual void bold(bool on) = 0;
    virtual void newPage() = 0;
    // A page break decided at replay time; a file has no pages and skips `onBreak`.
    virtual void pageCheck(long overTenthsOfTwips, const std::function<void()>& onBreak) = 0;
    // What `heading` prints begins every page that a long table runs onto, until the next
    // pageHead; an empty function ends it. A file has no pages.
    virtual void pageHead(const std::function<void()>& heading) = 0;
};

void layOutReport(Ledger& ledger, const ReportEntries& entries, ReportForm form, ReportOutput& out);

// The 12-character amount field: "0.00" right-aligned, or its leftmost 12 characters.
std::string amountField(Money amount);

// The column where the printed report centres a title (never left of column 1).
int titleColumn(std::size_t length);

// The printed report's point sizes, and its widest line in columns of the body's size: the
// last amount of the tables ends at column 92.
inline constexpr int kBodyPoints = 10;
inline constexpr int kTitlePoints = 15;
inline constexpr int kPrintedColumns = 92;

// The longest title that, centred, stays within the width of the widest body line.
std::size_t longestTitle();

}  // namespace quorvel

#include "report_layout.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "ledger/ledger_routines.h"
#include "ledger/text_fields.h"
#include "review/sections.h"

namespace quorvel {
namespace {

constexpr int kLabel = 15;
constexpr int kAmount = 75;
constexpr int kItemLabel = 20;
constexpr int kItemAmount = 60;
constexpr int kLastColumn = 90;
constexpr const char* kRule = "------------";

// Amount column p (1-based) of the two tables: 42, 55, 68, 81.
constexpr int tableColumn(int p) { return 13 * p + 29; }
static_assert(tableColumn(4) + 11 == kPrintedColumns);

struct Placed {
    int column;
    std::string text;
};

// What the three forms say differently, and which budget columns they show.
struct Wording {
    const char* beginningBalance;
    const char* accountedFor;
    const char* endBalance;
    std::vector<Placed> fundsHeading;
    const char* fundsSubheading;
    const char* budgetHeading;
    const char* budgetSubheading;
    std::vector<int> budgetColumns;
};

const Wording& wordingFor(ReportForm form) {
    static const Wording printed{"Balance on Hand Beginning of Month",
                                 "Total to Be Accounted For",
                                 "Balance on Hand End of Month",
                                 {{45, "Bal First"}, {85, "Bal  End"}},
                                 "Of  Month     Received     Expended     Of Month",
                                 "     Annual     Spent In     Spent In   Remaining",
                                 "     Budget         Year        Month       Funds",
                                 {kBudgeted, kSpentInYear, kSpentInMonth, kRemaining}};
    static const Wording monthly{"Balance on Hand Beginning of Month",
                                 "Total to be accounted for",
                                 "Balance on Hand End of month",
                                 {{45, "Bal First                                Balance"}},
                                 "Of  Month     Received     Expended     Remaining",
                                 printed.budgetHeading,
                                 printed.budgetSubheading,
                                 printed.budgetColumns};
    // The annual file leaves out the month's spending, though its totals still add it up.
    static const Wording annual{"Balance on Hand Beginning of Year",
                                monthly.accountedFor,
                                "Balance on Hand at End",
                                monthly.fundsHeading,
                                "Of  Year      Received     Expended     Remaining",
                                "     Annual     Spent In     Remaining",
                                "     Budget         Year     Funds",
                                {kBudgeted, kSpentInYear, kRemaining}};
    switch (form) {
        case ReportForm::Printed:
            return printed;
        case ReportForm::MonthlyFile:
            return monthly;
        case ReportForm::AnnualFile:
            return annual;
    }
    return printed;
}

class Layout {
public:
    Layout(Ledger& ledger, const ReportEntries& entries, ReportForm form, ReportOutput& out)
        : ledger_(ledger), entries_(entries), form_(form), words_(wordingFor(form)), out_(out) {}

    void run() {
        RecomputeTotals(ledger_);
        fillTransfersIn();
        titles();
        summary();
        fundsLines();
        designatedTable();
        budgetTable();
    }

private:
    bool printed() const { return form_ == ReportForm::Printed; }

    void line(LineKind kind, const std::vector<Placed>& pieces) {
        for (const Placed& piece : pieces) out_.put(piece.column, piece.text);
        out_.endLine(kind);
    }
    void labelled(int labelColumn, const std::string& label, int amountColumn, Money amount) {
        out_.put(labelColumn, label);
        out_.put(amountColumn, amountField(amount));
        out_.endLine(LineKind::Composed);
    }

    // Fund i's transfers in: the amount of the last slot holding its number. Most slots are
    // empty, and only a fund without a number can match one of those.
    void fillTransfersIn() {
        std::array<int, kTransferSlots> used{};
        std::size_t inUse = 0;
        for (int j = 1; j <= kTransferSlots; ++j) {
            if (!ledger_.TransferAcct[j].empty()) used[inUse++] = j;
        }
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            const std::string& number = ledger_.DesigAcctNumber[i];
            Money in;
            if (number.empty()) {
                for (int j = 1; j <= kTransferSlots; ++j) {
                    if (ledger_.TransferAcct[j].empty()) in = ledger_.TransferAmount[j];
                }
            } else {
                for (std::size_t u = 0; u < inUse; ++u) {
                    if (ledger_.TransferAcct[used[u]] == number) in = ledger_.TransferAmount[used[u]];
                }
            }
            ledger_.DesigAmount[i][0] = in;
        }
    }

    void titles() {
        if (printed()) {
            out_.font(15);
            out_.bold(true);
            out_.blank();
            out_.blank();
        }
        for (const std::string& title : entries_.titles) {
            if (!title.empty()) line(LineKind::Column, {{printed() ? titleColumn(title.size()) : 1, title}});
        }
        out_.blank();
        if (printed()) out_.font(10);
    }

    void summary() {
        const auto& s = ledger_.Summary;
        const auto& funds = ledger_.DesigAmount;
        labelled(kLabel, words_.beginningBalance, kAmount, s[kBeginningBalance]);
        out_.bold(false);
        if (printed()) out_.blank();
        line(LineKind::Column, {{kLabel, "Receipts:"}});
        out_.bold(true);
        labelled(kItemLabel, "Undesignated Receipts", kItemAmount, s[kUndesignatedReceipts]);
        out_.bold(false);

        // The total to be accounted for adds the receipt lines printed, not Summary(4).
        Money receipts = s[kUndesignatedReceipts];
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            const Money received = funds[i][kReceivedInMonth] - funds[i][0];
            if (received <= Money()) continue;
            labelled(kItemLabel, ledger_.DesigAcctName[i], kItemAmount, received);
            receipts += received;
        }
        for (int k = 1; k <= kLastSourceRow; ++k) {
            if (ledger_.SourceAmount[k].isZero()) continue;
            labelled(kItemLabel, ledger_.SourceName[k], kItemAmount, ledger_.SourceAmount[k]);
            receipts += ledger_.SourceAmount[k];
        }
        line(LineKind::Column, {{kItemAmount, kRule}});
        labelled(kLabel, "Total Receipts", kAmount, s[kTotalReceipts]);

        if (s[kInternalTransfers] > Money()) {
            line(LineKind::Column, {{kLabel, "Internal Transfers:"}});
            for (int i = 1; i <= kLastWorkingRow; ++i) {
                if (funds[i][0] > Money())
                    labelled(kItemLabel, ledger_.DesigAcctName[i], kItemAmount, funds[i][0]);
            }
            line(LineKind::Column, {{kItemAmount, kRule}});
            labelled(kLabel, "Total Transfers", kAmount, s[kInternalTransfers]);
        }
        line(LineKind::Column, {{kAmount, kRule}});
        labelled(kLabel, words_.accountedFor, kAmount,
                 s[kBeginningBalance] + receipts + s[kInternalTransfers]);
        out_.blank();

        line(LineKind::Column, {{kLabel, "Expenditures:"}});
        out_.bold(true);
        labelled(kItemLabel, "Budget Expenditures", kItemAmount, s[kBudgetExpenditures]);
        out_.bold(false);
        labelled(kItemLabel, "Designated Expenditures", kItemAmount, s[kDesignatedExpenditures]);
        line(LineKind::Column, {{kItemAmount, kRule}});
        labelled(kLabel, "Total Expenditures", kAmount, s[kDesignatedExpenditures] + s[kBudgetExpenditures]);
        line(LineKind::Column, {{kAmount, kRule}});
        out_.bold(true);
        labelled(kLabel, words_.endBalance, kAmount, s[kRemainingBalance]);
        out_.blank();
    }

    // "name amount", ending at column 86 where it fits; a text too long for that starts at
    // column 1 and is cut at the end of the line.
    void putAccount(int k) {
        const std::string text = entries_.accountNames[k] + " " + amountField(entries_.amount(k));
        if (text.size() <= 86) {
            out_.put(87 - static_cast<int>(text.size()), text);
        } else {
            out_.put(1, text.substr(0, kLastColumn));
        }
    }

    void fundsLines() {
        const auto& s = ledger_.Summary;
        out_.bold(true);
        out_.put(kLabel,
                 "Undesignated Funds " + amountField(s[kRemainingBalance] - s[kDesignatedFundTotals]));
        out_.bold(false);
        if (!entries_.amount(0).isZero()) putAccount(0);
        out_.endLine(LineKind::Composed);
        out_.put(kLabel, "  Designated Funds " + amountField(s[kDesignatedFundTotals]));
        if (!entries_.amount(1).isZero()) putAccount(1);
        out_.endLine(LineKind::Composed);
        // Every entry that holds an amount is listed, so the listed amounts add up to the total.
        for (int k = 2; k < kReportAccounts; ++k) {
            if (entries_.amount(k).isZero()) continue;
            putAccount(k);
            out_.endLine(LineKind::Composed);
        }

        const Money total = entries_.accountsTotal();
        if (!printed()) {
            std::vector<Placed> rules{{34, kRule}};
            if (!total.isZero()) rules.push_back({kAmount, kRule});
            line(LineKind::Column, rules);
        }
        out_.bold(true);
        out_.put(kLabel, "       Total Funds " + amountField(s[kRemainingBalance]));
        if (!total.isZero()) out_.put(63, "Total Funds " + amountField(total));
        out_.endLine(LineKind::Composed);
        if (!printed()) out_.blank();
    }

    void designatedTable() {
        auto& funds = ledger_.DesigAmount;
        if (printed()) {
            // Room for the whole table, or it starts on a new page: lines of 213.6 twips.
            const long need = (ledger_.DesigCount + 9) * 2136L;
            out_.pageCheck(140000 - need, [this] {
                out_.newPage();
                for (int n = 0; n < 3; ++n) out_.blank();
            });
            out_.blank();
        }
        line(LineKind::Column, {{40, "Designated Funds"}});
        out_.blank();
        auto headings = [this] {
            line(LineKind::Column, words_.fundsHeading);
            line(LineKind::Column, {{45, words_.fundsSubheading}});
        };
        headings();
        out_.bold(false);
        out_.blank();
        repeatOnEachPage(headings);

        for (int j = 1; j <= 4; ++j) funds[0][j] = Money();
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            Money sum;
            for (int j = 1; j <= 4; ++j) sum += funds[i][j];
            if (sum.isZero()) continue;
            out_.put(3, ledger_.DesigAcctName[i]);
            for (int j = 1; j <= 4; ++j) {
                out_.put(tableColumn(j), amountField(funds[i][j]));
                funds[0][j] += funds[i][j];
            }
            out_.endLine(LineKind::TableRow);
        }
        line(LineKind::Column, {{68, "------------ ------------"}});
        out_.bold(true);
        line(LineKind::TableRow,
             {{kLabel, "Totals -"}, {68, amountField(funds[0][3])}, {81, amountField(funds[0][4])}});
        repeatOnEachPage({});
    }

    // A table's headings, in bold below two blank lines, begin each page the table runs onto.
    void repeatOnEachPage(const std::function<void()>& headings) {
        if (!printed()) return;
        if (!headings) {
            out_.pageHead({});
            return;
        }
        out_.pageHead([this, headings] {
            out_.blank();
            out_.blank();
            out_.bold(true);
            headings();
            out_.bold(false);
            out_.blank();
        });
    }

    void budgetHeadings() {
        line(LineKind::Column, {{41, words_.budgetHeading}});
        line(LineKind::Column, {{41, words_.budgetSubheading}});
    }

    void amountsRow(const std::string& label, const AmountRow& amounts) {
        out_.put(30, label);
        int p = 0;
        for (int column : words_.budgetColumns) out_.put(tableColumn(++p), amountField(amounts[column]));
        out_.endLine(LineKind::TableRow);
    }

    void subtotals() {
        AmountRow& running = ledger_.BudgetAmount[101];
        if (form_ == ReportForm::AnnualFile) running[kRemaining] = running[kBudgeted] - running[kSpentInYear];
        amountsRow("Subtotals", running);
    }

    void budgetTable() {
        auto& budget = ledger_.BudgetAmount;
        if (printed()) {
            out_.newPage();
            out_.blank();
            out_.blank();
        }
        line(LineKind::Column, {{40, "Budget Accounts"}});
        out_.blank();
        budgetHeadings();
        out_.bold(false);
        repeatOnEachPage([this] { budgetHeadings(); });

        for (int j = 1; j <= 4; ++j) budget[0][j] = budget[101][j] = Money();
        const auto sectionOf = budgetRowSections(ledger_);
        int section = 1;
        for (int i = 1; i <= kLastWorkingRow; ++i) {
            const std::string& number = ledger_.BudgetAcctNumber[i];
            if (sectionOf[i] == section) {
                out_.bold(true);
                if (section > 1) {
                    subtotals();
                    for (int j = 1; j <= 4; ++j) budget[101][j] = Money();
                    if (printed()) out_.blank();
                }
                if (printed()) {
                    out_.pageCheck(100000, [this] {
                        out_.newPage();
                        out_.blank();
                        out_.blank();
                        budgetHeadings();
                        out_.blank();
                        out_.blank();
                    });
                }
                line(LineKind::Column, {{13, ledger_.SectionTitle[section]}});
                out_.bold(false);
                ++section;
            }
            if (ledger_.BudgetAcctName[i].empty()) continue;
            out_.put(3, number + " " + ledger_.BudgetAcctName[i]);
            int p = 0;
            for (int column : words_.budgetColumns)
                out_.put(tableColumn(++p), amountField(budget[i][column]));
            for (int j = 1; j <= 4; ++j) {
                budget[0][j] += budget[i][j];
                budget[101][j] += budget[i][j];
            }
            out_.endLine(LineKind::TableRow);
        }
        out_.bold(true);
        if (section > 1) {
            subtotals();
            out_.blank();
        }
        amountsRow("Totals", budget[0]);
        out_.bold(false);
        repeatOnEachPage({});
    }

    Ledger& ledger_;
    const ReportEntries& entries_;
    const ReportForm form_;
    const Wording& words_;
    ReportOutput& out_;
};

}  // namespace

// alignRight(amount.format00(), 12), written straight into the field: a full month's report
// shows some eight hundred amounts.
std::string amountField(Money amount) {
    const std::int64_t units = amount.units();
    const std::uint64_t magnitude =
        units < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::uint64_t hundredths = magnitude / 100;
    if (magnitude % 100 >= 50) ++hundredths;
    char digits[24];
    char* first = std::end(digits);
    const auto fraction = static_cast<unsigned>(hundredths % 100);
    *--first = static_cast<char>('0' + fraction % 10);
    *--first = static_cast<char>('0' + fraction / 10);
    *--first = '.';
    std::uint64_t whole = hundredths / 100;
    do {
        *--first = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    // A value that rounds to zero shows as 0.00, never -0.00.
    if (units < 0 && hundredths != 0) *--first = '-';
    const auto length = static_cast<std::size_t>(std::end(digits) - first);
    constexpr std::size_t kWidth = 12;
    if (length >= kWidth) return std::string(first, kWidth);
    std::string field(kWidth, ' ');
    std::copy(first, std::end(digits), field.begin() + static_cast<std::ptrdiff_t>(kWidth - length));
    return field;
}

int titleColumn(std::size_t length) {
    if (length >= 70) return 1;
    return std::max(1, static_cast<int>((70 - length) / 2));
}

std::size_t longestTitle() {
    std::size_t length = 0;
    while (static_cast<std::size_t>(titleColumn(length + 1)) + length <=
           kPrintedColumns * kBodyPoints / kTitlePoints)
        ++length;
    return length;
}

void layOutReport(Ledger& ledger, const ReportEntries& entries, ReportForm form, ReportOutput& out) {
    Layout(ledger, entries, form, out).run();
}

}  // namespace quorvel

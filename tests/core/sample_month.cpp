#include "core/sample_month.h"

#include <gtest/gtest.h>

#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"

namespace quorvel::test {

Ledger sampleLedger() {
    Ledger l;
    ClearLedger(l);
    auto budget = [&l](int row, const char* number, const char* name, Money budgeted, Money spent) {
        l.BudgetAcctNumber[row] = number;
        l.BudgetAcctName[row] = name;
        l.BudgetAmount[row][kBudgeted] = budgeted;
        l.BudgetAmount[row][kSpentInYear] = spent;
    };
    budget(1, "101", "Pastor, Salary", Money::cents(120000), Money::cents(30050));
    budget(2, "102", "Utilities", Money::cents(60000), Money());
    budget(3, "7", "Short Number", Money::cents(10000), Money::cents(2525));
    auto fund = [&l](int row, const char* number, const char* name, Money balance) {
        l.DesigAcctNumber[row] = number;
        l.DesigAcctName[row] = name;
        l.DesigAmount[row][kAtFirstOfMonth] = balance;
        l.DesigAmount[row][kFundRemaining] = balance;
    };
    fund(1, "01234", "Memorial Fund", Money::cents(50000));
    fund(2, "20000", "Organ, Repair", Money::cents(50));
    l.SourceId[1] = "11111";
    l.SourceName[1] = "Bake Sale";
    l.SectionStart[1] = "101";
    l.SectionTitle[1] = "Operations";
    l.SectionStart[2] = "7";
    l.SectionTitle[2] = "Other";
    l.Summary[kBeginningBalance] = Money::cents(100075);
    // Work cells of the report travel through the file too.
    l.BudgetAmount[101][kBudgeted] = Money::cents(1234);
    l.BudgetAmount[101][kSpentInYear] = Money::cents(500);
    l.BudgetCount = 3;
    l.DesigCount = 2;
    RecomputeTotals(l);
    return l;
}

void writeMonth(Ledger ledger, const std::string& path, const std::vector<ActionRecord>& records) {
    ledger.CurrentFile = path;
    ASSERT_TRUE(SaveMonthFile(ledger).ok());
    Journal journal;
    ASSERT_TRUE(journal.open(Journal::pathFor(path), JournalMode::ReadWrite).ok());
    for (const ActionRecord& record : records) ASSERT_TRUE(journal.append(record).ok());
}

LoadedMonth loadMonth(const std::string& path) {
    LoadedMonth m;
    Journal journal;
    EXPECT_TRUE(LoadMonthFile(m.ledger, journal, path, JournalMode::ReadOnly).ok()) << path;
    if (auto records = journal.readAll()) m.records = std::move(*records);
    return m;
}

ActionRecord bx(const std::string& number, Money amount, const std::string& reference) {
    return composeBudgetRecord("BX", number, *amountAsStr(amount), reference);
}

ActionRecord to(const std::string& number, Money amount) {
    return composeBudgetRecord("TO", number, *amountAsBox(amount.format00()), "");
}

ActionRecord keyed(const std::string& code, const std::string& key, Money amount) {
    return composeKeyedRecord(code, key, *amountAsStr(amount), "");
}

}  // namespace quorvel::test

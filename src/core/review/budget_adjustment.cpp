#include "budget_adjustment.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ledger/account_table.h"
#include "ledger/action_record.h"
#include "ledger/budget_number.h"
#include "ledger/code_page.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "ledger/text_fields.h"
#include "ledger/typed_amount.h"
#include "review/audited_change.h"
#include "review/sections.h"

namespace quorvel {
namespace {

std::string budgetLine(const Ledger& ledger, int row) {
    std::string line(90, ' ');
    placeAt(line, 1, ledger.BudgetAcctNumber[row], 3);
    placeAt(line, 5, ledger.BudgetAcctName[row], 30);
    for (int c = 1; c <= 4; ++c) {
        placeAt(line, 27 + 13 * static_cast<std::size_t>(c),
                alignRight(ledger.BudgetAmount[row][c].format00(), 12));
    }
    return line;
}

bool isBudgetRecord(const ActionRecord& record) { return record.code() == "BX" || record.code() == "TO"; }

struct Rewrite {
    std::int64_t number;
    ActionRecord before;
    ActionRecord after;
};

// Rewrites the records, then saves `changed` and reloads it. When a write or the save fails,
// the records already rewritten are put back, so journal and month file keep agreeing.
Status rewriteAndSave(Ledger& ledger, Journal& journal, const Ledger& changed,
                      const std::vector<Rewrite>& rewrites) {
    std::size_t written = 0;
    std::string failure;
    for (; written < rewrites.size(); ++written) {
        if (Status s = journal.write(rewrites[written].number, rewrites[written].after); !s) {
            failure = "the journal could not be written.\n" + s.message();
            break;
        }
    }
    if (failure.empty()) {
        const Status saved = SaveMonthFile(changed);
        if (saved) {
            const Status loaded = LoadMonthFile(ledger, journal, changed.CurrentFile);
            if (!loaded)
                return Status::TookEffect("The change was saved, but the month could not be read back.\n" +
                                          loaded.message());
            return Status::Ok();
        }
        failure = "the month could not be saved.\n" + saved.message();
    }
    for (std::size_t i = written; i-- > 0;) {
        if (Status back = journal.write(rewrites[i].number, rewrites[i].before); !back) {
            // Some records keep the change: it is not "not made".
            return Status::TookEffect(
                "The change failed: " + failure +
                "\nThe journal could not be put back as it was either; open the month again "
                "to see what it holds.\n" +
                back.message());
        }
    }
    return Status::Error("Nothing was changed: " + failure);
}

// Sections stay in order of their start when one of them takes a new start.
void orderSections(Ledger& ledger) {
    const int used = sectionsInUse(ledger);
    for (int pass = 1; pass < used; ++pass) {
        for (int s = 1; s < used; ++s) {
            if (ledger.SectionStart[s + 1] < ledger.SectionStart[s]) {
                std::swap(ledger.SectionStart[s], ledger.SectionStart[s + 1]);
                std::swap(ledger.SectionTitle[s], ledger.SectionTitle[s + 1]);
            }
        }
    }
}

// As rewriteAndSave, audited as `command` with the account `subject` before and after.
Status commit(Ledger& ledger, Journal& journal, const Ledger& changed, const std::vector<Rewrite>& rewrites,
              std::string_view command, AuditChange account) {
    std::vector<AuditChange> changes{std::move(account)};
    for (const Rewrite& rewrite : rewrites)
        changes.push_back(recordChange(rewrite.number, rewrite.before, rewrite.after));
    for (AuditChange& section : sectionChanges(ledger, changed)) changes.push_back(std::move(section));
    return auditedChange(ledger, journal, command, std::move(changes),
                         [&] { return rewriteAndSave(ledger, journal, changed, rewrites); });
}

Result<Money> boxAmount(std::string_view text, std::string_view boxName) {
    auto amount = readTypedAmount(text, boxName);
    if (!amount) return amount;
    if (auto fits = amountAsRight(*amount); !fits) return fits.status();
    return amount;
}

}  // namespace

PickList budgetAdjustList(const Ledger& ledger) {
    PickList list;
    list.add(kBudgetAdjustHeading, 0);
    list.add(kBudgetAdjustHeading2, 0);
    int row = 1;
    for (; row <= kLastWorkingRow && ledger.BudgetAcctNumber[row] > " "; ++row)
        list.add(budgetLine(ledger, row), row);
    list.newLine = static_cast<int>(list.lines.size());
    list.add(kCreateBudgetLine, row);
    return list;
}

std::string budgetFilterKey(std::string_view number) { return "  " + padRight(number, 3); }

Status changeBudgetAccount(Ledger& ledger, Journal& journal, int row, const BudgetEdit& edit) {
    if (row < 1 || row > kLastWorkingRow) return Status::Error(kNoBudgetRowFree);
    const std::string old = ledger.BudgetAcctNumber[row];
    const bool isNew = trimBlanks(old).empty();
    const std::string typed(trimBlanks(edit.number));
    const std::string name(trimBlanks(edit.name));
    if (Status s = checkStorableText(name, "The account name"); !s) return s;
    // An account without a name drops out of the lists and the sort while its money still counts.
    if (!nameInUse(name)) return Status::Error(kBudgetNameNeeded);
    if (name.size() > kLongestBudgetName) return Status::Error(kBudgetNameTooLong);
    const auto budgeted = boxAmount(edit.budgeted, "Annual Budget");
    if (!budgeted) return budgeted.status();
    const auto expended = boxAmount(edit.expended, "Expended in Year");
    if (!expended) return expended.status();

    // A number left as it stands is kept, even one an older file holds in another form, and
    // "007" for an account numbered 7 is no change either.
    std::string number = old;
    if (isNew || typed != trimBlanks(old)) {
        const auto checked = chargeableNumber(typed);
        if (!checked) return checked.status();
        const auto current = chargeableNumber(old);
        if (isNew || !current || *current != *checked) number = *checked;
    }
    const bool renumbered = number != old;
    for (int k = 1; k <= kLastWorkingRow && renumbered; ++k) {
        // An older file's "7" is the same number as "007" to the treasurer.
        const auto other = chargeableNumber(ledger.BudgetAcctNumber[k]);
        if (k != row && (ledger.BudgetAcctNumber[k] == number || (other && *other == number))) {
            return Status::Error(kDuplicateNumber);
        }
    }

    Ledger changed = ledger;
    AmountRow& amounts = changed.BudgetAmount[row];
    changed.BudgetAcctNumber[row] = number;
    changed.BudgetAcctName[row] = name;
    amounts[kBudgeted] = *budgeted;
    amounts[kSpentInYear] = *expended;
    amounts[kRemaining] = amounts[kBudgeted] - amounts[kSpentInYear];
    AuditChange account{"budget account " + std::string(trimBlanks(isNew ? number : old)),
                        isNew ? "" : budgetAccountText(ledger, row), budgetAccountText(changed, row)};

    std::vector<Rewrite> rewrites;
    if (renumbered && !isNew) {
        auto records = journal.readAll();
        if (!records) return records.status();
        for (std::size_t i = 0; i < records->size(); ++i) {
            const ActionRecord& record = (*records)[i];
            if (!isBudgetRecord(record) || trimBlanks(record.accountKey()) != trimBlanks(old)) continue;
            ActionRecord renamed = record;
            renamed.place(6, number, 3);
            if (renamed != record) rewrites.push_back({static_cast<std::int64_t>(i + 1), record, renamed});
        }
        for (int s = 1; s <= kSections; ++s) {
            if (changed.SectionStart[s] == old) changed.SectionStart[s] = number;
        }
        orderSections(changed);
    }
    if (renumbered) SortBudgetAccounts(changed);
    RecomputeTotals(changed);
    return commit(ledger, journal, changed, rewrites, isNew ? "New budget account" : "Change budget account",
                  std::move(account));
}

Status deleteBudgetAccount(Ledger& ledger, Journal& journal, int row) {
    if (row < 1 || row > kLastWorkingRow) return Status::Ok();
    const std::string number = ledger.BudgetAcctNumber[row];
    const std::string_view key = trimBlanks(number);
    if (key.empty()) return Status::Ok();  // a new account that was never saved

    Ledger changed = ledger;
    // Row 101 is the report's work cell, not an account: it does not move up into row 100.
    budgetTable(changed).deleteRow(row, kLastWorkingRow);
    changed.BudgetCount = std::max(changed.BudgetCount - 1, 0);
    for (int s = 1; s <= kSections;) {
        if (changed.SectionStart[s] == number) {
            removeSection(changed, s);
        } else {
            ++s;
        }
    }

    auto records = journal.readAll();
    if (!records) return records.status();
    const ActionRecord deleted = cancelledRecord(CancelReason::Deleted);
    std::vector<Rewrite> rewrites;
    for (std::size_t i = 0; i < records->size(); ++i) {
        const ActionRecord& record = (*records)[i];
        if (!isBudgetRecord(record) || trimBlanks(record.accountKey()) != key) continue;
        rewrites.push_back({static_cast<std::int64_t>(i + 1), record, deleted});
        // The "TI" half goes with its "TO" only when it really is the record after it.
        if (record.code() == "TO" && i + 1 < records->size() && (*records)[i + 1].code() == "TI") {
            rewrites.push_back({static_cast<std::int64_t>(i + 2), (*records)[i + 1], deleted});
        }
    }
    return commit(ledger, journal, changed, rewrites, "Delete budget account",
                  {"budget account " + std::string(key), budgetAccountText(ledger, row), ""});
}

}  // namespace quorvel

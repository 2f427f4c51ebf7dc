#include "sections.h"

#include <algorithm>
#include <utility>

#include "ledger/code_page.h"
#include "ledger/month_file.h"
#include "ledger/text_fields.h"
#include "review/audited_change.h"

namespace quorvel {
namespace {

// A short account number ("7") starts a section as well as a three-digit one does.
bool sectionInUse(const Ledger& ledger, int s) { return !trimBlanks(ledger.SectionStart[s]).empty(); }

}  // namespace

std::array<int, kAccountRows> budgetRowSections(const Ledger& ledger) {
    std::array<int, kAccountRows> sections{};
    int next = 1;
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        const std::string& number = ledger.BudgetAcctNumber[i];
        if (next <= kSections && !number.empty() && number == ledger.SectionStart[next]) ++next;
        sections[i] = next - 1;
    }
    return sections;
}

int sectionsInUse(const Ledger& ledger) {
    int count = 0;
    while (count < kSections && sectionInUse(ledger, count + 1)) ++count;
    return count;
}

std::vector<std::string> sectionBudgetLines(const Ledger& ledger) {
    std::vector<std::string> lines{kSectionBudgetTitle};
    for (int i = 1; i <= ledger.BudgetCount; ++i) {
        lines.push_back(ledger.BudgetAcctNumber[i] + " " + ledger.BudgetAcctName[i]);
    }
    return lines;
}

std::vector<std::string> sectionLines(const Ledger& ledger, std::string_view title) {
    std::vector<std::string> lines{std::string(title)};
    const int shown = std::min(sectionsInUse(ledger), kShownSections);
    for (int s = 1; s <= shown; ++s) lines.push_back(ledger.SectionStart[s] + " " + ledger.SectionTitle[s]);
    return lines;
}

Status addSection(Ledger& ledger, int budgetRow, std::string_view title) {
    if (budgetRow < 1 || budgetRow > ledger.BudgetCount) return Status::Error(kSectionNeedsBudgetItem);
    const int n = sectionsInUse(ledger) + 1;
    if (n > kShownSections) return Status::Error(kSectionLimit);
    if (Status s = checkStorableText(title, "The section title"); !s) return s;
    // The report finds each section's start in turn; a second one at the same account would
    // never be found, and every heading and subtotal after it would go with it.
    for (int s = 1; s < n; ++s) {
        if (ledger.SectionStart[s] == ledger.BudgetAcctNumber[budgetRow]) {
            return Status::Error("A section already starts at account " + ledger.BudgetAcctNumber[budgetRow] +
                                 " (" + ledger.SectionTitle[s] + ").");
        }
    }
    ledger.SectionStart[n] = ledger.BudgetAcctNumber[budgetRow];
    ledger.SectionTitle[n] = std::string(title);
    for (int k = n; k >= 2; --k) {
        if (ledger.SectionStart[k] < ledger.SectionStart[k - 1]) {
            std::swap(ledger.SectionStart[k], ledger.SectionStart[k - 1]);
            std::swap(ledger.SectionTitle[k], ledger.SectionTitle[k - 1]);
        }
    }
    return Status::Ok();
}

void removeSection(Ledger& ledger, int s) {
    for (int k = s; k < kSections; ++k) {
        ledger.SectionStart[k] = ledger.SectionStart[k + 1];
        ledger.SectionTitle[k] = ledger.SectionTitle[k + 1];
    }
    ledger.SectionStart[kSections].clear();
    ledger.SectionTitle[kSections].clear();
}

Status saveSections(Ledger& ledger, Journal& journal, const Ledger& edited) {
    Ledger changed = ledger;
    changed.SectionStart = edited.SectionStart;
    changed.SectionTitle = edited.SectionTitle;
    return auditedChange(ledger, journal, "Change sections", sectionChanges(ledger, changed),
                         [&] { return saveChangedMonth(ledger, journal, changed); });
}

}  // namespace quorvel

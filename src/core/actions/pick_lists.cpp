#include "pick_lists.h"

#include "ledger/numeric_text.h"
#include "ledger/text_fields.h"

namespace quorvel {

int PickList::rowOf(int index) const {
    if (index < 0 || index >= static_cast<int>(rows.size())) return 0;
    return rows[static_cast<std::size_t>(index)];
}

PickList budgetPickList(const Ledger& ledger, const std::string& title, bool sections) {
    PickList list;
    list.add(title, 0);
    int section = 1;
    for (int k = 1; k <= ledger.BudgetCount; ++k) {
        const std::string& number = ledger.BudgetAcctNumber[k];
        // Headers are found in order; a section out of account order stops the later ones.
        if (sections && section <= kSections && !number.empty() && number == ledger.SectionStart[section]) {
            list.add(" -        " + ledger.SectionTitle[section], 0);
            ++section;
        }
        const bool isAccount = numericValue(number) > 0;
        list.add(padRight(number + " " + ledger.BudgetAcctName[k], 60) +
                     alignRight(ledger.BudgetAmount[k][kRemaining].format00(), 12),
                 isAccount ? k : 0);
    }
    return list;
}

PickList fundPickList(const Ledger& ledger, const std::string& title, bool offerNewFund) {
    PickList list;
    list.add(title, 0);
    for (int f = 1; f <= ledger.DesigCount; ++f) {
        list.add(padRight(ledger.DesigAcctName[f], 40) +
                     alignRight(ledger.DesigAmount[f][kFundRemaining].format00(), 12),
                 f);
    }
    if (offerNewFund) {
        list.newLine = static_cast<int>(list.lines.size());
        list.add(kNewFundLine, 0);
    }
    return list;
}

PickList transferFundPickList(const Ledger& ledger) {
    PickList list;
    list.add("        - Select Fund for Designation -", 0);
    for (int f = 1; f <= ledger.DesigCount; ++f) {
        list.add(padRight(ledger.DesigAcctName[f], 30) +
                     alignRight(ledger.DesigAmount[f][kFundRemaining].toStrText(), 12),
                 f);
    }
    list.newLine = static_cast<int>(list.lines.size());
    list.add(kNewFundLine, 0);
    return list;
}

PickList sourcePickList(const Ledger& ledger) {
    PickList list;
    list.add("         - select source -", 0);
    for (int k = 1; k <= kLastSourceRow && sourceListed(ledger.SourceName[k]); ++k) {
        list.add(padRight(ledger.SourceName[k], 40) + alignRight(ledger.SourceAmount[k].format00(), 12), k);
    }
    list.newLine = static_cast<int>(list.lines.size());
    list.add(kNewSourceLine, 0);
    return list;
}

}  // namespace quorvel

#include <optional>
#include <string_view>

#include "code_page.h"
#include "file_io.h"
#include "month_file.h"

namespace quorvel {
namespace {

class FieldWriter {
public:
    void text(std::string_view value) {
        out_.push_back('"');
        out_.append(value);
        out_.push_back('"');
    }
    void money(Money value) {
        // The reader refuses such an amount, so writing it would lose the whole month.
        if ((value.units() > Money::kFileLimitUnits || value.units() < -Money::kFileLimitUnits) &&
            !tooLarge_) {
            tooLarge_ = value;
        }
        out_.append(value.toFileText());
    }
    std::optional<Money> tooLarge() const { return tooLarge_; }
    void integer(int value) { out_.append(std::to_string(value)); }
    void comma() { out_.push_back(','); }
    void lineEnd() { out_.append("\r\n"); }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
    std::optional<Money> tooLarge_;
};

Status checkNames(const Ledger& ledger) {
    for (int i = 1; i < kAccountRows; ++i) {
        const std::string row = " (row " + std::to_string(i) + ")";
        for (const auto& [value, what] :
             {std::pair{&ledger.BudgetAcctNumber[i], "The budget account number"},
              std::pair{&ledger.BudgetAcctName[i], "The budget account name"},
              std::pair{&ledger.DesigAcctName[i], "The designated fund name"},
              std::pair{&ledger.DesigAcctNumber[i], "The designated fund number"}}) {
            if (Status s = checkStorableText(*value, what + row); !s) return s;
        }
    }
    for (int k = 1; k <= kLastSourceRow; ++k) {
        if (Status s = checkStorableText(ledger.SourceId[k], "The source id"); !s) return s;
        if (Status s = checkStorableText(ledger.SourceName[k], "The source name"); !s) return s;
    }
    for (int j = 1; j <= kSections; ++j) {
        if (Status s = checkStorableText(ledger.SectionStart[j], "The section start"); !s) return s;
        if (Status s = checkStorableText(ledger.SectionTitle[j], "The section title"); !s) return s;
    }
    return Status::Ok();
}

}  // namespace

Result<std::string> composeMonthFile(const Ledger& ledger) {
    if (Status s = checkNames(ledger); !s) return s;
    FieldWriter w;
    for (int i = 1; i < kAccountRows; ++i) {
        const AmountRow& budget = ledger.BudgetAmount[i];
        const AmountRow& fund = ledger.DesigAmount[i];
        w.text(ledger.BudgetAcctNumber[i]);
        w.comma();
        for (int c = 1; c <= 4; ++c) {
            // Column 2 goes out without the month's expenditure, which the journal holds.
            w.money(c == kSpentInYear ? budget[kSpentInYear] - budget[kSpentInMonth] : budget[c]);
            w.comma();
            w.money(fund[c]);
            w.comma();
        }
        w.text(ledger.DesigAcctName[i]);
        w.comma();
        w.text(ledger.BudgetAcctName[i]);
        w.comma();
        w.text(ledger.DesigAcctNumber[i]);
        w.comma();
    }
    // The first source id ends the long first line; every later source field has its own.
    w.text(ledger.SourceId[1]);
    w.lineEnd();
    for (int k = 1; k <= kLastSourceRow; ++k) {
        if (k > 1) {
            w.text(ledger.SourceId[k]);
            w.lineEnd();
        }
        w.text(ledger.SourceName[k]);
        w.lineEnd();
        w.money(ledger.SourceAmount[k]);
        w.lineEnd();
    }
    for (int j = 1; j <= kSections; ++j) {
        w.money(ledger.Summary[j]);
        w.comma();
        w.text(ledger.SectionStart[j]);
        w.comma();
        w.text(ledger.SectionTitle[j]);
        w.comma();
    }
    w.integer(ledger.BudgetCount);
    w.comma();
    w.integer(ledger.DesigCount);
    w.lineEnd();
    if (const auto amount = w.tooLarge()) {
        return Status::Error(
            "An amount of " + amount->format00() +
            " is larger than a month file can hold (1000000000000.00 either way); check the amounts "
            "entered this month.");
    }
    return w.take();
}

Status SaveMonthFile(const Ledger& ledger) {
    if (ledger.CurrentFile.empty()) return Status::Error("No month file name is set.");
    auto bytes = composeMonthFile(ledger);
    if (!bytes) return Status::Error(ledger.CurrentFile + ": not saved: " + bytes.message());
    return writeFileKeepingBackup(ledger.CurrentFile, *bytes, monthBackupPath(ledger.CurrentFile));
}

std::string monthBackupPath(const std::string& monthPath) { return monthPath + ".bak"; }

Status saveChangedMonth(Ledger& ledger, Journal& journal, const Ledger& changed) {
    if (Status saved = SaveMonthFile(changed); !saved) {
        return Status::Error("Nothing was changed: the month could not be saved.\n" + saved.message());
    }
    if (Status loaded = LoadMonthFile(ledger, journal, changed.CurrentFile); !loaded) {
        return Status::TookEffect("The change was saved, but the month could not be read back.\n" +
                                  loaded.message());
    }
    return Status::Ok();
}

Status saveAfterRecording(Ledger& ledger, Journal& journal, const std::string& what, const Ledger* toSave) {
    const std::string path = ledger.CurrentFile;
    std::string failures;
    if (toSave) {
        if (Status saved = SaveMonthFile(*toSave); !saved) {
            failures = "the month file could not be saved:\n" + saved.message() +
                       "\nIt stays as it was; the journal brings the month up to date whenever it is opened.";
        }
    }
    if (Status loaded = LoadMonthFile(ledger, journal, path); !loaded) {
        failures += (failures.empty() ? "" : "\nAnd ") + std::string("the month could not be read back:\n") +
                    loaded.message() + "\nOpen the month again to see it.";
    }
    if (failures.empty()) return Status::Ok();
    return Status::TookEffect(what + " is recorded: the journal holds it. Do not record it again.\nBut " +
                              failures);
}

}  // namespace quorvel

#include "audited_change.h"

#include <algorithm>
#include <charconv>

#include "ledger/code_page.h"
#include "ledger/month_lock.h"
#include "ledger/rollover.h"
#include "ledger/text_fields.h"
#include "review/action_edit.h"

namespace quorvel {
namespace {

constexpr std::string_view kRecordSubject = "action ";

std::string fundText(const Ledger& ledger, int row) {
    return ledger.DesigAcctNumber[row] + " " + ledger.DesigAcctName[row] + "; first of month " +
           auditAmount(ledger.DesigAmount[row][kAtFirstOfMonth]) + "; place " + std::to_string(row);
}

std::string sectionText(const Ledger& ledger, int s) {
    if (ledger.SectionStart[s].empty() && ledger.SectionTitle[s].empty()) return {};
    return ledger.SectionStart[s] + " " + ledger.SectionTitle[s];
}

// Where a fund with `number` stands among rows 1..100, 0 when nowhere.
int fundRowOf(const Ledger& ledger, const std::string& number) {
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        if (ledger.DesigAcctNumber[i] == number) return i;
    }
    return 0;
}

std::string shown(std::string_view value) {
    if (value.empty()) return "(none)";
    std::string out;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";  // so a typed "\x1B" never reads as the byte it names
        } else if (byte < 0x20 || byte == 0x7F) {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// Fields hold the files' code page; a login name is UTF-8 and is kept as it is only where the
// code page lacks one of its characters.
std::string entryUser(const LockHolder& me) { return utf8ToCp1252(me.user).value_or(me.user); }

}  // namespace

AuditChange recordChange(std::int64_t number, const ActionRecord& before, const ActionRecord& after) {
    return {std::string(kRecordSubject) + std::to_string(number), std::string(before.text()),
            std::string(after.text())};
}

std::int64_t recordNumberOf(const AuditChange& change) {
    const std::string_view subject = change.subject;
    if (!subject.starts_with(kRecordSubject)) return 0;
    const std::string_view digits = subject.substr(kRecordSubject.size());
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() && number > 0 ? number : 0;
}

std::string auditAmount(Money amount) {
    if (amount.units() % 100 == 0) return amount.format00();
    const std::uint64_t units = amount.units() < 0 ? 0 - static_cast<std::uint64_t>(amount.units())
                                                   : static_cast<std::uint64_t>(amount.units());
    const std::string fraction = std::to_string(units % 10000);
    return (amount.units() < 0 ? "-" : "") + std::to_string(units / 10000) + "." +
           std::string(4 - fraction.size(), '0') + fraction;
}

std::string budgetAccountText(const Ledger& ledger, int row) {
    return ledger.BudgetAcctNumber[row] + " " + ledger.BudgetAcctName[row] + "; annual budget " +
           auditAmount(ledger.BudgetAmount[row][kBudgeted]) + "; expended in year " +
           auditAmount(ledger.BudgetAmount[row][kSpentInYear]);
}

std::vector<AuditChange> fundChanges(const Ledger& before, const Ledger& after) {
    std::vector<AuditChange> changes;
    auto compare = [&](const std::string& number, int beforeRow, int afterRow) {
        const std::string was = beforeRow ? fundText(before, beforeRow) : "";
        const std::string is = afterRow ? fundText(after, afterRow) : "";
        if (was != is) changes.push_back({"designated fund " + number, was, is});
    };
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        const std::string& number = before.DesigAcctNumber[i];
        if (!number.empty()) compare(number, i, fundRowOf(after, number));
    }
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        const std::string& number = after.DesigAcctNumber[i];
        if (!number.empty() && fundRowOf(before, number) == 0) compare(number, 0, i);
    }
    return changes;
}

std::vector<AuditChange> sectionChanges(const Ledger& before, const Ledger& after) {
    std::vector<AuditChange> changes;
    for (int s = 1; s <= kSections; ++s) {
        const std::string was = sectionText(before, s);
        const std::string is = sectionText(after, s);
        if (was != is) changes.push_back({"section " + std::to_string(s), was, is});
    }
    return changes;
}

Status auditedChange(const Ledger& ledger, const Journal& journal, std::string_view command,
                     std::vector<AuditChange> changes, const std::function<Status()>& change,
                     std::string note) {
    std::erase_if(changes, [](const AuditChange& c) { return c.before == c.after; });
    if (changes.empty()) return change();
    // A month open for viewing only is another copy's to change, its trail included.
    if (!journal.isWritable()) return Status::Error("No month is open for recording.");
    const std::string trail = locateAuditTrail(ledger.CurrentFile);
    // A month named *.aud is its own trail's name: an entry would land in the month file.
    if (sameFile(trail, ledger.CurrentFile) || sameFile(trail, journal.path())) {
        return Status::Error(
            "Nothing was changed: the audit trail's name " + trail +
            " is the month's own file. Save the month as a name ending in .rep to change it.");
    }
    const LockHolder me = thisProcess();
    AuditEntry entry{me.since, entryUser(me), std::string(command), std::move(note), std::move(changes)};
    if (Status written = appendAuditEntry(trail, entry); !written) {
        return Status::Error("Nothing was changed: the audit trail could not be written.\n" +
                             written.message());
    }
    Status made = change();
    if (made || made.tookEffect()) return made;
    const LockHolder now = thisProcess();
    const AuditEntry notMade{now.since, entryUser(now), std::string(kAuditNotMade), made.message(), {}};
    if (Status written = appendAuditEntry(trail, notMade); !written) {
        return Status::Error(made.message() +
                             "\nThe audit trail lists the change, and could not be told that it was "
                             "not made:\n" +
                             written.message());
    }
    return made;
}

std::vector<std::string> auditEntryLines(const AuditEntry& entry, const Ledger& ledger) {
    std::vector<std::string> lines{shown(entry.time) + "  " + shown(entry.user) + "  " +
                                   shown(entry.command)};
    for (std::size_t from = 0; from < entry.note.size();) {
        const std::size_t end = std::min(entry.note.find('\n', from), entry.note.size());
        lines.push_back("    " + shown(std::string_view(entry.note).substr(from, end - from)));
        from = end + 1;
    }
    // A record is shown as the journal holds it, and beside it as the action list names it.
    auto side = [&](const AuditChange& change, const std::string& value) {
        if (recordNumberOf(change) == 0 || value.size() != kRecordSize) return shown(trimBlanks(value));
        const ActionRecord record = ActionRecord::fromBytes(value);
        if (!actionView(ledger, record).showsAmount) return shown(trimBlanks(value));
        return shown(value) + "  " + shown(describeAction(ledger, record));
    };
    for (const AuditChange& change : entry.changes) {
        lines.push_back("    " + shown(change.subject));
        lines.push_back("        before: " + side(change, change.before));
        lines.push_back("        after:  " + side(change, change.after));
    }
    return lines;
}

}  // namespace quorvel

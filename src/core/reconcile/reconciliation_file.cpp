#include "reconciliation_file.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <map>
#include <set>

#include "ledger/file_io.h"
#include "ledger/journal.h"
#include "ledger/month_names.h"
#include "ledger/month_paths.h"

namespace quorvel {
namespace {

constexpr std::string_view kHeading = "quorvel reconciliation 1";

std::string field(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return out;
}

// DATE CHEQUE AMOUNT DESCRIPTION
std::string statementFields(const StatementLine& line) {
    return dayText(line.date) + "\t" + field(line.cheque) + "\t" + line.amount.toFileText() + "\t" +
           field(line.description);
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

bool readRecordNumber(std::string_view text, std::int64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0;
}

bool readItemKey(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    std::int64_t record = 0;
    return colon != std::string_view::npos && colon > 0 && readRecordNumber(text.substr(colon + 1), record);
}

}  // namespace

std::string monthOrigin(const std::string& monthPath) {
    return std::filesystem::path(monthPath).stem().string();
}

std::string composeReconciliation(const Reconciliation& rec) {
    std::string out(kHeading);
    out += "\nstatement\t" + field(rec.statementName) + "\n";
    out += "closing\t" + rec.statement.closingBalance.toFileText() + "\t" +
           dayText(rec.statement.closingDate) + "\n";
    for (const OtherAccount& other : rec.others)
        out += "other\t" + field(other.name) + "\t" + other.amount.toFileText() + "\n";
    for (std::size_t i = 0; i < rec.statement.lines.size(); ++i) {
        const StatementLine& line = rec.statement.lines[i];
        std::string match = "-";
        if (i < rec.match.size() && rec.match[i])
            match = rec.items[*rec.match[i]].key() + "\t" + (rec.confirmed[i] ? "C" : "P");
        out += "line\t" + statementFields(line) + "\t" + match + "\n";
    }
    for (const StatementLine& line : rec.statement.pending) out += "pending\t" + statementFields(line) + "\n";
    // A proposal clears nothing until it is confirmed: its item stays outstanding here.
    for (const bool cheques : {true, false}) {
        for (std::size_t i = 0; i < rec.items.size(); ++i) {
            const BookItem& item = rec.items[i];
            if (rec.itemConfirmed(i) || (item.amount.units() < 0) != cheques) continue;
            out += "outstanding\t" + field(item.origin) + "\t" + std::to_string(item.record) + "\t" +
                   item.code + "\t" + item.amount.toFileText() + "\t" + field(item.reference) + "\n";
        }
    }
    return out;
}

Result<SavedReconciliation> parseReconciliation(std::string_view bytes) {
    SavedReconciliation saved;
    int number = 0;
    bool headed = false;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto damaged = [&](const std::string& what) {
            return Status::Error("line " + std::to_string(number) +
                                 " of the reconciliation file is damaged: " + what);
        };
        if (!headed) {
            if (line != kHeading) return damaged("it does not begin as a reconciliation file");
            headed = true;
            continue;
        }
        if (line.empty()) continue;
        const auto f = splitTabs(line);
        // Amounts as composed: digits and a point, at most four decimals, never rounded here.
        auto amount = [&](std::size_t i) -> std::optional<Money> {
            if (i >= f.size() || f[i].empty()) return std::nullopt;
            const std::size_t point = f[i].find('.');
            if (point != std::string_view::npos && f[i].size() - point - 1 > 4) return std::nullopt;
            return Money::parseExact(f[i]);
        };
        if (f[0] == "statement" && f.size() == 2) {
            saved.statementName = std::string(f[1]);
        } else if (f[0] == "closing" && f.size() == 3 && amount(1)) {
            saved.statement.closingBalance = *amount(1);
            saved.statement.closingDate = parseDayText(f[2]);
            if (!f[2].empty() && saved.statement.closingDate == 0)
                return damaged("no date \"" + std::string(f[2]) + "\"");
        } else if (f[0] == "other" && f.size() == 3 && amount(2)) {
            saved.others.push_back({std::string(f[1]), *amount(2)});
        } else if (f[0] == "line" && (f.size() == 6 || f.size() == 7) && amount(3)) {
            StatementLine s{parseDayText(f[1]), std::string(f[4]), std::string(f[2]), *amount(3), number};
            if (!f[1].empty() && s.date == 0) return damaged("no date \"" + std::string(f[1]) + "\"");
            const bool matched = f.size() == 7;
            if (matched && (!readItemKey(f[5]) || (f[6] != "P" && f[6] != "C")))
                return damaged("the match is unreadable");
            if (!matched && f[5] != "-") return damaged("the match is unreadable");
            saved.statement.lines.push_back(std::move(s));
            saved.matchKeys.push_back(matched ? std::string(f[5]) : std::string());
            saved.confirmed.push_back(matched && f[6] == "C");
        } else if (f[0] == "pending" && f.size() == 5 && amount(3)) {
            StatementLine s{parseDayText(f[1]), std::string(f[4]), std::string(f[2]), *amount(3), number};
            if (!f[1].empty() && s.date == 0) return damaged("no date \"" + std::string(f[1]) + "\"");
            saved.statement.pending.push_back(std::move(s));
        } else if (f[0] == "outstanding" && f.size() == 6 && amount(4) &&
                   (f[3] == "BX" || f[3] == "DX" || f[3] == "DP")) {
            BookItem item;
            item.origin = std::string(f[1]);
            if (item.origin.empty() || !readRecordNumber(f[2], item.record))
                return damaged("the item is unreadable");
            item.code = std::string(f[3]);
            item.amount = *amount(4);
            item.reference = std::string(f[5]);
            item.carried = true;
            saved.outstanding.push_back(std::move(item));
        } else {
            return damaged("\"" + std::string(line.substr(0, 60)) + "\" is not a reconciliation entry");
        }
    }
    if (!headed) return Status::Error("the reconciliation file is empty");
    return saved;
}

Result<std::optional<SavedReconciliation>> loadReconciliation(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        return std::optional<SavedReconciliation>();
    auto bytes = readWholeFile(path, kMaxReconciliationBytes);
    if (!bytes) return bytes.status();
    auto saved = parseReconciliation(*bytes);
    if (!saved) return Status::Error(path + ": " + saved.message());
    return std::optional<SavedReconciliation>(std::move(saved).value());
}

Status saveReconciliation(const std::string& path, const Reconciliation& rec) {
    return writeFileAtomically(path, composeReconciliation(rec));
}

Status saveMonthReconciliation(const std::string& monthPath, const Reconciliation& rec) {
    const std::string path = reconciliationFileOf(monthPath);
    if (const auto own = sameFileAsMonthOwn(path, monthPath, false))
        return Status::Error(path + " is the month's own file " + *own +
                             " under another name; nothing was written");
    return saveReconciliation(path, rec);
}

namespace {

// The months walked back to find where reconciling began: decades of monthly files.
constexpr std::size_t kMostMonthsBack = 600;

// The folder's file names, listed once for the whole walk back: finding each month's files
// in any letter case anew would list the folder again for every month.
class FolderNames {
public:
    explicit FolderNames(const std::string& anyPath) : folder_(std::filesystem::path(anyPath).parent_path()) {
        std::error_code error;
        std::filesystem::directory_iterator it(folder_.empty() ? std::filesystem::path(".") : folder_, error);
        for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
            std::string name = it->path().filename().string();
            const auto [at, added] = folded_.emplace(folded(name), name);
            if (!added && name < at->second) at->second = name;
            names_.insert(std::move(name));
        }
    }
    // The path of `name` in the folder as locateIgnoringCase() finds it, whether it is there.
    std::string locate(const std::string& name, bool* found = nullptr) const {
        const auto match = names_.count(name) ? folded_.end() : folded_.find(folded(name));
        if (found) *found = names_.count(name) || match != folded_.end();
        return (folder_ / (match == folded_.end() ? name : match->second)).string();
    }
    const std::set<std::string>& names() const { return names_; }
    static std::string folded(std::string name) {
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name;
    }

private:
    std::filesystem::path folder_;
    std::set<std::string> names_;
    std::map<std::string, std::string> folded_;  // per name in small letters, the least of its spellings
};

struct MonthFiles {
    std::string month, journal, reconciliation;
    bool hasJournal = false;
};

// The month named `name` in the folder, whatever the letter case of its files; nothing when it
// has no month file, journal or reconciliation file there.
std::optional<MonthFiles> monthFiles(const FolderNames& folder, const std::string& name) {
    bool month = false, rec = false;
    MonthFiles files;
    files.month = folder.locate(name, &month);
    const auto nameOf = [](const std::string& p) { return std::filesystem::path(p).filename().string(); };
    files.journal = folder.locate(nameOf(Journal::pathFor(name)), &files.hasJournal);
    files.reconciliation = folder.locate(nameOf(reconciliationPathFor(name)), &rec);
    if (!month && !files.hasJournal && !rec) return std::nullopt;
    return files;
}

// The book items of a month's own journal.
Result<std::vector<BookItem>> journalItems(const MonthFiles& month) {
    Journal journal;
    if (Status opened = journal.open(month.journal, JournalMode::ReadOnly); !opened) return opened;
    auto records = journal.readAll();
    if (!records) return records.status();
    if (journal.damagedRecord() != 0) return Status::Error(month.journal + ": " + journal.damageMessage());
    return bookItems(*records, monthOrigin(month.month));
}

// Tells in `notice` that the month before `month` has no files though a month before that was
// reconciled (the latest such by the month its name names): what that month left outstanding
// does not reach past the gap.
void gapNotice(const FolderNames& folder, const std::string& month, std::string* notice) {
    const auto gap = monthOfName(month);
    const auto previous = previousMonthName(month);
    if (!notice || !gap || !previous) return;
    const auto index = [](const MonthOfYear& m) { return m.year * 12 + m.month; };
    std::optional<std::string> latest;
    int latestIndex = 0;
    for (const std::string& name : folder.names()) {
        const std::filesystem::path path(name);
        const auto named = monthOfName(path.stem().string());
        if (FolderNames::folded(path.extension().string()) != ".rec" || !named ||
            index(*named) >= index(*gap) || (latest && index(*named) <= latestIndex))
            continue;
        latest = path.stem().string();
        latestIndex = index(*named);
    }
    if (!latest) return;
    const std::string missing = std::filesystem::path(*previous).stem().string();
    *notice = "No files of " + missing + " are in the folder, though " + *latest +
              " before it was reconciled: nothing is carried from " + *latest + " or the months between.";
}

// What `month` leaves outstanding for the month after it: its own book items and what it
// carried (or, the first month reconciled, what its own list says it carried), less what the
// confirmed matches of its saved reconciliation cleared.
Result<std::vector<BookItem>> leftOver(const MonthFiles& month,
                                       const std::optional<SavedReconciliation>& saved,
                                       std::optional<std::vector<BookItem>> carried) {
    auto own = journalItems(month);
    if (!own) return own.status();
    const std::string origin = monthOrigin(month.month);
    std::vector<BookItem> items = std::move(own).value();
    if (carried) {
        items.insert(items.end(), std::make_move_iterator(carried->begin()),
                     std::make_move_iterator(carried->end()));
    } else {
        for (const BookItem& item : saved->outstanding)
            if (item.origin != origin) items.push_back(item);
    }
    if (saved) {
        std::map<std::string, Money> cleared;
        for (std::size_t line = 0; line < saved->matchKeys.size(); ++line)
            if (saved->confirmed[line])
                cleared.emplace(saved->matchKeys[line], saved->statement.lines[line].amount);
        std::erase_if(items, [&](const BookItem& item) {
            const auto found = cleared.find(item.key());
            return found != cleared.end() && found->second == item.amount;
        });
    }
    for (BookItem& item : items) item.carried = true;
    return items;
}

}  // namespace

std::string reconciliationFileOf(const std::string& monthPath) {
    return locateIgnoringCase(reconciliationPathFor(monthPath));
}

Result<std::vector<BookItem>> carriedItems(const std::string& monthPath, std::string* notice) {
    const FolderNames folder(monthPath);
    // The months before, newest first, as far back as they have files.
    std::vector<MonthFiles> chain;
    std::string name = std::filesystem::path(monthPath).filename().string();
    bool gap = true;
    while (gap) {
        const auto previous = previousMonthName(name);
        const auto files = previous ? monthFiles(folder, *previous) : std::nullopt;
        if (!files) break;
        chain.push_back(*files);
        name = *previous;
        gap = chain.size() <= kMostMonthsBack;
    }
    // Each month read once, oldest first, carrying forward from the first one reconciled.
    std::optional<std::vector<BookItem>> carried;
    for (auto month = chain.rbegin(); month != chain.rend(); ++month) {
        auto saved = loadReconciliation(month->reconciliation);
        if (!saved)
            return Status::Error(saved.message() + ". Open " + monthOrigin(month->month) +
                                 " and reconcile it again: saving replaces its damaged file.");
        if (month == chain.rbegin() && gap && !*saved)
            gapNotice(folder, std::filesystem::path(month->month).filename().string(), notice);
        if (!carried && !*saved) continue;
        auto left = leftOver(*month, *saved, std::move(carried));
        if (!left) return left.status();
        carried = std::move(left).value();
    }
    if (chain.empty() && gap) gapNotice(folder, name, notice);
    if (carried) return std::move(*carried);
    // No month before was reconciled: last month's own cheques and deposits may clear now.
    if (chain.empty() || !chain.front().hasJournal) return std::vector<BookItem>();
    auto read = journalItems(chain.front());
    if (!read) return read.status();
    std::vector<BookItem> items = std::move(read).value();
    for (BookItem& item : items) item.carried = true;
    return items;
}

Reconciliation restoreReconciliation(const SavedReconciliation& saved, std::vector<BookItem> items) {
    Reconciliation rec;
    rec.statement = saved.statement;
    rec.statementName = saved.statementName;
    rec.items = std::move(items);
    rec.others = saved.others;
    rec.resetMatches();
    std::map<std::string, std::size_t> byKey;
    for (std::size_t i = 0; i < rec.items.size(); ++i) byKey.emplace(rec.items[i].key(), i);
    for (std::size_t line = 0; line < saved.matchKeys.size(); ++line) {
        const auto found = byKey.find(saved.matchKeys[line]);
        // An action since cancelled or changed in amount no longer holds its match.
        if (found == byKey.end() || rec.itemMatched(found->second) ||
            rec.items[found->second].amount != rec.statement.lines[line].amount)
            continue;
        rec.match[line] = found->second;
        rec.confirmed[line] = saved.confirmed[line];
    }
    return rec;
}

Reconciliation reconcile(Statement statement, std::vector<BookItem> items,
                         const std::optional<SavedReconciliation>& saved) {
    SavedReconciliation fresh;
    fresh.statement = std::move(statement);
    fresh.matchKeys.assign(fresh.statement.lines.size(), std::string());
    fresh.confirmed.assign(fresh.statement.lines.size(), false);
    if (saved) {
        fresh.others = saved->others;
        // A line of the new statement takes the match of the same line saved before.
        std::vector<bool> used(saved->statement.lines.size(), false);
        for (std::size_t i = 0; i < fresh.statement.lines.size(); ++i) {
            const StatementLine& line = fresh.statement.lines[i];
            for (std::size_t j = 0; j < used.size(); ++j) {
                const StatementLine& old = saved->statement.lines[j];
                if (used[j] || old.date != line.date || old.amount != line.amount ||
                    old.cheque != line.cheque || old.description != line.description)
                    continue;
                used[j] = true;
                fresh.matchKeys[i] = saved->matchKeys[j];
                fresh.confirmed[i] = saved->confirmed[j];
                break;
            }
        }
    }
    Reconciliation rec = restoreReconciliation(fresh, std::move(items));
    proposeMatches(rec);
    return rec;
}

}  // namespace quorvel

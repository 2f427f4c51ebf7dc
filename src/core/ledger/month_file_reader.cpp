#include <cstdint>
#include <string_view>
#include <utility>

#include "file_io.h"
#include "ledger_routines.h"
#include "month_file.h"
#include "month_paths.h"
#include "replay.h"

namespace quorvel {
namespace {

// A month file is some tens of kilobytes; anything far larger is not one.
constexpr std::size_t kMaxMonthFileBytes = std::size_t{4} * 1024 * 1024;

// Reads the sequential-text fields: leading blanks skipped, a quoted string runs to its
// closing quote (commas inside belong to it), and a comma or a line end (CR LF, LF or CR)
// ends a field.
class FieldReader {
public:
    FieldReader(const std::string& bytes, const std::string& fileName) : data_(bytes), fileName_(fileName) {}

    // Straight into the ledger's string: no temporary string per field.
    Status text(const char* what, std::string& target) {
        auto raw = next(what);
        if (!raw) return raw.status();
        target = std::string(raw->data(), raw->size());
        return Status::Ok();
    }

    Result<Money> money(const char* what) {
        if (Money plain; plainFieldAhead(plain)) return plain;
        auto raw = next(what);
        if (!raw) return raw.status();
        if (quoted_) return fail(what, "expected a number, found quoted text");
        auto value = Money::parseExact(*raw);
        if (!value) return fail(what, "\"" + printable(*raw) + "\" is not a number or is out of range");
        return *value;
    }

    Result<int> integer(const char* what, int low, int high) {
        auto value = money(what);
        if (!value) return value.status();
        const std::int64_t units = value->units();
        if (units % Money::kScale != 0 || units / Money::kScale < low || units / Money::kScale > high) {
            return fail(
                what, "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high));
        }
        return static_cast<int>(units / Money::kScale);
    }

    int fieldNumber() const { return field_; }

private:
    // The field's text, a view into the file's bytes.
    Result<std::string_view> next(const char* what) {
        ++field_;
        while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t')) ++pos_;
        if (pos_ >= data_.size()) {
            return fail(what, "the file ends early (a month file has " + std::to_string(kMonthFileFields) +
                                  " fields)");
        }
        std::string_view value;
        quoted_ = data_[pos_] == '"';
        if (quoted_) {
            const std::size_t close = data_.find('"', pos_ + 1);
            if (close == std::string_view::npos) return fail(what, "a quoted text has no closing quote");
            value = data_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            // Anything between the closing quote and the separator is not part of the field.
            while (pos_ < data_.size() && !isSeparator(data_[pos_])) ++pos_;
        } else {
            const std::size_t start = pos_;
            while (pos_ < data_.size() && !isSeparator(data_[pos_])) ++pos_;
            value = data_.substr(start, pos_ - start);
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
        }
        skipSeparator();
        return value;
    }

    static bool isSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

    // Nearly every number field is plain ("2400", "153.05", "-12.5"): blanks, a sign, at most
    // twelve whole digits and four decimals, blanks, then the separator. Such a field is read
    // here in one pass, to the value parseExact gives it, and the reader moves past it.
    // Anything else leaves the reader where it was, for next() and parseExact.
    bool plainFieldAhead(Money& value) {
        std::size_t i = pos_;
        const std::size_t size = data_.size();
        while (i < size && (data_[i] == ' ' || data_[i] == '\t')) ++i;
        const bool negative = i < size && data_[i] == '-';
        if (i < size && (data_[i] == '-' || data_[i] == '+')) ++i;
        std::int64_t units = 0;
        const std::size_t wholeStart = i;
        // Stops at a thirteenth digit, which sends the field to parseExact before it can overflow.
        while (i < size && i - wholeStart <= 12 && data_[i] >= '0' && data_[i] <= '9') {
            units = units * 10 + (data_[i++] - '0');
        }
        const std::size_t whole = i - wholeStart;
        if (whole == 0 || whole > 12) return false;
        std::size_t decimals = 0;
        if (i < size && data_[i] == '.') {
            const std::size_t decimalStart = ++i;
            while (i < size && i - decimalStart < 4 && data_[i] >= '0' && data_[i] <= '9') {
                units = units * 10 + (data_[i++] - '0');
            }
            decimals = i - decimalStart;
        }
        while (i < size && (data_[i] == ' ' || data_[i] == '\t')) ++i;
        if (i < size && !isSeparator(data_[i])) return false;
        for (std::size_t d = decimals; d < 4; ++d) units *= 10;
        value = Money::fromUnits(negative ? -units : units);
        ++field_;
        quoted_ = false;
        pos_ = i;
        skipSeparator();
        return true;
    }

    void skipSeparator() {
        if (pos_ >= data_.size()) return;
        if (data_[pos_] == '\r') {
            ++pos_;
            if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
        } else {
            ++pos_;
        }
    }

    static std::string printable(std::string_view raw) {
        std::string shown(raw.substr(0, 20));
        for (char& c : shown) {
            if (static_cast<unsigned char>(c) < 0x20) c = '?';
        }
        return raw.size() > 20 ? shown + "..." : shown;
    }

    Status fail(const char* what, const std::string& problem) const {
        return Status::Error(fileName_ + ": not a readable month file: field " + std::to_string(field_) +
                             " (" + what + "): " + problem);
    }

    std::string_view data_;
    const std::string& fileName_;
    std::size_t pos_ = 0;
    int field_ = 0;
    bool quoted_ = false;
};

#define QUORVEL_READ(target, call)            \
    do {                                      \
        auto value_ = (call);                 \
        if (!value_) return value_.status();  \
        (target) = std::move(value_).value(); \
    } while (0)
#define QUORVEL_READ_TEXT(target, what)                                 \
    do {                                                                \
        if (Status read_ = in.text(what, target); !read_) return read_; \
    } while (0)

// parseMonthFile on a ledger that is still as constructed, so a load builds one ledger only.
Status parseIntoFresh(const std::string& bytes, const std::string& fileName, Ledger& ledger) {
    ClearLedger(ledger);
    FieldReader in(bytes, fileName);
    static constexpr const char* kBudgetColumn[] = {"", "annual budget", "expended in year",
                                                    "expended in month", "budget remaining"};
    static constexpr const char* kFundColumn[] = {"", "fund balance at first of month", "fund received",
                                                  "fund expended", "fund remaining"};
    for (int i = 1; i < kAccountRows; ++i) {
        QUORVEL_READ_TEXT(ledger.BudgetAcctNumber[i], "budget account number");
        for (int c = 1; c <= 4; ++c) {
            QUORVEL_READ(ledger.BudgetAmount[i][c], in.money(kBudgetColumn[c]));
            QUORVEL_READ(ledger.DesigAmount[i][c], in.money(kFundColumn[c]));
        }
        // The month's columns are rebuilt by the journal replay.
        ledger.BudgetAmount[i][kSpentInMonth] = Money();
        ledger.DesigAmount[i][kReceivedInMonth] = Money();
        ledger.DesigAmount[i][kSpentFromFund] = Money();
        ledger.DesigAmount[i][kFundRemaining] = ledger.DesigAmount[i][kAtFirstOfMonth];
        QUORVEL_READ_TEXT(ledger.DesigAcctName[i], "designated fund name");
        if (nameInUse(ledger.DesigAcctName[i])) ledger.DesigCount = i;
        QUORVEL_READ_TEXT(ledger.BudgetAcctName[i], "budget account name");
        if (nameInUse(ledger.BudgetAcctName[i])) ledger.BudgetCount = i;
        QUORVEL_READ_TEXT(ledger.DesigAcctNumber[i], "designated fund number");
    }
    for (int k = 1; k <= kLastSourceRow; ++k) {
        QUORVEL_READ_TEXT(ledger.SourceId[k], "source id");
        QUORVEL_READ_TEXT(ledger.SourceName[k], "source name");
        QUORVEL_READ(ledger.SourceAmount[k], in.money("source amount"));
        ledger.SourceAmount[k] = Money();
    }
    ledger.SourceAmount[0] = Money();
    for (int j = 1; j <= kSections; ++j) {
        QUORVEL_READ(ledger.Summary[j], in.money("summary amount"));
        QUORVEL_READ_TEXT(ledger.SectionStart[j], "section start");
        QUORVEL_READ_TEXT(ledger.SectionTitle[j], "section title");
    }
    // Both counts are derived from the names; a stored count beyond the named rows would
    // only make lists show empty funds and put the next new fund on the wrong row.
    [[maybe_unused]] int storedCount = 0;
    QUORVEL_READ(storedCount, in.integer("budget account count", 0, kAccountRows - 1));
    QUORVEL_READ(storedCount, in.integer("designated fund count", 0, kAccountRows - 1));

    auto& s = ledger.Summary;
    for (int j = kUndesignatedReceipts; j <= kTotalExpenditures; ++j) s[j] = Money();
    s[kRemainingBalance] = s[kBeginningBalance];
    s[kDesignatedFundTotals] = s[kDesignatedAtFirst];
    return Status::Ok();
}

#undef QUORVEL_READ_TEXT
#undef QUORVEL_READ

}  // namespace

Status parseMonthFile(const std::string& bytes, const std::string& fileName, Ledger& ledger) {
    ledger = Ledger();
    return parseIntoFresh(bytes, fileName, ledger);
}

Status LoadMonthFile(Ledger& ledger, Journal& journal, const std::string& given, JournalMode mode) {
    const std::string path = realMonthPath(given);
    auto bytes = readWholeFile(path, kMaxMonthFileBytes);
    if (!bytes) return bytes.status();
    Ledger fresh;
    if (Status parsed = parseIntoFresh(*bytes, path, fresh); !parsed) return parsed;
    fresh.CurrentFile = path;

    Journal opened;
    if (Status s = opened.open(Journal::locate(path), mode); !s) return s;
    auto records = opened.readAll();
    if (!records) return records.status();
    replayJournal(fresh, *records);
    RecomputeTotals(fresh);

    ledger = std::move(fresh);
    journal = std::move(opened);
    return Status::Ok();
}

}  // namespace quorvel

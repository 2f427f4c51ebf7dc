#include "csv_statement.h"

#include <csv.h>

#include <algorithm>
#include <charconv>
#include <utility>

#include "ledger/text_fields.h"
#include "reconcile/reconciliation.h"
#include "statement_text.h"

namespace quorvel::statement {
namespace {

struct Row {
    std::vector<std::string> fields;
    int line = 0;  // where the row begins
};

struct Collector {
    std::vector<Row> rows;
    Row current;
    int line = 1;
    bool inRow = false;
};

void onField(void* data, std::size_t size, void* context) {
    auto& c = *static_cast<Collector*>(context);
    if (!c.inRow) {
        c.current.line = c.line;
        c.inRow = true;
    }
    std::string field = data ? std::string(static_cast<const char*>(data), size) : std::string();
    c.line += static_cast<int>(std::count(field.begin(), field.end(), '\n'));
    c.current.fields.push_back(std::move(field));
}

// With CSV_REPALL_NL every line end is reported, so blank lines still count.
void onRowEnd(int terminator, void* context) {
    auto& c = *static_cast<Collector*>(context);
    if (c.inRow) c.rows.push_back(std::exchange(c.current, Row{}));
    c.inRow = false;
    if (terminator == '\n') ++c.line;
}

Result<std::vector<Row>> parseRows(std::string_view bytes, const std::string& name) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);  // the UTF-8 mark some banks write first
    csv_parser parser{};
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL) != 0)
        return Status::Error("the CSV reader could not start");
    Collector collector;
    const std::size_t done = csv_parse(&parser, bytes.data(), bytes.size(), onField, onRowEnd, &collector);
    const bool parsed = done == bytes.size() && csv_fini(&parser, onField, onRowEnd, &collector) == 0;
    const int error = csv_error(&parser);
    csv_free(&parser);
    if (!parsed)
        return Status::Error(lineMessage(name, collector.line,
                                         std::string("the CSV is damaged (") + csv_strerror(error) + ")"));
    return std::move(collector.rows);
}

std::string folded(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '_' && c != '.' && c != '#')
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

constexpr std::pair<const char*, int CsvColumns::*> kNames[] = {
    {"date", &CsvColumns::date},       {"description", &CsvColumns::description},
    {"cheque", &CsvColumns::cheque},   {"amount", &CsvColumns::amount},
    {"debit", &CsvColumns::debit},     {"credit", &CsvColumns::credit},
    {"balance", &CsvColumns::balance},
};

constexpr std::pair<const char*, DateOrder> kOrders[] = {{"mdy", DateOrder::MonthFirst},
                                                         {"dmy", DateOrder::DayFirst}};

bool namesNoColumn(const CsvColumns& c) {
    return std::all_of(std::begin(kNames), std::end(kNames),
                       [&](const auto& entry) { return c.*entry.second < 0; });
}

Status checkColumns(const CsvColumns& c) {
    if (c.dates != DateOrder::Unknown && namesNoColumn(c)) return Status::Ok();
    if (c.date < 0) return Status::Error("the mapping needs the date column");
    if (c.amount < 0 && (c.debit < 0 || c.credit < 0))
        return Status::Error("the mapping needs the amount column, or the debit and the credit columns");
    return Status::Ok();
}

// The two numbers before the year of a date written "a/b/year"; nothing for any other form.
std::optional<std::pair<int, int>> slashedNumbers(std::string_view text) {
    const std::size_t slash = text.find('/');
    const std::size_t second = slash == std::string_view::npos ? slash : text.find('/', slash + 1);
    if (second == std::string_view::npos) return std::nullopt;
    int a = 0, b = 0;
    const std::string_view first = text.substr(0, slash), next = text.substr(slash + 1, second - slash - 1);
    std::from_chars(first.data(), first.data() + first.size(), a);
    std::from_chars(next.data(), next.data() + next.size(), b);
    return std::pair{a, b};
}

// Dates each line by `texts` in `order`, or, with none given, in the order a number above 12
// tells; a date that reads either way with no such number is refused rather than guessed.
Status dateLines(std::vector<StatementLine>& lines, const std::vector<std::string>& texts, DateOrder order,
                 const std::string& name) {
    const auto refuse = [&](std::size_t i, const std::string& what) {
        return Status::Error(lineMessage(name, lines[i].sourceLine, "the date \"" + texts[i] + "\" " + what));
    };
    std::optional<std::size_t> unclear, told;
    for (std::size_t i = 0; i < texts.size() && order == DateOrder::Unknown; ++i) {
        const auto numbers = slashedNumbers(texts[i]);
        if (!numbers) continue;
        if (numbers->first > 12 || numbers->second > 12) {
            told = i;
            order = numbers->first > 12 ? DateOrder::DayFirst : DateOrder::MonthFirst;
        } else if (numbers->first != numbers->second && !unclear) {
            unclear = i;
        }
    }
    if (order == DateOrder::Unknown && unclear)
        return refuse(*unclear,
                      "could be month/day/year or day/month/year; say which the bank writes "
                      "(dates=mdy or dates=dmy)");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i].date = parseWrittenDate(texts[i], order == DateOrder::DayFirst);
        if (lines[i].date != 0) continue;
        const char* orderName = order == DateOrder::DayFirst ? "day/month/year" : "month/day/year";
        if (told)
            return refuse(i, std::string("is not a date in ") + orderName + ", the order line " +
                                 std::to_string(lines[*told].sourceLine) + "'s date shows");
        return refuse(i, std::string("is not a date in ") + orderName);
    }
    return Status::Ok();
}

}  // namespace

std::optional<CsvColumns> columnsFromHeader(const std::vector<std::string>& header) {
    static const std::vector<std::pair<std::string, int CsvColumns::*>> kHeaders = {
        {"date", &CsvColumns::date},
        {"postingdate", &CsvColumns::date},
        {"transactiondate", &CsvColumns::date},
        {"description", &CsvColumns::description},
        {"memo", &CsvColumns::description},
        {"checknumber", &CsvColumns::cheque},
        {"chequenumber", &CsvColumns::cheque},
        {"check", &CsvColumns::cheque},
        {"cheque", &CsvColumns::cheque},
        {"checkno", &CsvColumns::cheque},
        {"chequeno", &CsvColumns::cheque},
        {"amount", &CsvColumns::amount},
        {"debit", &CsvColumns::debit},
        {"credit", &CsvColumns::credit},
        {"balance", &CsvColumns::balance},
        {"runningbalance", &CsvColumns::balance},
    };
    CsvColumns columns;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = folded(trimBlanks(header[i]));
        for (const auto& [known, member] : kHeaders)
            if (name == known && columns.*member < 0) columns.*member = static_cast<int>(i);
    }
    if (!checkColumns(columns)) return std::nullopt;
    return columns;
}

Result<CsvColumns> parseColumnMapping(std::string_view text) {
    CsvColumns columns;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimBlanks(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t equals = item.find('=');
        const std::string key = folded(item.substr(0, equals));
        if (key == "dates") {
            const std::string order =
                equals == std::string_view::npos ? std::string() : folded(item.substr(equals + 1));
            const auto found = std::find_if(std::begin(kOrders), std::end(kOrders),
                                            [&](const auto& entry) { return order == entry.first; });
            if (found == std::end(kOrders))
                return Status::Error("\"" + std::string(item) +
                                     "\" is not dates=mdy (month/day/year) or dates=dmy "
                                     "(day/month/year)");
            columns.dates = found->second;
            continue;
        }
        const auto known = std::find_if(std::begin(kNames), std::end(kNames),
                                        [&](const auto& entry) { return key == entry.first; });
        int column = 0;
        const std::string_view number =
            equals == std::string_view::npos ? std::string_view{} : trimBlanks(item.substr(equals + 1));
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), column);
        if (known == std::end(kNames) || error != std::errc() || end != number.data() + number.size() ||
            column < 1 || column > 100)
            return Status::Error("\"" + std::string(item) +
                                 "\" is not NAME=COLUMN (date, description, cheque, "
                                 "amount, debit, credit or balance, and a column number from 1)");
        columns.*(known->second) = column - 1;
    }
    if (Status ok = checkColumns(columns); !ok) return ok;
    return columns;
}

std::string composeColumnMapping(const CsvColumns& columns) {
    std::string out;
    for (const auto& [name, member] : kNames) {
        if (columns.*member < 0) continue;
        if (!out.empty()) out += ',';
        out += std::string(name) + "=" + std::to_string(columns.*member + 1);
    }
    for (const auto& [name, order] : kOrders)
        if (columns.dates == order) out += std::string(out.empty() ? "" : ",") + "dates=" + name;
    return out;
}

Result<std::vector<std::string>> csvHeader(std::string_view bytes, const std::string& name) {
    auto rows = parseRows(bytes, name);
    if (!rows) return rows.status();
    if (rows->empty()) return Status::Error(name + " holds no lines");
    return rows->front().fields;
}

Result<Statement> readCsvStatement(std::string_view bytes, const std::string& name,
                                   const std::optional<CsvColumns>& given) {
    auto rows = parseRows(bytes, name);
    if (!rows) return rows.status();
    if (rows->empty()) return Status::Error(name + " holds no lines");
    // A date order alone leaves the columns to the header.
    const bool columnsGiven = given && !namesNoColumn(*given);
    std::optional<CsvColumns> columns = columnsGiven ? given : columnsFromHeader(rows->front().fields);
    if (columns && given) columns->dates = given->dates;
    if (!columns)
        return Status::Error(name +
                             ": the header does not name the date and amount columns; give the columns "
                             "(e.g. date=1,description=2,amount=3,balance=4)");
    const CsvColumns& c = *columns;
    Statement statement;
    std::vector<std::optional<Money>> balances;  // per line, as the file gives them
    std::vector<std::string> balanceFaults;      // per line, why its balance is no amount
    // With the columns given, the first row is a header only when its date is no date.
    const auto cellOf = [](const Row& row, int column) -> std::string_view {
        return column >= 0 && static_cast<std::size_t>(column) < row.fields.size()
                   ? trimBlanks(row.fields[column])
                   : std::string_view{};
    };
    const auto eitherOrder = [](std::string_view text) {
        return parseWrittenDate(text) || parseWrittenDate(text, true);
    };
    const std::size_t first = columnsGiven && eitherOrder(cellOf(rows->front(), c.date)) ? 0 : 1;
    std::vector<std::string> dateTexts;  // per line, read once the order is known
    for (std::size_t r = first; r < rows->size(); ++r) {
        const Row& row = (*rows)[r];
        const auto cell = [&](int column) { return cellOf(row, column); };
        const auto refuse = [&](const std::string& what) {
            return Status::Error(lineMessage(name, row.line, what));
        };
        const auto money = [&](int column, const char* what) -> Result<std::optional<Money>> {
            const std::string_view text = cell(column);
            if (text.empty()) return std::optional<Money>();
            const auto amount = parseStatementAmount(text);
            if (!amount) return refuse(std::string("the ") + what + " " + amount.message());
            return std::optional<Money>(*amount);
        };
        if (std::all_of(row.fields.begin(), row.fields.end(),
                        [](const std::string& f) { return trimBlanks(f).empty(); }))
            continue;
        StatementLine line;
        line.sourceLine = row.line;
        if (!eitherOrder(cell(c.date)))
            return refuse("the date \"" + std::string(cell(c.date)) + "\" is not a date");
        dateTexts.emplace_back(cell(c.date));
        line.description = descriptionText(cell(c.description));
        line.cheque = chequeInReference(cell(c.cheque));
        if (!cell(c.cheque).empty() && line.cheque.empty())
            return refuse("the cheque number \"" + std::string(cell(c.cheque)) + "\" is not a number");
        if (c.amount >= 0) {
            auto amount = money(c.amount, "amount");
            if (!amount) return amount.status();
            if (!amount->has_value()) return refuse("the amount is missing");
            line.amount = **amount;
        } else {
            auto debit = money(c.debit, "debit");
            if (!debit) return debit.status();
            auto credit = money(c.credit, "credit");
            if (!credit) return credit.status();
            if (!debit->has_value() && !credit->has_value())
                return refuse("the debit and the credit are missing");
            const auto magnitude = [](const std::optional<Money>& m) {
                return !m ? Money() : m->units() < 0 ? -*m : *m;
            };
            line.amount = magnitude(*credit) - magnitude(*debit);
        }
        // A balance that is no amount ("Pending") is refused later unless the row is pending.
        auto balance = money(c.balance, "balance");
        balances.push_back(balance ? *balance : std::nullopt);
        balanceFaults.push_back(balance ? std::string() : balance.message());
        statement.lines.push_back(std::move(line));
    }
    if (statement.lines.empty()) return Status::Error(name + " holds no transactions");
    if (c.balance < 0) return Status::Error(name + " has no balance column to take the closing balance from");
    if (Status dated = dateLines(statement.lines, dateTexts, c.dates, name); !dated) return dated;
    // Banks list newest first or oldest first: the running balances tell which, as each must be
    // the one before it plus its amount in one of the two orders.
    const std::vector<StatementLine>& lines = statement.lines;
    struct Break {
        std::size_t at = 0;  // how far the chain holds, counted in reading order
        Money expected;
    };
    const auto firstBreak = [&](bool reversed) -> std::optional<Break> {
        std::optional<Money> running;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::size_t i = reversed ? lines.size() - 1 - k : k;
            if (running) *running += lines[i].amount;
            if (!balances[i]) continue;
            if (running && *running != *balances[i]) return Break{k, *running};
            running = balances[i];
        }
        return std::nullopt;
    };
    const auto forward = firstBreak(false);
    const auto backward = firstBreak(true);
    if (forward && backward) {
        const bool likelyBackward = backward->at > forward->at;
        const std::size_t i = likelyBackward ? lines.size() - 1 - backward->at : forward->at;
        return Status::Error(lineMessage(name, lines[i].sourceLine,
                                         "the balance " + balances[i]->format00() +
                                             " does not follow from the balance before it and the amount (" +
                                             (likelyBackward ? backward : forward)->expected.format00() +
                                             " would)"));
    }
    const bool newestFirst = forward && !backward   ? true
                             : backward && !forward ? false
                                                    : lines.front().date > lines.back().date;
    // The closing balance is the newest row's that has one; rows newer than it are pending.
    std::size_t newer = 0;
    while (newer < lines.size() && !balances[newestFirst ? newer : lines.size() - 1 - newer]) ++newer;
    if (newer == lines.size())
        return Status::Error(name + " has no balance on any row to take the closing balance from");
    const std::size_t closing = newestFirst ? newer : lines.size() - 1 - newer;
    const std::size_t from = newestFirst ? closing : 0, to = newestFirst ? lines.size() : closing + 1;
    for (std::size_t i = from; i < to; ++i)
        if (!balanceFaults[i].empty()) return Status::Error(balanceFaults[i]);
    statement.closingBalance = *balances[closing];
    const auto at = [&](std::size_t i) { return statement.lines.begin() + static_cast<std::ptrdiff_t>(i); };
    const auto pendingBegin = at(newestFirst ? 0 : to);
    const auto pendingEnd = at(newestFirst ? from : lines.size());
    statement.pending.assign(pendingBegin, pendingEnd);
    statement.lines.erase(pendingBegin, pendingEnd);
    for (const StatementLine& line : statement.lines)
        statement.closingDate = std::max(statement.closingDate, line.date);
    return statement;
}

}  // namespace quorvel::statement

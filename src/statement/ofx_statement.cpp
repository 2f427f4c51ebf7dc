#include "ofx_statement.h"

#include <libofx/libofx.h>

#include <cmath>
#include <vector>

#include "ledger/text_fields.h"
#include "reconcile/reconciliation.h"
#include "statement_text.h"

namespace quorvel::statement {
namespace {

// One element's text and the line it stands on.
struct Element {
    std::string value;
    int line = 0;
};

// An aggregate of the file (<STMTTRN> ... </STMTTRN>, <LEDGERBAL> ... </LEDGERBAL>) with the
// elements inside it. OFX 1 is SGML: an element's value runs to the next "<" or line end.
struct Aggregate {
    int line = 0;
    std::vector<std::pair<std::string, Element>> elements;
    const Element* find(std::string_view tag) const {
        for (const auto& [name, element] : elements)
            if (name == tag) return &element;
        return nullptr;
    }
};

std::vector<Aggregate> aggregates(std::string_view bytes, std::string_view tag) {
    std::vector<Aggregate> found;
    Aggregate* open = nullptr;
    int line = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') ++line;
        if (bytes[i] != '<') continue;
        const std::size_t close = bytes.find('>', i);
        if (close == std::string_view::npos) break;
        std::string name(bytes.substr(i + 1, close - i - 1));
        for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        if (name == tag) {
            found.push_back({line, {}});
            open = &found.back();
        } else if (name == "/" + std::string(tag)) {
            open = nullptr;
        } else if (open && !name.empty() && name[0] != '/') {
            const std::size_t end = bytes.find_first_of("<\r\n", close + 1);
            open->elements.push_back(
                {name, {std::string(trimBlanks(bytes.substr(close + 1, end - close - 1))), line}});
        }
        i = close;
    }
    return found;
}

struct Parsed {
    std::vector<OfxTransactionData> transactions;
    bool statement = false;
    bool ledgerBalance = false;
    double balance = 0;
};

int onTransaction(const OfxTransactionData data, void* context) {
    static_cast<Parsed*>(context)->transactions.push_back(data);
    return 0;
}

int onStatement(const OfxStatementData data, void* context) {
    auto& parsed = *static_cast<Parsed*>(context);
    parsed.statement = true;
    if (data.ledger_balance_valid) {
        parsed.ledgerBalance = true;
        parsed.balance = data.ledger_balance;
    }
    return 0;
}

bool agrees(Money exact, double approximate) {
    return std::fabs(static_cast<double>(exact.units()) / Money::kScale - approximate) < 0.005;
}

Day ofxDay(std::string_view text) { return text.size() >= 8 ? parseWrittenDate(text.substr(0, 8)) : 0; }

}  // namespace

bool looksLikeOfx(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 1024);
    return head.find("OFXHEADER") != std::string_view::npos || head.find("<OFX>") != std::string_view::npos ||
           head.find("<?OFX") != std::string_view::npos;
}

Result<Statement> readOfxStatement(const std::string& path, std::string_view bytes, const std::string& name) {
    // libofx reports on standard error unless told not to; the program reports itself.
    ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = ofx_DEBUG4_msg =
        ofx_DEBUG5_msg = ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = ofx_ERROR_msg = 0;
    Parsed parsed;
    LibofxContextPtr context = libofx_get_new_context();
    ofx_set_transaction_cb(context, onTransaction, &parsed);
    ofx_set_statement_cb(context, onStatement, &parsed);
    const int result = libofx_proc_file(context, path.c_str(), OFX);
    libofx_free_context(context);

    // One statement per file: libofx would hand over the last one's balance, and the lines of
    // every account would mix.
    std::vector<Aggregate> statements = aggregates(bytes, "STMTRS");
    for (Aggregate& card : aggregates(bytes, "CCSTMTRS")) statements.push_back(std::move(card));
    if (statements.size() > 1) {
        std::string accounts;
        for (const Aggregate& one : statements) {
            const Element* account = one.find("ACCTID");
            accounts += (accounts.empty() ? "" : ", ") + (account ? account->value : std::string("?"));
        }
        return Status::Error(name + " holds " + std::to_string(statements.size()) + " statements (accounts " +
                             accounts + "); save the statement of the one account to reconcile on its own");
    }
    const std::vector<Aggregate> written = aggregates(bytes, "STMTTRN");
    const std::vector<Aggregate> balances = aggregates(bytes, "LEDGERBAL");
    Statement statement;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const Aggregate& trn = written[i];
        const auto refuse = [&](int line, const std::string& what) {
            return Status::Error(lineMessage(name, line, what));
        };
        const Element* amountText = trn.find("TRNAMT");
        const Element* posted = trn.find("DTPOSTED");
        if (!amountText) return refuse(trn.line, "the transaction has no amount (TRNAMT)");
        const auto amount = parseStatementAmount(amountText->value);
        if (!amount) return refuse(amountText->line, "the amount " + amount.message());
        StatementLine line;
        line.sourceLine = trn.line;
        line.amount = *amount;
        line.date = posted ? ofxDay(posted->value) : 0;
        if (line.date == 0)
            return refuse(posted ? posted->line : trn.line, "the transaction has no date it was posted");
        if (const Element* cheque = trn.find("CHECKNUM")) {
            line.cheque = chequeInReference(cheque->value);
            if (line.cheque.empty() && !cheque->value.empty())
                return refuse(cheque->line, "the cheque number \"" + cheque->value + "\" is not a number");
        }
        const Element* payee = trn.find("NAME");
        const Element* memo = trn.find("MEMO");
        std::string description = payee ? payee->value : std::string();
        if (memo && !memo->value.empty()) description += (description.empty() ? "" : " ") + memo->value;
        line.description = descriptionText(description);
        statement.lines.push_back(std::move(line));
    }
    // What the file's own texts say is checked first, so a damaged transaction is named by its
    // line; then libofx's reading of the whole file must agree with them.
    if (result != 0 || !parsed.statement)
        return Status::Error(name + " is not a readable OFX bank statement");
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (i >= parsed.transactions.size() || !parsed.transactions[i].amount_valid ||
            !agrees(statement.lines[i].amount, parsed.transactions[i].amount))
            return Status::Error(lineMessage(name, written[i].line, "the transaction cannot be read"));
    }
    if (written.size() != parsed.transactions.size())
        return Status::Error(name + " is damaged: its transactions cannot all be read");
    const Element* balance = balances.empty() ? nullptr : balances.front().find("BALAMT");
    if (!balance || !parsed.ledgerBalance) return Status::Error(name + " has no ledger balance (LEDGERBAL)");
    const auto closing = parseStatementAmount(balance->value);
    if (!closing)
        return Status::Error(lineMessage(name, balance->line, "the ledger balance " + closing.message()));
    if (!agrees(*closing, parsed.balance))
        return Status::Error(
            lineMessage(name, balance->line, "the ledger balance \"" + balance->value + "\" cannot be read"));
    statement.closingBalance = *closing;
    if (const Element* asOf = balances.front().find("DTASOF")) statement.closingDate = ofxDay(asOf->value);
    return statement;
}

}  // namespace quorvel::statement

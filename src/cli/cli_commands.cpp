#include "cli_commands.h"

#include <ostream>
#include <sstream>

#include "cli_support.h"
#include "export_command.h"
#include "ledger/audit_trail.h"
#include "ledger/month_file.h"
#include "report_command.h"
#include "review/action_list.h"
#include "review/audited_change.h"
#include "review/month_summary.h"
#include "terminal_text.h"

namespace quorvel::cli {
namespace {

constexpr const char* kHelp = R"(Usage: quorvel-cli COMMAND [OPTIONS]

Reads a month of the treasurer's books (MONTH.rep and its journal MONTH.jrn beside it)
without changing either file. Names print in UTF-8.

Commands:
  summary MONTH.rep
      Print the month summary as the main window shows it.
  actions MONTH.rep [--cash | --filter KEY]
      Print the month's action list as "View/Adjust Action" shows it.
      --cash        only budget expenditures, designated expenditures and deposits
                    (as "View Cash Actions").
      --filter KEY  only the actions of one item: a budget account number (e.g. 210),
                    a designated fund number or a source id (five digits). Shorter keys
                    are right-aligned in five characters, as the program stores them.
  report MONTH.rep --out FILE [--annual] [--title TEXT]... [--account NAME AMOUNT]...
      [--pdf]
      Write the treasurer's report to FILE (replaced if it exists) as the report window's
      "Print to File" writes it, or "Annual to File" with --annual. FILE may not be a
      month's own file (a month file, journal, lock or backup, by name or content).
      --title TEXT  one to three title lines, in order; without any the report has the
                    one title "Treasurer's Report".
      --account NAME AMOUNT
                    up to five accounts where the money is held, with the amount typed
                    into the amount box (read as the box reads it: 12.345 is 12.35).
      --pdf         write the printed report as a PDF file instead (needs the program
                    quorvel-report-pdf beside quorvel-cli); not with --annual.
  export MONTH.rep --actions|--budget|--funds|--sources|--ledger [--out FILE]
      Write a table of the month as CSV (RFC 4180, UTF-8, a header row): the actions as
      the action list numbers them, the budget accounts, the designated funds or the
      deposit sources; or, with --ledger, the month as a journal that ledger and hledger
      read. Standard output without --out; FILE is replaced if it exists and may not be
      a month's own file.
  reconcile MONTH.rep STATEMENT [--other NAME AMOUNT]... [--columns MAPPING]
      Reconcile the month with a bank statement (OFX, QFX or CSV) and print the matched
      lines, the statement lines without an action, the outstanding cheques, the deposits
      in transit and the balance, ending with the difference. Matches kept in MONTH.rec
      are used; nothing is written (needs quorvel-reconcile beside quorvel-cli).
      --other NAME AMOUNT
                    another account where money is held, with its balance (exact).
      --columns MAPPING
                    the columns of a CSV whose header does not name them, from 1:
                    date=1,description=2,cheque=3,amount=4,balance=5 (or debit= and
                    credit= instead of amount=).
  audit MONTH.rep
      Print the month's audit trail (MONTH.aud): every change of a recorded action or an
      account, oldest first, with its time, user, and each thing before and after. A
      damaged trail prints what could be read, then the damage on standard error (exit 1).
  --help      Show this text.
  --version   Show the version.

Exit status: 0 on success, 1 on any error (the message goes to standard error and
nothing is printed on standard output or written).
)";

int summaryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) return usageError(err, "summary takes exactly one month file");
    auto month = loadForReading(args[1]);
    if (!month) return fail(err, month.message());
    const auto lines = monthSummaryLines(month->ledger);
    std::ostringstream text;
    // The first line carries the path as given, which is not code-page text.
    text << escapeControls(lines.front()) << "\n";
    for (std::size_t i = 1; i < lines.size(); ++i) text << toTerminal(lines[i]) << "\n";
    out << text.str();
    return 0;
}

int actionsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    ActionListFilter filter;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--cash") {
            filter.cashOnly = true;
        } else if (arg == "--filter") {
            if (i + 1 >= args.size()) return usageError(err, "--filter needs a key");
            const std::string& key = args[++i];
            if (key.empty() || key.size() > 5)
                return usageError(err, "a filter key has one to five characters");
            filter.key = std::string(5 - key.size(), ' ') + key;
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(err, "unknown option " + arg);
        } else if (path.empty()) {
            path = arg;
        } else {
            return usageError(err, "actions takes one month file");
        }
    }
    if (path.empty()) return usageError(err, "actions needs a month file");
    if (filter.cashOnly && filter.key) return usageError(err, "--cash and --filter cannot be combined");

    auto month = loadForReading(path);
    if (!month) return fail(err, month.message());
    auto records = month->journal.readAll();
    if (!records) return fail(err, records.message());
    std::ostringstream text;
    for (const std::string& line : actionListLines(month->ledger, *records, filter).lines) {
        text << toTerminal(line) << "\n";
    }
    out << text.str();
    return 0;
}

int auditCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) return usageError(err, "audit takes exactly one month file");
    // The trail is worth reading most when the journal is damaged, so damage there is no refusal.
    LoadedMonth month;
    if (Status s = LoadMonthFile(month.ledger, month.journal, args[1], JournalMode::ReadOnly); !s)
        return fail(err, s.message());
    const AuditTrailRead trail = readAuditTrail(locateAuditTrail(month.ledger.CurrentFile));
    std::ostringstream text;
    for (const AuditEntry& entry : trail.entries) {
        for (const std::string& line : auditEntryLines(entry, month.ledger)) text << toTerminal(line) << "\n";
    }
    out << text.str();
    if (trail.message.empty()) return 0;
    // A month without a trail has had no change recorded: said, but no failure.
    if (!trail.exists) {
        err << "quorvel-cli: " << escapeControls(trail.message) << "\n";
        return 0;
    }
    return fail(err, trail.message);
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return usageError(err, "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kHelp;
        return 0;
    }
    if (command == "--version") {
        out << "quorvel-cli " << QUORVEL_VERSION << "\n";
        return 0;
    }
    if (command == "summary") return summaryCommand(args, out, err);
    if (command == "actions") return actionsCommand(args, out, err);
    if (command == "report") return reportCommand(args, err);
    if (command == "export") return exportCommand(args, out, err);
    if (command == "reconcile")
        return runSibling("quorvel-reconcile", args, err, "reconcile", "nothing was written");
    if (command == "audit") return auditCommand(args, out, err);
    return usageError(err, "unknown command " + command);
}

}  // namespace quorvel::cli

#include "reconcile_command.h"

#include <filesystem>
#include <ostream>
#include <sstream>

#include "cli_support.h"
#include "ledger/typed_amount.h"
#include "reconcile/reconciliation_file.h"
#include "reconcile/reconciliation_text.h"
#include "statement_reader.h"
#include "terminal_text.h"

namespace quorvel::cli {

int reconcileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    std::vector<OtherAccount> others;
    std::optional<statement::CsvColumns> columns;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--other") {
            if (i + 2 >= args.size()) return usageError(err, "--other needs a name and an amount");
            auto name = fromTerminal(args[++i]);
            Money amount;
            const AmountFault fault = readWrittenAmount(args[++i], 4, amount);
            if (!name)
                return usageError(err, "the account name \"" + args[i - 1] +
                                           "\" holds a character that Windows-1252 cannot hold");
            if (fault != AmountFault::None)
                return usageError(err, "\"" + args[i] + "\" " + amountFaultText(fault, 4));
            others.push_back({*name, amount});
        } else if (arg == "--columns") {
            if (i + 1 >= args.size()) return usageError(err, "--columns needs a mapping");
            auto mapping = statement::parseColumnMapping(args[++i]);
            if (!mapping) return usageError(err, mapping.message());
            columns = *mapping;
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(err, "unknown option " + arg);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) return usageError(err, "reconcile takes a month file and a statement file");

    auto month = loadForReading(files[0]);
    if (!month) return fail(err, month.message());
    auto records = month->journal.readAll();
    if (!records) return fail(err, records.message());
    const std::string& monthPath = month->ledger.CurrentFile;
    std::vector<BookItem> items = bookItems(*records, monthOrigin(monthPath));
    std::string gap;
    auto carried = carriedItems(monthPath, &gap);
    // As the window does: said, and the statement still reconciles without the carried items.
    if (!carried)
        err << "quorvel-cli: warning: " << escapeControls(carried.message())
            << " Nothing is carried from it.\n";
    if (!gap.empty()) err << "quorvel-cli: warning: " << escapeControls(gap) << "\n";
    if (carried) items.insert(items.end(), carried->begin(), carried->end());
    auto saved = loadReconciliation(reconciliationFileOf(monthPath));
    // A damaged file of this month's own is reported and set aside; the statement still reconciles.
    if (!saved) err << "quorvel-cli: " << escapeControls(saved.message()) << " (not used)\n";

    auto read = statement::readStatement(files[1], columns);
    if (!read) return fail(err, read.message());
    Reconciliation rec = reconcile(std::move(read).value(), std::move(items),
                                   saved ? saved.value() : std::optional<SavedReconciliation>());
    rec.statementName = std::filesystem::path(files[1]).filename().string();
    if (!others.empty()) rec.others = others;
    const BalanceCheck check = balanceCheck(rec, month->ledger.Summary[kRemainingBalance]);

    std::ostringstream text;
    for (const std::string& line : reconciliationLines(rec, check, monthOrigin(monthPath)))
        text << toTerminal(line) << "\n";
    out << text.str();
    return 0;
}

}  // namespace quorvel::cli

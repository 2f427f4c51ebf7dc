// The exports as files: what each holds, and writing one where the treasurer chose.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ledger/action_record.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel {

enum class ExportKind { Actions, Budget, Funds, Sources, Ledger };

struct ExportInfo {
    ExportKind kind;
    const char* option;     // the command line's option without "--": "actions"
    const char* label;      // as the window offers it: "Actions (CSV)"
    const char* extension;  // "csv"
};

inline constexpr std::array<ExportInfo, 5> kExports = {{
    {ExportKind::Actions, "actions", "Actions (CSV)", "csv"},
    {ExportKind::Budget, "budget", "Budget accounts (CSV)", "csv"},
    {ExportKind::Funds, "funds", "Designated funds (CSV)", "csv"},
    {ExportKind::Sources, "sources", "Deposit sources (CSV)", "csv"},
    {ExportKind::Ledger, "ledger", "Journal for ledger and hledger", "journal"},
}};

// The export's text (see csv_export.h and ledger_export.h).
std::string exportText(const Ledger& ledger, const std::vector<ActionRecord>& records, ExportKind kind);

// Replaces (or creates) `path` with the export safely; on failure nothing is written and the
// message names the file and the reason. Refuses a month's own file (checkNotMonthOwnFile,
// against the ledger's month).
Status writeExportFile(const std::string& path, const Ledger& ledger,
                       const std::vector<ActionRecord>& records, ExportKind kind);

}  // namespace quorvel

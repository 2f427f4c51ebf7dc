#include "export_file.h"

#include "csv_export.h"
#include "ledger/file_io.h"
#include "ledger/month_own_files.h"
#include "ledger_export.h"

namespace quorvel {

std::string exportText(const Ledger& ledger, const std::vector<ActionRecord>& records, ExportKind kind) {
    switch (kind) {
        case ExportKind::Actions:
            return csvTable(ledger, records, CsvTable::Actions);
        case ExportKind::Budget:
            return csvTable(ledger, records, CsvTable::Budget);
        case ExportKind::Funds:
            return csvTable(ledger, records, CsvTable::Funds);
        case ExportKind::Sources:
            return csvTable(ledger, records, CsvTable::Sources);
        case ExportKind::Ledger:
            break;
    }
    return ledgerJournal(ledger, records, exportMonth(ledger.CurrentFile));
}

Status writeExportFile(const std::string& path, const Ledger& ledger,
                       const std::vector<ActionRecord>& records, ExportKind kind) {
    if (Status allowed = checkNotMonthOwnFile(path, ledger.CurrentFile); !allowed) return allowed;
    return writeFileAtomically(path, exportText(ledger, records, kind));
}

}  // namespace quorvel

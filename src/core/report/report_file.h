// The treasurer's report as a text file: the printed layout in lines of text ended by CR LF,
// with the file's own wording, and the annual variant that shows the year instead of the
// month. Text is Windows-1252, as in the ledger.
#pragma once

#include <string>

#include "ledger/ledger.h"
#include "ledger/status.h"
#include "report_entries.h"

namespace quorvel {

enum class ReportFileKind { Monthly, Annual };

// The whole file. Recomputes the totals and fills the report's work cells, as printing does.
std::string reportFileText(Ledger& ledger, const ReportEntries& entries, ReportFileKind kind);

// Replaces (or creates) `path` with the report safely; on failure nothing is written and the
// message names the file and the reason. Refuses a month's own file (checkNotMonthOwnFile,
// against the ledger's month).
Status writeReportFile(const std::string& path, Ledger& ledger, const ReportEntries& entries,
                       ReportFileKind kind);

}  // namespace quorvel

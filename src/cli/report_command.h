// quorvel-cli report: the treasurer's report written as the report window writes it, with
// the window's entries given as options. The PDF form runs quorvel-report-pdf, which has the
// print system that quorvel-cli does without.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "ledger/status.h"
#include "report/report_entries.h"

namespace quorvel::cli {

struct ReportRequest {
    std::string month;
    std::string out;
    bool annual = false;
    bool pdf = false;
    ReportEntries entries;
};

// The options of `report` (args[0] is "report"), the texts converted to the code page and the
// amounts settled as the amount boxes settle them. A message for --help when they are wrong.
Result<ReportRequest> parseReportRequest(const std::vector<std::string>& args);

int reportCommand(const std::vector<std::string>& args, std::ostream& err);

}  // namespace quorvel::cli

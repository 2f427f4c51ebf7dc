#include "report_command.h"

#include "cli_support.h"
#include "report/report_file.h"
#include "terminal_text.h"

namespace quorvel::cli {
namespace {

constexpr const char* kPdfHelper = "quorvel-report-pdf";

Result<std::string> codePageText(const std::string& typed, const std::string& what) {
    auto text = fromTerminal(typed);
    if (!text)
        return Status::Error(what + " \"" + typed + "\" holds a character that Windows-1252 cannot hold");
    return std::move(*text);
}

int runPdfHelper(const std::vector<std::string>& args, std::ostream& err) {
    return runSibling(kPdfHelper, args, err, "--pdf", "no PDF was written");
}

}  // namespace

Result<ReportRequest> parseReportRequest(const std::vector<std::string>& args) {
    ReportRequest request;
    int titles = 0;
    int accounts = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* what) -> Result<std::string> {
            if (i + 1 >= args.size()) return Status::Error(arg + " needs " + what);
            return args[++i];
        };
        if (arg == "--annual") {
            request.annual = true;
        } else if (arg == "--pdf") {
            request.pdf = true;
        } else if (arg == "--out") {
            auto path = value("a file name");
            if (!path) return path.status();
            if (path->empty()) return Status::Error("--out needs a file name");
            request.out = *path;
        } else if (arg == "--title") {
            if (titles == kReportTitles) return Status::Error("at most three --title lines");
            auto typed = value("a text");
            if (!typed) return typed.status();
            auto text = codePageText(*typed, "the title");
            if (!text) return text.status();
            // The first --title replaces the default; the boxes it does not reach stay empty.
            if (titles == 0) request.entries.titles = {};
            request.entries.titles[titles++] = *text;
        } else if (arg == "--account") {
            if (accounts == kReportAccounts) return Status::Error("at most five --account entries");
            if (i + 2 >= args.size()) return Status::Error("--account needs a name and an amount");
            auto name = codePageText(args[++i], "the account name");
            if (!name) return name.status();
            auto amount = codePageText(args[++i], "the amount");
            if (!amount) return amount.status();
            request.entries.accountNames[accounts] = *name;
            request.entries.accountAmounts[accounts++] = settledAmountText(*amount);
        } else if (!arg.empty() && arg[0] == '-') {
            return Status::Error("unknown option " + arg);
        } else if (request.month.empty()) {
            request.month = arg;
        } else {
            return Status::Error("report takes one month file");
        }
    }
    if (request.month.empty()) return Status::Error("report needs a month file");
    if (request.out.empty()) return Status::Error("report needs --out FILE");
    if (request.pdf && request.annual)
        return Status::Error("--pdf writes the printed report, which has no annual form");
    return request;
}

int reportCommand(const std::vector<std::string>& args, std::ostream& err) {
    auto request = parseReportRequest(args);
    if (!request) return usageError(err, request.message());
    auto month = loadForReading(request->month);
    if (!month) return fail(err, month.message());
    if (request->pdf) return runPdfHelper(args, err);
    const ReportFileKind kind = request->annual ? ReportFileKind::Annual : ReportFileKind::Monthly;
    if (Status s = writeReportFile(request->out, month.value().ledger, request->entries, kind); !s)
        return fail(err, s.message());
    return 0;
}

}  // namespace quorvel::cli

#include "export_command.h"

#include <optional>
#include <ostream>

#include "cli_support.h"
#include "export/export_file.h"

namespace quorvel::cli {

int exportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::string target;
    std::optional<ExportKind> kind;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const ExportInfo* chosen = nullptr;
        for (const ExportInfo& info : kExports) {
            if (arg == std::string("--") + info.option) chosen = &info;
        }
        if (chosen) {
            if (kind)
                return usageError(err,
                                  "export writes one of --actions, --budget, --funds, --sources, --ledger");
            kind = chosen->kind;
        } else if (arg == "--out") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return usageError(err, "--out needs a file name");
            target = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError(err, "unknown option " + arg);
        } else if (path.empty()) {
            path = arg;
        } else {
            return usageError(err, "export takes one month file");
        }
    }
    if (path.empty()) return usageError(err, "export needs a month file");
    if (!kind)
        return usageError(err, "export needs one of --actions, --budget, --funds, --sources, --ledger");

    auto month = loadForReading(path);
    if (!month) return fail(err, month.message());
    auto records = month->journal.readAll();
    if (!records) return fail(err, records.message());
    if (target.empty()) {
        out << exportText(month->ledger, *records, *kind);
        return 0;
    }
    if (Status written = writeExportFile(target, month->ledger, *records, *kind); !written)
        return fail(err, written.message());
    return 0;
}

}  // namespace quorvel::cli

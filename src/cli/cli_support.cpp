#include "cli_support.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "ledger/month_file.h"
#include "terminal_text.h"

extern char** environ;

namespace quorvel::cli {
namespace {

// The folder quorvel-cli was started from, where its helper programs live.
std::filesystem::path ownFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

}  // namespace

int runSibling(const char* program, const std::vector<std::string>& args, std::ostream& err,
               const std::string& option, const std::string& outcome) {
    const std::string helper = (ownFolder() / program).string();
    std::vector<std::string> helperArgs = args;
    helperArgs.insert(helperArgs.begin(), helper);
    std::vector<char*> argv;
    argv.reserve(helperArgs.size() + 1);
    for (std::string& a : helperArgs) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (const int error = posix_spawn(&pid, helper.c_str(), nullptr, nullptr, argv.data(), environ);
        error != 0) {
        return fail(err, option + " needs " + program + " beside quorvel-cli (" + helper +
                             "): " + std::strerror(error));
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return fail(err, std::string(program) + ": " + std::strerror(errno));
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status) == 0 ? 0 : 1;
    return fail(err, std::string(program) + " ended abnormally; " + outcome);
}

Result<LoadedMonth> loadForReading(const std::string& path) {
    LoadedMonth month;
    if (Status s = LoadMonthFile(month.ledger, month.journal, path, JournalMode::ReadOnly); !s) return s;
    // Figures from part of a journal would be silently wrong.
    if (month.journal.damagedRecord() != 0) return Status::Error(month.journal.damageMessage());
    return month;
}

int fail(std::ostream& err, const std::string& message) {
    err << "quorvel-cli: " << escapeControls(message) << "\n";
    return 1;
}

int usageError(std::ostream& err, const std::string& message) {
    return fail(err, message + " (see quorvel-cli --help)");
}

}  // namespace quorvel::cli
